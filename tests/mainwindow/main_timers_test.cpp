#include "timers_fixture.h"

#include "foundation/ini_store.h"
#include "mainwindow/main_timers.h"
#include "runtime/codec.h"
#include "runtime/format.h"
#include "support/temp_folder.h"

#include <QFile>

#include <QTimer>

using mainwindow::MainTimers;

namespace {

// Windows-1252 bytes of a text given in UTF-8 ("€" is 0x80).
QByteArray ansi(const char* utf8)
{
    QByteArray bytes;
    for (const QChar c : s(utf8))
        bytes.append(c == QChar(0x20AC) ? char(0x80) : char(c.unicode()));
    return bytes;
}

} // namespace

class Timers : public TimersFixture {
protected:
    // The day file of 05.03.2024 in diary Abc, and a hand-over file in a folder with a blank.
    const QString tagesdatei = s("2024/20240305.Abc");
    QString uebergabe() const { return folders.temp().file(s("Über gabe/Text vom Mail.txt")); }
    void uebergabeSchreiben(const QByteArray& bytes) const
    {
        folders.temp().write(s("Über gabe/Text vom Mail.txt"), bytes);
    }
    bool uebergabeDa() const { return folders.temp().exists(s("Über gabe/Text vom Mail.txt")); }
    // The diary Abc exists: its title file is there.
    void SetUp() override { schreiben(s("Info.Abc"), "Abc-Tagebuch\r\n"); }
    void befehlszeile(const QStringList& argumente) { platform::setCommandLine(argumente); }
};

TEST_F(Timers, theTimersRunAtTheirIntervals)
{
    MainTimers timers;
    EXPECT_TRUE(timers.zeitAutosave()->isActive());
    EXPECT_TRUE(timers.zeitTxtInfo()->isActive());
    EXPECT_FALSE(timers.zeitInit()->isActive());
    EXPECT_FALSE(timers.zeitTextInfo()->isActive());
    timers.startInitAndClock();
    EXPECT_TRUE(timers.zeitInit()->isActive());
    EXPECT_TRUE(timers.zeitInit()->isSingleShot());
    EXPECT_EQ(timers.zeitInit()->interval(), 100);
    EXPECT_EQ(timers.zeitAutosave()->interval(), 60000);
    EXPECT_EQ(timers.zeitTextInfo()->interval(), 2000);
    EXPECT_EQ(timers.zeitTxtInfo()->interval(), 750);
}

TEST_F(Timers, autosaveSavesAtTheFirstMinuteThenEveryAutosaveMinutes)
{
    struct Fall {
        const char* autosave;
        QStringList sicherungen;
        bool bleibtAn;
    } faelle[] = {
        {"1", {s("11:01"), s("11:02"), s("11:03"), s("11:04"), s("11:05"), s("11:06"), s("11:07"),
               s("11:08"), s("11:09"), s("11:10"), s("11:11"), s("11:12")}, true},
        {"5", {s("11:01"), s("11:06"), s("11:11")}, true},
        {"-2", {s("11:01"), s("11:03"), s("11:05"), s("11:07"), s("11:09"), s("11:11")}, true},
        {"0", {s("11:01")}, false},
    };
    store::korvanelKuerzel = s("Abc");
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = s("20240305.Abc");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.autosave);
        foundation::IniSchreiben({}, {}, s("Autosave"), s(fall.autosave));
        clock.setNow(rt::dateTimeOf(2024, 3, 5, 11, 0, 0));
        MainTimers timers; // made at 11:00: the first tick comes a minute later
        QStringList sicherungen;
        for (int minute = 1; minute <= 12; ++minute) {
            clock.advance(60000);
            const QString jetzt = rt::Format(clock.now(), s("hh:nn"));
            main.setText(s("Stand ") + jetzt);
            store::ungesichert = 1;
            if (timers.zeitAutosave()->isActive())
                timers.zeitAutosaveTimer();
            if (store::ungesichert == 0)
                sicherungen.append(jetzt);
        }
        EXPECT_EQ(sicherungen, fall.sicherungen);
        EXPECT_EQ(timers.zeitAutosave()->isActive(), fall.bleibtAn);
        EXPECT_EQ(lesen(tagesdatei), (s("Stand ") + fall.sicherungen.last()).toLatin1());
    }
}

