#include "runtime/format.h"

#include "support/qt_print.h"

#include <gtest/gtest.h>

TEST(FormatText, numbersDatesAndCharacterPlaceholders)
{
    struct Case {
        const char* name;
        QString text, pattern, expected;
    } cases[] = {
        {"empty pattern keeps the text", u"abc"_qs, u""_qs, u"abc"_qs},
        {"German number text goes through the number form", u"2,5"_qs, u"0"_qs, u"3"_qs},
        {"grouped number text", u"1.234,5"_qs, u"#,##0.00"_qs, u"1.234,50"_qs},
        {"date text goes through the date form", u"5.3.2024"_qs, u"yyyy-mm-dd"_qs, u"2024-03-05"_qs},
        {"text that is neither stays", u"abc"_qs, u"0.00"_qs, u"abc"_qs},
        {"upper case", u"Straße"_qs, u">"_qs, u"STRAßE"_qs},
        {"lower case", u"ÄRGER"_qs, u"<"_qs, u"ärger"_qs},
        {"blank fill from the right", u"ab"_qs, u"@@@@"_qs, u"  ab"_qs},
        {"blank fill from the left", u"ab"_qs, u"!@@@@"_qs, u"ab  "_qs},
        {"ampersand leaves no blank", u"ab"_qs, u"&&&&"_qs, u"ab"_qs},
        {"literals between placeholders", u"1234"_qs, u"@@-@@"_qs, u"12-34"_qs},
        {"extra characters stand in front", u"123456"_qs, u"@@-@@"_qs, u"1234-56"_qs},
        {"quoted literal", u"7"_qs, u"\"Nr. \"@@"_qs, u"Nr.  7"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rt::Format(c.text, c.pattern), c.expected);
    }
}
