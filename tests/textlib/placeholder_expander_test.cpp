#include "textlib/placeholder_expander.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/name_format.h"
#include "runtime/strings.h"
#include "support/fake_clock.h"
#include "support/fake_random.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <gtest/gtest.h>

using textlib::UmgebungErsetzen;
using textlib::VariablenErsetzen;
using textlib::varioDatum;

namespace {

// Tuesday 08.12.2026 14:05:09, in ISO week 50.
const rt::VbDate referenz = rt::dateTimeOf(2026, 12, 8, 14, 5, 9);

bool varioDatumLeer()
{
    const QString* text = std::get_if<QString>(&varioDatum);
    return text && text->isEmpty();
}

class Expander : public ::testing::Test {
protected:
    Expander()
    {
        foundation::OrdnerFestlegen();
        textlib::resetVario();
    }
    ~Expander() override { textlib::resetVario(); }

    // The text expanded for the date (the reference date unless given).
    QString expand(const QString& text, const textlib::VarioDatum& datum = referenz)
    {
        varioDatum = datum;
        return VariablenErsetzen(text);
    }

    QString variable(const QString& key)
    {
        return foundation::IniLesen(QString(), u"Variablen"_qs, key, u"fehlt"_qs);
    }

    TempSettingsFolders folders;
    // The clock shows another day than the reference date: only "{versionakt0}" and an
    // expansion without reference date may follow it.
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeRandom random{{0.123456789}};
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
};

TEST_F(Expander, everyFixedTokenInItsOrderGivesItsValueForTheReferenceDate)
{
    const QStorageInfo laufwerk(QDir::currentPath());
    const QString programm = folders.programFolder();
    foundation::IniSchreiben(QString(), u"Allgemein"_qs, u"User"_qs, u"Anna Beispiel"_qs);
    const QString guid = u"\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}"_qs;
    struct Row {
        int order;
        QString token, expected;
        bool pattern = false; // expected is a regular expression
    } rows[] = {
        {1, u"{Tab}"_qs, u"\t"_qs},
        {2, u"{CR}"_qs, u"\r"_qs},
        {3, u"{LF}"_qs, u"\n"_qs},
        {4, u"{CRLF}"_qs, u"\r\n"_qs},
        {5, u"{Back}"_qs, QString(QChar(8))},
        {6, u"{None}"_qs, u""_qs},
        {7, u"{Nichts}"_qs, u""_qs},
        {8, u"{K07}"_qs, u"49"_qs},
        {9, u"{K10}"_qs, u"34"_qs},
        {10, u"{datum}"_qs, u"8.12.2026"_qs},
        {11, u"{datum0}"_qs, u"08.12.2026"_qs},
        {12, u"{kw}"_qs, u"50"_qs},
        {13, u"{versionakt0}"_qs, u"2024.03"_qs},
        {14, u"{kwj}"_qs, u"50"_qs},
        {15, u"{kwj2}"_qs, u"50"_qs},
        {16, u"{kwj3}"_qs, u"51"_qs},
        {17, u"{kwj4}"_qs, u"52"_qs},
        {18, u"{kwj5}"_qs, u"50"_qs},
        {19, u"{kw2}"_qs, u"25"_qs},
        {20, u"{kw3}"_qs, u"17"_qs},
        {21, u"{kw4}"_qs, u"13"_qs},
        {22, u"{kw5}"_qs, u"10"_qs},
        {23, u"{q}"_qs, u"4"_qs},
        {24, u"{qr}"_qs, u"IV"_qs},
        {25, u"{jjjjq-1m}"_qs, u"2026-4"_qs},
        {26, u"{jjqr}"_qs, u"26-IV"_qs},
        {27, u"{jjjjqr}"_qs, u"2026-IV"_qs},
        {28, u"{hh}"_qs, u"14"_qs},
        {29, u"{hh-mm}"_qs, u"14-05"_qs},
        {30, u"{hh-mm-ss}"_qs, u"14-05-09"_qs},
        {31, u"{hh:mm}"_qs, u"14:05"_qs},
        {32, u"{hh:mm:ss}"_qs, u"14:05:09"_qs},
        {33, u"{SysTime}"_qs, u"12345678"_qs},
        {34, u"{jahr1}"_qs, u"6"_qs},
        {35, u"{jahr2}"_qs, u"26"_qs},
        {36, u"{jahr4}"_qs, u"2026"_qs},
        {37, u"{jahrzent}"_qs, u"2"_qs},
        {38, u"{jahrzent0}"_qs, u"20"_qs},
        {39, u"{jahrhundert}"_qs, u"20"_qs},
        {40, u"{jahrhundert+1}"_qs, u"21"_qs},
        {41, u"{jahrtausend}"_qs, u"2"_qs},
        {42, u"{jahrtausend+1}"_qs, u"3"_qs},
        {43, u"{j}"_qs, u"6"_qs},
        {44, u"{jj}"_qs, u"26"_qs},
        {45, u"{yy}"_qs, u"26"_qs},
        {46, u"{jj-1}"_qs, u"25"_qs},
        {47, u"{jj-2}"_qs, u"24"_qs},
        {48, u"{jj+1}"_qs, u"27"_qs},
        {49, u"{jjjj}"_qs, u"2026"_qs},
        {50, u"{yyyy}"_qs, u"2026"_qs},
        {51, u"{jjjj-1}"_qs, u"2025"_qs},
        {52, u"{jjjj-2}"_qs, u"2024"_qs},
        {53, u"{jjjj+1}"_qs, u"2027"_qs},
        {54, u"{jj-mm-tt}"_qs, u"26-12-08"_qs},
        {56, u"{jjjj-mm-tt}"_qs, u"2026-12-08"_qs},
        {57, u"{jjjj-mm}"_qs, u"2026-12"_qs},
        {58, u"{jjjj-mm-1}"_qs, u"2026-11"_qs},
        {59, u"{jjjj-mm-2}"_qs, u"2026-10"_qs},
        {60, u"{jjmmtt}"_qs, u"261208"_qs},
        {61, u"{jjjjmmtt}"_qs, u"20261208"_qs},
        {62, u"{jetzt}"_qs, u"Dienstag, 8. Dezember 2026 um 14:05 Uhr"_qs},
        {63, u"{laufwerk}"_qs, laufwerk.rootPath()},
        {64, u"{mm}"_qs, u"12"_qs},
        {65, u"{mm-1}"_qs, u"11"_qs},
        {66, u"{mm-2}"_qs, u"10"_qs},
        {67, u"{monat}"_qs, u"Dezember"_qs},
        {68, u"{m}"_qs, u"12"_qs},
        {69, u"{monat0}"_qs, u"12"_qs},
        {70, u"{monatsname}"_qs, u"Dezember"_qs},
        {71, u"{monatsname3}"_qs, u"Dez"_qs},
        {72, u"{mmmm}"_qs, u"Dezember"_qs},
        {73, u"{mmm}"_qs, u"Dez"_qs},
        {74, u"{label}"_qs, foundation::WorteGrossSchreiben(rt::RTrim(laufwerk.name()))},
        {75, u"{pfad}"_qs, QDir::currentPath()},
        {76, u"{ordner_app}"_qs, programm},
        {77, u"{ordner_prg}"_qs, programm},
        {78, u"{ordner_dat}"_qs, programm},
        {79, u"{ordner_win}"_qs, folders.defaultsFolder() + u'/'},
        {80, u"{ordner_sys}"_qs, QLibraryInfo::path(QLibraryInfo::LibrariesPath) + u'/'},
        {81, u"{ordner_cur}"_qs, QDir::currentPath()},
        {82, u"{PrgTitel}"_qs, u"Brisols-Korvanel"_qs},
        {83, u"{PrgName}"_qs, u"Korvanel"_qs},
        {84, u"{s}"_qs, u"9"_qs},
        {85, u"{ss}"_qs, u"09"_qs},
        {86, u"{sekunde}"_qs, u"9"_qs},
        {87, u"{sekunde0}"_qs, u"09"_qs},
        {88, u"{n}"_qs, u"5"_qs},
        {89, u"{nn}"_qs, u"05"_qs},
        {90, u"{minute}"_qs, u"5"_qs},
        {91, u"{minute0}"_qs, u"05"_qs},
        {92, u"{stunde}"_qs, u"14"_qs},
        {93, u"{stunde0}"_qs, u"14"_qs},
        {94, u"{h}"_qs, u"14"_qs},
        {96, u"{tag}"_qs, u"8"_qs},
        {97, u"{tag0}"_qs, u"08"_qs},
        {98, u"{t}"_qs, u"8"_qs},
        {99, u"{tt}"_qs, u"08"_qs},
        {100, u"{dd}"_qs, u"08"_qs},
        {101, u"{tt-mm-jj}"_qs, u"08-12-26"_qs},
        {102, u"{tt-mm-jjjj}"_qs, u"08-12-2026"_qs},
        {103, u"{tt.mm.jj}"_qs, u"08.12.26"_qs},
        {104, u"{tt.mm.jjjj}"_qs, u"08.12.2026"_qs},
        {105, u"{uhrzeit}"_qs, u"14:5"_qs},
        {106, u"{uhrzeit0}"_qs, u"14:05"_qs},
        {107, u"{wochentag}"_qs, u"Dienstag"_qs},
        {108, u"{wochentag2}"_qs, u"Di"_qs},
        {109, u"{wwww}"_qs, u"Dienstag"_qs},
        {110, u"{ww}"_qs, u"Di"_qs},
        // r = 0.123456789 times 10 to the digit count, rounded
        {111, u"{zufall1}"_qs, u"1"_qs},
        {112, u"{zufall2}"_qs, u"12"_qs},
        {113, u"{zufall3}"_qs, u"123"_qs},
        {114, u"{zufall4}"_qs, u"1235"_qs},
        {115, u"{zufall5}"_qs, u"12346"_qs},
        {116, u"{zufall6}"_qs, u"123457"_qs},
        {117, u"{zufall7}"_qs, u"1234568"_qs},
        {118, u"{zufall8}"_qs, u"12345679"_qs},
        {119, u"{username}"_qs, u"Anna Beispiel"_qs},
        {120, u"{guid}"_qs, guid, true},
        // seconds since 01.01.1901 (3974191509) + tick (12345678) + r * 99 (12.2)
        {121, u"{id}"_qs, u"3986537199"_qs},
        {122, u"{brisol.ini}"_qs, folders.settingsFolder() + u"/Brisol.ini"_qs},
    };

    QString alle;
    QString alleMuster;
    int vorige = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.token.toStdString());
        EXPECT_GT(row.order, vorige) << "rows in the order of replacement";
        vorige = row.order;
        const QString muster = row.pattern ? row.expected
                                           : QRegularExpression::escape(row.expected);
        const QRegularExpression ganz(QRegularExpression::anchoredPattern(muster));
        EXPECT_TRUE(ganz.match(expand(row.token)).hasMatch()) << expand(row.token).toStdString();
        EXPECT_TRUE(ganz.match(expand(rt::UCase(row.token))).hasMatch())
            << "matched without regard to case";
        alle += row.token + u'|';
        alleMuster += muster + QStringLiteral("\\|");
    }
    // All of them in one text, each replaced where it stands.
    const QString ergebnis = expand(alle);
    EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(alleMuster))
                    .match(ergebnis)
                    .hasMatch())
        << ergebnis.toStdString();
}

