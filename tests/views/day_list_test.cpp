// The day list on real day files with a standing clock: the lines of a range, the filter, the
// cancel, the line limit, the clicks, the range commands and the commands on the list.
#include "views_fixture.h"

#include "commands/window_openers.h"
#include "platform/actions.h"
#include "platform/mouse_pointer.h"
#include "platform/status_panels.h"
#include "runtime/codec.h"
#include "store/day_index.h"
#include "views/day_list.h"
#include "views/selected_line.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using views::Tagesliste;

namespace {

class DayList : public ViewsTest {
protected:
    DayList()
    {
        uhr.setNow(rt::dateTimeOf(2024, 5, 15, 10, 0));
        eintrag("20240301", "Erste Zeile\r\nzweite Zeile");
        eintrag("20240303", "Dritter");
        zeigeTag(u8("15.05.2024"));
    }

    // The window as the main menu opens it, without its start timer.
    Tagesliste* oeffnen()
    {
        auto* fenster = new Tagesliste;
        fenster->Liste->clear();
        fenster->show();
        fenster->TimerInit->stop();
        return fenster;
    }
    static void bauen(Tagesliste* fenster, const char* von, const char* bis)
    {
        fenster->bereichVon = u8(von);
        fenster->bereichBis = u8(bis);
        fenster->mnuListeAktualisieren_Click();
    }
    static QString panel(const Tagesliste* fenster, const char* key)
    {
        return fenster->panels->text(u8(key));
    }
    static QAction* menue(const Tagesliste* fenster, const char* name)
    {
        return fenster->actions->action(u8(name));
    }
    static int zeileVon(const Tagesliste* fenster, const char* datum)
    {
        for (int i = 0; i < fenster->Liste->count(); ++i) {
            if (fenster->Liste->item(i)->text().startsWith(u8(datum)))
                return i;
        }
        ADD_FAILURE() << "no line " << datum;
        return -1;
    }
};

TEST_F(DayList, opensFromTheMainMenuOnTheMonthShown_freshEachTime_andIsUnloadedAfterwards)
{
    commands::resetFensterOeffner();
    commands::alleFensterAnschliessen();
    QPointer<Tagesliste> erste;
    for (int oeffnung = 1; oeffnung <= 2; ++oeffnung) {
        SCOPED_TRACE(oeffnung);
        bool gezeigt = false;
        sobaldOffen<Tagesliste>([&](Tagesliste* fenster) {
            gezeigt = true;
            EXPECT_TRUE(fenster->isModal());
            EXPECT_EQ(fenster->parentWidget(), main.widget()) << "owned by the main window";
            EXPECT_NE(fenster, erste.data()) << "a fresh load each time";
            erste = fenster;
            EXPECT_TRUE(fenster->TimerInit->isActive());
            EXPECT_EQ(fenster->Liste->count(), 0);
            EXPECT_EQ(main.panelText(u8("Status")), u8("Tagesliste..."));
            fenster->TimerInit_Timer(); // its first tick
            EXPECT_FALSE(fenster->TimerInit->isActive());
            EXPECT_EQ(fenster->Liste->count(), 31);
            EXPECT_EQ(fenster->bereichVon, u8("01.05.2024"));
            EXPECT_EQ(fenster->bereichBis, u8("31.05.2024"));
            fenster->Liste->setCurrentRow(oeffnung + 1);
            QTest::keyClick(fenster, Qt::Key_Escape);
        });
        EXPECT_TRUE(commands::fensterOeffnen(u8("mnuTagesliste")));
        EXPECT_TRUE(gezeigt);
        EXPECT_EQ(platform::findForm<Tagesliste>(), nullptr) << "unloaded when it closed";
        EXPECT_EQ(main.dateCaption(), oeffnung == 1 ? u8("03.05.2024") : u8("04.05.2024"));
        EXPECT_EQ(main.panelText(u8("Status")), u8("Bereit"));
    }
    EXPECT_TRUE(fehler.isEmpty()) << fehler.join(u'\n').toStdString();
    commands::resetFensterOeffner();
}

TEST_F(DayList, listsEveryDayOfTheRange_filterAndDaysWithoutEntry)
{
    Tagesliste* fenster = oeffnen();
    EXPECT_EQ(fenster->windowTitle(), u8("Tagesliste"));
    EXPECT_TRUE(menue(fenster, "mnuAlleTage")->isChecked()) << "days without entry by default";

    bauen(fenster, "01.03.2024", "03.03.2024");
    EXPECT_EQ(zeilen(fenster->Liste), (QStringList{u8("01.03.2024 Erste Zeile zweite Zeile"),
                                                   u8("02.03.2024 "), u8("03.03.2024 Dritter")}));
    EXPECT_EQ(panel(fenster, "Anzahl"), u8(" 3 Anzeigen "));
    EXPECT_EQ(panel(fenster, "Bereich"), u8(" vom 01.03.2024 bis zum 03.03.2024 "));
    EXPECT_EQ(menue(fenster, "mnuZurück")->text(), u8("Zu&rück"));
    EXPECT_EQ(fenster->listeStatus, 0);
    EXPECT_FALSE(fenster->ProgressBar->isVisible());

    // The filter looks at the text followed by " -" and the date: "-02.03." is that day of
    // every year, also of a day without entry.
    fenster->kombiSuche->setEditText(u8("-02.03."));
    fenster->mnuListeAktualisieren_Click();
    EXPECT_EQ(zeilen(fenster->Liste), QStringList{u8("02.03.2024 ")});
    EXPECT_EQ(panel(fenster, "Anzahl"), u8(" 1 Anzeige "));
    fenster->kombiSuche->setEditText(u8("ZWEITE"));
    fenster->mnuListeAktualisieren_Click();
    EXPECT_EQ(zeilen(fenster->Liste), QStringList{u8("01.03.2024 Erste Zeile zweite Zeile")});

    // Days without entry switched off: the setting is written and the list built again.
    fenster->kombiSuche->setEditText(QString());
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuAlleTage")));
    EXPECT_EQ(zeilen(fenster->Liste),
              (QStringList{u8("01.03.2024 Erste Zeile zweite Zeile"), u8("03.03.2024 Dritter")}));
    EXPECT_EQ(einstellung(u8("TgLstAllDay")), u8("0"));
    {
        Tagesliste* naechstes = oeffnen();
        EXPECT_FALSE(naechstes->actions->action(u8("mnuAlleTage"))->isChecked())
            << "the next opening takes the setting";
        naechstes->unload();
    }

    // A range of one day lists that day and the next.
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuAlleTage")));
    EXPECT_EQ(einstellung(u8("TgLstAllDay")), u8("1"));
    bauen(fenster, "05.03.2024", "05.03.2024");
    EXPECT_EQ(zeilen(fenster->Liste), (QStringList{u8("05.03.2024 "), u8("06.03.2024 ")}));
}

TEST_F(DayList, linesCarry350CharactersAndAnUnreadableDayShowsWhyItIsMissing)
{
    eintrag("20240304", QByteArray(400, 'x'));
    // A folder where the day file should be, and a pipe: the day exists, but it cannot be read
    // (and the pipe is not waited on).
    QDir().mkpath(datenordner.path() + u8("/2024/20240302.Txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(datenordner.path() + u8("/2024/20240305.Txt")).constData(),
                       0600),
              0);
    // Line breaks become blanks before the 350 characters are counted.
    eintrag("20240306", "a\r\n" + QByteArray(400, 'y'));
    Tagesliste* fenster = oeffnen();
    bauen(fenster, "02.03.2024", "06.03.2024");
    const QStringList liste = zeilen(fenster->Liste);
    ASSERT_EQ(liste.size(), 5);
    for (const int zeile : {0, 3}) {
        SCOPED_TRACE(zeile);
        EXPECT_TRUE(liste[zeile].contains(u8(" Der Eintrag »"))) << liste[zeile].toStdString();
        EXPECT_TRUE(liste[zeile].contains(u8("kann nicht gelesen werden")));
        EXPECT_FALSE(liste[zeile].contains(u'\r'));
    }
    EXPECT_TRUE(liste[0].startsWith(u8("02.03.2024 ")));
    EXPECT_EQ(liste[2], u8("04.03.2024 ") + QString(350, u'x'));
    EXPECT_EQ(liste[4], u8("06.03.2024 a ") + QString(348, u'y'));
}

TEST_F(DayList, filterThatIsNoPattern_isToldOnce_andNothingIsBuilt)
{
    Tagesliste* fenster = oeffnen();
    bauen(fenster, "01.03.2024", "03.03.2024");
    for (const char* filter : {"[", "[z-a]", "abc[def"}) {
        SCOPED_TRACE(filter);
        fenster->kombiSuche->setEditText(u8(filter));
        dialogs.expectMsgBox(platform::vbOK, u8("ist ungültig"));
        fenster->mnuListeAktualisieren_Click();
        EXPECT_EQ(zeilen(fenster->Liste).size(), 3) << "the list stays as it was";
        EXPECT_EQ(fenster->listeStatus, 0);
        EXPECT_TRUE(fenster->Liste->isEnabled());
        EXPECT_TRUE(menue(fenster, "mnuListeAktualisieren")->isEnabled());
    }
    EXPECT_EQ(dialogs.calls().size(), 3u) << "one message per try";
}

TEST_F(DayList, buildLocksTheWindowButLetsItBeCancelled)
{
    Tagesliste* fenster = oeffnen();
    bool gesehen = false;
    // The first pump of the build runs this: only the menu "Liste" with its cancel entry is
    // usable, the list and the other commands are off.
    QTimer::singleShot(0, fenster, [&] {
        gesehen = true;
        EXPECT_EQ(fenster->listeStatus, 1);
        EXPECT_EQ(menue(fenster, "mnuZurück")->text(), u8("Abb&rechen"));
        EXPECT_FALSE(fenster->Liste->isEnabled());
        EXPECT_FALSE(fenster->kombiSuche->isEnabled());
        EXPECT_FALSE(fenster->actions->trigger(u8("mnuBereichJahr")));
        EXPECT_FALSE(fenster->actions->trigger(u8("ListeZA")));
        EXPECT_TRUE(fenster->ProgressBar->isVisible());
        EXPECT_EQ(panel(fenster, "Datum"), u8("Lese Daten..."));
        EXPECT_TRUE(fenster->actions->trigger(u8("mnuZurück")));
        EXPECT_TRUE(fenster->isVisible()) << "cancelling does not close";
    });
    bauen(fenster, "01.01.2024", "31.12.2024");
    EXPECT_TRUE(gesehen);
    EXPECT_EQ(fenster->Liste->count(), 0);
    EXPECT_EQ(menue(fenster, "mnuZurück")->text(), u8("Zu&rück"));
    EXPECT_EQ(fenster->listeStatus, 0);
    EXPECT_TRUE(fenster->Liste->isEnabled());
    EXPECT_TRUE(fenster->actions->trigger(u8("ListeZA"))) << "idle again";
    EXPECT_EQ(panel(fenster, "Datum"), u8("Keine Einträge gefunden..."));

    // Idle, the same command closes the window and stores its place.
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuZurück")));
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_NE(einstellung(u8("Form_WeiteTagesLst")), u8("<fehlt>"));
}

TEST_F(DayList, theLineOverTheLimitIsStillAdded_thenTheBuildStopsWithAMessage)
{
    Tagesliste* fenster = oeffnen();
    dialogs.expectMsgBox(platform::vbOK, u8("Die Tagesliste kann maximal 32000 Einträge anzeigen."));
    bauen(fenster, "01.01.1900", "31.12.1999");
    EXPECT_EQ(fenster->Liste->count(), Tagesliste::zeilenGrenze + 1);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbCritical);
    EXPECT_EQ(dialogs.calls()[0].title, u8("Tagesliste"));
    EXPECT_EQ(panel(fenster, "Anzahl"), u8(" 32.001 Anzeigen "));
    EXPECT_EQ(fenster->listeStatus, 0);
}

