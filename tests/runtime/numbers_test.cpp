#include "runtime/error.h"
#include "runtime/numbers.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class Numbers : public ::testing::Test {
protected:
    void SetUp() override { rt::clearError(); }
    void TearDown() override { rt::clearError(); }
};

TEST_F(Numbers, val_readsLeadingInvariantNumber)
{
    struct Row {
        const char* name;
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"empty", "", 0},
        {"blanksOnly", "   ", 0},
        {"blanksInsideDigits", " 1 2,5", 12},
        {"decimalPoint", "12.5", 12.5},
        {"commaStops", "1,5", 1},
        {"trailingText", "  -3.25abc", -3.25},
        {"plusSign", "+7", 7},
        {"blankAfterSign", "- 5", -5},
        {"tabAndLineFeedSkipped", "\t4\n2", 42},
        {"carriageReturnStops", "1\r\n2", 1},
        {"leadingPoint", ".5", 0.5},
        {"secondPointStops", "1.2.3", 1.2},
        {"leadingZeros", "007", 7},
        {"noNumber", "abc", 0},
        {"doubleSign", "--5", 0},
        {"umlautStops", "12\xC3\xA4", 12},
        {"exponentE", "1E3", 1000},
        {"exponentD", "1D3", 1000},
        {"negativeExponent", "2.5e-1", 0.25},
        {"exponentWithoutDigits", "1E", 1},
        {"exponentSignWithoutDigits", "1e+x", 1},
        {"hex", "&H1F", 31},
        {"hexLowerCase", "&h1f", 31},
        {"octal", "&O17", 15},
        {"hexIntegerWraps", "&HFFFF", -1},
        {"hexIntegerMinimum", "&H8000", -32768},
        {"hexLongSuffix", "&HFFFF&", 65535},
        {"hexBeyondInteger", "&H10000", 65536},
        {"hexLongWraps", "&HFFFFFFFF", -1},
        {"hexWithoutDigits", "&HZ", 0},
        {"ampersandAlone", "&12", 0},
        {"underflow", "1E-400", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(rt::Val(QString::fromUtf8(row.text)), row.expected);
        EXPECT_EQ(rt::Err().number, 0);
    }
}

TEST_F(Numbers, val_overflowSetsError6)
{
    for (const char* text : {"1E400", "&H123456789"}) {
        SCOPED_TRACE(text);
        rt::clearError();
        EXPECT_EQ(rt::Val(QString::fromLatin1(text)), 0.0);
        EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
    }
}