TEST_F(Expander, guidIsNewOnEveryExpansionAndTheSameForCopies)
{
    const QString erste = expand(u"{guid} {GUID}"_qs);
    EXPECT_EQ(erste.size(), 38 * 2 + 1);
    EXPECT_EQ(erste.left(38), erste.right(38));
    EXPECT_NE(expand(u"{guid}"_qs), erste.left(38));
}

TEST_F(Expander, weeksQuartersAndMonthsBeforeFollowTheCalendarAtTheTurnOfTheYear)
{
    const QString muster = u"{kw} {kwj} {kw2} {kw3} {kwj2} {kwj3} {mm-1} {mm-2} {jjjjq-1m} "
                           "{jjjj-mm-1} {K07} {K10} {jj-1}"_qs;
    struct Row {
        const char* name;
        rt::VbDate datum;
        QString expected;
    } rows[] = {
        {"Monday in week 1 of the next year", rt::dateTimeOf(2025, 12, 29),
         u"01 52 01 00 52 51 11 10 2025-4 2025-11 52 36 24"_qs},
        {"Friday in week 53 of the year before", rt::dateTimeOf(2027, 1, 1),
         u"53 53 27 18 54 54 12 11 2026-4 2026-12 00 00 26"_qs},
        {"week 5: halves go up", rt::dateTimeOf(2026, 1, 28),
         u"05 05 03 02 06 06 12 11 2025-4 2025-12 04 03 25"_qs},
        {"February", rt::dateTimeOf(2026, 2, 10),
         u"07 07 04 02 08 06 01 12 2026-1 2026-01 06 04 25"_qs},
        {"Sunday evening keeps the week of the Monday before",
         rt::dateTimeOf(2026, 12, 13, 23, 59, 0),
         u"50 50 25 17 50 51 11 10 2026-4 2026-11 49 35 25"_qs},
        {"last day of a leap year", rt::dateTimeOf(2024, 12, 31),
         u"01 52 01 00 52 51 11 10 2024-4 2024-11 52 37 23"_qs},
        {"year ending in 00", rt::dateTimeOf(2000, 3, 31),
         u"13 13 07 04 14 12 02 01 2000-1 2000-02 13 09 -01"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(muster, row.datum), row.expected);
    }
}