TEST_F(DayList, clickShowsTheDayAndItsDistance_andMovesTheMainWindowOnlyWhenIdle)
{
    eintrag("20240514", "Gestern");
    Tagesliste* fenster = oeffnen();
    const QStringList vorher = main.shownDays;
    bauen(fenster, "14.05.2024", "15.06.2024");
    EXPECT_EQ(main.shownDays, vorher) << "the build's own selections leave the main window";
    // The remembered day (the one shown) is selected, and the panels follow it.
    EXPECT_EQ(fenster->Liste->currentItem()->text(), u8("15.05.2024 "));
    EXPECT_EQ(panel(fenster, "Datum"), u8(" Mi, 15.05.2024 "));
    EXPECT_EQ(panel(fenster, "Vor"), u8(" heute "));

    struct Fall {
        const char* tag;
        const char* datum;
        const char* vor;
    };
    for (const Fall& fall : {Fall{"14.05.2024", " Di, 14.05.2024 ", " gestern "},
                             Fall{"16.05.2024", " Do, 16.05.2024 ", " morgen "},
                             Fall{"25.05.2024", " Sa, 25.05.2024 ", " in 10 Tagen "},
                             Fall{"15.06.2024", " Sa, 15.06.2024 ", " in 4,4 Wochen "}}) {
        SCOPED_TRACE(fall.tag);
        fenster->Liste->setCurrentRow(zeileVon(fenster, fall.tag));
        EXPECT_EQ(panel(fenster, "Datum"), u8(fall.datum));
        EXPECT_EQ(panel(fenster, "Vor"), u8(fall.vor));
        EXPECT_EQ(main.dateCaption(), u8(fall.tag));
    }
    // A double click closes the window on the day clicked.
    fenster->Liste->setCurrentRow(1);
    emit fenster->Liste->itemDoubleClicked(fenster->Liste->item(1));
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(main.dateCaption(), u8("15.05.2024"));
}

