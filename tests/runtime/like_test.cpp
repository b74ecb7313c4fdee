#include "runtime/like.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

TEST(Like, matchesVbPatterns)
{
    struct Row {
        const char* name;
        const char* text;
        const char* pattern;
        bool expected;
    };
    const Row rows[] = {
        {"exact", "abc", "abc", true},
        {"caseMatters", "abc", "ABC", false},
        {"emptyBoth", "", "", true},
        {"emptyPatternNonEmptyText", "a", "", false},
        {"starMatchesEmpty", "", "*", true},
        {"starAtEnd", "abc", "a*", true},
        {"starAtStart", "abc", "*c", true},
        {"starInside", "abc", "a*c", true},
        {"starInsideEmpty", "ac", "a*c", true},
        {"starNoMatch", "abc", "a*d", false},
        {"starsAroundFilter", "heute war schön", "*war*", true},
        {"questionNeedsOneCharacter", "", "?", false},
        {"questionOneCharacter", "abc", "a?c", true},
        {"questionNotTwo", "abbc", "a?c", false},
        {"digit", "a1b", "a#b", true},
        {"digitNotLetter", "aXb", "a#b", false},
        {"list", "b", "[abc]", true},
        {"listMiss", "d", "[abc]", false},
        {"range", "m", "[a-z]", true},
        {"rangeCaseMatters", "M", "[a-z]", false},
        {"severalRanges", "Q", "[a-zA-Z0-9_]", true},
        {"negatedCharacter", "x", "[!x]", false},
        {"negatedOther", "y", "[!x]", true},
        {"negatedRangeOutside", "5", "[!a-z]", true},
        {"negatedRangeInside", "q", "[!a-z]", false},
        {"bracketedStarIsLiteral", "*", "[*]", true},
        {"bracketedStarNotWildcard", "a", "[*]", false},
        {"bracketedStarInside", "a*b", "a[*]b", true},
        {"bracketedQuestion", "?", "[?]", true},
        {"bracketedQuestionNotWildcard", "x", "[?]", false},
        {"bracketedHash", "#", "[#]", true},
        {"bracketedOpeningBracket", "[", "[[]", true},
        {"emptyListMatchesEmptyString", "ab", "a[]b", true},
        {"emptyListTakesNoCharacter", "axb", "a[]b", false},
        {"hyphenLast", "-", "[a-]", true},
        {"hyphenFirst", "-", "[-a]", true},
        {"hyphenFirstNoRange", "b", "[-a]", false},
        {"closingBracketOutsideIsLiteral", "a]", "a]", true},
        {"umlautRange", "\xC3\xB6", "[\xC3\xA4-\xC3\xBC]", true},
        {"exclamationOutsideIsLiteral", "!", "!", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString pattern = QString::fromUtf8(row.pattern);
        EXPECT_TRUE(rt::LikePatternValid(pattern));
        EXPECT_EQ(rt::Like(QString::fromUtf8(row.text), pattern), row.expected);
    }
}

TEST(Like, invalidPatternNeverMatches)
{
    const char* patterns[] = {"[abc", "abc[", "*[a-z", "[z-a]", "x[9-0]*"};
    for (const char* pattern : patterns) {
        SCOPED_TRACE(pattern);
        const QString p = QString::fromLatin1(pattern);
        EXPECT_FALSE(rt::LikePatternValid(p));
        for (const char* text : {"", "abc", "[abc", "x5", "z"})
            EXPECT_FALSE(rt::Like(QString::fromLatin1(text), p)) << text;
    }
}

TEST(Like, manyStarsStayLinearInPractice)
{
    // A naive backtracking matcher takes exponential time on these.
    const QString many(20000, u'a');
    EXPECT_FALSE(rt::Like(many, QStringLiteral("*a*a*a*a*a*a*a*a*b")));
    EXPECT_TRUE(rt::Like(many + u'b', QStringLiteral("*a*a*a*a*a*a*a*a*b")));
    EXPECT_FALSE(rt::Like(many, QStringLiteral("*?*?*?*?*?*?*?*?*b")));
}

} // namespace
