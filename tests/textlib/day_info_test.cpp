#include "textlib/day_info.h"
#include "foundation/read_only.h"

#include "foundation/folders.h"
#include "runtime/codec.h"
#include "runtime/dates.h"
#include "runtime/error.h"

#include "support/qt_print.h"
#include "support/temp_settings.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

using textlib::DciTagesText;
using textlib::FeiertagText;

namespace {

// Easter Sunday of the Gregorian calendar by the anonymous algorithm of Meeus, Jones and
// Butcher, kept apart from the program and from the generator of the holiday table.
QDate easterSunday(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

rt::VbDate vb(const QDate& date)
{
    return rt::fromQDate(date);
}

QByteArray testData(const char* relative)
{
    QFile file(qEnvironmentVariable("KORVANEL_TESTDATA") + u'/' + QString::fromLatin1(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Settings and data folders of their own, with the definition files written into the data
// folder as bytes.
class DayInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        foundation::OrdnerFestlegen();
        foundation::resetNurLesen();
    }
    void TearDown() override { foundation::resetNurLesen(); }

    QString dataFile(const QString& name) const { return foundation::ordnerDat + u'/' + name; }

    void writeData(const QString& name, const QByteArray& bytes) const
    {
        QFile file(dataFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readData(const QString& name) const
    {
        QFile file(dataFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A day-information file of these lines (Windows-1252, CR LF).
    void writeDci(const QString& name, const QString& text) const
    {
        writeData(name, rt::toAnsi(text));
    }

    void setReadOnly(bool readOnly) { foundation::nurLesen = readOnly; }

private:
    TempSettingsFolders folders_;
};

using FeiertagTextTest = DayInfo;
using DciTagesTextTest = DayInfo;

} // namespace

TEST_F(FeiertagTextTest, findsTheMovableFeastsOfTheRealTableInEveryYear)
{
    const QByteArray table = testData("textlib/Feiertag.dci");
    ASSERT_FALSE(table.isEmpty());
    writeData(u"Feiertag.dci"_qs, table);
    struct Feast {
        int daysFromEaster;
        QString name;
    } const feasts[] = {
        {-48, u"Rosenmontag"_qs}, {-46, u"Aschermittwoch"_qs}, {-2, u"Karfreitag"_qs},
        {0, u"Ostersonntag"_qs}, {1, u"Ostermontag"_qs}, {39, u"Christi Himmelfahrt"_qs},
        {49, u"Pfingstsonntag"_qs}, {50, u"Pfingstmontag"_qs}, {60, u"Fronleichnam"_qs},
    };
    for (int year = 1950; year <= 2100; ++year) {
        SCOPED_TRACE(year);
        const QDate easter = easterSunday(year);
        for (const Feast& feast : feasts) {
            SCOPED_TRACE(feast.name.toStdString());
            // On a day with a yearly holiday too, the table names both.
            EXPECT_TRUE(
                FeiertagText(vb(easter.addDays(feast.daysFromEaster))).endsWith(feast.name));
        }
        // Holy Saturday and the Tuesday after Easter are no holidays.
        EXPECT_EQ(FeiertagText(vb(easter.addDays(-1))), u""_qs);
        EXPECT_EQ(FeiertagText(vb(easter.addDays(2))), u""_qs);
        // The Wednesday before 23 November.
        QDate bussUndBettag(year, 11, 22);
        while (bussUndBettag.dayOfWeek() != 3)
            bussUndBettag = bussUndBettag.addDays(-1);
        EXPECT_EQ(FeiertagText(vb(bussUndBettag)), u"Buß- und Bettag"_qs);
        EXPECT_EQ(FeiertagText(vb(bussUndBettag.addDays(7))), u""_qs);
    }
}

TEST_F(FeiertagTextTest, takesTheOneDateBeforeTheYearlyDay)
{
    writeData(u"Feiertag.dci"_qs, testData("textlib/Feiertag.dci"));
    struct Case {
        const char* name;
        QDate date;
        QString expected;
    } cases[] = {
        {"yearly", QDate(2026, 10, 3), u"Tag der Deutschen Einheit"_qs},
        {"yearly with umlaut", QDate(2031, 1, 6), u"Heilige Drei Könige"_qs},
        {"final tilde dropped", QDate(2026, 12, 24), u"Heiligabend"_qs},
        {"one date with the yearly text in it", QDate(2008, 5, 1),
         u"Tag der Arbeit, Christi Himmelfahrt"_qs},
        {"yearly outside the table's years", QDate(1500, 1, 1), u"Neujahr"_qs},
        {"no holiday", QDate(2026, 12, 8), u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FeiertagText(vb(c.date)), c.expected);
    }
}

TEST_F(FeiertagTextTest, followsTheTableRules)
{
    writeDci(u"Feiertag.dci"_qs,
             u"[Zyklisch]\r\n24.12=Heiligabend\r\n31.12=  Silvester~Jahresende~  \r\n"
             u"01.01=Neujahr**Feiertag\r\n14.03=~\r\n"
             u"[Einmalig]\r\n24.12.2026=Bescherung\r\n24.12.2027=   \r\n"_qs);
    struct Case {
        const char* name;
        QString date;
        QString expected;
    } cases[] = {
        {"one date wins", u"24.12.2026"_qs, u"Bescherung"_qs},
        {"yearly in other years", u"24.12.2025"_qs, u"Heiligabend"_qs},
        {"blank one date leaves the yearly text", u"24.12.2027"_qs, u"Heiligabend"_qs},
        {"tilde is a line break, the last one goes", u"31.12.2026"_qs,
         u"Silvester\r\nJahresende"_qs},
        {"stored line break", u"01.01.2026"_qs, u"Neujahr\r\nFeiertag"_qs},
        {"a lone tilde is nothing", u"14.03.2026"_qs, u""_qs},
        {"date as text with blanks", u" 24.12.2026 "_qs, u"Bescherung"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FeiertagText(c.date), c.expected);
    }
}

TEST_F(FeiertagTextTest, acceptsEveryLineEnd)
{
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(QByteArray(lineEnd).toHex().toStdString());
        writeData(u"Feiertag.dci"_qs,
                  QByteArray("[Zyklisch]%24.12=Heiligabend%[Einmalig]%24.12.2026=Bescherung%")
                      .replace('%', lineEnd));
        EXPECT_EQ(FeiertagText(vb(QDate(2026, 12, 24))), u"Bescherung"_qs);
        EXPECT_EQ(FeiertagText(vb(QDate(2025, 12, 24))), u"Heiligabend"_qs);
    }
}

TEST_F(FeiertagTextTest, withoutTableOrDateGivesNothing)
{
    EXPECT_EQ(FeiertagText(vb(QDate(2026, 12, 24))), u""_qs);
    EXPECT_FALSE(QFile::exists(dataFile(u"Feiertag.dci"_qs)));
    rt::clearError();
    EXPECT_EQ(FeiertagText(u"kein Datum"_qs), u""_qs);
    EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
}

TEST_F(DciTagesTextTest, hitsEveryKeyFormOfTheDay)
{
    // Every form hits 08.12.2026; the near misses below them do not.
    writeDci(u"Astro.dci"_qs,
             u"[Allgemein]\r\n"
             u"01.01=Tag\r\n08.12=eins\r\n08.12.=zwei\r\nDez=drei\r\nM:12=vier\r\n"
             u"08.12.2026=fünf\r\n2026-12-08=sechs\r\n08-12-2026=sieben\r\n08.12.26=acht\r\n"
             u"8.12.26=neun\r\n8.12.2026=zehn\r\n12.2026=elf\r\n"
             u"08.12.2025=x\r\n8.12.2025=x\r\n09.12=x\r\nNov=x\r\nDez.=x\r\nDezember=x\r\n"
             u"M:11=x\r\n12.2025=x\r\n08.12 =x\r\n 08.12=x\r\n2026-12-8=x\r\n08.12.2026x=x\r\n"
             u"08.12\r\n"_qs);
    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs),
              u"eins\r\nzwei\r\ndrei\r\nvier\r\nfünf\r\nsechs\r\nsieben\r\nacht\r\nneun\r\n"
              u"zehn\r\nelf"_qs);
}

TEST_F(DciTagesTextTest, monthKeyIsGermanWhateverTheLocale)
{
    writeDci(u"Astro.dci"_qs, u"Dez=Dezember\r\nDez.=mit Punkt\r\nDec=englisch\r\n"_qs);
    const QLocale before;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale::c(),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs), u"Dezember"_qs);
    }
    QLocale::setDefault(before);
}