TEST_F(DayList, rememberedDaySelectsItsLine_orTheFirst_orNone)
{
    Tagesliste* fenster = oeffnen();
    // aktDatum 15.05.2024 lies outside the range: the first line.
    bauen(fenster, "01.03.2024", "03.03.2024");
    EXPECT_EQ(fenster->Liste->currentRow(), 0);
    // The selected line is remembered: 03.03.2024 is selected again in the wider range.
    fenster->Liste->setCurrentRow(2);
    bauen(fenster, "25.02.2024", "10.03.2024");
    EXPECT_EQ(fenster->Liste->currentItem()->text(), u8("03.03.2024 Dritter"));
    // A remembered day before every listed line: nothing selected.
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuAlleTage")));
    fenster->Liste->setCurrentRow(-1);
    zeigeTag(u8("29.02.2024"));
    bauen(fenster, "29.02.2024", "10.03.2024");
    EXPECT_EQ(zeilen(fenster->Liste).size(), 2);
    EXPECT_EQ(views::gewaehlteZeilenNummer(fenster->Liste), -1);
    EXPECT_EQ(main.dateCaption(), u8("29.02.2024"))
        << "the list taking the focus chose no line";
}

TEST_F(DayList, rangeCommands)
{
    uhr.setNow(rt::dateTimeOf(2024, 3, 15, 9, 0));
    zeigeTag(u8("31.01.2024"));
    Tagesliste* fenster = oeffnen();
    const auto bereich = [fenster] { return fenster->bereichVon + u8(" - ") + fenster->bereichBis; };

    // The start timer lists the month shown; every build names the months in the captions.
    fenster->TimerInit->start();
    fenster->TimerInit_Timer();
    EXPECT_FALSE(fenster->TimerInit->isActive());
    EXPECT_EQ(bereich(), u8("01.01.2024 - 31.01.2024"));
    struct Beschriftung {
        const char* name;
        const char* text;
    };
    for (const Beschriftung& b :
         {Beschriftung{"mnuBereichGew(0)", "&Gewählter Monat (01.2024)"},
          Beschriftung{"mnuBereichGew(1)", "&Letzten 3 gewählten Monate (10.2023 bis 01.2024)"},
          Beschriftung{"mnuBereichAkt(0)", "&Aktueller Monat (03.2024)"},
          Beschriftung{"mnuBereichAkt(1)", "L&etzten 3 Monate (12.2023 bis 03.2024)"},
          Beschriftung{"mnuBereichAdd(0)", "Monat weiter &zurück (ab 12.2023)"},
          Beschriftung{"mnuBereichAdd(1)", "Monat weiter &vor (bis 02.2024)"}}) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(menue(fenster, b.name)->text(), u8(b.text));
        EXPECT_TRUE(menue(fenster, b.name)->isVisible());
    }

    struct Fall {
        const char* name;
        const char* vonVorher; // "" leaves the range as the step before left it
        const char* bisVorher;
        std::function<void()> befehl;
        const char* erwartet;
    };
    const auto menuePunkt = [fenster](const char* name) {
        return [fenster, name] { EXPECT_TRUE(fenster->actions->trigger(u8(name))); };
    };
    const Fall faelle[] = {
        {"three months shown", "", "", menuePunkt("mnuBereichGew(1)"), "01.10.2023 - 31.01.2024"},
        {"this month", "", "", menuePunkt("mnuBereichAkt(0)"), "01.03.2024 - 31.03.2024"},
        {"three months to now", "", "", menuePunkt("mnuBereichAkt(1)"), "01.12.2023 - 31.03.2024"},
        {"a month back", "", "", menuePunkt("mnuBereichAdd(0)"), "01.11.2023 - 31.03.2024"},
        {"a month on, end snaps to the month's end", "01.01.2023", "28.02.2023",
         menuePunkt("mnuBereichAdd(1)"), "01.01.2023 - 31.03.2023"},
        {"a month on, mid-month stays", "01.01.2023", "15.03.2023", menuePunkt("mnuBereichAdd(1)"),
         "01.01.2023 - 15.04.2023"},
        {"a month on from 30 April", "01.01.2023", "30.04.2023", menuePunkt("mnuBereichAdd(1)"),
         "01.01.2023 - 31.05.2023"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        if (*fall.vonVorher != 0) {
            fenster->bereichVon = u8(fall.vonVorher);
            fenster->bereichBis = u8(fall.bisVorher);
        }
        fall.befehl();
        EXPECT_EQ(bereich(), u8(fall.erwartet));
        EXPECT_EQ(panel(fenster, "Bereich"),
                  u8(" vom ") + fenster->bereichVon + u8(" bis zum ") + fenster->bereichBis + u8(" "));
    }

    // Shown in this month, the entries of the chosen month go: they would repeat the current.
    zeigeTag(u8("01.03.2024"));
    fenster->mnuListeAktualisieren_Click();
    for (const char* name : {"mnuBereichGew(0)", "mnuBereichGew(1)", "StrichGewählt"})
        EXPECT_FALSE(menue(fenster, name)->isVisible()) << name;
}