TEST_F(Expander, randomTokensDrawOnEveryExpansionAndOnDemandTokensOnlyWhenPresent)
{
    expand(u"{datum}"_qs);
    EXPECT_EQ(random.rndCalls(), 8) << "the eight random tokens draw whether or not they occur";
    expand(u"{ID}"_qs);
    EXPECT_EQ(random.rndCalls(), 17) << "{id} draws its own number";
    expand(u"kein Platzhalter"_qs);
    EXPECT_EQ(random.rndCalls(), 17) << "a text without braces draws nothing";
    EXPECT_EQ(random.randomizeCalls(), 0);
}

TEST_F(Expander, tickCountIsTheWrappingSigned32BitCounter)
{
    clock.setTick((qint64(1) << 32) + 5);
    EXPECT_EQ(expand(u"{SysTime}"_qs), u"5"_qs);
    clock.setTick(3000000000);
    EXPECT_EQ(expand(u"{SysTime}"_qs), u"-1294967296"_qs);
}

TEST_F(Expander, referenceDateIsClearedAfterEveryCall)
{
    struct Row {
        const char* name;
        textlib::VarioDatum datum;
        QString text, expected;
    } rows[] = {
        {"date value", referenz, u"{datum0} {hh:mm}"_qs, u"08.12.2026 14:05"_qs},
        {"date text", u"24.12.2026"_qs, u"{datum0} {hh:mm}"_qs, u"24.12.2026 00:00"_qs},
        {"text that is no date means now", u"morgen"_qs, u"{datum0} {hh:mm}"_qs,
         u"05.03.2024 12:00"_qs},
        {"empty text means now", QString(), u"{datum0}"_qs, u"05.03.2024"_qs},
        {"text without braces", referenz, u"nichts"_qs, u"nichts"_qs},
        {"empty text", referenz, QString(), QString()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text, row.datum), row.expected);
        EXPECT_TRUE(varioDatumLeer());
        EXPECT_EQ(textlib::varioText, row.expected);
        // The next call without an assignment describes now.
        EXPECT_EQ(VariablenErsetzen(u"{datum0}"_qs), u"05.03.2024"_qs);
    }
}

