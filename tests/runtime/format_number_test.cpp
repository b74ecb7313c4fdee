#include "runtime/format.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Row {
    const char* name;
    double value;
    const char* pattern;
    const char* expected;
};

void expectRows(const Row* begin, const Row* end)
{
    for (const Row* row = begin; row != end; ++row) {
        SCOPED_TRACE(row->name);
        EXPECT_EQ(rt::Format(row->value, QString::fromUtf8(row->pattern)),
                  QString::fromUtf8(row->expected));
    }
}

TEST(FormatNumber, roundsHalfAwayFromZeroOnFifteenDigits)
{
    const Row rows[] = {
        {"halfUp", 2.5, "0", "3"},
        {"halfOfNegativeAway", -2.5, "0", "-3"},
        {"belowHalf", 0.4, "0", "0"},
        {"binaryBelowHalfStillUp", 1.005, "0.00", "1,01"},
        {"exactEighth", 0.125, "0.00", "0,13"},
        {"halfAtOneDecimal", 2.25, "0.0", "2,3"},
        {"carryIntoWhole", 9.996, "0.00", "10,00"},
        {"carryIntoNewDigit", 999.5, "#,##0", "1.000"},
        {"roundingNoiseOfSum", 0.1 + 0.2, "0.0000000000000000", "0,3000000000000000"},
        {"beyondFifteenDigits", 1234567890123456789.0, "0", "1234567890123460000"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, digitPlaceholders)
{
    const Row rows[] = {
        {"zeroPadsLeft", 5, "0000", "0005"},
        {"moreDigitsThanPlaces", 12345, "00", "12345"},
        {"plainWhole", 12345, "0", "12345"},
        {"negativePadded", -1, "00", "-01"},
        {"hashShowsNothingForZero", 0, "#", ""},
        {"hashShowsDigits", 1234, "##0", "1234"},
        {"hashBeforeZero", 5, "#00", "05"},
        {"noLeadingZeroBeforePoint", 0.5, "#.0", ",5"},
        {"thirdWithoutWholePlaces", 1.0 / 3, ".0", ",3"},
        {"wholeDigitsWithoutPlaces", 12.5, ".00", "12,50"},
        {"pointAlwaysShown", 0.0049, "#.##", ","},
        {"optionalFractionDropped", 0.0995, "#.##", ",1"},
        {"optionalFractionPartly", 1.5, "0.0#", "1,5"},
        {"optionalFractionUsed", 1.567, "0.0#", "1,57"},
        {"oneDecimal", 1.5, "0.0", "1,5"},
        {"twoDecimals", 3, "0.00", "3,00"},
        {"literalBetweenDigits", 12345, "00\\-000", "12-345"},
        {"literalBetweenDigitsOverflow", 1234567, "00\\-000", "1234-567"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, groupingWithGermanSeparators)
{
    const Row rows[] = {
        {"millionsWithDecimals", 1234567.891, "#,##0.00", "1.234.567,89"},
        {"thousand", 1234, "#,##0", "1.234"},
        {"belowThousand", 999, "#,##0", "999"},
        {"zero", 0, "#,##0", "0"},
        {"negativeMillions", -1234567, "#,##0", "-1.234.567"},
        {"oneDecimal", 1234.56, "#,##0.0", "1.234,6"},
        {"smallOneDecimal", 0.05, "#,##0.0", "0,1"},
        {"groupingCharacterOfThousand", 1000, "0,000", "1.000"},
        {"groupedThird", 10000.0 / 3, "0,000.0", "3.333,3"},
        {"groupedThirdTwoDecimals", 10000.0 / 3, "#,##0.00", "3.333,33"},
        {"groupedPaddedZeros", 1, "0,000,000", "0.000.001"},
        {"commaAtEndScales", 1234567, "#,##0,", "1.235"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, percentAndExponent)
{
    const Row rows[] = {
        {"percentRoundsHalfUp", 0.125, "0%", "13%"},
        {"percentHalf", 0.5, "0%", "50%"},
        {"percentTwoDecimals", 0.1234, "0.00%", "12,34%"},
        {"percentNegative", -0.25, "0%", "-25%"},
        {"exponentPositive", 12345.678, "0.00E+00", "1,23E+04"},
        {"exponentNegative", 0.000123, "0.00E+00", "1,23E-04"},
        {"exponentCarry", 9.999, "0.00E+00", "1,00E+01"},
        {"exponentOfZero", 0, "0.00E+00", "0,00E+00"},
        {"exponentMinusFormHidesPlus", 1.7, "0.0E-0", "1,7E0"},
        {"exponentMinusFormShowsMinus", 0.017, "0.0E-0", "1,7E-2"},
        {"exponentTwoWholePlaces", 12345, "00.0E+0", "12,3E+3"},
        {"exponentNegativeValue", -12345.678, "0.00E+00", "-1,23E+04"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, literalText)
{
    const Row rows[] = {
        {"quoted", 3, "0 \"Tage\"", "3 Tage"},
        {"escapedParentheses", 3, "\\(0\\)", "(3)"},
        {"escapedPointIsNoDecimal", 5, "00\\.", "05."},
        {"quotedSpecialCharacters", 7, "\"#0.;\"0", "#0.;7"},
        {"plainLettersAndSpace", 12, "0 kg", "12 kg"},
        {"euroSign", 2.5, "0.00 €", "2,50 €"},
        {"onlyText", 5, "\"fünf\"", "fünf"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, sections)
{
    const Row rows[] = {
        {"positiveSection", 5, "0;(0)", "5"},
        {"negativeSectionHasNoOwnMinus", -5, "0;(0)", "(5)"},
        {"zeroTakesFirstOfTwo", 0, "0;(0)", "0"},
        {"zeroSection", 0, "0;(0);\"null\"", "null"},
        {"negativeOfThree", -2, "0;(0);\"null\"", "(2)"},
        {"emptyNegativeUsesPositiveWithMinus", -5, "0;;\"null\"", "-5"},
        {"emptyZeroUsesPositive", 0, "0.0;-0.0;", "0,0"},
        {"sectionFollowsValueNotRounding", 0.001, "0.0;-0.0;\"null\"", "0,0"},
        {"negativeRoundingToZeroInNegativeSection", -0.4, "0;(0)", "(0)"},
        {"negativeRoundingToZeroKeepsMinus", -0.4, "0", "-0"},
        {"quotedSemicolonIsNoSeparator", -1, "0\";\"0;x", "x"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, namedFormatsAndEmptyPattern)
{
    const Row rows[] = {
        {"currency", 1234.5, "Currency", "1.234,50 €"},
        {"currencyNegative", -1234.5, "Currency", "-1.234,50 €"},
        {"fixed", 1234.5, "Fixed", "1234,50"},
        {"fixedSmall", 0.5, "Fixed", "0,50"},
        {"standard", 1234.5, "Standard", "1.234,50"},
        {"percent", 0.256, "Percent", "25,60%"},
        {"scientific", 1234.5, "Scientific", "1,23E+03"},
        {"generalNumber", 2.5, "General Number", "2,5"},
        {"namesIgnoreCase", 1234.5, "standard", "1.234,50"},
        {"yes", 5, "Yes/No", "Ja"},
        {"no", 0, "Yes/No", "Nein"},
        {"true", -1, "True/False", "Wahr"},
        {"false", 0, "True/False", "Falsch"},
        {"on", 0.5, "On/Off", "Ein"},
        {"off", 0, "On/Off", "Aus"},
        {"emptyIsCStr", 2.5, "", "2,5"},
        {"emptyIsCStrExponent", 1e16, "", "1E+16"},
    };
    expectRows(std::begin(rows), std::end(rows));
}

TEST(FormatNumber, integerOverloadKeepsEveryDigit)
{
    EXPECT_EQ(rt::Format(qint64(1234567890123456789), QStringLiteral("#,##0")),
              QStringLiteral("1.234.567.890.123.456.789"));
    EXPECT_EQ(rt::Format(std::numeric_limits<qint64>::min(), QStringLiteral("0")),
              QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(rt::Format(qint64(1234567890123456789), QString()), QStringLiteral("1234567890123456789"));
    EXPECT_EQ(rt::Format(7, QStringLiteral("00")), QStringLiteral("07"));
    EXPECT_EQ(rt::Format(-7, QStringLiteral("0;(0)")), QStringLiteral("(7)"));
    EXPECT_EQ(rt::Format(0, QStringLiteral("#")), QString());
    EXPECT_EQ(rt::Format(2024, QStringLiteral("0000")), QStringLiteral("2024"));
    EXPECT_EQ(rt::Format(3, QStringLiteral("0%")), QStringLiteral("300%"));
    EXPECT_EQ(rt::Format(1, QStringLiteral("Yes/No")), QStringLiteral("Ja"));
}

} // namespace
