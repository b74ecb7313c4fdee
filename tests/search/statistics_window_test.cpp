// The statistics window on a diary of real day files: the counts and sizes per total, year and
// month with both kinds of percentage, the year boxes, cancelling, the settings, and the three
// outputs (clipboard, printer, mood values).
#include "../views/views_fixture.h"

#include "commands/window_openers.h"
#include "platform/actions.h"
#include "runtime/numbers.h"
#include "search/statistics_window.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

using search::Statist;

namespace {

class Statistics : public ViewsTest {
protected:
    Statistics()
    {
        main.setCaption(u8("Mein Tagebuch"));
        // 100, 50 and 10 bytes; the extensions in three spellings.
        schreiben(u8("2023/20231230.Txt"), QByteArray(100, 'a'));
        schreiben(u8("2024/20240101.TXT"), QByteArray(50, 'b'));
        schreiben(u8("2024/20240229.txt"), QByteArray(10, 'c'));
        zeigeTag(u8("01.07.2024"));
    }

    // The window as the opener loads it; its delayed start is left to the test.
    Statist* laden()
    {
        auto* fenster = new Statist;
        fenster->zeitStart->stop();
        return fenster;
    }

    // Calculates with interval option art (0 total, 1 years, 2 months) and the percentages of
    // all entries (korvanel) or of the days of each period.
    static void berechnen(Statist* fenster, int art, bool korvanel)
    {
        fenster->opt[static_cast<std::size_t>(art)]->setChecked(true);
        fenster->optProzent[korvanel ? 1 : 0]->setChecked(true);
        fenster->mnuStatCalc_Click();
    }

    static QStringList zeilen(const Statist* fenster)
    {
        QStringList texte;
        for (int i = 0; i < fenster->Liste->topLevelItemCount(); ++i) {
            QStringList zellen;
            for (int spalte = 0; spalte < 4; ++spalte)
                zellen.append(fenster->Liste->topLevelItem(i)->text(spalte));
            texte.append(zellen.join(u'\t'));
        }
        return texte;
    }

    static bool leerlauf(const Statist* fenster)
    {
        return fenster->berechnungLaeuft == 0 && fenster->befAbbrechen->isEnabled()
               && fenster->befAbbrechen->text() == u8("Zu&rück")
               && fenster->ProgressBar->isHidden() && fenster->KombiJ1->isEnabled()
               && fenster->actions->isEnabled(u8("mnuStatistik"))
               && fenster->windowTitle().startsWith(u8("Statistik für Mein Tagebuch von "));
    }
};

TEST_F(Statistics, yearsRelative_copiesExactlyTheHeaderAndOneLinePerYear)
{
    Statist* fenster = laden();
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2023"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2024"));
    berechnen(fenster, 1, true);
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuStatKopieren")));
    EXPECT_EQ(clipboard.text(), u8("Jahr\tTage\tZeichen\trel %\t\r\n"
                                   "2023\t1\t100\t33,3\r\n"
                                   "2024\t2\t60\t66,7\r\n"));
    EXPECT_TRUE(leerlauf(fenster));
    EXPECT_TRUE(fenster->Liste->isVisibleTo(fenster));
    EXPECT_EQ(fenster->windowTitle(), u8("Statistik für Mein Tagebuch von 2023 bis 2024"));
}