TEST_F(Numbers, germanConversion_acceptsWholeGermanNumbers)
{
    struct Row {
        const char* name;
        const char* text;
        double expected;
    };
    const Row rows[] = {
        {"decimalComma", "2,6", 2.6},
        {"groupingAndComma", "1.234,56", 1234.56},
        {"blanksAroundNegative", " -1.234 ", -1234},
        {"dotIsGrouping", "1.5", 15},
        {"leadingComma", ",5", 0.5},
        {"trailingComma", "5,", 5},
        {"plusSign", "+3", 3},
        {"exponent", "1,5E3", 1500},
        {"negativeExponent", "25e-1", 2.5},
        {"hex", "&H10", 16},
        {"tabsAround", "\t7\t", 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = QString::fromLatin1(row.text);
        const std::optional<double> parsed = rt::parseGermanNumber(text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_DOUBLE_EQ(*parsed, row.expected);
        EXPECT_TRUE(rt::IsNumeric(text));
        EXPECT_DOUBLE_EQ(rt::CDbl(text), row.expected);
        EXPECT_EQ(rt::Err().number, 0);
    }
}

TEST_F(Numbers, germanConversion_rejectsNonNumbers)
{
    const char* texts[] = {"", "   ", "abc", "1,2,3", "1..2", ".5", "1.", "1 2", "--1", "1e",
                           "1,5x", "inf", "12-", "&H", "&H1G", "-", ","};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const QString value = QString::fromLatin1(text);
        EXPECT_FALSE(rt::parseGermanNumber(value).has_value());
        EXPECT_FALSE(rt::IsNumeric(value));
        rt::clearError();
        EXPECT_EQ(rt::CDbl(value), 0.0);
        EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
    }
}

TEST_F(Numbers, cdbl_tooLargeSetsOverflow)
{
    EXPECT_EQ(rt::CDbl(QStringLiteral("1E400")), 0.0);
    EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
}

TEST_F(Numbers, cintAndClng_roundHalvesToEven)
{
    struct Row {
        const char* name;
        double value;
        int expected;
    };
    const Row rows[] = {
        {"twoAndHalf", 2.5, 2},         {"threeAndHalf", 3.5, 4},
        {"minusTwoAndHalf", -2.5, -2},  {"minusThreeAndHalf", -3.5, -4},
        {"half", 0.5, 0},               {"oneAndHalf", 1.5, 2},
        {"minusHalf", -0.5, 0},         {"belowHalf", 2.4999, 2},
        {"aboveHalf", 2.6, 3},          {"integerMaximum", 32767.4, 32767},
        {"integerMinimumHalf", -32768.5, -32768},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rt::CInt(row.value), row.expected);
        EXPECT_EQ(rt::CLng(row.value), row.expected);
        EXPECT_EQ(rt::Err().number, 0);
    }
    EXPECT_EQ(rt::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(rt::CLng(-2147483648.5), std::numeric_limits<qint32>::min());
    EXPECT_EQ(rt::Err().number, 0);
}

TEST_F(Numbers, cintAndClng_outOfRangeSetsOverflowAndGivesZero)
{
    struct Row {
        const char* name;
        double value;
        bool longOverflows;
    };
    const Row rows[] = {
        {"halfAboveIntegerMaximum", 32767.5, false},
        {"belowIntegerMinimum", -32768.6, false},
        {"halfAboveLongMaximum", 2147483647.5, true},
        {"belowLongMinimum", -2147483649.0, true},
        {"notANumber", std::nan(""), true},
        {"infinity", std::numeric_limits<double>::infinity(), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rt::clearError();
        EXPECT_EQ(rt::CInt(row.value), 0);
        EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
        rt::clearError();
        const qint32 asLong = rt::CLng(row.value);
        if (row.longOverflows) {
            EXPECT_EQ(asLong, 0);
            EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
        } else {
            EXPECT_NE(asLong, 0);
            EXPECT_EQ(rt::Err().number, 0);
        }
    }
}

TEST_F(Numbers, cintAndClngOfText_convertGermanThenRound)
{
    EXPECT_EQ(rt::CInt(QStringLiteral("2,5")), 2);
    EXPECT_EQ(rt::CInt(QStringLiteral("3,5")), 4);
    EXPECT_EQ(rt::CLng(QStringLiteral("1.234.567")), 1234567);
    EXPECT_EQ(rt::Err().number, 0);

    EXPECT_EQ(rt::CInt(QStringLiteral("zwei")), 0);
    EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
    rt::clearError();
    EXPECT_EQ(rt::CInt(QStringLiteral("40000")), 0);
    EXPECT_EQ(rt::Err().number, rt::ErrOverflow);
    rt::clearError();
    EXPECT_EQ(rt::CLng(QStringLiteral("")), 0);
    EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
}

TEST_F(Numbers, intFloorsAndFixTruncates)
{
    struct Row {
        double value;
        double intResult;
        double fixResult;
    };
    const Row rows[] = {
        {2.7, 2, 2}, {-2.5, -3, -2}, {-0.1, -1, 0}, {-3, -3, -3}, {0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(rt::Int(row.value), row.intResult);
        EXPECT_EQ(rt::Fix(row.value), row.fixResult);
    }
}

TEST_F(Numbers, round_halvesToEvenAtDecimals)
{
    struct Row {
        double value;
        int decimals;
        double expected;
    };
    const Row rows[] = {
        {2.5, 0, 2}, {3.5, 0, 4}, {-2.5, 0, -2}, {-1.5, 0, -2},
        {2.567, 2, 2.57}, {1.25, 1, 1.2}, {1.75, 1, 1.8}, {1e20, 2, 1e20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.value << " / " << row.decimals);
        EXPECT_DOUBLE_EQ(rt::Round(row.value, row.decimals), row.expected);
    }
    EXPECT_EQ(rt::Err().number, 0);
    EXPECT_EQ(rt::Round(2.5, -1), 2.5);
    EXPECT_EQ(rt::Err().number, rt::ErrInvalidCall);
}

TEST_F(Numbers, strAndCStr_writeFifteenSignificantDigits)
{
    struct Row {
        const char* name;
        double value;
        const char* str;
        const char* cstr;
    };
    const Row rows[] = {
        {"whole", 5, " 5", "5"},
        {"negative", -5, "-5", "-5"},
        {"fraction", 2.5, " 2.5", "2,5"},
        {"zero", 0, " 0", "0"},
        {"negativeZero", -0.0, " 0", "0"},
        {"binaryNoiseHidden", 0.1 + 0.2, " 0.3", "0,3"},
        {"thirdOfTenThousand", 10000.0 / 3, " 3333.33333333333", "3333,33333333333"},
        {"fifteenDigits", 123456789012345.0, " 123456789012345", "123456789012345"},
        {"sixteenDigitsRounded", 1234567890123456.0, " 1.23456789012346E+15", "1,23456789012346E+15"},
        {"tenToFifteen", 1e15, " 1E+15", "1E+15"},
        {"tenToSixteen", 1e16, " 1E+16", "1E+16"},
        {"hugeExponent", 1e100, " 1E+100", "1E+100"},
        {"tenThousandth", 0.0001, " 0.0001", "0,0001"},
        {"hundredThousandth", 0.00001, " 1E-05", "1E-05"},
        {"smallFraction", 1.5e-7, " 1.5E-07", "1,5E-07"},
        {"smallNegative", -1.5e-7, "-1.5E-07", "-1,5E-07"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rt::Str(row.value), QString::fromLatin1(row.str));
        EXPECT_EQ(rt::CStr(row.value), QString::fromLatin1(row.cstr));
    }
}

TEST_F(Numbers, cstrAndCDbl_roundTrip)
{
    for (double value : {2.6, -1234.5, 1.5e-7, 10000.0 / 3, 1e16}) {
        SCOPED_TRACE(value);
        EXPECT_NEAR(rt::CDbl(rt::CStr(value)), value, std::fabs(value) * 1e-14);
    }
    EXPECT_EQ(rt::Err().number, 0);
}

} // namespace