TEST_F(DayList, yearCommandTakesTheYearAsTyped)
{
    Tagesliste* fenster = oeffnen();
    fenster->bereichVon = u8("01.03.2024");
    fenster->bereichBis = u8("03.03.2024");
    struct Fall {
        const char* antwort;
        const char* jahr;
    };
    for (const Fall& fall : {Fall{"24", "1924"}, Fall{"1450", "1500"}, Fall{"3000", "2200"},
                             Fall{"abc", "1900"}, Fall{"2023", "2023"}}) {
        SCOPED_TRACE(fall.antwort);
        dialogs.expectInputBox(u8(fall.antwort), u8("für das die Tagesliste angezeigt werden"));
        EXPECT_TRUE(fenster->actions->trigger(u8("mnuBereichJahr")));
        EXPECT_EQ(fenster->bereichVon, u8("01.01.") + u8(fall.jahr));
        EXPECT_EQ(fenster->bereichBis, u8("31.12.") + u8(fall.jahr));
    }
    const FakeDialogs::Call& frage = dialogs.calls().back();
    EXPECT_EQ(frage.title, u8("Jahr der Tagesliste"));
    EXPECT_EQ(frage.defaultText, u8("1900")) << "the year of the start";
    EXPECT_EQ(frage.help.context, 163);

    // Cancelled or empty: nothing changes and nothing is built.
    fenster->Liste->clear();
    for (const std::optional<QString>& antwort : {std::optional<QString>{}, std::optional{QString()}}) {
        dialogs.expectInputBox(antwort);
        fenster->mnuBereichJahr_Click();
        EXPECT_EQ(fenster->bereichVon, u8("01.01.2023"));
        EXPECT_EQ(fenster->Liste->count(), 0);
    }
}