TEST_F(Statistics, eachIntervalAndPercentage_givesItsRows)
{
    struct Fall {
        const char* name;
        int art;
        bool korvanel;
        const char* kopf;
        QStringList erwartet; // rows that must be in the list
        int anzahl;
    };
    const std::vector<Fall> faelle = {
        {"years, days of the year", 1, false, "Jahr|abs %",
         {u8("2023\t1\t100\t0,3"), u8("2024\t2\t60\t0,5")}, 2},
        {"months, days of the month", 2, false, "Jahr / Monat|abs %",
         {u8("2023 / 01\t0\t0\t0,0"), u8("2023 / 12\t1\t100\t3,2"), u8("2024 / 01\t1\t50\t3,2"),
          u8("2024 / 02\t1\t10\t3,4"), u8("2024 / 03\t0\t0\t0,0")},
         24},
        {"months, all entries", 2, true, "Jahr / Monat|rel %",
         {u8("2023 / 12\t1\t100\t33,3"), u8("2024 / 12\t0\t0\t0,0")}, 24},
        // 30.12.2023 to 29.02.2024 are 62 days, both ends counted.
        {"total, days from the first to the last entry", 0, false, "Bereich|abs %",
         {u8("2023-2024\t3\t160\t4,8")}, 1},
        {"total, all entries", 0, true, "Bereich|rel %", {u8("2023-2024\t3\t160\t100,0")}, 1},
    };
    Statist* fenster = laden();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        berechnen(fenster, fall.art, fall.korvanel);
        const QStringList kopf = u8(fall.kopf).split(u'|');
        EXPECT_EQ(fenster->Liste->headerItem()->text(0), kopf[0]);
        EXPECT_EQ(fenster->Liste->headerItem()->text(3), kopf[1]);
        const QStringList liste = zeilen(fenster);
        EXPECT_EQ(liste.size(), fall.anzahl);
        for (const QString& zeile : fall.erwartet)
            EXPECT_TRUE(liste.contains(zeile)) << zeile.toStdString() << " missing";
        EXPECT_TRUE(leerlauf(fenster));
    }
    // The month rows stand in calendar order.
    berechnen(fenster, 2, false);
    EXPECT_EQ(zeilen(fenster).first().left(9), u8("2023 / 01"));
    EXPECT_EQ(zeilen(fenster).last().left(9), u8("2024 / 12"));
}

TEST_F(Statistics, totalOverTheDaysOfTheDiary_countsBothEndsAndShowsSmallShares)
{
    struct Fall {
        const char* name;
        QStringList tage;
        const char* zeile;
    };
    const Fall faelle[] = {
        // Two entries on consecutive days span two days: no share passes 100 %.
        {"consecutive days", {u8("20240310"), u8("20240311")}, "2024-2024\t2\t2\t100,0"},
        {"one day alone", {u8("20240310")}, "2024-2024\t1\t1\t100,0"},
        // 732 days: a share under one per cent keeps its leading zero.
        {"two years apart", {u8("20220101"), u8("20240102")}, "2022-2024\t2\t2\t0,3"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QDir(datenordner.path()).removeRecursively();
        for (const QString& tag : fall.tage)
            schreiben(tag.left(4) + u'/' + tag + u8(".Txt"), "x");
        store::resetTagesverzeichnis();
        Statist* fenster = laden();
        berechnen(fenster, 0, false);
        EXPECT_EQ(zeilen(fenster), QStringList{u8(fall.zeile)});
        fenster->unload();
    }
}

TEST_F(Statistics, yearBoxes_takeNumbersWithinTheDiaryAndShowWhatWasCounted)
{
    struct Fall {
        const char* von;
        const char* bis;
        const char* vonDanach;
        const char* bisDanach;
    };
    const Fall faelle[] = {
        {"abc", "1999", "2023", "2023"},
        {"1999", "abc", "2023", "2023"},
        {"2030", "2031", "2024", "2024"},
        {"2024", "2023", "2024", "2024"}, // the end is not before the start
        {" 2024 ", "2024.6", "2024", "2024"},
    };
    Statist* fenster = laden();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.von) + " / " + fall.bis);
        fenster->KombiJ1->setEditText(u8(fall.von));
        fenster->KombiJ2->setEditText(u8(fall.bis));
        berechnen(fenster, 1, true);
        EXPECT_EQ(fenster->KombiJ1->currentText(), u8(fall.vonDanach));
        EXPECT_EQ(fenster->KombiJ2->currentText(), u8(fall.bisDanach));
        EXPECT_EQ(zeilen(fenster).size(), 1);
        EXPECT_TRUE(fenster->windowTitle().endsWith(u8(" von ") + u8(fall.vonDanach)
                                                    + u8(" bis ") + u8(fall.bisDanach)));
    }
}

TEST_F(Statistics, rangeMenus_setTheDecadesAndTheCalculationClampsThem)
{
    Statist* fenster = laden();
    // The clock stands in 2024.
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuBereichJznt")));
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2020"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2029"));
    EXPECT_TRUE(fenster->zeitStart->isActive());
    fenster->zeitStart_Timer();
    EXPECT_FALSE(fenster->zeitStart->isActive());
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2023"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2024"));

    EXPECT_TRUE(fenster->actions->trigger(u8("mnuBereichJzntLast")));
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2010"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2019"));
    fenster->zeitStart_Timer();
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2023"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2023"));

    EXPECT_TRUE(fenster->actions->trigger(u8("mnuBereichGesamt")));
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2023"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2024"));
}

