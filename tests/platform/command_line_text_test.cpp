#include "platform/command_line_text.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineText, quotesWhatTheOptionSplitterWouldCut)
{
    struct Row {
        const char* name;
        QStringList arguments;
        QString text;
    };
    const Row rows[] = {
        {"none", {}, ""},
        {"plain words", {"readonly", "Datum=01.01.2020"}, "readonly Datum=01.01.2020"},
        {"value with blank and slashes", {"/OrdnerDat=/tmp/Tage buch"},
         "/OrdnerDat=\"/tmp/Tage buch\""},
        {"value with slash only, no leading slash", {"OrdnerDat=/home/anna"},
         "OrdnerDat=\"/home/anna\""},
        {"each separator of a value", {"a=x,y", "b=x;y", "c=x|y", "d=x\ty", "e=x\ny"},
         "a=\"x,y\" b=\"x;y\" c=\"x|y\" d=\"x\ty\" e=\"x\ny\""},
        {"empty value", {"/OrdnerDat="}, "/OrdnerDat="},
        {"equals sign inside the value", {"Text=a=b c"}, "Text=\"a=b c\""},
        {"plain element with blank", {"Tage buch"}, "\"Tage buch\""},
        {"path element", {"/home/anna/x.txt"}, "\"/home/anna/x.txt\""},
        {"name with blank is no option", {"mein Name=x"}, "\"mein Name=x\""},
        {"empty name is no option", {"=a b"}, "\"=a b\""},
        {"value already quoted", {"/OrdnerDat=\"/tmp/a b\""}, "/OrdnerDat=\"/tmp/a b\""},
        {"element already quoted", {"\"a b\""}, "\"a b\""},
        {"umlauts kept", {"fenster=Übersicht"}, "fenster=Übersicht"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(platform::commandLineText(row.arguments), row.text);
    }
}

TEST(CommandLineText, isKeptUntilReset)
{
    platform::setCommandLine({QStringLiteral("/OrdnerDat=/tmp/a b"), QStringLiteral("readonly")});
    EXPECT_EQ(platform::Command(), QStringLiteral("/OrdnerDat=\"/tmp/a b\" readonly"));
    EXPECT_EQ(platform::commandLineArguments(),
              QStringList({QStringLiteral("/OrdnerDat=/tmp/a b"), QStringLiteral("readonly")}));
    EXPECT_TRUE(platform::commandLineHolds(QStringLiteral("ReadOnly")));
    platform::resetCommandLine();
    EXPECT_EQ(platform::Command(), QString());
    EXPECT_TRUE(platform::commandLineArguments().isEmpty());
    EXPECT_FALSE(platform::commandLineHolds(QStringLiteral("readonly")));
}

TEST(CommandLineText, partsComeFromTheArgumentsWhole)
{
    struct Row {
        const char* name;
        QStringList arguments;
        QStringList parts;
    };
    const Row rows[] = {
        {"option loses its slash, keeps its quotes", {"/OrdnerDat=/a\" b", "Datum=\"1.1.\""},
         {"OrdnerDat=/a\" b", "Datum=\"1.1.\""}},
        {"other argument loses enclosing quotes only", {"\"a b\"", "12\" Platte", "/x/y"},
         {"a b", "12\" Platte", "/x/y"}},
        {"empty arguments give no part", {"", "readonly", ""}, {"readonly"}},
        {"a lone quote is a part", {"\""}, {"\""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        platform::setCommandLine(row.arguments);
        EXPECT_EQ(platform::commandLineParts(), row.parts);
    }
    platform::resetCommandLine();
}

} // namespace