TEST_F(Expander, fixedTokensRunInTheirOrderBeforeTheArgumentForms)
{
    // A removed "{Nichts}" completes a later token; "{wochentag}" is a fixed token before the
    // form "{wochentag" looks for a date.
    EXPECT_EQ(expand(u"{{Nichts}datum}"_qs), u"8.12.2026"_qs);
    EXPECT_EQ(expand(u"{wochentag} {wochentag2} {wochentag10.12.2026}"_qs),
              u"Dienstag Di Donnerstag"_qs);
    // A value of a fixed token is not looked at by an earlier token again.
    EXPECT_EQ(expand(u"{{tt}}"_qs), u"{08}"_qs);
}

TEST_F(Expander, workingDayForm)
{
    struct Row {
        const char* name;
        rt::VbDate datum;
        QString text, expected;
    } rows[] = {
        {"Saturday plus one is Monday", rt::dateTimeOf(2026, 12, 12), u"{wt+1}"_qs,
         u"14.12.2026"_qs},
        {"Friday plus one is Saturday", rt::dateTimeOf(2026, 12, 11), u"{wt+1}"_qs,
         u"12.12.2026"_qs},
        {"zero is the reference date", referenz, u"{WT+0}"_qs, u"08.12.2026"_qs},
        {"a week of six working days", referenz, u"{wt+6}"_qs, u"15.12.2026"_qs},
        {"only the first digit counts", referenz, u"{wt+12}"_qs, u"09.12.2026}"_qs},
        {"no digit counts 0", referenz, u"am {wt+x} und"_qs, u"am 08.12.2026 und"_qs},
        {"copies replaced, another token stays", referenz, u"{wt+1} {wt+1} {wt+2}"_qs,
         u"09.12.2026 09.12.2026 {wt+2}"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text, row.datum), row.expected);
    }
}