TEST_F(DciTagesTextTest, buildsTheTextOfTheHits)
{
    struct Case {
        const char* name;
        QString file;
        QString date;
        QString expected;
    } cases[] = {
        {"headings", u"=>Mond\r\n08.12=Neumond\r\nM:12= : Winter\r\n"_qs, u"08.12.2026"_qs,
         u"Mond Neumond\r\nMond Winter"_qs},
        {"no heading before the first heading line",
         u"08.12=a\r\n=>  Sonne  \r\n08.12=b\r\n=>\r\n08.12=c\r\n"_qs, u"08.12.2026"_qs,
         u"a\r\nSonne b\r\nc"_qs},
        {"keys without regard to case", u"dEZ=klein\r\nm:12=m\r\n"_qs, u"08.12.2026"_qs,
         u"klein\r\nm"_qs},
        {"month key of March", u"Mär=Frühling\r\n"_qs, u"05.03.2026"_qs, u"Frühling"_qs},
        {"offset", u"[Allgemein]\r\nOffsetTage=1\r\n08.12.2026=morgen\r\n07.12.2026=heute\r\n"_qs,
         u"07.12.2026"_qs, u"morgen"_qs},
        {"offset backwards", u"[Allgemein]\r\nOffsetTage=-7 Tage\r\n01.12=vor einer Woche\r\n"_qs,
         u"08.12.2026"_qs, u"vor einer Woche"_qs},
        {"no hit gives Info0", u"[Allgemein]\r\nInfo0=nichts~heute\r\nInfo1=A:\r\n01.01=x\r\n"_qs,
         u"08.12.2026"_qs, u"nichts\r\nheute"_qs},
        {"Info1 and Info2 frame the hits",
         u"[Allgemein]\r\nInfo1=Heute:~\r\nInfo2=~Ende\r\n08.12=a\r\n08.12=b\r\n"_qs,
         u"08.12.2026"_qs, u"Heute:\r\na\r\nb\r\nEnde"_qs},
        {"TextVor and TextNach",
         u"[Allgemein]\r\nTextVor=* \r\nTextNach=\" !\"\r\n=>Mond\r\n08.12=voll\r\n"_qs,
         u"08.12.2026"_qs, u"*Mond voll !"_qs},
        {"variable", u"[Variablen]\r\nOrt=Hamburg\r\n08.12=Sonne über [ort]\r\n"_qs,
         u"08.12.2026"_qs, u"Sonne über Hamburg"_qs},
        {"variable in a variable",
         u"[Variablen]\r\nOrt=[Stadt] Nord\r\nStadt=Kiel\r\n08.12=in [Ort]\r\n"_qs,
         u"08.12.2026"_qs, u"in Kiel Nord"_qs},
        {"undefined variable keeps its brackets and blocks the rest",
         u"[Variablen]\r\nOrt=Kiel\r\n08.12=[Wetter] in [Ort]\r\n"_qs, u"08.12.2026"_qs,
         u"[Wetter] in [Ort]"_qs},
        {"empty brackets end the rounds", u"[Variablen]\r\nOrt=Kiel\r\n08.12=[] [Ort]\r\n"_qs,
         u"08.12.2026"_qs, u"[] [Ort]"_qs},
        {"open bracket takes the rest as the name", u"[Variablen]\r\nOrt=Kiel\r\n08.12=[Ort\r\n"_qs,
         u"08.12.2026"_qs, u"[Ort"_qs},
        {"self-referring variable stops", u"[Variablen]\r\nx=[x]!\r\n08.12=[x]\r\n"_qs,
         u"08.12.2026"_qs, u"[x]"_qs + QString(256, u'!')},
        {"variables of Info texts stay",
         u"[Allgemein]\r\nInfo1=[Ort]:\r\n[Variablen]\r\nOrt=Kiel\r\n08.12=a\r\n"_qs,
         u"08.12.2026"_qs, u"[Ort]:a"_qs},
        {"underscores and tabs are blanks", u"08.12=Voll_mond\tum_12\r\n"_qs, u"08.12.2026"_qs,
         u"Voll mond um 12"_qs},
        {"a hit ending in a tilde keeps its line break", u"08.12=a~\r\n"_qs, u"08.12.2026"_qs,
         u"a\r\n"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeDci(u"Astro.dci"_qs, c.file);
        EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, c.date), c.expected);
    }
}

