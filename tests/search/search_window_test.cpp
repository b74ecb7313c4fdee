// The search window on a small diary of day files: the walk from the shown day in both
// directions, the prompt at the end of the entries, the ranges and their captions, the settings
// and the debug log, the run that starts by itself, the cancel, the options and keywords.
#include "views/views_fixture.h"

#include "commands/window_openers.h"
#include "foundation/debug_log.h"
#include "platform/actions.h"
#include "platform/status_panels.h"
#include "platform/text_box.h"
#include "search/search_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <sys/stat.h>

using search::Suchen;

namespace {

class SearchWindow : public ViewsTest {
protected:
    SearchWindow()
    {
        commands::resetFensterOeffner();
        commands::alleFensterAnschliessen();
        // Three days, their extensions in mixed case, as another system may have left them.
        schreiben(u8("2024/20240103.Txt"), "Ein Tag am Meer.");
        schreiben(u8("2024/20240110.TXT"), "Berge und T\xe4ler.");
        schreiben(u8("2024/20240120.txt"), "Wieder Meer und Sonne.");
        main.days[u8("03.01.2024")] = u8("Ein Tag am Meer.");
        main.days[u8("10.01.2024")] = u8("Berge und Täler.");
        main.days[u8("20.01.2024")] = u8("Wieder Meer und Sonne.");
        // The main window keeps the store's shown day, as the real one does.
        main.onDayShown = [](const QString& tag) {
            store::aktDatum = tag;
            store::aktTagesdatei = store::DatumZuTagesnummer(tag) + u8(".Txt");
        };
        zeigeTag(u8("10.01.2024"));
    }
    ~SearchWindow() override { commands::resetFensterOeffner(); }