TEST_F(Statistics, readPassword_takesTheMarkerAndHeaderOffEveryFile)
{
    schreiben(u8("2023/20231230.Txt"), QByteArray(140, 'a'));
    schreiben(u8("2024/20240101.TXT"), QByteArray(90, 'b'));
    schreiben(u8("2024/20240229.txt"), QByteArray(50, 'c'));
    store::kennwortLesen = u8("geheim");
    Statist* fenster = laden();
    berechnen(fenster, 1, true);
    EXPECT_EQ(zeilen(fenster), (QStringList{u8("2023\t1\t100\t33,3"), u8("2024\t2\t60\t66,7")}));
    EXPECT_EQ(fenster->korrektur, -40);
}

TEST_F(Statistics, dayFileGoneSinceTheIndexWasBuilt_countsItsDayAndTellsOnce)
{
    Statist* fenster = laden();
    store::TagesverzeichnisErstellen(true); // the index holds all three days now
    QFile::remove(datenordner.path() + u8("/2024/20240101.TXT"));
    berechnen(fenster, 1, true);
    ASSERT_EQ(fehler.size(), 1);
    EXPECT_TRUE(fehler[0].startsWith(u8("53 Es ist ein Fehler innerhalb der Statistik")));
    // The error dialog's answer (stop) ends the walk there: what was counted is shown.
    EXPECT_TRUE(leerlauf(fenster));
}

TEST_F(Statistics, cancelDuringTheWalk_leavesTheWindowIdleWithTheListHidden)
{
    // At midnight too: the steps follow the monotonic clock, not the time of day.
    uhr.setNow(rt::dateTimeOf(2024, 7, 2, 0, 0));
    Statist* fenster = laden();
    QTimer::singleShot(0, fenster->befAbbrechen, [fenster] {
        EXPECT_EQ(fenster->windowTitle(), u8("Werte Daten aus..."));
        EXPECT_EQ(fenster->befAbbrechen->text(), u8("Abb&rechen"));
        EXPECT_FALSE(fenster->actions->isEnabled(u8("mnuStatistik")));
        EXPECT_FALSE(fenster->KombiJ1->isEnabled());
        fenster->befAbbrechen->click();
        EXPECT_FALSE(fenster->befAbbrechen->isEnabled());
    });
    berechnen(fenster, 1, true);
    EXPECT_TRUE(leerlauf(fenster));
    EXPECT_FALSE(fenster->Liste->isVisibleTo(fenster));
    EXPECT_FALSE(fenster->isUnloaded());

    berechnen(fenster, 1, true);
    EXPECT_TRUE(fenster->Liste->isVisibleTo(fenster));
    EXPECT_EQ(zeilen(fenster).size(), 2);
}

TEST_F(Statistics, startWhileOneRuns_doesNothing)
{
    Statist* fenster = laden();
    bool geprueft = false;
    QTimer::singleShot(0, fenster, [fenster, &geprueft] {
        fenster->zeitStart_Timer();
        fenster->actions->action(u8("mnuStatCalc"))->trigger();
        fenster->mnuStimmungenKopieren_Click();
        EXPECT_EQ(fenster->berechnungLaeuft, 1);
        EXPECT_EQ(fenster->windowTitle(), u8("Werte Daten aus..."));
        geprueft = true;
    });
    berechnen(fenster, 1, true);
    EXPECT_TRUE(geprueft);
    EXPECT_TRUE(dialogs.calls().empty()) << "no mood export ran";
    EXPECT_EQ(zeilen(fenster).size(), 2);
    EXPECT_TRUE(leerlauf(fenster));
}