TEST_F(Expander, weekdayForm)
{
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"date", u"{wochentag01.01.2027}"_qs, u"Freitag"_qs},
        {"short date", u"{Wochentag1.1.27}"_qs, u"Freitag"_qs},
        {"no date stays", u"{wochentag3}"_qs, u"{wochentag3}"_qs},
        {"more than 10 characters stay", u"{wochentag 01.01.2027}"_qs,
         u"{wochentag 01.01.2027}"_qs},
        {"no closing brace", u"{wochentag01.01.2027"_qs, u"{wochentag01.01.2027"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, randomChoiceFromAListIsUniformAndInLowerCase)
{
    struct Row {
        const char* name;
        double r;
        QString text, expected;
    } rows[] = {
        {"first of two", 0.0, u"{zufall$Apfel,Birne}"_qs, u"apfel"_qs},
        {"second of two", 0.5, u"{zufall$Apfel,Birne}"_qs, u"birne"_qs},
        // Every entry has a third of the range; the last one is not starved.
        {"second of three", 0.6, u"{ZUFALL$a,b,c}"_qs, u"b"_qs},
        {"third of three", 0.7, u"{zufall$a,b,c}"_qs, u"c"_qs},
        {"top of the range", 0.999999, u"{zufall$a,b,c}"_qs, u"c"_qs},
        {"empty entries are skipped", 0.6, u"{zufall$,a,,b,}"_qs, u"b"_qs},
        {"empty list removes the token", 0.5, u"x{zufall$}y"_qs, u"xy"_qs},
        {"entries after the tenth are ignored", 0.999999,
         u"{zufall$1,2,3,4,5,6,7,8,9,10,11,12}"_qs, u"10"_qs},
        {"no closing brace", 0.5, u"{zufall$a,b"_qs, u"{zufall$a,b"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRandom zufall({row.r});
        ScopedService guard(platform::setRandom, &zufall);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, countersAreKeptInBrisolIni)
{
    EXPECT_EQ(expand(u"Nr. {counter1}"_qs), u"Nr. 1"_qs);
    EXPECT_EQ(expand(u"Nr. {Counter1}, noch einmal {COUNTER1}"_qs), u"Nr. 2, noch einmal 2"_qs);
    EXPECT_EQ(expand(u"{counter7} {counter1}"_qs), u"1 {counter1}"_qs)
        << "only the first counter token of a text";
    EXPECT_EQ(variable(u"VarioCount1"_qs), u"2"_qs);
    const QByteArray ini = folders.settingsFile(u"Brisol.ini"_qs);
    EXPECT_TRUE(ini.contains("[Variablen]\r\n"));
    EXPECT_TRUE(ini.contains("\r\nVarioCount1=2\r\n"));
    EXPECT_TRUE(ini.contains("\r\nVarioCount7=1\r\n"));

    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"VarioCount3"_qs, u"41"_qs);
    EXPECT_EQ(expand(u"{counter3}"_qs), u"42"_qs);

    // No number, or a number that is no whole number, leaves the token and the file alone.
    for (const QString& text : {u"{counter}"_qs, u"{counterx}"_qs, u"{counter1,5}"_qs,
                                u"{counter1"_qs}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(expand(text), text);
    }
    EXPECT_EQ(variable(u"VarioCount1"_qs), u"2"_qs);
}

TEST_F(Expander, cyclingIndexesAreKeptInBrisolIni)
{
    QStringList folge;
    for (int i = 0; i < 5; ++i)
        folge << expand(u"Bild{index:Bild,1,3}.jpg"_qs);
    EXPECT_EQ(folge, QStringList({u"Bild1.jpg"_qs, u"Bild2.jpg"_qs, u"Bild3.jpg"_qs,
                                  u"Bild1.jpg"_qs, u"Bild2.jpg"_qs}));
    EXPECT_TRUE(folders.settingsFile(u"Brisol.ini"_qs).contains("\r\nVarioIndex_Bild=2\r\n"));

    // Below FROM it starts at FROM; without FROM and TO it stays 0.
    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"VarioIndex_x"_qs, u"2"_qs);
    EXPECT_EQ(expand(u"{INDEX:x,10,12}"_qs), u"10"_qs);
    EXPECT_EQ(expand(u"{index:leer}"_qs), u"0"_qs);
    EXPECT_EQ(variable(u"VarioIndex_leer"_qs), u"0"_qs);
    EXPECT_EQ(expand(u"{index:Bild,1,3"_qs), u"{index:Bild,1,3"_qs) << "no closing brace";
    EXPECT_EQ(variable(u"VarioIndex_Bild"_qs), u"2"_qs);
}

