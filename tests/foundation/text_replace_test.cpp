#include "foundation/text_replace.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

using foundation::TextErsetzen;

TEST(TextErsetzen, replacesWithoutRegardToCase)
{
    struct Case {
        const char* name;
        QString text, search, replacement, expected;
    } cases[] = {
        {"mixed case found, replacement as given", u"Der {DATUM} und {datum} und {Datum}"_qs, u"{datum}"_qs, u"Heute"_qs, u"Der Heute und Heute und Heute"_qs},
        {"umlaut matches its capital", u"ÄRGER und ärger"_qs, u"Ärger"_qs, u"Freude"_qs, u"Freude und Freude"_qs},
        {"three letters doubled end after six", u"aaa"_qs, u"a"_qs, u"aa"_qs, u"aaaaaa"_qs},
        {"replacement holding the search is not searched again", u"xAx"_qs, u"a"_qs, u"[A]"_qs, u"x[A]x"_qs},
        {"empty text", u""_qs, u"a"_qs, u"b"_qs, u""_qs},
        {"search longer than text", u"ab"_qs, u"abc"_qs, u"x"_qs, u"ab"_qs},
        {"empty search changes nothing", u"abc"_qs, u""_qs, u"x"_qs, u"abc"_qs},
        {"removal", u"a**b**c"_qs, u"**"_qs, u""_qs, u"abc"_qs},
        {"non-overlapping from the left", u"aaaa"_qs, u"aa"_qs, u"b"_qs, u"bb"_qs},
        {"line break pairs", u"eins\r\nzwei\r\n"_qs, u"\r\n"_qs, u"**"_qs, u"eins**zwei**"_qs},
        {"sharp s keeps its place", u"STRAßE straße"_qs, u"straße"_qs, u"Weg"_qs, u"Weg Weg"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextErsetzen(c.text, c.search, c.replacement), c.expected);
    }
}
