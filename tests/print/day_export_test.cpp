#include "print/day_export.h"
#include "store/mood_marker.h"
#include "support/fake_random.h"
#include "views/views_fixture.h"

#include <QDir>
#include <QFile>

using print::Tagesauswahl;

namespace {

class DayExport : public ViewsTest {
protected:
    DayExport()
    {
        eintrag("20240201", "Gr\xFC\xDF" "e\r\nZweite Zeile");
        datenordner.write(QStringLiteral("2024/20240203.TXT"), "Dritter");
    }

    static Tagesauswahl bereich(const char* von, const char* bis)
    {
        Tagesauswahl auswahl;
        auswahl.von = u8(von);
        auswahl.bis = u8(bis);
        return auswahl;
    }

    QString ziel(const char* name) const { return folders.temp().file(u8(name)); }
    QByteArray zielBytes(const char* name) const { return folders.temp().read(u8(name)); }

    InstalledFake<FakeRandom> zufall{platform::setRandom, std::vector<double>{0.9}};
};

TEST_F(DayExport, korvanelFormatFileIsExactAndRemembered)
{
    const print::DateiAusgabe aus =
        print::KorvanelFormatAusgeben(ziel("aus.kv"), bereich("01.02.2024", "03.02.2024"));

    EXPECT_TRUE(aus.geschrieben);
    EXPECT_TRUE(aus.vollstaendig);
    EXPECT_EQ(aus.tage, 2);
    EXPECT_EQ(zielBytes("aus.kv"),
              QByteArray("Korvanel vom 01.02.2024 bis zum 03.02.2024.\r\n\r\n"
                         "@ 01.02.2024, Do: Gr\xFC\xDF" "e\r\nZweite Zeile\r\n\r\n"
                         "@ 03.02.2024, Sa: Dritter\r\n\r\n"));
    EXPECT_EQ(einstellung(u8("ExpPre")), u8("@_"));
    EXPECT_EQ(einstellung(u8("ExpSuf")), u8(":_"));
    EXPECT_EQ(einstellung(u8("FileNameExp")), ziel("aus.kv"));
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("01.07.2024 09:30"));
}