TEST_F(Expander, iniReadAndUserVariables)
{
    folders.writeSettingsFile(u"Orte.ini"_qs,
                              "[Orte]\r\nHeimat=Bremen\r\n");
    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"Ort"_qs, u"Kiel ; am Meer"_qs);
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"value of another file", u"{iniread,Orte.ini,Orte,Heimat,?}"_qs, u"Bremen"_qs},
        {"default", u"{iniread,Orte.ini,Orte,Urlaub,Sylt}"_qs, u"Sylt"_qs},
        {"missing fields are empty", u"[{iniread,Orte.ini,Orte}]"_qs, u"[]"_qs},
        {"empty file is Brisol.ini", u"{iniread,,Variablen,Ort}"_qs, u"Kiel ; am Meer"_qs},
        {"no closing brace", u"{iniread,Orte.ini,Orte,Heimat"_qs,
         u"{iniread,Orte.ini,Orte,Heimat"_qs},
        {"variable without its comment", u"in {variable:Ort}!"_qs, u"in Kiel!"_qs},
        {"undefined variable gives its name", u"{Variable:Niemand}"_qs, u"Niemand"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, reductionAndUpperCaseForms)
{
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"reduced to ASCII words", u"{a7b:Größe & ÜBERMAß:  Äpfel, Öl!}"_qs,
         u"groesse uebermass aepfel oel"_qs},
        {"digits stay", u"<{A7B: Haus-Nr. 12b }>"_qs, u"<haus nr 12b>"_qs},
        {"upper case, trimmed", u"<{aig:  straße am see }>"_qs, u"<STRAßE AM SEE>"_qs},
        {"copies of the first token too", u"{aig:a}{AIG:a}"_qs, u"AA"_qs},
        {"only the first token of a form", u"{aig:a} {aig:b}"_qs, u"A {aig:b}"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, fileForms)
{
    const QString ordner = folders.temp().file(u"bilder"_qs);
    for (const char* name : {"a.jpg", "B.JPG", "c.jpg", ".versteckt.jpg", "d.txt"})
        folders.temp().write(u"bilder/"_qs + QString::fromUtf8(name), "x");
    folders.temp().makeFolder(u"bilder/ordner.jpg"_qs);

    struct Row {
        const char* name;
        double r;
        QString text, expected;
    } rows[] = {
        {"first of three", 0.0, u"{$"_qs + ordner + u"/*.jpg}"_qs, u"a.jpg"_qs},
        {"second of three", 0.5, u"{$"_qs + ordner + u"/*.jpg}"_qs, u"B.JPG"_qs},
        {"last of three", 0.9, u"{$"_qs + ordner + u"/*.jpg}"_qs, u"c.jpg"_qs},
        {"backslashes", 0.0, u"{$"_qs + QString(ordner).replace(u'/', u'\\') + u"\\*.txt}"_qs,
         u"d.txt"_qs},
        {"no match", 0.5, u"{$"_qs + ordner + u"/*.png}"_qs, u"KeinName.Txt"_qs},
        {"all files", 0.0, u"[{&"_qs + ordner + u"/*.jpg}]"_qs, u"[a.jpg B.JPG c.jpg]"_qs},
        {"all files, no match", 0.0, u"{&"_qs + ordner + u"/*.png}"_qs, u"KeinName.Txt"_qs},
        {"a brace before the form", 0.0, u"{x} {$"_qs + ordner + u"/*.jpg}"_qs,
         u"{x} {$"_qs + ordner + u"/*.jpg}"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRandom zufall({row.r});
        ScopedService guard(platform::setRandom, &zufall);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, randomFileReseedsTheGenerator)
{
    expand(u"{$/gibt/es/nicht/*.jpg}"_qs);
    EXPECT_EQ(random.randomizeCalls(), 1);
}

TEST_F(Expander, ageForms)
{
    const rt::VbDate mitternacht = rt::dateTimeOf(2026, 12, 8);
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"age in years", u"{alter:08.12.2016}"_qs, u"10,0 J"_qs},
        {"sign does not matter", u"{alter:18.12.2026}"_qs, u"10 Tg"_qs},
        {"no date", u"{alter:gestern}"_qs, u"gestern???"_qs},
        {"day before", u"{alterd:07.12.2026}"_qs, u"1,0"_qs},
        {"day after", u"{ALTERD:09.12.2026}"_qs, u"-1,0"_qs},
        {"half a day", u"{alterd:07.12.2026 12:00}"_qs, u"0,5"_qs},
        {"without brace the rest is the date", u"seit {alterd:01.12.2026"_qs, u"seit 7,0"_qs},
        {"without brace and no date", u"{alter:bald und so"_qs, u"bald und so???"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text, mitternacht), row.expected);
    }
}

