#include "runtime/lines.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

TEST(Lines, everyLineEndCountsAndAFinalOneBeginsNoLine)
{
    struct Case {
        const char* name;
        QString text;
        QStringList lines;
        QString withCrLf;
    } cases[] = {
        {"empty", u""_qs, {}, u""_qs},
        {"one line without end", u"a"_qs, {u"a"_qs}, u"a"_qs},
        {"CR LF", u"a\r\nb\r\n"_qs, {u"a"_qs, u"b"_qs}, u"a\r\nb\r\n"_qs},
        {"LF", u"a\nb"_qs, {u"a"_qs, u"b"_qs}, u"a\r\nb"_qs},
        {"CR", u"a\rb\r"_qs, {u"a"_qs, u"b"_qs}, u"a\r\nb\r\n"_qs},
        {"LF CR is two ends", u"a\n\rb"_qs, {u"a"_qs, u""_qs, u"b"_qs}, u"a\r\n\r\nb"_qs},
        {"empty lines kept", u"\r\n\r\nx"_qs, {u""_qs, u""_qs, u"x"_qs}, u"\r\n\r\nx"_qs},
        {"line end alone", u"\n"_qs, {u""_qs}, u"\r\n"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::splitLines(c.text), c.lines);
        EXPECT_EQ(rt::unifyLineEnds(c.text), c.withCrLf);
    }
    EXPECT_EQ(rt::unifyLineEnds(u"a\r\nb\rc"_qs, u"\n"_qs), u"a\nb\nc"_qs);
}