TEST_F(Timers, autosaveSwitchedOffStartsAgainWhenTheSettingsSwitchItOn)
{
    store::korvanelKuerzel = s("Abc");
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = s("20240305.Abc");
    foundation::IniSchreiben({}, {}, s("Autosave"), s("0"));
    MainTimers timers;
    timers.zeitAutosaveTimer(); // saves once, then off
    EXPECT_FALSE(timers.zeitAutosave()->isActive());
    EXPECT_FALSE(timers.autosaveAktiv());

    foundation::IniSchreiben({}, {}, s("Autosave"), s("2"));
    timers.autosaveEinschalten();
    EXPECT_TRUE(timers.zeitAutosave()->isActive());
    QStringList sicherungen;
    for (int minute = 1; minute <= 5; ++minute) {
        main.setText(s("Stand ") + QString::number(minute));
        store::ungesichert = 1;
        timers.zeitAutosaveTimer();
        if (store::ungesichert == 0)
            sicherungen.append(QString::number(minute));
    }
    EXPECT_EQ(sicherungen, (QStringList{s("1"), s("3"), s("5")}));
}

TEST_F(Timers, aTickDuringTheAutosaveDoesNothing)
{
    // A save that fails shows the error dialog, and the timer goes on firing while the dialog is
    // open: such a tick must neither save again (a second dialog on top of the first, and so on)
    // nor move the countdown.
    foundation::IniSchreiben({}, {}, s("Autosave"), s("5"));
    schreiben(s("2024"), "kein Ordner"); // the year folder cannot be made
    store::korvanelKuerzel = s("Abc");
    store::aktDatum = s("05.03.2024");
    store::aktTagesdatei = s("20240305.Abc");
    MainTimers timers;
    int geschachtelt = 0;
    beimFehler = [&] {
        if (geschachtelt++ < 3)
            timers.zeitAutosaveTimer();
    };
    QList<int> fehlerJeMinute;
    for (int minute = 1; minute <= 11; ++minute) {
        fehler.clear();
        main.setText(s("Minute ") + QString::number(minute));
        store::ungesichert = 1;
        timers.zeitAutosaveTimer();
        fehlerJeMinute.append(int(fehler.size()));
    }
    EXPECT_EQ(fehlerJeMinute, (QList<int>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(geschachtelt, 3);
}

TEST_F(Timers, autosaveWaitsWhileADayIsLoaded)
{
    store::korvanelKuerzel = s("Abc");
    store::aktTagesdatei = s("20240305.Abc");
    bool laedt = true;
    mainwindow::mainHooks().tagWirdGeladen = [&] { return laedt; };
    MainTimers timers;
    main.setText(s("Halb geladen"));
    store::ungesichert = 1;
    timers.zeitAutosaveTimer();
    EXPECT_EQ(store::ungesichert, 1);
    laedt = false;
    timers.zeitAutosaveTimer();
    EXPECT_EQ(store::ungesichert, 0);
}

TEST_F(Timers, clockPanelsShowDateAndTimeWithBlanks)
{
    clock.setNow(rt::dateTimeOf(2024, 3, 5, 9, 7, 45));
    MainTimers timers;
    timers.zeitTextInfoTimer();
    EXPECT_EQ(main.panelText(s("Datum")), s(" 05.03.2024 "));
    EXPECT_EQ(main.panelText(s("Zeit")), s(" 09:07 "));
    clock.setNow(rt::dateTimeOf(2025, 12, 31, 23, 59, 59));
    timers.zeitTextInfoTimer();
    EXPECT_EQ(main.panelText(s("Datum")), s(" 31.12.2025 "));
    EXPECT_EQ(main.panelText(s("Zeit")), s(" 23:59 "));
}

TEST_F(Timers, positionPanelCountsWithCrLfAndEmptyLines)
{
    struct Fall {
        const char* name;
        QString text;
        int caret;
        QString panel;
        QString tipp;
    } faelle[] = {
        {"empty entry", QString(), 0, s("kein Eintrag"), s("kein Eintrag")},
        {"caret at the start", s("Eins\r\n\r\nZwei"), 0, s(" 1 Ab  1 / 12 Zeichen "),
         s("Cursor Position  1. Absatz   1 / 12 Zeichen")},
        {"caret behind the empty line", s("Eins\r\n\r\nZwei"), 8, s(" 2 Ab  9 / 12 Zeichen "),
         s("Cursor Position  2. Absatz   9 / 12 Zeichen")},
        {"caret on the empty line", s("Eins\r\n\r\nZwei"), 6, s(" 1 Ab  7 / 12 Zeichen "),
         s("Cursor Position  1. Absatz   7 / 12 Zeichen")},
        {"caret at the end", s("Eins\r\n\r\nZwei"), 12, s(" 2 Ab  12 / 12 Zeichen "),
         s("Cursor Position  2. Absatz   12 / 12 Zeichen")},
        {"two empty lines count once each", s("a\r\n\r\n\r\n\r\nb"), 10,
         s(" 3 Ab  10 / 10 Zeichen "), s("Cursor Position  3. Absatz   10 / 10 Zeichen")},
    };
    MainTimers timers;
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        main.setText(fall.text);
        main.setSelStart(fall.caret);
        timers.zeitTxtInfoTimer();
        EXPECT_EQ(main.panelText(s("Position")), fall.panel);
        EXPECT_EQ(host.toolTips.value(s("Position")), fall.tipp);
    }
    // Only a changed text is written.
    host.toolTips.clear();
    timers.zeitTxtInfoTimer();
    EXPECT_TRUE(host.toolTips.isEmpty());
}

TEST_F(Timers, commandLineOpensTheDiaryOnTheDayAppendsTheFileSavesAndEnds)
{
    schreiben(tagesdatei, ansi("Alter Text\r\nZeile"));
    uebergabeSchreiben(ansi("  Neuer Text äöü €\r\n\r\n"));
    befehlszeile({s("/Korvanel=Abc"), s("/Datum=5.3.2024"), s("/AppendFile=") + uebergabe()});
    clock.setNow(rt::dateTimeOf(2024, 6, 1, 8, 0, 0));
    MainTimers timers;
    EXPECT_THROW(timers.zeitInitTimer(), ProgramEndedException);

    EXPECT_EQ(umgebungen, (std::vector<QString>{s("Abc 05.03.2024")}));
    EXPECT_EQ(lesen(tagesdatei), ansi("Alter Text\r\nZeile\r\nNeuer Text äöü €"));
    EXPECT_FALSE(uebergabeDa());
    EXPECT_EQ(main.text(), s("Alter Text\r\nZeile\r\nNeuer Text äöü €"));
    EXPECT_EQ(ende.endCalls(), 1);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(fehler.empty());
}

TEST_F(Timers, appendedTextToAnEmptyDayHasNoLeadingLineBreak_shiftKeepsTheProgramOpen)
{
    uebergabeSchreiben("Nur das\r\n");
    befehlszeile({s("Korvanel=Abc"), s("Datum=5.3.2024"), s("AppendFile=") + uebergabe()});
    keys.hold(Qt::ShiftModifier);
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_EQ(lesen(tagesdatei), QByteArray("Nur das"));
    EXPECT_FALSE(uebergabeDa());
    EXPECT_EQ(ende.endCalls(), 0);
    EXPECT_EQ(main.panelText(s("Status")), s("Bereit"));
}

TEST_F(Timers, readOnlyKeepsTheHandOverFileAndSaysSo)
{
    schreiben(tagesdatei, "Alt");
    uebergabeSchreiben("Neu");
    befehlszeile({s("Korvanel=Abc"), s("Datum=5.3.2024"), s("AppendFile=") + uebergabe()});
    foundation::nurLesen = true;
    dialogs.expectMsgBox(platform::vbOK, s("nur zum Lesen"));
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_TRUE(uebergabeDa());
    EXPECT_EQ(lesen(tagesdatei), QByteArray("Alt"));
    EXPECT_EQ(main.text(), s("Alt"));
    EXPECT_EQ(ende.endCalls(), 0);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_TRUE(dialogs.calls()[0].text.contains(s("Die Datei bleibt erhalten.")));
    EXPECT_EQ(main.panelText(s("Status")), s("Bereit"));
}

TEST_F(Timers, aFailedSaveKeepsTheHandOverFileAndTheEntryAsItWas)
{
    // The year folder cannot be made: a file stands in its place.
    schreiben(s("2024"), "kein Ordner");
    uebergabeSchreiben("Neu");
    befehlszeile({s("Korvanel=Abc"), s("Datum=5.3.2024"), s("AppendFile=") + uebergabe()});
    dialogs.expectMsgBox(platform::vbOK, s("nicht gespeichert werden"));
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_TRUE(uebergabeDa());
    EXPECT_EQ(main.text(), QString());
    EXPECT_EQ(ende.endCalls(), 0);
    EXPECT_FALSE(fehler.empty());
}

// The hand-over file is deleted once its text is saved: a file of the program's own (a day file,
// the title or settings file of a diary, the settings of the program, also reached through a
// link) is never taken, or the entry would get its own text twice and then lose its file.
TEST_F(Timers, aHandOverFileOfTheProgramsOwnIsRefusedAndNothingChanges)
{
    schreiben(tagesdatei, ansi("Alter Text"));
    schreiben(s("Korvanel.ini"), "[Abc]\r\nKennwortHilfe=Katze\r\n");
    folders.writeSettingsFile(s("Brisol.ini"), "[Allgemein]\r\nAutoTip=0\r\n");
    folders.temp().makeFolder(s("Verweise"));
    const QString verweis = folders.temp().file(s("Verweise/eintrag.txt"));
    ASSERT_TRUE(QFile::link(folders.temp().file(daten(tagesdatei)), verweis));
    const std::vector<std::pair<const char*, QString>> faelle = {
        {"the day file itself", folders.temp().file(daten(tagesdatei))},
        {"the diary's title file", folders.temp().file(daten(s("Info.Abc")))},
        {"the diaries' settings", folders.temp().file(daten(s("Korvanel.ini")))},
        {"the program's settings", folders.settingsFolder() + s("/Brisol.ini")},
        {"a link to the day file", verweis},
    };
    for (const auto& [name, datei] : faelle) {
        SCOPED_TRACE(name);
        store::korvanelKuerzel.clear();
        const auto vorher = folderContents(foundation::ordnerDat);
        befehlszeile({s("Korvanel=Abc"), s("Datum=05.03.2024"), s("AppendFile=") + datei});
        dialogs.expectMsgBox(platform::vbOK, s("eine Datei des Korvanels selbst"));
        MainTimers timers;
        timers.zeitInitTimer();
        EXPECT_EQ(main.text(), s("Alter Text"));
        EXPECT_EQ(folderContents(foundation::ordnerDat), vorher);
        EXPECT_TRUE(QFile::exists(folders.settingsFolder() + s("/Brisol.ini")));
        EXPECT_EQ(ende.endCalls(), 0);
        EXPECT_TRUE(dialogs.calls().back().text.contains(s("Die Datei bleibt erhalten.")));
    }
}

// With a hand-over, a diary or a day that is given but not valid refuses it: the text would
// land in another diary or on today's entry. The file stays, nothing is written.
TEST_F(Timers, aHandOverWithAnInvalidDiaryOrDayIsRefusedAndTheFileStays)
{
    struct Fall {
        const char* korvanel;
        const char* datum;
        const char* meldung;
    };
    const Fall faelle[] = {
        {"Ab/", "05.03.2024", "kein gültiges Kürzel"},
        {"../", "05.03.2024", "kein gültiges Kürzel"},
        {"Abcd", "05.03.2024", "kein gültiges Kürzel"},
        {"A^Ac", "05.03.2024", "kein gültiges Kürzel"},
        {"Ab:", "05.03.2024", "kein gültiges Kürzel"},
        {"Xyz", "05.03.2024", "kein Tagebuch mit dem Kürzel »Xyz«"},
        {"Abc", "31.02.2024", "»31.02.2024« kein gültiges Datum"},
        {"Abc", "32.13.2024", "kein gültiges Datum"},
        {"Abc", "5.3.2024x", "kein gültiges Datum"},
    };
    uebergabeSchreiben("Neu");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.korvanel) + " " + fall.datum);
        store::korvanelKuerzel.clear();
        const auto vorher = folderContents(foundation::ordnerDat);
        befehlszeile({s("Korvanel=") + s(fall.korvanel), s("Datum=") + s(fall.datum),
                      s("AppendFile=") + uebergabe()});
        dialogs.expectMsgBox(platform::vbOK, s(fall.meldung));
        MainTimers timers;
        timers.zeitInitTimer();
        EXPECT_TRUE(uebergabeDa());
        EXPECT_EQ(folderContents(foundation::ordnerDat), vorher);
        EXPECT_EQ(ende.endCalls(), 0);
    }
    // Without a hand-over the same values are only passed over, as before.
    store::korvanelKuerzel.clear();
    befehlszeile({s("Korvanel=Ab/"), s("Datum=5.3.2024x")});
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_EQ(dialogs.calls().size(), std::size(faelle));
}