TEST_F(DayList, startAndEndTakeDatesAndJumps_andAskAgainAfterAWrongDate)
{
    Tagesliste* fenster = oeffnen();
    struct Fall {
        int index;
        const char* antwort;
        const char* erwartet;
    };
    for (const Fall& fall :
         {Fall{1, "+2w", "14.06.2024"}, Fall{1, "-1j", "31.05.2023"}, Fall{1, "+5", "05.06.2024"},
          Fall{1, "-3m", "29.02.2024"}, Fall{1, "+1y", "31.05.2025"}, Fall{0, "-10t", "21.05.2024"},
          Fall{0, "1.5.24", "01.05.2024"}}) {
        SCOPED_TRACE(fall.antwort);
        fenster->bereichVon = u8("31.05.2024");
        fenster->bereichBis = u8("31.05.2024");
        dialogs.expectInputBox(u8(fall.antwort));
        EXPECT_TRUE(fenster->actions->trigger(
            platform::indexedName(u8("mnuBereichSet"), fall.index)));
        EXPECT_EQ(fall.index == 0 ? fenster->bereichVon : fenster->bereichBis, u8(fall.erwartet));
    }
    const FakeDialogs::Call& frage = dialogs.calls().back();
    EXPECT_EQ(frage.title, u8("Bereich der Tagesliste"));
    EXPECT_EQ(frage.text, u8("Geben Sie ein Datum an, ab welchem die Tagesliste beginnen soll oder "
                             "wählen Sie einen relativen Sprung in Bezug auf den 31.05.2024."));
    EXPECT_EQ(frage.defaultText, u8("31.05.2024"));

    // A wrong date is asked for again, with a sound; an empty answer then leaves the range.
    sound.clear();
    fenster->bereichVon = u8("01.03.2024");
    fenster->bereichBis = u8("03.03.2024");
    dialogs.expectInputBox(u8("32.13.2024"), u8("bis wann die Tagesliste gehen soll"))
        .expectInputBox(u8("10.3.2024"), u8("Ihre Eingabe »32.13.2024« ist kein gültiges Datum!\r\r"));
    fenster->mnuBereichSet_Click(1);
    EXPECT_EQ(fenster->bereichBis, u8("10.03.2024"));
    EXPECT_EQ(sound.beeps(), (std::vector<int>{platform::beepHand}));
    EXPECT_EQ(fenster->Liste->count(), 10);

    dialogs.expectInputBox(u8("Montag")).expectInputBox(QString());
    fenster->mnuBereichSet_Click(0);
    EXPECT_EQ(fenster->bereichVon, u8("01.03.2024"));
}