TEST_F(DayExport, headingSettingsMakeUnderscoresBlanksAndKeepTheRest)
{
    struct Row {
        const char* name;
        const char* praefix;
        const char* suffix;
        QByteArray kopf;
    };
    const Row rows[] = {
        {"number signs", "##_", ":_", "## 03.02.2024, Sa: Dritter"},
        {"tilde stays in the file", "@_", "~_", "@ 03.02.2024, Sa~ Dritter"},
        {"empty values take the defaults", "", "", "@ 03.02.2024, Sa: Dritter"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::IniSchreiben({}, {}, u8("ExpPre"), u8(row.praefix));
        foundation::IniSchreiben({}, {}, u8("ExpSuf"), u8(row.suffix));
        ASSERT_TRUE(print::KorvanelFormatAusgeben(ziel("a.kv"), bereich("03.02.2024", "03.02.2024"))
                        .geschrieben);
        EXPECT_EQ(zielBytes("a.kv"),
                  "Korvanel vom 03.02.2024 bis zum 03.02.2024.\r\n\r\n" + row.kopf + "\r\n\r\n");
    }
}

TEST_F(DayExport, commaSeparatedTextHasNoTitleAndQuotesMadeApostrophes)
{
    eintrag("20240201", "Er sagte \"ja\"\r\nund ging");
    Tagesauswahl auswahl = bereich("01.02.2024", "03.02.2024");
    EXPECT_EQ(print::DateiTextErstellen(1, auswahl).text,
              u8("01.02.2024,\"Er sagte 'ja'\r\nund ging\"\r\n03.02.2024,\"Dritter\"\r\n"));
    auswahl.auchLeereTage = true;
    EXPECT_EQ(print::DateiTextErstellen(1, auswahl).text,
              u8("01.02.2024,\"Er sagte 'ja'\r\nund ging\"\r\n02.02.2024,\"\"\r\n"
                 "03.02.2024,\"Dritter\"\r\n"));
    // The same quote stays a quote in the Korvanel format.
    EXPECT_TRUE(print::DateiTextErstellen(0, auswahl).text.contains(u8("\"ja\"")));
}

TEST_F(DayExport, clipboardRecordsTrimLineEndsAndUseTheMessageTextSuffix)
{
    struct Row {
        const char* name;
        const char* suffix;
        const char* satzEnde;
        const char* text;
        QString erwartet;
    };
    const Row rows[] = {
        {"blank dash blank, tilde", "_-_", "~", "\r\n\r\nText\r\n", u8("01.02.2024, Do - Text\r\n")},
        {"defaults", "", "", " Text \r\nmehr", u8("01.02.2024, Do:  Text \r\nmehr\r\n\r\n")},
        {"tilde in the suffix breaks the line", "~", "~~", "", u8("01.02.2024, Do\r\n\r\n\r\n")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::IniSchreiben({}, {}, u8("ExpSuf"), u8(row.suffix));
        foundation::IniSchreiben({}, {}, u8("ExpSufZA"), u8(row.satzEnde));
        const print::Ausgabetag tag{u8("01.02.2024"), u8("Do"), u8(row.text), {}};
        EXPECT_EQ(print::ZwischenablageSatz(tag, print::ZwischenablageSuffix(),
                                            print::ZwischenablageSatzEnde()),
                  row.erwartet);
    }
    // An entry that starts with empty lines keeps them in the file.
    const print::Ausgabetag tag{u8("01.02.2024"), u8("Do"), u8("\r\n\r\nText"), {}};
    EXPECT_EQ(print::KorvanelSatz(tag, u8("@ "), u8(": ")),
              u8("@ 01.02.2024, Do: \r\n\r\nText\r\n\r\n"));
}

TEST_F(DayExport, filtersSelectTheDays)
{
    eintrag("20240210", "Samstag ohne Treffer");
    store::MarkerSetzen(rt::DateSerial(2024, 2, 10), 1);
    struct Row {
        const char* name;
        const char* datumFilter;
        const char* stichwort;
        bool nurMarkierte;
        bool auchLeereTage;
        QStringList tage;
    };
    const Row rows[] = {
        {"everything with an entry", "", "", false, false,
         {u8("01.02.2024"), u8("03.02.2024"), u8("10.02.2024")}},
        {"date filter Sa", "Sa", "", false, false, {u8("03.02.2024"), u8("10.02.2024")}},
        {"date filter with blanks around", "  Samstag ", "", false, false,
         {u8("03.02.2024"), u8("10.02.2024")}},
        {"date filter exact case", "sa", "", false, false, {}},
        {"day and month", "03.02.", "", false, false, {u8("03.02.2024")}},
        {"keyword without case", "", "DRITT", false, false, {u8("03.02.2024")}},
        {"keyword with umlaut", "", "GRÜßE", false, false, {u8("01.02.2024")}},
        {"markers only", "", "", true, false, {u8("10.02.2024")}},
        {"keyword and filter both", "Sa", "zweite", false, false, {}},
        {"days without entry", "Fr", "", false, true, {u8("02.02.2024"), u8("09.02.2024")}},
        {"a keyword keeps empty days out", "", "x", false, true, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Tagesauswahl auswahl = bereich("01.02.2024", "10.02.2024");
        auswahl.datumFilter = u8(row.datumFilter);
        auswahl.stichwort = u8(row.stichwort);
        auswahl.nurMarkierte = row.nurMarkierte;
        auswahl.auchLeereTage = row.auchLeereTage;
        QStringList tage;
        const print::Tagesgang gang = print::TageDurchgehen(
            auswahl, [&](const print::Ausgabetag& tag) { tage.append(tag.datum); });
        EXPECT_EQ(tage, row.tage);
        EXPECT_EQ(gang.tageGegangen, 10);
        EXPECT_EQ(gang.ende, print::Tagesgang::Ende::Fertig);
    }
}

TEST_F(DayExport, walkOfAStartAfterItsEndTakesTheStartDayAndShowsFullProgress)
{
    std::vector<int> fortschritt;
    QStringList tage;
    const print::Tagesgang gang = print::TageDurchgehen(
        bereich("03.02.2024", "01.02.2024"),
        [&](const print::Ausgabetag& tag) { tage.append(tag.datum); }, {},
        [&](int prozent) { fortschritt.push_back(prozent); });
    EXPECT_EQ(tage, QStringList{u8("03.02.2024")});
    EXPECT_EQ(gang.tageGegangen, 1);
    EXPECT_EQ(fortschritt, std::vector<int>{100});

    fortschritt.clear();
    print::TageDurchgehen(bereich("01.02.2024", "05.02.2024"), [](const print::Ausgabetag&) {},
                          {}, [&](int prozent) { fortschritt.push_back(prozent); });
    EXPECT_EQ(fortschritt, (std::vector<int>{25, 50, 75, 100, 100}));
}

TEST_F(DayExport, aStopWritesExactlyTheDaysWalked)
{
    int gefragt = 0;
    const print::DateiAusgabe aus = print::KorvanelFormatAusgeben(
        ziel("halb.kv"), bereich("01.02.2024", "29.02.2024"), [&] { return ++gefragt <= 2; });
    EXPECT_TRUE(aus.geschrieben);
    EXPECT_FALSE(aus.vollstaendig);
    EXPECT_EQ(zielBytes("halb.kv"),
              QByteArray("Korvanel vom 01.02.2024 bis zum 29.02.2024.\r\n\r\n"
                         "@ 01.02.2024, Do: Gr\xFC\xDF" "e\r\nZweite Zeile\r\n\r\n"));
}

TEST_F(DayExport, failuresLeaveTheOldFileByteForByte)
{
    folders.temp().write(u8("alt.kv"), "alter Inhalt");
    const QByteArray alt = zielBytes("alt.kv");

    // A day that cannot be read is not taken for an empty one.
    datenordner.write(u8("2024/20240202.Txt/darin"), "ein Ordner statt einer Datei");
    print::DateiAusgabe aus =
        print::KorvanelFormatAusgeben(ziel("alt.kv"), bereich("01.02.2024", "03.02.2024"));
    EXPECT_FALSE(aus.geschrieben);
    EXPECT_FALSE(aus.meldung.isEmpty());
    EXPECT_EQ(zielBytes("alt.kv"), alt);
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("<fehlt>"));

    // A folder that does not exist.
    aus = print::KorvanelFormatAusgeben(ziel("fehlt/neu.kv"), bereich("03.02.2024", "03.02.2024"));
    EXPECT_FALSE(aus.geschrieben);
    EXPECT_EQ(aus.fehlerNummer, 76);
    EXPECT_TRUE(aus.meldung.contains(u8("»") + ziel("fehlt/neu.kv") + u8("«")));
    EXPECT_EQ(einstellung(u8("DateiDruckZuletzt")), u8("<fehlt>"));
}

TEST_F(DayExport, readOnlyWritesNothingIntoTheDataFolder)
{
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    const print::DateiAusgabe aus = print::KorvanelFormatAusgeben(
        datenordner.path() + u8("/Ausgabe.kv"), bereich("01.02.2024", "03.02.2024"));
    EXPECT_FALSE(aus.geschrieben);
    EXPECT_TRUE(aus.meldung.contains(u8("Datenordner")));
    EXPECT_EQ(datenordnerInhalt(), vorher);

    EXPECT_TRUE(print::KorvanelFormatAusgeben(ziel("aussen.kv"), bereich("01.02.2024", "03.02.2024"))
                    .geschrieben);
}

} // namespace