    Suchen* laden()
    {
        auto* fenster = new Suchen;
        fenster->Zeit->stop(); // the tests run its steps themselves
        return fenster;
    }
    static void vorwaerts(Suchen* fenster, bool an = true)
    {
        fenster->OptRichtung[an ? 1 : 0]->setChecked(true);
    }
    QString status(const Suchen* fenster) const
    {
        return fenster->panels->text(u8("Status"));
    }
};

TEST_F(SearchWindow, walksFromTheShownDayAndPutsTheCaretOnTheHit)
{
    struct Fall {
        const char* name;
        const char* gezeigt;
        bool vorwaerts;
        const char* tag;
        int selStart;
    } faelle[] = {
        {"backwards", "10.01.2024", false, "03.01.2024", 11},
        {"forwards", "10.01.2024", true, "20.01.2024", 7},
        // Behind the last entry day a forward run goes on with the first one, without asking
        // about the end of the entries: it has not yet seen a single one.
        {"forwards behind the last day", "25.01.2024", true, "03.01.2024", 11},
        {"backwards behind the last day", "25.01.2024", false, "20.01.2024", 7},
        {"backwards before the first day", "01.01.2024", false, "20.01.2024", 7},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        zeigeTag(u8(fall.gezeigt));
        Suchen* fenster = laden();
        fenster->Text->setText(u8("meer"));
        fenster->CheckMsgAtSE->setChecked(true);
        vorwaerts(fenster, fall.vorwaerts);
        fenster->BefSuche_Click();
        EXPECT_EQ(main.dateCaption(), u8(fall.tag));
        EXPECT_EQ(main.selStart(), fall.selStart);
        EXPECT_EQ(main.selLength(), 2);
        EXPECT_EQ(status(fenster), u8("Suche beendet."));
        EXPECT_TRUE(dialogs.calls().empty());
        EXPECT_EQ(fenster->BefAbbruch->text(), u8("Zu&rück"));
        EXPECT_TRUE(fenster->BefSuche->isEnabled());
        EXPECT_TRUE(fenster->RahmOpt->isEnabled());
        EXPECT_FALSE(fenster->ProgressBar->isVisible());
        fenster->unload();
    }
}

TEST_F(SearchWindow, theEndOfTheEntriesAsksAndCancelStopsQuietly)
{
    struct Fall {
        const char* name;
        int antwort;
        const char* tag;
    } faelle[] = {
        {"OK searches on from the first day", platform::vbOK, "03.01.2024"},
        {"Cancel leaves the main window", platform::vbCancel, "10.01.2024"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        zeigeTag(u8("10.01.2024"));
        Suchen* fenster = laden();
        fenster->Text->setText(u8("ein tag"));
        vorwaerts(fenster);
        fenster->CheckMsgAtSE->setChecked(true);
        const std::size_t vorher = dialogs.calls().size();
        dialogs.expectMsgBox(fall.antwort, u8("Bei der Suche wurde das Ende der Einträge erreicht."));
        fenster->BefSuche_Click();
        // One box only: after Cancel no "Keinen passenden Eintrag gefunden.".
        ASSERT_EQ(dialogs.calls().size(), vorher + 1);
        EXPECT_EQ(dialogs.calls().back().title, u8("Suche hat Eintrags-Ende erreicht 20.01.2024"));
        EXPECT_EQ(dialogs.calls().back().buttons, platform::vbOKCancel);
        EXPECT_EQ(main.dateCaption(), u8(fall.tag));
        EXPECT_EQ(fenster->laeuft, 0);
        fenster->unload();
    }
}

TEST_F(SearchWindow, rangesGiveTheirCaptionsAndTheDecadeItemsNameTheirYears)
{
    uhr.setNow(rt::dateTimeOf(2026, 8, 31, 10, 0));
    Suchen* fenster = laden();
    EXPECT_EQ(fenster->windowTitle(), u8("Textsuche über das gesamte Korvanel"));
    const auto aktion = [&](const char* name, int index) {
        return fenster->actions->action(platform::indexedName(u8(name), index));
    };
    EXPECT_EQ(aktion("mnuBereichJznt", 0)->text(), u8("2020er  &Dieses"));
    EXPECT_EQ(aktion("mnuBereichJznt", 2)->text(), u8("2000er  &Vorletztes"));
    EXPECT_EQ(aktion("mnuBereichJznt", 4)->text(), u8("1980er "));
    EXPECT_EQ(aktion("mnuBereichJznt", 6)->text(), u8("1960er "));

    struct Fall {
        const char* name;
        QAction* befehl;
        const char* titel;
        qint32 anfang, ende;
    } faelle[] = {
        {"31 days", aktion("mnuBereichLast", 0), "Textsuche von 31.07.2026 bis 31.08.2026",
         20260731, 20260831},
        {"half a year to a shorter month", aktion("mnuBereichLast", 1),
         "Textsuche von 28.02.2026 bis 31.08.2026", 20260228, 20260831},
        {"a year", aktion("mnuBereichLast", 2), "Textsuche von 31.08.2025 bis 31.08.2026",
         20250831, 20260831},
        {"decade item 2", aktion("mnuBereichJznt", 2), "Textsuche von 01.01.2000 bis 31.12.2009",
         20000101, 20091231},
        {"the whole diary", fenster->actions->action(u8("mnuBereichGesamt")),
         "Textsuche über das gesamte Korvanel", 15000101, 22001231},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        fall.befehl->trigger();
        EXPECT_EQ(fenster->windowTitle(), u8(fall.titel));
        EXPECT_EQ(fenster->bereichAnfang, fall.anfang);
        EXPECT_EQ(fenster->bereichEnde, fall.ende);
    }
}

TEST_F(SearchWindow, aRangeWithoutEntriesStepsOverEveryDay)
{
    uhr.setNow(rt::dateTimeOf(2026, 8, 31, 10, 0));
    Suchen* fenster = laden();
    fenster->mnuBereichLast_Click(0);
    fenster->Text->setText(u8("meer"));
    dialogs.expectMsgBox(platform::vbOK, u8("Keinen passenden Eintrag gefunden."));
    fenster->BefSuche_Click();
    EXPECT_EQ(dialogs.calls().back().title, u8("Korvanel, Eintrag suchen"));
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbInformation);
    EXPECT_EQ(main.dateCaption(), u8("10.01.2024"));
    EXPECT_EQ(status(fenster), u8("Suche beendet. Keinen Eintrag gefunden."));
}

TEST_F(SearchWindow, settingsAreReadAtLoadWrittenOnDemandAndTheRunIsLogged)
{
    struct Gelesen {
        const char* name;
        const char* typ, *richtung, *gross, *hinweis;
        int typIndex;
        bool vorwaerts, grossAn, hinweisAn;
    } faelle[] = {
        {"defaults", "", "", "", "", 0, false, false, false},
        {"all set", "2", "1", "1", "1", 2, true, true, true},
        {"out of range", "7", "5", "0", "0", 0, false, false, false},
        {"phonetic clears the case option", "1", "0", "1", "0", 1, false, false, false},
    };
    for (const Gelesen& fall : faelle) {
        SCOPED_TRACE(fall.name);
        foundation::IniSchreiben({}, {}, u8("Suchtyp"), u8(fall.typ));
        foundation::IniSchreiben({}, {}, u8("Suchrichtung"), u8(fall.richtung));
        foundation::IniSchreiben({}, {}, u8("Suchcase"), u8(fall.gross));
        foundation::IniSchreiben({}, {}, u8("SuchAtSE"), u8(fall.hinweis));
        Suchen* fenster = laden();
        EXPECT_TRUE(fenster->optSuchTyp[fall.typIndex]->isChecked());
        EXPECT_EQ(fenster->OptRichtung[1]->isChecked(), fall.vorwaerts);
        EXPECT_EQ(fenster->CheckNoLcase->isChecked(), fall.grossAn);
        EXPECT_EQ(fenster->CheckMsgAtSE->isChecked(), fall.hinweisAn);
        fenster->unload();
    }

    Suchen* fenster = laden();
    fenster->optSuchTyp[2]->click();
    vorwaerts(fenster);
    fenster->CheckNoLcase->setChecked(true);
    fenster->CheckMsgAtSE->setChecked(false);
    fenster->actions->action(u8("mnuSetupSave"))->trigger();
    EXPECT_EQ(einstellung(u8("Suchtyp")), u8("2"));
    EXPECT_EQ(einstellung(u8("Suchrichtung")), u8("1"));
    EXPECT_EQ(einstellung(u8("Suchcase")), u8("1"));
    EXPECT_EQ(einstellung(u8("SuchAtSE")), u8("0"));

    // A run: SucheAktWeiter is written when missing, the log tells query and type.
    foundation::IniSchreiben({}, {}, u8("SucheAktWeiter"), QString());
    foundation::IniSchreiben({}, u8("Allgemein"), u8("DebugMode"), u8("1"));
    foundation::resetDebugLogbuch();
    fenster->CheckNoLcase->setChecked(false);
    fenster->Text->setText(u8("urlaub\r\nmeer"));
    fenster->BefSuche_Click();
    EXPECT_EQ(einstellung(u8("SucheAktWeiter")), u8("1"));
    EXPECT_EQ(main.dateCaption(), u8("20.01.2024"));
    EXPECT_EQ(main.selStart(), 0); // a pattern hit puts the caret at the start
    EXPECT_EQ(main.selLength(), 0);
    const QString log = QString::fromUtf8(lesen(u8("Debug.txt")));
    for (const char* zeile : {"Suche.Text: 'urlaub^mmeer'", "Suche.Typ: 2=Mustervergleich",
                              "Suche.Richtung: 1", "Suche.Ende: Treffer"})
        EXPECT_TRUE(log.contains(u8(zeile))) << zeile;
}

TEST_F(SearchWindow, searchNextStartsByItselfAndClosesOnAHit)
{
    // A first opening leaves a query behind.
    sobaldOffen<Suchen>([](Suchen* fenster) {
        fenster->Text->setText(u8("meer"));
        fenster->BefAbbruch_Click();
    });
    ASSERT_TRUE(commands::fensterOeffnen(u8("mnuSuchen")));
    Suchen* fenster = platform::findForm<Suchen>();
    ASSERT_NE(fenster, nullptr);
    EXPECT_FALSE(fenster->isVisible());

    // With a hit: the timer's step starts the run, which closes the window.
    bool gestartet = false;
    sobaldOffen<Suchen>([&](Suchen* offen) {
        EXPECT_EQ(commands::suchenWeiter, 1);
        EXPECT_TRUE(offen->Zeit->isActive());
        EXPECT_LE(offen->Zeit->interval(), 500);
        offen->Zeit_Timer();
        gestartet = true;
        if (offen->isVisible()) {
            ADD_FAILURE() << "the window stayed open after a hit";
            offen->BefAbbruch_Click();
        }
    });
    ASSERT_TRUE(commands::fensterOeffnen(u8("mnuSuchenWeiter")));
    EXPECT_TRUE(gestartet);
    EXPECT_EQ(main.dateCaption(), u8("03.01.2024"));
    EXPECT_EQ(commands::suchenWeiter, 0);
    EXPECT_EQ(platform::findForm<Suchen>(), fenster); // kept loaded, query kept
    EXPECT_EQ(fenster->Text->text(), u8("meer"));

    // Without a hit the window stays open.
    fenster->Text->setText(u8("gebirge"));
    bool offenGeblieben = false;
    dialogs.expectMsgBox(platform::vbOK, u8("Keinen passenden Eintrag gefunden."));
    sobaldOffen<Suchen>([&](Suchen* offen) {
        offen->Zeit_Timer();
        offenGeblieben = offen->isVisible();
        EXPECT_EQ(commands::suchenWeiter, 2);
        offen->BefAbbruch_Click();
    });
    ASSERT_TRUE(commands::fensterOeffnen(u8("mnuSuchenWeiter")));
    EXPECT_TRUE(offenGeblieben);
    EXPECT_EQ(main.dateCaption(), u8("03.01.2024"));
}

TEST_F(SearchWindow, oneIndexDayIsNotEnoughToSearch)
{
    QFile::remove(foundation::ordnerDat + u8("/2024/20240103.Txt"));
    QFile::remove(foundation::ordnerDat + u8("/2024/20240120.txt"));
    bool gezeigt = false;
    dialogs.expectMsgBox(platform::vbOK, u8("Keine Einträge zum Durchsuchen gefunden."));
    sobaldOffen<Suchen>([&](Suchen* fenster) {
        fenster->Text->setText(u8("berge"));
        fenster->BefSuche_Click();
        gezeigt = fenster->isVisible();
        if (gezeigt)
            fenster->BefAbbruch_Click();
    });
    ASSERT_TRUE(commands::fensterOeffnen(u8("mnuSuchen")));
    EXPECT_FALSE(gezeigt); // the message closes the window
    EXPECT_EQ(dialogs.calls().back().title, u8("Korvanel, Suche"));
    EXPECT_EQ(dialogs.calls().back().icon, platform::vbExclamation);
}

TEST_F(SearchWindow, cancelStopsAfterTheCurrentDayAndChangesNoFile)
{
    for (int tag = 11; tag <= 19; ++tag)
        eintrag(QByteArray("202401" + QByteArray::number(tag)).constData(), "Nichts davon.");
    const auto vorher = datenordnerInhalt();
    Suchen* fenster = laden();
    fenster->Text->setText(u8("meer"));
    vorwaerts(fenster);
    // The first pumping of events after the first day presses "Abb&rechen".
    bool waehrendDesLaufs = false;
    QTimer::singleShot(0, fenster, [&] {
        waehrendDesLaufs = fenster->laeuft == 1 && !fenster->BefSuche->isEnabled()
                           && !fenster->RahmRicht->isEnabled() && !fenster->RahmTyp->isEnabled()
                           && fenster->BefAbbruch->text() == u8("Abb&rechen");
        fenster->BefAbbruch->click();
    });
    fenster->BefSuche_Click();
    EXPECT_TRUE(waehrendDesLaufs);
    EXPECT_TRUE(dialogs.calls().empty()); // no message about a missing hit
    EXPECT_EQ(main.dateCaption(), u8("10.01.2024"));
    EXPECT_EQ(fenster->BefAbbruch->text(), u8("Zu&rück"));
    EXPECT_TRUE(fenster->BefAbbruch->isEnabled());
    EXPECT_TRUE(fenster->BefSuche->isEnabled());
    EXPECT_EQ(fenster->laeuft, 0);
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(SearchWindow, unreadableEntriesAndInvalidPatternsMatchNothing)
{
    // A day file that is a FIFO holds "Meer" for nobody: the run goes past it.
    const QString fifo = foundation::ordnerDat + u8("/2024/20240115.Txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    zeigeTag(u8("20.01.2024"));
    Suchen* fenster = laden();
    fenster->Text->setText(u8("meer"));
    fenster->BefSuche_Click();
    EXPECT_EQ(main.dateCaption(), u8("03.01.2024"));

    // An invalid pattern is told once; the other line still finds its day.
    fenster->optSuchTyp[2]->click();
    fenster->Text->setText(u8("[abc\r\nberge"));
    dialogs.expectMsgBox(platform::vbOK, u8("»[abc«"));
    fenster->BefSuche_Click();
    EXPECT_EQ(main.dateCaption(), u8("10.01.2024"));
    EXPECT_EQ(dialogs.calls().size(), 1U);
}

TEST_F(SearchWindow, phoneticTypeSwitchesTheCaseOptionOffAndKeywordsBecomeQuotedTerms)
{
    schreiben(u8("Korvanel.stw"), "Urlaub\r\nkalter~Wind\r\n");
    Suchen* fenster = laden();
    ASSERT_EQ(fenster->Liste->count(), 2);
    fenster->CheckNoLcase->setChecked(true);
    fenster->optSuchTyp[1]->click();
    EXPECT_FALSE(fenster->CheckNoLcase->isChecked());
    EXPECT_FALSE(fenster->CheckNoLcase->isEnabled());
    fenster->optSuchTyp[2]->click();
    EXPECT_TRUE(fenster->CheckNoLcase->isEnabled());

    fenster->Text->setText(u8("sonne"));
    fenster->Text->setSelStart(5);
    fenster->Liste_Click(1);
    EXPECT_EQ(fenster->Text->text(), u8("sonne \"kalter Wind\" "));
    fenster->optSuchTyp[0]->click();
    fenster->SuchbegriffeZerlegen();
    EXPECT_EQ(fenster->EintragPasst(1, u8("Sonne und kalter Wind")), 11);

    // "&Suchen" follows the query.
    fenster->Text->setText(QString());
    fenster->Zeit_Timer();
    EXPECT_FALSE(fenster->BefSuche->isEnabled());
    fenster->Text->setText(u8("x"));
    fenster->Zeit_Timer();
    EXPECT_TRUE(fenster->BefSuche->isEnabled());
}

TEST_F(SearchWindow, theSearchTimeCountsOverMidnight)
{
    for (int tag = 11; tag <= 19; ++tag)
        eintrag(QByteArray("202401" + QByteArray::number(tag)).constData(), "Nichts davon.");
    uhr.setNow(rt::dateTimeOf(2024, 1, 10, 23, 59, 58));
    Suchen* fenster = laden();
    fenster->Text->setText(u8("gebirge"));
    vorwaerts(fenster);
    // Five seconds pass while the first day is searched; midnight lies between.
    QTimer::singleShot(0, fenster, [&] { uhr.advance(5000); });
    dialogs.expectMsgBox(platform::vbOK, u8("Keinen passenden Eintrag gefunden."));
    fenster->BefSuche_Click();
    EXPECT_EQ(fenster->panels->text(u8("Suchzeit")), u8("5 Sekunden"));
}

TEST_F(SearchWindow, theKeywordWindowUnloadsItButNotDuringARun)
{
    Suchen* fenster = laden();
    fenster->Text->setText(u8("ein tag"));
    vorwaerts(fenster);
    bool verweigert = false;
    QTimer::singleShot(0, fenster, [&] { verweigert = !fenster->unload(); });
    fenster->BefSuche_Click();
    EXPECT_TRUE(verweigert);
    EXPECT_FALSE(fenster->isUnloaded());
    EXPECT_TRUE(fenster->unload());
}

} // namespace