TEST_F(DayList, wholeDiaryRunsFromTheFirstToTheLastEntry_andAnEmptyDiaryKeepsTheRange)
{
    eintrag("20230105", "Anfang");
    Tagesliste* fenster = oeffnen();
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuBerGesamt")));
    EXPECT_EQ(fenster->bereichVon, u8("05.01.2023"));
    EXPECT_EQ(fenster->bereichBis, u8("03.03.2024"));
    EXPECT_EQ(fenster->Liste->count(), 424);

    store::korvanelKuerzel = u8("Neu");
    store::verzeichnisStatus = 0;
    fenster->mnuBerGesamt_Click();
    EXPECT_EQ(fenster->bereichVon, u8("05.01.2023"));
    EXPECT_EQ(fenster->bereichBis, u8("03.03.2024"));
}

TEST_F(DayList, copyMarkAndPrintWorkOnTheListedLines)
{
    Tagesliste* fenster = oeffnen();
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuAlleTage"))); // days with entry only
    bauen(fenster, "01.03.2024", "03.03.2024");

    EXPECT_TRUE(fenster->actions->trigger(u8("ListeZA")));
    EXPECT_EQ(clipboard.text(),
              u8("01.03.2024 Erste Zeile zweite Zeile\r\n03.03.2024 Dritter\r\n"));

    schreiben(u8("Marker_Txt.ini"), "[Marker]\r\n02.03.2024=0\r\n");
    EXPECT_TRUE(fenster->actions->trigger(u8("mnuMarker")));
    EXPECT_EQ(lesen(u8("Marker_Txt.ini")),
              QByteArray("[Marker]\r\n02.03.2024=0\r\n01.03.2024=1\r\n03.03.2024=1\r\n"));
    EXPECT_EQ(panel(fenster, "Datum"), u8("Bereit"));

    papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    mitDruckeinstellungen(
        [](print::PrinterSet* w) {
            w->ComboRandX->setCurrentIndex(20);
            w->ComboRandY->setCurrentIndex(10);
            w->befOk->click();
        },
        [fenster] { EXPECT_TRUE(fenster->actions->trigger(u8("ListePrn"))); });
    EXPECT_EQ(print::druckJob, u8("Korvanel_Tagesliste"));
    ASSERT_EQ(papier.documents().size(), 1u);
    const auto& seite = papier.documents()[0].pages.at(0);
    const auto& kopf = seite.texts.at(1);
    EXPECT_EQ(kopf.text, u8("Tagesliste, Seite 1"));
    EXPECT_NEAR(kopf.x, 2.0, 1e-9);
    EXPECT_NEAR(kopf.y, 1.0 + 0.5, 1e-9);
    EXPECT_TRUE(seite.strings().contains(u8("03.03.2024 Dritter")));

    mitDruckeinstellungen([](print::PrinterSet* w) { w->befAbbrechen->click(); },
                          [fenster] { fenster->ListePrn_Click(); });
    EXPECT_EQ(papier.documents().size(), 1u) << "cancelled: nothing printed";
}