TEST_F(Statistics, settingsAtLoad_andSaveNowWritesTheFourKeys)
{
    foundation::IniSchreiben({}, {}, u8("StatJahr1"), u8("2024"));
    foundation::IniSchreiben({}, {}, u8("Prozent"), u8("1"));
    foundation::IniSchreiben({}, {}, u8("Art"), u8("2"));
    Statist* fenster = laden();
    EXPECT_EQ(fenster->KombiJ1->currentText(), u8("2024"));
    EXPECT_EQ(fenster->KombiJ2->currentText(), u8("2024"));
    EXPECT_TRUE(fenster->optProzent[1]->isChecked());
    EXPECT_TRUE(fenster->opt[2]->isChecked());
    fenster->unload();

    foundation::nurLesen = true; // the settings folder is no part of the diary
    const auto vorher = datenordnerInhalt();
    fenster = laden();
    fenster->KombiJ1->setEditText(u8(" 2023 "));
    fenster->opt[1]->setChecked(true);
    fenster->optProzent[0]->click();
    EXPECT_EQ(einstellung(u8("StatProz")), u8("0"));
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuSetupSpeichern")));
    EXPECT_EQ(einstellung(u8("StatJahr1")), u8("2023"));
    EXPECT_EQ(einstellung(u8("StatJahr2")), u8("2024"));
    EXPECT_EQ(einstellung(u8("Prozent")), u8("0"));
    EXPECT_EQ(einstellung(u8("Art")), u8("1"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(Statistics, copyBeforeAnyCalculation_givesOnlyTheHeaderLine)
{
    Statist* fenster = laden();
    fenster->mnuStatKopieren_Click();
    EXPECT_EQ(clipboard.text(), u8("Jahr\tTage\tZeichen\tPro\t\r\n"));
}

TEST_F(Statistics, moodExport_takesTheYearFileOverTheOldOne_andSkipsZeroAndNonEntryDays)
{
    schreiben(u8("Stimmung2024.ini"), "[TXT]\r\n01.01.2024=3\r\n15.01.2024=7\r\n");
    schreiben(u8("Stimmung.ini"), "[Txt]\r\n01.01.2024=5\r\n29.02.2024=-2\r\n30.12.2023=0\r\n");
    foundation::nurLesen = true;
    const auto vorher = datenordnerInhalt();
    Statist* fenster = laden();
    dialogs.expectMsgBox(platform::vbOK, u8("Die Stimmungs-Daten wurden in die Zwischenablage "
                                             "kopiert"));
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuStimmungenKopieren")));
    EXPECT_EQ(clipboard.text(), u8("01.01.2024\t3\r\n29.02.2024\t-2\r\n"));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, u8("Stimmungs-Daten"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbInformation);
    EXPECT_TRUE(leerlauf(fenster));
    EXPECT_EQ(datenordnerInhalt(), vorher) << "a read, nothing written";
}

TEST_F(Statistics, moodExport_readsTheFilesAsTheSettingsReadDoes)
{
    struct Fall {
        const char* name;
        QByteArray jahresDatei; // Stimmung2024.ini; empty: none
        QByteArray altDatei;    // Stimmung.ini
        const char* erwartet;
    };
    const Fall faelle[] = {
        {"no mood files", {}, {}, ""},
        {"first section and first key count",
         "[txt]\r\n01.01.2024=4\r\n01.01.2024=9\r\n[Txt]\r\n29.02.2024=8\r\n", {},
         "01.01.2024\t4\r\n"},
        {"blanks, quotes, LF and a comment",
         "; Stimmungen\n [ Txt ] \n 01.01.2024 = \"-3\" \n29.02.2024= \n", "[Txt]\r\n29.02.2024=6",
         "01.01.2024\t-3\r\n29.02.2024\t6\r\n"},
        {"a tab is a value", "[Txt]\r\n29.02.2024=\t\r\n", "[Txt]\r\n29.02.2024=6\r\n", ""},
        {"an empty year value gives the old one", "[Txt]\r\n29.02.2024=\r\n",
         "[Txt]\r\n29.02.2024=2\r\n", "29.02.2024\t2\r\n"},
        {"a year value of 0 hides the old one", "[Txt]\r\n29.02.2024=0\r\n",
         "[Txt]\r\n29.02.2024=2\r\n", ""},
        {"UTF-8 with its mark, another diary's section",
         "\xEF\xBB\xBF[Käs]\r\n01.01.2024=1\r\n[Txt]\r\n01.01.2024=2\r\n", {},
         "01.01.2024\t2\r\n"},
    };
    Statist* fenster = laden();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        QFile::remove(datenordner.path() + u8("/Stimmung2024.ini"));
        QFile::remove(datenordner.path() + u8("/Stimmung.ini"));
        if (!fall.jahresDatei.isEmpty())
            schreiben(u8("Stimmung2024.ini"), fall.jahresDatei);
        if (!fall.altDatei.isEmpty())
            schreiben(u8("Stimmung.ini"), fall.altDatei);
        // What the main window's own reads give for each day is what the export gives.
        QString proTag;
        for (const char* tag : {"30.12.2023", "01.01.2024", "29.02.2024"}) {
            const QString jahr = u8(tag).right(4);
            const QString j = foundation::IniLesen(datenordner.path() + u8("/Stimmung") + jahr
                                                       + u8(".ini"),
                                                   u8("Txt"), u8(tag), QString());
            const QString a = foundation::IniLesen(datenordner.path() + u8("/Stimmung.ini"),
                                                   u8("Txt"), u8(tag), QString());
            const double wert = rt::Val(!j.isEmpty() ? j : a);
            if (wert != 0)
                proTag += u8(tag) + u'\t' + QString::number(wert) + u8("\r\n");
        }
        EXPECT_EQ(proTag, u8(fall.erwartet));
        dialogs.expectMsgBox(platform::vbOK);
        fenster->mnuStimmungenKopieren_Click();
        EXPECT_EQ(clipboard.text(), u8(fall.erwartet));
    }
}

TEST_F(Statistics, moodFileThatIsAFolder_givesTheOldValues)
{
    QDir().mkpath(datenordner.path() + u8("/Stimmung2024.ini"));
    schreiben(u8("Stimmung.ini"), "[Txt]\r\n01.01.2024=5\r\n");
    Statist* fenster = laden();
    dialogs.expectMsgBox(platform::vbOK);
    fenster->mnuStimmungenKopieren_Click();
    EXPECT_EQ(clipboard.text(), u8("01.01.2024\t5\r\n"));
}

TEST_F(Statistics, print_putsCaptionHeaderAndRowsAtTheirColumnsFromTheMargins)
{
    foundation::IniSchreiben({}, {}, u8("Fusszeile"), u8("1"));
    Statist* fenster = laden();
    berechnen(fenster, 1, true);
    const QString titel = fenster->windowTitle();
    bool anzahlGesperrt = false;
    QString einstellungsTitel;
    mitDruckeinstellungen(
        [&](print::PrinterSet* w) {
            anzahlGesperrt = !w->frmAnzahl->isEnabled();
            einstellungsTitel = w->windowTitle();
            w->ComboRandX->setCurrentIndex(15);
            w->ComboRandY->setCurrentIndex(10);
            w->befOk->click();
        },
        [fenster] { EXPECT_TRUE(fenster->actions->trigger(u8("mnuStatPrint"))); });
    EXPECT_TRUE(anzahlGesperrt);
    EXPECT_EQ(einstellungsTitel, u8("Drucken - Korvanel, ") + titel);
    EXPECT_EQ(print::druckJob, u8("Korvanel_Statistik"));
    EXPECT_EQ(platform::findForm<print::PrinterSet>(), nullptr);
    ASSERT_EQ(papier.documents().size(), 1u);
    const auto& dokument = papier.documents()[0];
    EXPECT_TRUE(dokument.ended);
    ASSERT_EQ(dokument.pages.size(), 1u);
    const auto& texte = dokument.pages[0].texts;
    const auto finden = [&](const QString& text) -> const RecordingPrintSurface::Text* {
        for (const auto& t : texte) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    };
    const RecordingPrintSurface::Text* kopf = finden(titel);
    ASSERT_NE(kopf, nullptr);
    EXPECT_EQ(kopf->font.name, u8("Courier New"));
    EXPECT_EQ(kopf->font.size, 12);
    EXPECT_TRUE(kopf->font.bold);
    EXPECT_NEAR(kopf->x, 1.5, 1e-9);
    EXPECT_NEAR(kopf->y, 1.0, 1e-9);

    const QStringList spalten = {u8("Jahr"), u8("Tage"), u8("Zeichen"), u8("rel %")};
    const QStringList zeile = {u8("2024"), u8("2"), u8("60"), u8("66,7")};
    double kopfY = -1;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const RecordingPrintSurface::Text* k = finden(spalten[i]);
        const RecordingPrintSurface::Text* z = finden(zeile[i]);
        ASSERT_NE(k, nullptr);
        ASSERT_NE(z, nullptr);
        EXPECT_NEAR(k->x, 1.5 + 3 * i, 1e-9);
        EXPECT_NEAR(z->x, 1.5 + 3 * i, 1e-9);
        EXPECT_TRUE(k->font.bold);
        EXPECT_FALSE(z->font.bold);
        EXPECT_EQ(z->font.size, 10);
        if (i == 0)
            kopfY = k->y;
        EXPECT_NEAR(k->y, kopfY, 1e-9);
        // Caption, an empty line, the header, then 2023 and 2024.
        EXPECT_NEAR(z->y, 1.0 + 0.6 + 0.5 + 0.5 + 0.5, 1e-9);
    }
    EXPECT_NEAR(kopfY, 1.0 + 0.6 + 0.5, 1e-9);
    EXPECT_TRUE(texte.back().text.startsWith(u8("Brisols-Korvanel "))) << "the footer ends it";
    EXPECT_GT(texte.back().y, 26.0);

    mitDruckeinstellungen([](print::PrinterSet* w) { w->befAbbrechen->click(); },
                          [fenster] { fenster->mnuStatPrint_Click(); });
    EXPECT_EQ(papier.documents().size(), 1u) << "cancelled: nothing printed";
    EXPECT_EQ(platform::findForm<print::PrinterSet>(), nullptr);
}

TEST_F(Statistics, printOfALongList_goesOnOnTheNextPageAndEndsWithTheFooter)
{
    foundation::IniSchreiben({}, {}, u8("Fusszeile"), u8("1"));
    schreiben(u8("2000/20000101.Txt"), "Anfang");
    Statist* fenster = laden();
    berechnen(fenster, 2, false); // 25 years of months: 300 rows
    ASSERT_EQ(fenster->Liste->topLevelItemCount(), 300);
    mitDruckeinstellungen(
        [](print::PrinterSet* w) {
            w->ComboRandY->setCurrentIndex(20);
            w->befOk->click();
        },
        [fenster] { fenster->mnuStatPrint_Click(); });
    ASSERT_EQ(papier.documents().size(), 1u);
    const auto& seiten = papier.documents()[0].pages;
    ASSERT_GE(seiten.size(), 6u);
    // The second page goes on at the top margin with the next row.
    EXPECT_NEAR(seiten[1].texts.at(0).y, 2.0, 1e-9);
    EXPECT_EQ(seiten[1].texts.at(0).text.size(), 9); // "yyyy / mm"
    const QStringList letzte = seiten.back().strings();
    EXPECT_TRUE(letzte.contains(u8("2024 / 12")) || seiten[seiten.size() - 2].strings().contains(u8("2024 / 12")));
    EXPECT_TRUE(letzte.last().startsWith(u8("Brisols-Korvanel ")));
    // No row reaches into the footer's band.
    const double fussOben = seiten.back().texts.back().y;
    for (const auto& t : seiten.back().texts) {
        if (&t != &seiten.back().texts.back()) {
            EXPECT_LT(t.y + 0.5, fussOben + 1e-9) << t.text.toStdString();
        }
    }
}

TEST_F(Statistics, opener_givesTheMessageWithoutEntries_andShowsTheWindowWithThem)
{
    commands::alleFensterAnschliessen();
    sobaldOffen<Statist>([](Statist* fenster) {
        fenster->mnuStatCalc_Click();
        EXPECT_EQ(fenster->Liste->topLevelItemCount(), 1);
        fenster->befAbbrechen->click();
    });
    EXPECT_TRUE(commands::fensterOeffnen(u8("PulStatistik")));
    EXPECT_EQ(platform::findForm<Statist>(), nullptr) << "unloaded after it closed";

    for (const QString& datei : {u8("2023/20231230.Txt"), u8("2024/20240101.TXT"),
                                 u8("2024/20240229.txt")})
        QFile::remove(datenordner.path() + u'/' + datei);
    store::resetTagesverzeichnis();
    dialogs.expectMsgBox(platform::vbOK, u8("Eine Statistik ist nur möglich"));
    commands::fensterOeffnen(u8("PulStatistik"));
    EXPECT_EQ(platform::findForm<Statist>(), nullptr);
    commands::resetFensterOeffner();
}

} // namespace