// A hand-over file comes from another program: UTF-8 without the byte-order mark (what Linux
// tools write) arrives with its characters, as does UTF-8 with the mark and Windows-1252.
TEST_F(Timers, aHandOverFileArrivesWithItsCharactersInEveryEncodingOfTheDesktop)
{
    const QString text = s("Übergabe … Grüße, 10 € – „gut“");
    struct Fall {
        const char* name;
        QByteArray bytes;
        const char* tag; // a day of its own for each case
    };
    const std::vector<Fall> faelle = {
        {"UTF-8 without the mark", text.toUtf8(), "20240305"},
        {"UTF-8 with the mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8(), "20240306"},
        {"Windows-1252", rt::toAnsi(text), "20240307"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        store::korvanelKuerzel.clear();
        mainwindow::resetBeenden();
        const QString tag = s(fall.tag);
        uebergabeSchreiben(fall.bytes + "\r\n");
        befehlszeile({s("Korvanel=Abc"), s("Datum=") + tag.mid(6, 2) + u'.' + tag.mid(4, 2) + u'.' + tag.left(4),
                      s("AppendFile=") + uebergabe()});
        MainTimers timers;
        EXPECT_THROW(timers.zeitInitTimer(), ProgramEndedException);
        EXPECT_EQ(rt::decodeText(lesen(s("2024/") + tag + s(".Abc"))), text);
        EXPECT_FALSE(uebergabeDa());
    }
}

// A hand-over passed on by a later copy goes to the named day of the open diary, is saved and
// its file deleted, and this copy stays open. When this copy cannot take it (read-only, a
// diary under a password it does not know), it says so and the file stays.
TEST_F(Timers, aHandOverPassedOnByALaterCopyIsAppendedOrRefusedWithTheFileKept)
{
    main.onDayShown = [](const QString& tag) {
        store::aktDatum = tag;
        store::aktTagesdatei = store::DatumZuTagesnummer(tag) + s(".") + store::korvanelKuerzel;
    };
    main.days[s("05.03.2024")] = s("Alt");
    schreiben(tagesdatei, ansi("Alt"));
    befehlszeile({s("Korvanel=Abc"), s("Datum=4.3.2024")});
    MainTimers timers;
    timers.zeitInitTimer();
    ASSERT_EQ(store::aktDatum, s("04.03.2024"));

    uebergabeSchreiben(QString(s("Grüße")).toUtf8());
    timers.uebergabeEmpfangen(s("Abc"), s("05.03.2024"), uebergabe());
    EXPECT_EQ(lesen(tagesdatei), ansi("Alt\r\nGrüße"));
    EXPECT_FALSE(uebergabeDa());
    EXPECT_EQ(ende.endCalls(), 0);
    EXPECT_TRUE(dialogs.calls().empty());

    // Another diary whose days carry a password this copy was never shown.
    schreiben(s("Info.Geh"), "Geheimes\r\n");
    store::kennwortSchreiben = s("Geheim1");
    ASSERT_TRUE(store::EintragDateiSchreiben(s("20240101.Geh"), s("geheim")));
    store::kennwortSchreiben.clear();
    uebergabeSchreiben("Neu");
    dialogs.expectMsgBox(platform::vbOK, s("mit einem Kennwort geschützt"));
    timers.uebergabeEmpfangen(s("Geh"), s("05.03.2024"), uebergabe());
    EXPECT_TRUE(uebergabeDa());
    EXPECT_EQ(store::korvanelKuerzel, s("Abc"));

    foundation::nurLesen = true;
    dialogs.expectMsgBox(platform::vbOK, s("nur zum Lesen"));
    timers.uebergabeEmpfangen(s("Abc"), s("05.03.2024"), uebergabe());
    EXPECT_TRUE(uebergabeDa());
    EXPECT_EQ(lesen(tagesdatei), ansi("Alt\r\nGrüße"));
    EXPECT_EQ(ende.endCalls(), 0);
}

TEST_F(Timers, diaryAndPasswordFromTheCommandLine)
{
    struct Fall {
        const char* korvanel;
        QStringList memo;
        QString geoeffnet;
    } faelle[] = {
        {"Abc:geheim", {s("Abc|geheim")}, s("Abc")},
        {"Abc:ge:heim", {s("Abc|ge:heim")}, s("Abc")},
        {"Abcd", {}, s("Txt")},
        {"Abcd:pw", {s("Abcd|pw")}, s("Txt")},
        {":Abc", {}, s("Txt")},
        // Names that cannot be a file extension of the data folder.
        {"a/b", {}, s("Txt")},
        {"Exe:pw", {s("Exe|pw")}, s("Txt")},
        {"", {}, s("Txt")},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.korvanel);
        store::korvanelKuerzel.clear();
        umgebungen.clear();
        QStringList memo;
        mainwindow::mainHooks().kennwortMerken = [&](const QString& k, const QString& p) {
            memo.append(k + s("|") + p);
        };
        befehlszeile({s("Korvanel=") + s(fall.korvanel)});
        MainTimers timers;
        timers.zeitInitTimer();
        EXPECT_EQ(memo, fall.memo);
        EXPECT_EQ(umgebungen, (std::vector<QString>{fall.geoeffnet + s(" 05.03.2024")}));
    }
    // The default diary comes from "KorvanelName".
    store::korvanelKuerzel.clear();
    umgebungen.clear();
    foundation::IniSchreiben({}, {}, s("KorvanelName"), s("Pri"));
    befehlszeile({});
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_EQ(umgebungen, (std::vector<QString>{s("Pri 05.03.2024")}));

    store::korvanelKuerzel.clear();
    umgebungen.clear();
    foundation::IniSchreiben({}, {}, s("KorvanelName"), s("../"));
    MainTimers andere;
    andere.zeitInitTimer();
    EXPECT_EQ(umgebungen, (std::vector<QString>{s("Txt 05.03.2024")}));
}

TEST_F(Timers, dateFromTheCommandLine)
{
    struct Fall {
        const char* datum;
        int antwort; // of the error dialog
        QString tag;
        size_t fehler;
    } faelle[] = {
        {"5.3.2023", 2, s("05.03.2023"), 0},
        {"2024-12-24", 2, s("24.12.2024"), 0},
        {"3d", 2, s("08.03.2024"), 0},
        {"-1w", 2, s("27.02.2024"), 0},
        {"Quatsch", 2, s("05.03.2024"), 0},
        {"0", 2, s("05.03.2024"), 0},
        // An amount beyond 16 bits gives today whatever the answer: no jump of 110 years.
        {"40000", 5, s("05.03.2024"), 1},
        {"40000", 2, s("05.03.2024"), 1},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.datum);
        store::korvanelKuerzel.clear();
        umgebungen.clear();
        fehler.clear();
        fehlerAntwort = fall.antwort;
        befehlszeile({s("Datum=") + s(fall.datum)});
        MainTimers timers;
        timers.zeitInitTimer();
        EXPECT_EQ(umgebungen, (std::vector<QString>{s("Txt ") + fall.tag}));
        EXPECT_EQ(fehler.size(), fall.fehler);
    }
}