TEST_F(Expander, valueThatFormsItsOwnTokenEndsTheReplacement)
{
    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"selbst"_qs, u"<{variable:selbst}>"_qs);
    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"halb"_qs, u"{variable:halb"_qs);
    // The value holds the token: inserted once per occurrence, never expanded again.
    EXPECT_EQ(expand(u"{variable:selbst} {variable:selbst}"_qs),
              u"<{variable:selbst}> <{variable:selbst}>"_qs);
    // The value completes the token with the brace behind it, until no brace is left.
    EXPECT_EQ(expand(u"{variable:halb}}}"_qs), u"{variable:halb"_qs);
    // An environment value that names itself.
    folders.env().set("KORVANEL_SELBST", u"%KORVANEL_SELBST%"_qs);
    EXPECT_EQ(UmgebungErsetzen(u"a %KORVANEL_SELBST% b"_qs), u"a %KORVANEL_SELBST% b"_qs);
}

TEST_F(Expander, tokensBeyondCharacter32767StayAsWritten)
{
    // Compares without printing 32,000 characters on a failure.
    const auto gleich = [](const QString& ist, const QString& soll) {
        EXPECT_EQ(ist.size(), soll.size());
        EXPECT_EQ(ist.right(60), soll.right(60));
        return ist == soll;
    };
    const QString vor = QString(32766, u'x');
    EXPECT_TRUE(gleich(expand(vor + u"{jjjj}"_qs), vor + u"2026"_qs)) << "begins at 32767";
    EXPECT_TRUE(gleich(expand(vor + u"x{jjjj}"_qs), vor + u"x{jjjj}"_qs)) << "begins at 32768";
    // Earlier occurrences are replaced, later ones stay, and so do the forms out of reach.
    EXPECT_TRUE(gleich(expand(u"{jjjj}"_qs + vor + u"{jjjj}{aig:a}"_qs),
                       u"2026"_qs + vor + u"{jjjj}{aig:a}"_qs));
    // A token that an earlier replacement moved into reach is replaced.
    EXPECT_TRUE(gleich(expand(u"{None}"_qs + vor + u"{mm}"_qs), vor + u"12"_qs));
    // An environment reference whose second percent sign lies out of reach stays.
    const QString home = qEnvironmentVariable("HOME");
    EXPECT_TRUE(gleich(expand(vor.left(32761) + u"%HOME%"_qs), vor.left(32761) + home));
    EXPECT_TRUE(gleich(expand(vor.left(32762) + u"%HOME%"_qs), vor.left(32762) + u"%HOME%"_qs));
    EXPECT_TRUE(varioDatumLeer());
}

TEST_F(Expander, environmentReferences)
{
    folders.env().set("KORVANEL_ORT", u"Kiel"_qs);
    folders.env().set("Korvanel_Klein", u"gemischt"_qs);
    folders.env().unset("KORVANEL_NICHT");
    const QString home = qEnvironmentVariable("HOME");
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"folder and more text", u"%HOME%/Tagebuch"_qs, home + u"/Tagebuch"_qs},
        {"name in any case", u"%korvanel_ort%"_qs, u"Kiel"_qs},
        {"variable of mixed case", u"%KORVANEL_KLEIN%"_qs, u"gemischt"_qs},
        {"every copy", u"{kw} %KORVANEL_ORT% %Korvanel_Ort%"_qs, u"50 Kiel Kiel"_qs},
        {"unset gives nothing", u"[%KORVANEL_NICHT%]"_qs, u"[]"_qs},
        {"ERRORLEVEL stays", u"if %errorlevel% == 0 %KORVANEL_ORT%"_qs,
         u"if %ERRORLEVEL% == 0 %KORVANEL_ORT%"_qs},
        {"two percent signs", u"100%% %KORVANEL_ORT%"_qs, u"100 Kiel"_qs},
        {"blanks keep the pair first", u"% KORVANEL_ORT % %KORVANEL_ORT% %HOME%"_qs,
         u"% KORVANEL_ORT % Kiel %HOME%"_qs},
        {"a lone percent sign", u"50% %KORVANEL_ORT%"_qs, u"50% %KORVANEL_ORT%"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(expand(row.text), row.expected);
        EXPECT_TRUE(varioDatumLeer());
    }
}

TEST_F(Expander, environmentStageStopsAfterEightPasses)
{
    QString text;
    QString erwartet;
    for (int i = 1; i <= 10; ++i) {
        const QByteArray name = "KORVANEL_V" + QByteArray::number(i);
        folders.env().set(name.constData(), QString::number(i));
        text += u'%' + QString::fromLatin1(name) + u'%';
        erwartet += i <= 8 ? QString::number(i) : u'%' + QString::fromLatin1(name) + u'%';
    }
    EXPECT_EQ(UmgebungErsetzen(text), erwartet);
    EXPECT_EQ(expand(text), erwartet);
}