TEST_F(DciTagesTextTest, acceptsEveryLineEnd)
{
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(QByteArray(lineEnd).toHex().toStdString());
        writeData(u"Astro.dci"_qs,
                  QByteArray("[Allgemein]%TextVor=%TextNach=%=>Mond%08.12=Neumond%M:12=Winter%")
                      .replace('%', lineEnd));
        EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs),
                  u"Mond Neumond\r\nMond Winter"_qs);
    }
}

TEST_F(DciTagesTextTest, namesItsFileInTheDataFolder)
{
    writeDci(u"Astro.dci"_qs, u"08.12=Astro\r\n"_qs);
    writeDci(u"Mond.dci"_qs, u"08.12=Mond\r\n"_qs);
    EXPECT_EQ(DciTagesText(u""_qs, u"08.12.2026"_qs), u"Astro"_qs);
    EXPECT_EQ(DciTagesText(u"mond.DCI"_qs, u"08.12.2026"_qs), u"Mond"_qs);
    EXPECT_EQ(DciTagesText(u"Fehlt.dci"_qs, u"08.12.2026"_qs), u""_qs);
    EXPECT_FALSE(QFile::exists(dataFile(u"Fehlt.dci"_qs)));
    rt::clearError();
    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"32.12.2026"_qs), u""_qs);
    EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
}