TEST_F(Timers, chooserOnlyWithoutADiaryOnTheCommandLine)
{
    foundation::IniSchreiben({}, {}, s("AuswahlÖffnen"), s("1"));
    int auswahl = 0;
    mainwindow::mainHooks().korvanelAuswahl = [&] {
        ++auswahl;
        store::korvanelKuerzel = s("Wal");
    };
    {
        MainTimers timers;
        timers.zeitInitTimer();
        EXPECT_EQ(auswahl, 1);
        EXPECT_TRUE(umgebungen.empty()); // the chooser opened the diary
    }
    store::korvanelKuerzel.clear();
    befehlszeile({s("Korvanel=Abc")});
    MainTimers timers;
    timers.zeitInitTimer();
    EXPECT_EQ(auswahl, 1);
    EXPECT_EQ(umgebungen, (std::vector<QString>{s("Abc 05.03.2024")}));
}

TEST_F(Timers, tipOfTheDayFromTheSixthStartOnceAWindow)
{
    struct Fall {
        const char* autoTip;
        const char* starts;
        int tipps;
    } faelle[] = {
        {"1", "6", 1}, {"1", "5", 0}, {"0", "60", 0}, {nullptr, "6", 1}, {"1", nullptr, 0},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.autoTip ? fall.autoTip : "-") + "/" + (fall.starts ? fall.starts : "-"));
        folders.writeSettingsFile(s("Brisol.ini"), QByteArray());
        if (fall.autoTip)
            foundation::IniSchreiben({}, {}, s("AutoTip"), s(fall.autoTip));
        if (fall.starts)
            foundation::IniSchreiben({}, {}, s("Stat_Starts"), s(fall.starts));
        int tipps = 0;
        mainwindow::mainHooks().tippDesTages = [&] { ++tipps; };
        MainTimers timers;
        store::korvanelKuerzel.clear();
        timers.zeitInitTimer();
        store::korvanelKuerzel.clear();
        timers.zeitInitTimer(); // a second run of the start-up in the same window
        EXPECT_EQ(tipps, fall.tipps);
    }
}