// Hostile texts: a pasted page of code, runs of braces, a variable that names itself. Each must
// come back complete and correct; the expansion stays linear (see bench/ for the times).
TEST_F(Expander, hostileTextsGiveTheirResultInBoundedSize)
{
    // Compares without printing a megabyte on a failure.
    const auto gleich = [](const QString& ist, const QString& soll) {
        EXPECT_EQ(ist.size(), soll.size());
        EXPECT_EQ(ist.left(80), soll.left(80));
        EXPECT_EQ(ist.right(80), soll.right(80));
        return ist == soll;
    };
    const QString klammern(16000, u'{');
    EXPECT_TRUE(gleich(expand(klammern + u'}'), klammern + u'}')) << "16,000 braces, one closing";
    EXPECT_TRUE(gleich(expand(klammern + u"{datum}}"_qs), klammern + u"8.12.2026}"_qs))
        << "a token behind 16,000 open braces";
    EXPECT_TRUE(gleich(expand(u"{a{jjjj}b}{{mm}}"_qs), u"{a2026b}{12}"_qs))
        << "a word in braces ends at the next open brace";

    QString seite;
    QString erwartet;
    // Tokens are replaced within the first 32767 characters: the page fills them.
    for (int i = 0; i < 400; ++i) {
        seite += u"for (int i = 0; i < n; ++i) { summe += wert[i]; } // {datum} 50% {x}\r\n"_qs;
        erwartet += u"for (int i = 0; i < n; ++i) { summe += wert[i]; } // 8.12.2026 50% {x}\r\n"_qs;
    }
    EXPECT_TRUE(gleich(expand(seite), erwartet)) << "a pasted page of code";
}

TEST_F(Expander, anEnvironmentVariableNamingItselfIsPutInOnce)
{
    const QString selbst = u"<%KORVANEL_SELBST7%>"_qs.repeated(7);
    folders.env().set("KORVANEL_SELBST7", selbst);
    folders.env().set("KORVANEL_ANDERE", u"%KORVANEL_SELBST7%"_qs);
    folders.env().set("KORVANEL_ORT", u"Kiel"_qs);
    struct Row {
        const char* name;
        QString text, expected;
    } rows[] = {
        {"seven references to itself", u"[%KORVANEL_SELBST7%]"_qs, u"["_qs + selbst + u"]"_qs},
        {"every copy, then the next reference", u"%KORVANEL_SELBST7% %korvanel_selbst7% %KORVANEL_ORT%"_qs,
         selbst + u' ' + selbst + u" Kiel"_qs},
        {"a value naming another variable is not looked into",
         u"%KORVANEL_ANDERE%/%KORVANEL_ORT%"_qs, u"%KORVANEL_SELBST7%/Kiel"_qs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(UmgebungErsetzen(row.text), row.expected);
        EXPECT_EQ(expand(row.text), row.expected);
    }
}

TEST_F(Expander, expandedTextStopsGrowingAtItsLimitAndKeepsTheRestAsWritten)
{
    // Each replacement adds 975 characters: five more fit, the sixth would go beyond.
    const QString lang(990, u'x');
    foundation::IniSchreiben(QString(), u"Variablen"_qs, u"lang"_qs, lang);
    const QString token = u"{variable:lang}"_qs;
    const QString rest(textlib::maximaleErgebnislaenge - 20 * token.size() - 5 * 975, u'-');
    const QString ergebnis = expand(token.repeated(20) + rest);
    EXPECT_EQ(ergebnis.size(), textlib::maximaleErgebnislaenge);
    EXPECT_TRUE(ergebnis == lang.repeated(5) + token.repeated(15) + rest);

    // The environment stage keeps the same limit.
    folders.env().set("KORVANEL_LANG", QString(100000, u'y'));
    const QString umgebung = UmgebungErsetzen(u"%KORVANEL_LANG%"_qs.repeated(12));
    EXPECT_EQ(umgebung.size(), 1000030);
    EXPECT_TRUE(umgebung == QString(1000000, u'y') + u"%KORVANEL_LANG%%KORVANEL_LANG%"_qs);
    // A text longer than the limit is still expanded where it does not grow.
    const QString striche(textlib::maximaleErgebnislaenge, u'-');
    EXPECT_TRUE(expand(u"{jjjj}{jetzt}"_qs + striche) == u"2026{jetzt}"_qs + striche);
}

} // namespace