TEST_F(DciTagesTextTest, addsMissingFrameKeysOnlyWhenItMayWrite)
{
    const QByteArray original(
        "; Astro\r\n[Allgemein]\r\nInfo0=nichts\r\n\r\n[Daten]\r\n08.12=Neumond\r\n"
        "08.12=Mond\r\n");
    const QByteArray completed(
        "; Astro\r\n[Allgemein]\r\nInfo0=nichts\r\nTextVor=\r\nTextNach=\r\n\r\n"
        "[Daten]\r\n08.12=Neumond\r\n08.12=Mond\r\n");

    writeData(u"Astro.dci"_qs, original);
    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"01.01.2026"_qs), u"nichts"_qs);
    EXPECT_EQ(readData(u"Astro.dci"_qs), original) << "no hit, nothing added";

    setReadOnly(true);
    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs), u"Neumond\r\nMond"_qs);
    EXPECT_EQ(readData(u"Astro.dci"_qs), original) << "read-only";

    setReadOnly(false);
    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs), u"Neumond\r\nMond"_qs);
    EXPECT_EQ(readData(u"Astro.dci"_qs), completed);

    EXPECT_EQ(DciTagesText(u"Astro.dci"_qs, u"08.12.2026"_qs), u"Neumond\r\nMond"_qs);
    EXPECT_EQ(readData(u"Astro.dci"_qs), completed) << "present keys are not written again";
}