TEST_F(DayList, longListInTwoCopies_keepsTheTopMarginOnEveryPage)
{
    Tagesliste* fenster = oeffnen();
    bauen(fenster, "01.01.2024", "30.04.2024");
    papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    mitDruckeinstellungen(
        [](print::PrinterSet* w) {
            w->ComboAnzahl->setCurrentIndex(1);
            w->ComboRandY->setCurrentIndex(15);
            w->befOk->click();
        },
        [fenster] { fenster->ListePrn_Click(); });
    ASSERT_EQ(papier.documents().size(), 2u);
    const auto& zweite = papier.documents()[1];
    ASSERT_GE(zweite.pages.size(), 2u);
    EXPECT_EQ(zweite.pages[1].texts.at(0).text, u8("Tagesliste, Seite 2"));
    EXPECT_NEAR(zweite.pages[1].texts.at(0).y, 1.5 + 0.5, 1e-9);
}

TEST_F(DayList, readOnly_buildsAndCopies_butTheMarkerEntryStaysOff)
{
    foundation::nurLesen = true;
    Tagesliste* fenster = oeffnen();
    EXPECT_FALSE(fenster->actions->isEnabled(u8("mnuMarker")));
    const auto vorher = datenordnerInhalt();
    bauen(fenster, "01.03.2024", "03.03.2024");
    EXPECT_EQ(fenster->Liste->count(), 3);
    EXPECT_FALSE(fenster->actions->isEnabled(u8("mnuMarker"))) << "still off after the build";
    EXPECT_FALSE(fenster->actions->trigger(u8("mnuMarker")));
    EXPECT_TRUE(fenster->actions->trigger(u8("ListeZA")));
    EXPECT_EQ(datenordnerInhalt(), vorher);
}

