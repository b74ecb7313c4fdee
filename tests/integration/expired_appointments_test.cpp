// The planner's expired appointments: the archive "Zindor.old" read as the planner writes it
// (DOS umlauts, CR LF), filtered, sorted, shown, copied, printed and handed to the diary.
#include "integration_fixture.h"

#include "commands/window_openers.h"
#include "integration/expired_appointments.h"
#include "integration/sibling_programs.h"
#include "platform/form.h"
#include "platform/status_panels.h"
#include "print/printer_set.h"
#include "support/fake_main_port.h"
#include "support/recording_print_surface.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using integration::Altes;

namespace {

// The planner's archive of the examples: a duplicate in a row, one further apart, a DOS "ü", an
// empty line and the planner's line-break mark "°°".
const QByteArray archivBeispiel = "03.01.2024 Zahnarzt\r\n"
                                  "03.01.2024 Zahnarzt\r\n"
                                  "15.12.2023 M\x81ller anrufen\r\n"
                                  "\r\n"
                                  "01.02.2022 Steuer\xB0\xB0" "Belege\r\n"
                                  "03.01.2024 Zahnarzt\r\n";

class FakeZiel : public integration::TextUebergabeZiel {
public:
    void EintragSpeichern() override {}
    bool TagebuchOeffnen(const QString&) override { return true; }
    void TagZeigen(const QString& datum) override { tag = datum; }
    QString Text() override { return QString(); }
    void setText(const QString& neu) override { uebergeben.append(tag + u'|' + neu); }
    void UngesichertSetzen() override {}

