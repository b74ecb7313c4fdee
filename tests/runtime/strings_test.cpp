#include "runtime/strings.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(Strings, caseMappingKeepsLength)
{
    struct Row {
        const char* name;
        const char* text;
        const char* upper;
        const char* lower;
    };
    const Row rows[] = {
        {"sharpS", "Straße", "STRAßE", "straße"},
        {"umlauts", "Ärger über Öl", "ÄRGER ÜBER ÖL", "ärger über öl"},
        {"microSignStays", "5 µm", "5 µM", "5 µm"},
        {"yWithDiaeresis", "ÿ", "Ÿ", "ÿ"},
        {"lineBreaksUntouched", "a\r\nb", "A\r\nB", "a\r\nb"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = u8(row.text);
        EXPECT_EQ(rt::UCase(text), u8(row.upper));
        EXPECT_EQ(rt::LCase(text), u8(row.lower));
        EXPECT_EQ(rt::UCase(text).size(), text.size());
        EXPECT_EQ(rt::LCase(text).size(), text.size());
    }
    EXPECT_TRUE(rt::equalsNoCase(u8("STRAßE"), u8("straße")));
    EXPECT_FALSE(rt::equalsNoCase(u8("STRASSE"), u8("straße")));
}

TEST(Strings, caseMappingOfWholeTextsAgreesWithSingleCharacters)
{
    // Every UTF-16 unit, so that the quick way for ASCII and the characters around "A"-"Z" and
    // "a"-"z" ("@", "[", "`", "{") meet the same mapping as the rest.
    QString all;
    for (int code = 0; code <= 0xFFFF; ++code)
        all.append(QChar(static_cast<char16_t>(code)));
    const QString lower = rt::LCase(all);
    const QString upper = rt::UCase(all);
    ASSERT_EQ(lower.size(), all.size());
    ASSERT_EQ(upper.size(), all.size());
    for (qsizetype i = 0; i < all.size(); ++i) {
        ASSERT_EQ(lower[i], rt::LCaseChar(all[i])) << i;
        ASSERT_EQ(upper[i], rt::UCaseChar(all[i])) << i;
    }
    EXPECT_TRUE(rt::LCase(QString()).isEmpty());
    EXPECT_EQ(rt::UCase(u8("")), u8(""));
}

TEST(Strings, properCaseSplitsOnlyAtBlanksAndControlCharacters)
{
    EXPECT_EQ(rt::ProperCase(u8("hANS  müller\tvon\r\nx")), u8("Hans  Müller\tVon\r\nX"));
    EXPECT_EQ(rt::ProperCase(u8("o'neil-smith (ag)")), u8("O'neil-smith (ag)"));
    EXPECT_EQ(rt::ProperCase(QString()), QString());
}

TEST(Strings, midLeftRightAreOneBasedAndForgiving)
{
    const QString text = QStringLiteral("Hallo");
    struct Row {
        const char* name;
        QString result;
        const char* expected;
    };
    const Row rows[] = {
        {"midWithLength", rt::Mid(text, 2, 3), "all"},
        {"midToEnd", rt::Mid(text, 2), "allo"},
        {"midLastCharacter", rt::Mid(text, 5), "o"},
        {"midPastEnd", rt::Mid(text, 6), ""},
        {"midFarPastEnd", rt::Mid(text, 1000, 2), ""},
        {"midLengthBeyondEnd", rt::Mid(text, 5, 10), "o"},
        {"midStartBelowOne", rt::Mid(text, 0, 2), "Ha"},
        {"midZeroLength", rt::Mid(text, 2, 0), ""},
        {"midOfEmpty", rt::Mid(QString(), 1), ""},
        {"left", rt::Left(text, 2), "Ha"},
        {"leftZero", rt::Left(text, 0), ""},
        {"leftNegative", rt::Left(text, -1), ""},
        {"leftTooLong", rt::Left(text, 10), "Hallo"},
        {"right", rt::Right(text, 2), "lo"},
        {"rightZero", rt::Right(text, 0), ""},
        {"rightNegative", rt::Right(text, -3), ""},
        {"rightTooLong", rt::Right(text, 10), "Hallo"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result, u8(row.expected));
    }
    EXPECT_EQ(rt::Len(u8("Straße")), 6);
}

TEST(Strings, inStrBounds)
{
    const QString text = QStringLiteral("abcabc");
    struct Row {
        const char* name;
        int result;
        int expected;
    };
    const Row rows[] = {
        {"first", rt::InStr(text, QStringLiteral("c")), 3},
        {"fromStart", rt::InStr(4, text, QStringLiteral("c")), 6},
        {"startAtMatch", rt::InStr(6, text, QStringLiteral("c")), 6},
        {"startPastEnd", rt::InStr(7, text, QStringLiteral("c")), 0},
        {"startFarPastEnd", rt::InStr(1000, text, QStringLiteral("a")), 0},
        {"startBelowOne", rt::InStr(0, text, QStringLiteral("a")), 1},
        {"missing", rt::InStr(text, QStringLiteral("x")), 0},
        {"findLongerThanText", rt::InStr(QStringLiteral("ab"), QStringLiteral("abc")), 0},
        {"emptyFind", rt::InStr(text, QString()), 1},
        {"emptyFindAtStart", rt::InStr(3, text, QString()), 3},
        {"emptyFindJustPastEnd", rt::InStr(7, text, QString()), 7},
        {"emptyFindFarPastEnd", rt::InStr(8, text, QString()), 0},
        {"exactCase", rt::InStr(QStringLiteral("ABC"), QStringLiteral("b")), 0},
        {"ignoringCase", rt::InStr(QStringLiteral("ABC"), QStringLiteral("b"), true), 2},
        {"ignoringCaseUmlaut", rt::InStr(u8("GRÜN grün"), u8("ün"), true), 3},
        {"revLast", rt::InStrRev(text, QStringLiteral("c")), 6},
        {"revBeforeStart", rt::InStrRev(text, QStringLiteral("c"), 5), 3},
        {"revMatchMustEndByStart", rt::InStrRev(text, QStringLiteral("bc"), 5), 2},
        {"revWholeText", rt::InStrRev(QStringLiteral("abc"), QStringLiteral("abc"), 3), 1},
        {"revWholeTextTooShort", rt::InStrRev(QStringLiteral("abc"), QStringLiteral("abc"), 2), 0},
        {"revStartPastEnd", rt::InStrRev(QStringLiteral("abc"), QStringLiteral("a"), 4), 0},
        {"revStartZero", rt::InStrRev(QStringLiteral("abc"), QStringLiteral("a"), 0), 0},
        {"revMissing", rt::InStrRev(text, QStringLiteral("x")), 0},
        {"revEmptyFind", rt::InStrRev(QStringLiteral("abc"), QString()), 3},
        {"revEmptyText", rt::InStrRev(QString(), QStringLiteral("a")), 0},
        {"revIgnoringCase", rt::InStrRev(QStringLiteral("ABCABC"), QStringLiteral("b"), -1, true), 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.result, row.expected);
    }
}

TEST(Strings, trimRemovesOnlyBlanks)
{
    struct Row {
        const char* name;
        const char* text;
        const char* trim;
        const char* ltrim;
        const char* rtrim;
    };
    const Row rows[] = {
        {"blanks", "  a b  ", "a b", "a b  ", "  a b"},
        {"tabsKept", "\ta\t", "\ta\t", "\ta\t", "\ta\t"},
        {"lineBreaksKept", " \r\n x \r\n ", "\r\n x \r\n", "\r\n x \r\n ", " \r\n x \r\n"},
        {"noBreakSpaceKept", "\xC2\xA0" "a ", "\xC2\xA0" "a", "\xC2\xA0" "a ", "\xC2\xA0" "a"},
        {"onlyBlanks", "   ", "", "", ""},
        {"empty", "", "", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = u8(row.text);
        EXPECT_EQ(rt::Trim(text), u8(row.trim));
        EXPECT_EQ(rt::LTrim(text), u8(row.ltrim));
        EXPECT_EQ(rt::RTrim(text), u8(row.rtrim));
    }
}

TEST(Strings, spaceStringOfAndReplace)
{
    EXPECT_EQ(rt::Space(3), QStringLiteral("   "));
    EXPECT_EQ(rt::Space(-1), QString());
    EXPECT_EQ(rt::StringOf(3, u'x'), QStringLiteral("xxx"));
    EXPECT_EQ(rt::StringOf(0, u'x'), QString());

    struct Row {
        const char* name;
        const char* text;
        const char* find;
        const char* replacement;
        const char* expected;
    };
    const Row rows[] = {
        {"leftToRightNoOverlap", "aaa", "aa", "b", "ba"},
        {"insertionNotRescanned", "abc", "b", "bb", "abbc"},
        {"emptyFindChangesNothing", "abc", "", "x", "abc"},
        {"exactCase", "aBc", "b", "x", "aBc"},
        {"removal", "a-b-c", "-", "", "abc"},
        {"lineEnds", "a\nb\n", "\n", "\r\n", "a\r\nb\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rt::Replace(u8(row.text), u8(row.find), u8(row.replacement)), u8(row.expected));
    }
}

} // namespace