TEST_F(DayList, markerEntryFollowsTheMainWindowsMarkerMenu)
{
    auto* hauptMenue = new platform::ActionRegistry(&main.window());
    QMenu* bearbeiten = hauptMenue->addMenu(main.window().menuBar(), u8("PulBearbeiten"), u8("B"));
    hauptMenue->addMenu(bearbeiten, u8("mnuMarker"), u8("Mar&ker"));
    for (const bool frei : {true, false}) {
        SCOPED_TRACE(frei);
        hauptMenue->setEnabled(u8("mnuMarker"), frei);
        Tagesliste* fenster = oeffnen();
        EXPECT_EQ(fenster->actions->isEnabled(u8("mnuMarker")), frei);
        bauen(fenster, "01.03.2024", "03.03.2024");
        EXPECT_EQ(fenster->actions->isEnabled(u8("mnuMarker")), frei);
        fenster->unload();
    }
}

TEST_F(DayList, shortcutsWinOverTheFilterField_andEnterInItBuilds)
{
    Tagesliste* fenster = oeffnen();
    QApplication::setActiveWindow(fenster);
    // The combo box has the focus; it hands the keys to its line box.
    QComboBox* feld = fenster->kombiSuche;
    feld->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), feld);

    QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(fenster->bereichVon, u8("01.05.2024")) << "Ctrl+A is \"&Aktueller Monat\"";
    EXPECT_EQ(fenster->bereichBis, u8("31.05.2024"));

    dialogs.expectInputBox(std::nullopt, u8("ab welchem die Tagesliste beginnen"));
    QTest::keyClick(feld, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(dialogs.calls().size(), 1u) << "Ctrl+V is \"&Von...\"";

    fenster->bereichVon = u8("01.03.2024");
    fenster->bereichBis = u8("03.03.2024");
    feld->setFocus();
    QTest::keyClicks(feld, u8("dritter"));
    EXPECT_EQ(feld->currentText(), u8("dritter"));
    QTest::keyClick(feld, Qt::Key_Return);
    EXPECT_EQ(zeilen(fenster->Liste), QStringList{u8("03.03.2024 Dritter")});
    EXPECT_TRUE(fenster->isVisible()) << "Enter only builds";
    QTest::keyClick(feld->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(zeilen(fenster->Liste), QStringList{u8("03.03.2024 Dritter")});

    // The filter's choices: the keyword file and this day and month of every year.
    QStringList wahl;
    for (int i = 0; i < fenster->kombiSuche->count(); ++i)
        wahl.append(fenster->kombiSuche->itemText(i));
    EXPECT_EQ(wahl, QStringList{u8("-15.05.")});

    QTest::keyClick(fenster->Liste, Qt::Key_Escape);
    EXPECT_FALSE(fenster->isVisible()) << "Escape closes";
}

TEST_F(DayList, filterChoicesComeFromTheKeywordFile)
{
    schreiben(u8("Korvanel.stw"), "Urlaub\r\nGeburtstag\r\n");
    Tagesliste* fenster = oeffnen();
    QStringList wahl;
    for (int i = 0; i < fenster->kombiSuche->count(); ++i)
        wahl.append(fenster->kombiSuche->itemText(i));
    EXPECT_EQ(wahl, (QStringList{u8("Urlaub"), u8("Geburtstag"), u8("-15.05.")}));
    EXPECT_EQ(fenster->kombiSuche->currentText(), QString()) << "no filter until one is chosen";

    fenster->bereichVon = u8("01.01.2024");
    fenster->bereichBis = u8("31.12.2024");
    fenster->kombiSuche->setCurrentIndex(2);
    emit fenster->kombiSuche->activated(2);
    EXPECT_EQ(zeilen(fenster->Liste), QStringList{u8("15.05.2024 ")});
}

TEST_F(DayList, closeBoxCancelsARunningBuild_andClosesAnIdleWindow)
{
    Tagesliste* fenster = oeffnen();
    QTimer::singleShot(0, fenster, [fenster] { fenster->close(); });
    bauen(fenster, "01.01.2024", "31.12.2024");
    EXPECT_EQ(fenster->Liste->count(), 0) << "cancelled";
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded());

    fenster->close();
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->isUnloaded()) << "the opener unloads it";
}

} // namespace
