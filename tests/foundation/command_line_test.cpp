#include "foundation/command_line.h"
#include "platform/command_line_text.h"
#include "runtime/strings.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

namespace {

using foundation::parameterAnzahl;
using foundation::parameterListe;
using foundation::ParameterWert;
using foundation::ParameterZerlegen;

QStringList storedParts()
{
    QStringList parts;
    for (int i = 1; i <= parameterAnzahl; ++i)
        parts.append(parameterListe[static_cast<std::size_t>(i)]);
    return parts;
}

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override { foundation::resetParameter(); }
    void TearDown() override
    {
        foundation::resetParameter();
        platform::resetCommandLine();
    }
};

TEST_F(CommandLine, splitCutsAtEverySeparatorOutsideDoubleQuotes)
{
    struct Row {
        const char* name;
        QString text;
        QString separators; // "" = the defaults
        QStringList parts;
    };
    const Row rows[] = {
        {"options with and without slash", "/OrdnerDat=C:\\Daten /Datum=01.01.2020", "",
         {"OrdnerDat=C:\\Daten", "Datum=01.01.2020"}},
        {"whole part quoted loses its quotes", "\"OrdnerDat=/tmp/Mein Ordner\" x", "",
         {"OrdnerDat=/tmp/Mein Ordner", "x"}},
        {"quoted value keeps its quotes in the part", "/OrdnerDat=\"/tmp/Mein Ordner\"", "",
         {"OrdnerDat=\"/tmp/Mein Ordner\""}},
        {"quotes inside a part stay", "a\"b c\"d", "", {"a\"b c\"d"}},
        {"unquoted separators cut a value", "Text=a,b;c|d/e", "", {"Text=a", "b", "c", "d", "e"}},
        {"tab, line feed and carriage return cut", "a\tb\r\nc", "", {"a", "b", "c"}},
        {"runs of separators give no empty parts", " ,, ;/ a  |  b ", "", {"a", "b"}},
        {"empty quotes are an empty part", "a \"\" b", "", {"a", "", "b"}},
        {"empty text", "", "", {}},
        {"separators only", " /,;|\t\r\n", "", {}},
        {"odd quote loses its part and the rest", "a \"b c\" d \"e f", "", {"a", "b c", "d"}},
        {"odd quote in the first part loses everything", "x\"y z", "", {}},
        {"own separators", "1x2y3 4", "xy", {"1", "2", "3 4"}},
        {"own separators: blank no longer cuts", "a;b c", ";", {"a", "b c"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QString separators = row.separators;
        EXPECT_EQ(ParameterZerlegen(row.text, separators), row.parts.size());
        EXPECT_EQ(storedParts(), row.parts);
    }
}

TEST_F(CommandLine, emptySeparatorsAreFilledInWithTheDefaults)
{
    QString separators;
    ParameterZerlegen(QStringLiteral("a b"), separators);
    EXPECT_EQ(separators, QStringLiteral(" /,;|\t\n\r"));
}

TEST_F(CommandLine, aNewSplitEmptiesTheOldEntriesButLeavesEntryZero)
{
    parameterListe[0] = QStringLiteral("nie benutzt");
    ParameterZerlegen(QStringLiteral("a b c d e"));
    EXPECT_EQ(ParameterZerlegen(QStringLiteral("x y")), 2);
    EXPECT_EQ(parameterListe[0], QStringLiteral("nie benutzt"));
    for (std::size_t i = 3; i < parameterListe.size(); ++i)
        EXPECT_EQ(parameterListe[i], QString()) << "entry " << i;
}

TEST_F(CommandLine, morePartsThan255KeepTheLastInEntry255)
{
    QStringList words;
    for (int i = 1; i <= 300; ++i)
        words.append(QStringLiteral("p%1").arg(i));
    EXPECT_EQ(ParameterZerlegen(words.join(u' ')), 255);
    EXPECT_EQ(parameterListe[1], QStringLiteral("p1"));
    EXPECT_EQ(parameterListe[254], QStringLiteral("p254"));
    EXPECT_EQ(parameterListe[255], QStringLiteral("p300"));
}

TEST_F(CommandLine, valueOfTheLastPartThatStartsWithTheName)
{
    struct Row {
        const char* name;
        QString text;
        QString option;
        QString value;
    };
    const Row rows[] = {
        {"any case", "ORDNERDAT=C:\\x", "OrdnerDat=", "C:\\x"},
        {"last match wins", "Datum=1.1.2020 x Datum=2.2.2020", "Datum=", "2.2.2020"},
        {"missing", "Datum=1.1.2020", "Korvanel=", ""},
        {"name must stand at the start", "XDatum=5", "Datum=", ""},
        {"part shorter than the name", "Dat", "Datum=", ""},
        {"prefix without equals sign", "Datum=5", "Dat", "um=5"},
        {"empty value", "/OrdnerDat= x", "OrdnerDat=", ""},
        {"quoted value loses its quotes", "/OrdnerDat=\"/tmp/a b\"", "OrdnerDat=", "/tmp/a b"},
        {"whole quoted part", "\"Korvanel=TXT:mein Wort\"", "korvanel=", "TXT:mein Wort"},
        {"inner quotes stay", "Text=a\"b\"", "Text=", "a\"b\""},
        {"empty name gives the whole last part", "a=1 b=2", "", "b=2"},
        {"empty text", "", "", ""},
        {"umlauts compared without case", "ÄNDERN=ja", "ändern=", "ja"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ParameterZerlegen(row.text);
        EXPECT_EQ(ParameterWert(row.option), row.value);
    }
}

TEST_F(CommandLine, argumentsOfTheProgramReachTheirReadersWhole)
{
    struct Row {
        const char* name;
        QStringList arguments;
        QString option;
        QString value;
    };
    const Row rows[] = {
        {"folder with blank", {"/OrdnerDat=/tmp/Tage buch"}, "OrdnerDat=", "/tmp/Tage buch"},
        {"date jump with comma", {"readonly", "Datum=1,5m"}, "Datum=", "1,5m"},
        {"diary with password", {"Korvanel=TXT:geheim; wort|x"}, "Korvanel=", "TXT:geheim; wort|x"},
        {"file with semicolon", {"AppendFile=/home/anna/neu;alt.txt"}, "AppendFile=",
         "/home/anna/neu;alt.txt"},
        {"last of two wins", {"/OrdnerDat=/a", "/OrdnerDat=/b c"}, "OrdnerDat=", "/b c"},
        {"option after a path argument", {"/home/anna/x y.txt", "Datum=heute"}, "Datum=", "heute"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        platform::setCommandLine(row.arguments);
        const QString text = platform::Command();
        ParameterZerlegen(text);
        EXPECT_EQ(ParameterWert(row.option), row.value) << text.toStdString();
    }
    // The data-folder option is looked for in the lower-cased text before the split.
    platform::setCommandLine({QStringLiteral("/OrdnerDat=/tmp/Tage buch")});
    EXPECT_TRUE(rt::LCase(platform::Command()).contains(QStringLiteral("/ordnerdat=")));
}

TEST_F(CommandLine, doubleQuotesInAnyArgumentLeaveEveryValueAndSwitchExact)
{
    const QString ordnerDat = QStringLiteral("OrdnerDat=");
    const QString korvanel = QStringLiteral("Korvanel=");
    const QString datum = QStringLiteral("Datum=");
    const QString appendFile = QStringLiteral("AppendFile=");
    struct Row {
        const char* name;
        QStringList arguments;
        QString ordnerDat, korvanel, datum, appendFile;
        QStringList switches; // of readonly, #debug, nur1xtäglich: the ones given
    };
    const Row rows[] = {
        {"a note with one quote before the folder",
         {"Notiz=er sagte \"hallo", "/OrdnerDat=/home/anna/Tage buch", "Datum=01.02.2024"},
         "/home/anna/Tage buch", "", "01.02.2024", "", {}},
        {"a file name with an inch sign",
         {"/home/anna/12\" Platte.txt", "/OrdnerDat=/home/anna/daten", "readonly",
          "AppendFile=/tmp/Zd2Kv.$$$"},
         "/home/anna/daten", "", "", "/tmp/Zd2Kv.$$$", {"readonly"}},
        {"a quote inside the folder", {"/OrdnerDat=/home/anna/Zoll\" Buch", "Korvanel=TXT"},
         "/home/anna/Zoll\" Buch", "TXT", "", "", {}},
        {"a quote in the password, switches behind it",
         {"/Korvanel=TXT:ge\"heim wort", "#debug", "/OrdnerDat=/srv/d", "nur1xtäglich"}, "/srv/d",
         "TXT:ge\"heim wort", "", "", {"#debug", "nur1xtäglich"}},
        {"a lone quote as an argument", {"\"", "/OrdnerDat=/a", "Datum=+3d", "READONLY"}, "/a",
         "", "+3d", "", {"readonly"}},
        {"a value that opens a quote and never closes it",
         {"AppendFile=\"/tmp/a b", "/OrdnerDat=/x/y", "Datum=1,5m"}, "/x/y", "", "1,5m",
         "\"/tmp/a b", {}},
        {"three quotes and separators in one value",
         {"/Datum=\"5.3.\" \"2024", "/OrdnerDat=/mnt/a;b|c,d"}, "/mnt/a;b|c,d", "", "\"5.3.\" \"2024",
         "", {}},
        {"a value enclosed in quotes loses them, as typed on other systems",
         {"x\"", "/OrdnerDat=\"/srv/Tage buch\""}, "/srv/Tage buch", "", "", "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        platform::setCommandLine(row.arguments);
        ParameterZerlegen(platform::Command());
        EXPECT_EQ(parameterAnzahl, row.arguments.size());
        EXPECT_EQ(ParameterWert(ordnerDat), row.ordnerDat);
        EXPECT_EQ(ParameterWert(korvanel), row.korvanel);
        EXPECT_EQ(ParameterWert(datum), row.datum);
        EXPECT_EQ(ParameterWert(appendFile), row.appendFile);
        for (const char* word : {"readonly", "#debug", "nur1xtäglich"}) {
            const QString wort = QString::fromUtf8(word);
            EXPECT_EQ(platform::commandLineHolds(wort), row.switches.contains(wort)) << word;
        }
    }
    // Any other text, and the command line split at other separators, is cut as written.
    platform::setCommandLine({QStringLiteral("a\"b c"), QStringLiteral("Datum=1")});
    EXPECT_EQ(ParameterZerlegen(QStringLiteral("a\"b c\" Datum=1")), 2);
    QString separators = QStringLiteral(" ");
    EXPECT_EQ(ParameterZerlegen(platform::Command(), separators), 1);
    EXPECT_EQ(parameterListe[1], QStringLiteral("\"a\"b"));
}

} // namespace