    QString tag;
    QStringList uebergeben;
};

class Planner : public IntegrationTest {
protected:
    Planner()
    {
        clock.setNow(rt::dateTimeOf(2024, 7, 1, 9, 30));
        papier.setPrinters({{u8("Laser"), u8("ipp://laser.local"), u8("Generic PCL 6")}});
    }
    ~Planner() override
    {
        for (platform::FormCore* fenster : platform::openForms()) {
            if (platform::isLoaded(fenster))
                fenster->unload();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        commands::resetFensterOeffner();
        print::druckJob.clear();
    }

    void archiv(const QByteArray& bytes)
    {
        folders.temp().write(u8("zindor/Zindor.old"), bytes);
        commands::zindorArchivDatei = folders.temp().file(u8("zindor/Zindor.old"));
    }

    Altes* lesen(const QString& filter = {})
    {
        auto* fenster = new Altes;
        fenster->TimerInit->stop();
        fenster->txtFilter->setCurrentText(filter);
        fenster->befListeLesen_Click();
        return fenster;
    }

    static QStringList zeilen(const QListWidget* liste)
    {
        QStringList texte;
        for (int i = 0; i < liste->count(); ++i)
            texte.append(liste->item(i)->text());
        return texte;
    }
    static QString panel(const Altes* fenster, const char* key)
    {
        return fenster->panels->text(u8(key));
    }

    FakeMainPort main;
    InstalledFake<RecordingPrintSurface> papier{platform::setPrinter};
};

TEST_F(Planner, archiveIsListedByDateOnceEachWithItsUmlautsAndPanels)
{
    archiv(archivBeispiel);
    Altes* fenster = lesen();

    EXPECT_EQ(zeilen(fenster->Liste), (QStringList{u8("01.02.2022 Steuer°°Belege"),
                                                   u8("15.12.2023 Müller anrufen"),
                                                   u8("03.01.2024 Zahnarzt")}));
    EXPECT_EQ(fenster->zeilenGelesen, 6);
    EXPECT_EQ(fenster->Liste->currentRow(), 2);
    EXPECT_EQ(panel(fenster, "Date"), u8("03.01.2024"));
    EXPECT_EQ(panel(fenster, "DateWT"), u8("Mittwoch"));
    EXPECT_EQ(panel(fenster, "DateKW"), u8("1 KW"));
    EXPECT_EQ(panel(fenster, "Position"), u8(" abgelaufener Termin 3 von 3 "));
    EXPECT_TRUE(fenster->befListeDrucken->isEnabled());
    for (QPushButton* aus : {fenster->befExportKorvanel, fenster->befKopieren, fenster->befLöschen,
                             fenster->befEinfügen})
        EXPECT_FALSE(aus->isEnabled()) << aus->objectName().toStdString();

    fenster->Liste->setCurrentRow(0);
    dialogs.expectMsgBox(platform::vbOK);
    fenster->Liste_DblClick();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].text, u8(" Steuer\r\nBelege"));
    EXPECT_EQ(dialogs.calls()[0].title, u8("Zindor-Terminvorschau 01.02.2022"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbInformation);

    dialogs.expectMsgBox(platform::vbOK, u8("Zwischenablage"));
    fenster->befListeKopieren_Click();
    EXPECT_EQ(clipboard.text(), u8("01.02.2022\tSteuer°°Belege\r\n15.12.2023\tMüller anrufen\r\n"
                                   "03.01.2024\tZahnarzt\r\n"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Planner, filterIsTrimmedCaseInsensitiveAndKnowsWildcards)
{
    archiv(archivBeispiel + "07.07.2023 Frage [?] kl\x84ren\r\n");
    struct Row {
        const char* filter;
        QStringList liste;
    };
    const Row rows[] = {
        {"  MÜLLER ", {u8("15.12.2023 Müller anrufen")}},
        {"#.12.", {u8("15.12.2023 Müller anrufen")}},
        {"   ", {u8("01.02.2022 Steuer°°Belege"), u8("07.07.2023 Frage [?] klären"),
                 u8("15.12.2023 Müller anrufen"), u8("03.01.2024 Zahnarzt")}},
        {"[[]?]", {u8("07.07.2023 Frage [?] klären")}},
        {"KLÄREN", {u8("07.07.2023 Frage [?] klären")}},
        {"Urlaub", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.filter);
        Altes* fenster = lesen(u8(row.filter));
        EXPECT_EQ(zeilen(fenster->Liste), row.liste);
        fenster->unload();
    }
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Planner, invalidFilterSaysSoOnceAndListsNothing)
{
    archiv(archivBeispiel);
    dialogs.expectMsgBox(platform::vbOK, u8("kein gültiges Suchmuster"));
    Altes* fenster = lesen(u8("[z-a"));
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(fenster->Liste->count(), 0);
    EXPECT_EQ(panel(fenster, "Status"), u8("Keine abgelaufenen Termine gefunden!"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(Planner, nothingToListLeavesTheListCommandsOff)
{
    struct Row {
        const char* name;
        std::function<void()> setUp;
        QStringList errors;
    };
    const QString fehler = u8("Es ist ein Fehler beim Lesen der alten Termine aufgetreten.");
    const Row rows[] = {
        {"only the planner's data file", [] { commands::zindorArchivDatei.clear(); }, {}},
        {"empty archive", [this] { archiv(QByteArray()); }, {}},
        {"blank lines only", [this] { archiv("   \r\n\r\n \r\n"); }, {}},
        {"archive is a folder",
         [this] {
             folders.temp().makeFolder(u8("zindor/Ordner.old"));
             commands::zindorArchivDatei = folders.temp().file(u8("zindor/Ordner.old"));
         },
         {u8("75 ") + fehler}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        errors.clear();
        row.setUp();
        Altes* fenster = lesen();
        EXPECT_EQ(fenster->Liste->count(), 0);
        EXPECT_EQ(panel(fenster, "Status"), u8("Keine abgelaufenen Termine gefunden!"));
        EXPECT_FALSE(fenster->befListeDrucken->isEnabled());
        EXPECT_EQ(errors, row.errors);
        fenster->unload();
    }
}

TEST_F(Planner, sortsYearsBeforeDaysAndDropsDuplicatesAnywhere)
{
    EXPECT_EQ(Altes::TermineSortieren({u8("31.12.2023 b"), u8("01.01.2024 a"), u8("31.12.2023 b"),
                                       u8("15.06.2023 Z"), u8("15.06.2023 a"), u8("kaputt"),
                                       u8("01.01.2024")}),
              (QStringList{u8("15.06.2023 a"), u8("15.06.2023 Z"), u8("31.12.2023 b"),
                           u8("01.01.2024 a"), u8("01.01.2024"), u8("kaputt")}))
        << "a line without text or date stays as it was";
}

TEST_F(Planner, longArchiveKeepsItsNewest32000Lines)
{
    QByteArray bytes;
    const int anzahl = Altes::zeilenGrenze + 5;
    for (int i = 0; i < anzahl; ++i)
        bytes += "01.01.2024 Termin " + QByteArray::number(100000 + i) + "\r\n";
    archiv(bytes);
    Altes* fenster = lesen();
    ASSERT_EQ(fenster->Liste->count(), Altes::zeilenGrenze);
    EXPECT_EQ(fenster->Liste->item(0)->text(), u8("01.01.2024 Termin 100005"));
    EXPECT_EQ(fenster->Liste->item(Altes::zeilenGrenze - 1)->text(),
              u8("01.01.2024 Termin ") + QString::number(100000 + anzahl - 1));
    EXPECT_EQ(fenster->zeilenGelistet, anzahl);
}

TEST_F(Planner, printsThroughItsPrintJobAndCancelPrintsNothing)
{
    archiv(archivBeispiel);
    Altes* fenster = lesen();
    QTimer::singleShot(0, [] {
        if (auto* w = platform::findForm<print::PrinterSet>())
            w->befOk->click();
    });
    fenster->befListeDrucken_Click();
    EXPECT_EQ(print::druckJob, u8("Zindor_Abgelaufenes"));
    ASSERT_EQ(papier.documents().size(), 1u);
    const QStringList gedruckt = papier.documents()[0].pages.at(0).strings();
    EXPECT_TRUE(gedruckt.contains(u8("Zindor, abgelaufene Termine, Seite 1")));
    EXPECT_TRUE(gedruckt.contains(u8("15.12.2023 Müller anrufen")));
    EXPECT_EQ(panel(fenster, "Status"), u8("Bereit"));

    QTimer::singleShot(0, [] {
        if (auto* w = platform::findForm<print::PrinterSet>())
            w->befAbbrechen->click();
    });
    fenster->befListeDrucken_Click();
    EXPECT_EQ(papier.documents().size(), 1u);
}

TEST_F(Planner, onlyShiftF4HandsTheSelectedAppointmentOver)
{
    archiv(archivBeispiel);
    FakeZiel ziel;
    integration::setTextUebergabeZiel(&ziel);
    Altes* fenster = lesen();
    fenster->Liste->setCurrentRow(0);
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QStringList uebergeben;
    };
    const Row rows[] = {
        {"F4 alone", Qt::Key_F4, Qt::NoModifier, {}},
        {"Ctrl+Shift+F4", Qt::Key_F4, Qt::ShiftModifier | Qt::ControlModifier, {}},
        {"Shift+F3", Qt::Key_F3, Qt::ShiftModifier, {}},
        {"Shift+F4", Qt::Key_F4, Qt::ShiftModifier, {u8("01.02.2022|Steuer\r\nBelege")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ziel.uebergeben.clear();
        QKeyEvent los(QEvent::KeyRelease, row.key, row.modifiers);
        QCoreApplication::sendEvent(fenster->Liste, &los);
        EXPECT_EQ(ziel.uebergeben, row.uebergeben);
    }
    integration::setTextUebergabeZiel(nullptr);
}

TEST_F(Planner, opensFromItsMenuEntryWithTheShownDayAsFilterAndUnloadsAfterwards)
{
    folders.temp().write(u8("zindor/Zindor.old"), archivBeispiel);
    foundation::IniSchreiben(QString(), u8("Zindor"), u8("ordnerDat"),
                             folders.temp().file(u8("zindor")));
    commands::alleFensterAnschliessen();
    main.setDateCaption(u8("15.12.2023"));
    QStringList gesehen;
    QTimer::singleShot(0, [&gesehen] {
        auto* w = platform::findForm<Altes>();
        ASSERT_NE(w, nullptr);
        w->TimerInit_Timer();
        gesehen = QStringList{w->windowTitle(), w->txtFilter->currentText()};
        for (int i = 0; i < w->Liste->count(); ++i)
            gesehen.append(w->Liste->item(i)->text());
        w->BefZurück->click();
    });
    EXPECT_TRUE(commands::fensterOeffnen(u8("mnuZindorMeldungen")));
    EXPECT_EQ(gesehen, (QStringList{u8("Abgelaufene Termine - Zindor"), u8("15.12.2023"),
                                    u8("15.12.2023 Müller anrufen")}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(platform::findForm<Altes>(), nullptr);
}

} // namespace

// The hint on Shift+F4 wraps in its narrow frame; the window keeps room for all its lines.
TEST_F(Planner, theHandOverHintKeepsAllItsLines)
{
    archiv(archivBeispiel);
    Altes* fenster = lesen();
    fenster->show();
    QCoreApplication::processEvents();

    const QLabel* hinweis = fenster->BezÜbergabe;
    EXPECT_GE(hinweis->height(), hinweis->heightForWidth(hinweis->width()));
}
