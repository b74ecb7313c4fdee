// The printer-settings window: the job's section of Bris_Prn.ini, the format buttons, the skip
// mode, cancelling, the frames' states, the printer switch and what the caller reads. The
// recording printer offers the printers "Laser" (current) and "Tinte" unless a test says
// otherwise; its printable area is 20 x 28.7 cm.
#include "print/printer_set.h"

#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "platform/form.h"
#include "platform/print_surface.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_keyboard.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using print::PrinterSet;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Runs a timer's handler as its moment comes, after checking that it runs with that interval.
void fire(QTimer* timer, int interval)
{
    ASSERT_TRUE(timer->isActive()) << qPrintable(timer->objectName());
    EXPECT_EQ(timer->interval(), interval);
    EXPECT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
}

class PrinterSetTest : public ::testing::Test {
protected:
    PrinterSetTest()
    {
        paper.setPrinters({{s("Laser"), s("ipp://laser.local"), s("Generic PCL 6")},
                           {s("Tinte"), s("usb://Tinte"), s("Gutenprint")}});
        foundation::IniSchreiben(QString(), s("Allgemein"), s("User"), s("Anna Muster"));
        print::druckJob = s("Korvanel_Druck");
        foundation::nurLesen = false;
    }
    ~PrinterSetTest() override
    {
        print::druckJob.clear();
        foundation::nurLesen = false;
    }

    void writeIni(const char* bytes) { settings.writeSettingsFile(s("Bris_Prn.ini"), bytes); }
    QByteArray ini() const { return settings.settingsFile(s("Bris_Prn.ini")); }
    QString iniValue(const char* section, const char* key)
    {
        return foundation::IniLesen(s("Bris_Prn.ini"), s(section), s(key), s("<fehlt>"));
    }

    // A window freshly loaded, as a print loads it.
    PrinterSet* load() { return new PrinterSet; }

    TempSettingsFolders settings;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 14, 30)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeKeyboard keys;
    ScopedService<platform::Keyboard> keysGuard{platform::setKeyboard, &keys};
    FakeDialogs dialogs;
    ScopedService<platform::Dialogs> dialogsGuard{platform::setDialogs, &dialogs};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> printerGuard{platform::setPrinter, &paper};
};

// --- The window -----------------------------------------------------------------------------

TEST_F(PrinterSetTest, controlsCarryTheirNamesAndGermanCaptions)
{
    PrinterSet* w = load();
    EXPECT_EQ(w->windowTitle(), s("Drucken - Korvanel"));
    struct Row {
        const char* name;
        const char* caption;
    };
    const Row rows[] = {
        {"frame6", "Ausdruck"},          {"befOk", "&Drucken"},
        {"befAbbrechen", "Abbr&echen"},  {"Abbruch", "Esc"},
        {"Frame4", "Drucker-Auswahl"},   {"frmAnzahl", "Exemplare"},
        {"bezAnzahl", "An&zahl"},        {"frmRänder", "Ränder"},
        {"bezRandX", "&Links"},          {"bezRandY", "&Oben"},
        {"Label4", "&Breite"},           {"Label3", "&Höhe"},
        {"befRand(0)", "A4"},            {"befRand(1)", "A5"},
        {"befRand(2)", "A6"},            {"befRand(9)", "0"},
        {"frmAusrichtung", "Ausrichtung"}, {"optAusrichtung(0)", "H&ochformat"},
        {"optAusrichtung(1)", "&Querformat"}, {"frmBereich", "Bereich"},
        {"optBereich(0)", "&Alles"},     {"optBereich(1)", "&Markierung"},
        {"mnuEinstellungenX", "&Einstellungen"},
        {"mnuEinstellungenSave", "Einstellungen jetzt &sichern"},
        {"mnuEinstellungenAutoPrint", "Diesen &Dialog künftig übergehen"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QObject* control = w->control(s(row.name));
        ASSERT_NE(control, nullptr);
        QString caption;
        if (auto* box = qobject_cast<QGroupBox*>(control))
            caption = box->title();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            caption = button->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            caption = label->text();
        else if (auto* action = qobject_cast<QAction*>(control))
            caption = action->text();
        else if (auto* menu = qobject_cast<QMenu*>(control))
            caption = menu->title();
        EXPECT_EQ(caption, s(row.caption));
    }
    for (const char* name : {"ComboDrucker", "bezDrucker", "ComboAnzahl", "ImageAnzahl",
                             "ComboRandX", "ComboRandY", "frmWeiten", "ComboRandW", "ComboRandH",
                             "imgAusrichtung(0)", "imgAusrichtung(1)", "TimerInit",
                             "TimerAutoPrint"}) {
        EXPECT_NE(w->control(s(name)), nullptr) << name;
    }
    EXPECT_EQ(w->ComboRandX->toolTip(), s("Einstellen des linken Randes des Ausdrucks"));
    EXPECT_EQ(w->befRand[9]->toolTip(), s("Zurücksetzen der Ränder"));
    EXPECT_TRUE(w->befOk->isDefault());
}

TEST_F(PrinterSetTest, lists_indexIsTenthsOfACentimetre_marginsStopBelowThePrintableSizeLess3)
{
    struct Row {
        const char* name;
        QSizeF printable;
        int marginsX; // entries of ComboRandX
        int marginsY;
    };
    const Row rows[] = {
        {"A4 less the unprintable edge", QSizeF(20, 28.7), 170, 257},
        {"a narrow page: never below 5 cm", QSizeF(6, 7.5), 50, 50},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        paper.setPrintableSize(row.printable);
        PrinterSet* w = load();
        EXPECT_EQ(paper.ScaleMode(), platform::vbCentimeters);
        EXPECT_EQ(w->ComboRandX->count(), row.marginsX);
        EXPECT_EQ(w->ComboRandY->count(), row.marginsY);
        EXPECT_EQ(w->ComboRandX->itemText(0), s("0,0 cm"));
        EXPECT_EQ(w->ComboRandX->itemText(15), s("1,5 cm"));
        EXPECT_EQ(w->ComboRandX->itemText(row.marginsX - 1),
                  QStringLiteral("%1,%2 cm").arg((row.marginsX - 1) / 10).arg((row.marginsX - 1) % 10));
        for (QComboBox* size : {w->ComboRandW, w->ComboRandH}) {
            EXPECT_EQ(size->count(), 500);
            EXPECT_EQ(size->itemText(0), s("---"));
            EXPECT_EQ(size->itemText(1), s("0,1 cm"));
            EXPECT_EQ(size->itemText(287), s("28,7 cm"));
            EXPECT_EQ(size->itemText(499), s("49,9 cm"));
            EXPECT_EQ(size->currentIndex(), 0);
        }
        QStringList copies;
        for (int i = 0; i < w->ComboAnzahl->count(); ++i)
            copies.append(w->ComboAnzahl->itemText(i));
        EXPECT_EQ(copies, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        w->unload();
    }
}

// --- The job's settings -----------------------------------------------------------------------

TEST_F(PrinterSetTest, presetLoad_valueIsTheListIndex_outOfRangeGivesTheFirstEntry)
{
    struct Row {
        const char* key;
        const char* value;
        int index;
    };
    const Row rows[] = {
        {"RandX", "15", 15},   {"RandX", "169", 169}, {"RandX", "170", 0}, {"RandX", "600", 0},
        {"RandY", "256", 256}, {"RandY", "-3", 0},    {"RandW", "499", 499},
        {"RandW", "500", 0},   {"RandH", "287", 287}, {"RandH", "x", 0},   {"Anzahl", "8", 8},
        {"Anzahl", "9", 0},    {"Anzahl", "2 Stück", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.key) + "=" + row.value);
        writeIni((QByteArray("[Korvanel_Druck]\r\n") + row.key + "=" + row.value + "\r\n").data());
        PrinterSet* w = load();
        const QString combo = s(row.key) == s("Anzahl") ? s("ComboAnzahl") : s("Combo") + s(row.key);
        EXPECT_EQ(qobject_cast<QComboBox*>(w->control(combo))->currentIndex(), row.index);
        w->unload();
    }
}

TEST_F(PrinterSetTest, presetLoad_orientationRangeAndPrinterOfTheJob)
{
    writeIni("[Korvanel_Statistik]\r\nAusrichtung=1\r\nBereich=2\r\nDruckerZuletzt=tINTE\r\n"
             "[Korvanel_Druck]\r\nDruckerZuletzt=Fax\r\n");
    print::druckJob = s("  Korvanel_Statistik "); // trimmed
    PrinterSet* w = load();
    EXPECT_TRUE(w->optAusrichtung[1]->isChecked());
    EXPECT_FALSE(w->hochformat());
    EXPECT_TRUE(w->imgAusrichtung[1]->isVisibleTo(w));
    EXPECT_FALSE(w->imgAusrichtung[0]->isVisibleTo(w));
    EXPECT_TRUE(w->optBereich[1]->isChecked());
    EXPECT_EQ(w->ComboDrucker->currentText(), s("Tinte")) << "matched without regard to case";
    EXPECT_EQ(w->bezDrucker->text(), s("Drucker-Name:\r\nTinte\r\n\r\nDrucker-Port:\r\n"
                                       "usb://Tinte\r\n\r\nDrucker-Treiber:\r\nGutenprint\r\n\r\n"));
    w->unload();

    // A printer that is gone: the first entry, with the current printer's information.
    print::druckJob = s("Korvanel_Druck");
    w = load();
    EXPECT_EQ(w->ComboDrucker->currentIndex(), 0);
    EXPECT_EQ(w->ComboDrucker->currentText(), s("*** Standard-Drucker ***"));
    EXPECT_TRUE(w->optAusrichtung[0]->isChecked());
    EXPECT_TRUE(w->optBereich[0]->isChecked());
    EXPECT_EQ(w->bezDrucker->text(),
              s("Drucker-Name:\r\nLaser\r\n\r\nDrucker-Port:\r\nipp://laser.local\r\n\r\n"
                "Drucker-Treiber:\r\nGeneric PCL 6\r\n\r\n(derzeitiger Standard-Drucker)"));
    w->unload();

    // No key at all: the current printer's own entry.
    writeIni("");
    w = load();
    EXPECT_EQ(w->ComboDrucker->currentText(), s("Laser"));
}

TEST_F(PrinterSetTest, presetSave_writesTheJobsSection_andLoadReadsItBack)
{
    writeIni("; Drucker\r\n[Allgemein]\r\nDruckerEnabled=1\r\n");
    PrinterSet* w = load();
    w->ComboDrucker->setCurrentIndex(2);
    w->optAusrichtung[1]->setChecked(true);
    w->optBereich[1]->setChecked(true);
    w->ComboRandX->setCurrentIndex(15);
    w->ComboRandY->setCurrentIndex(7);
    w->ComboRandW->setCurrentIndex(180);
    w->ComboRandH->setCurrentIndex(250);
    w->ComboAnzahl->setCurrentIndex(3);

    w->mnuEinstellungenSave->trigger();

    EXPECT_EQ(ini(), QByteArray("; Drucker\r\n[Allgemein]\r\nDruckerEnabled=1\r\n"
                                "[Korvanel_Druck]\r\nDruckerZuletzt=Tinte\r\nAusrichtung=1\r\n"
                                "RandX=15\r\nRandY=7\r\nRandW=180\r\nRandH=250\r\nAnzahl=3\r\n"
                                "LastSave=05.03.2024\r\nLastUser=Anna Muster\r\n"));
    w->unload();

    PrinterSet* again = load();
    EXPECT_EQ(again->ComboDrucker->currentText(), s("Tinte"));
    EXPECT_TRUE(again->optAusrichtung[1]->isChecked());
    EXPECT_TRUE(again->optBereich[0]->isChecked()) << "the range is not stored";
    EXPECT_DOUBLE_EQ(again->randLinks(), 1.5);
    EXPECT_DOUBLE_EQ(again->randOben(), 0.7);
    EXPECT_DOUBLE_EQ(again->breite(), 18.0);
    EXPECT_DOUBLE_EQ(again->hoehe(), 25.0);
    EXPECT_EQ(again->anzahl(), 4);
}

TEST_F(PrinterSetTest, emptyJob_readsAndWritesNothing)
{
    writeIni("[Allgemein]\r\nx=1\r\n[ ]\r\nRandX=15\r\nAutomatisch=1\r\n[]\r\nRandX=15\r\n");
    const QByteArray before = ini();
    print::druckJob = s("   ");
    PrinterSet* w = load();
    EXPECT_EQ(w->ComboRandX->currentIndex(), 0);
    EXPECT_EQ(w->ComboRandW->currentText(), s("---"));
    EXPECT_EQ(w->ComboDrucker->currentText(), s("*** Standard-Drucker ***"));
    EXPECT_FALSE(w->TimerAutoPrint->isActive());

    w->mnuEinstellungenSave->trigger();
    dialogs.expectMsgBox(platform::vbOK, s("nicht mehr angezeigt"));
    w->mnuEinstellungenAutoPrint->trigger();
    EXPECT_TRUE(w->mnuEinstellungenAutoPrint->isChecked()) << "toggled, but not stored";
    EXPECT_EQ(ini(), before);
}

TEST_F(PrinterSetTest, readOnly_saveIsOff_skipSettingIsStillWritten)
{
    foundation::nurLesen = true;
    PrinterSet* w = load();
    EXPECT_FALSE(w->mnuEinstellungenSave->isEnabled());

    dialogs.expectMsgBox(platform::vbOK, s("Shift-Taste gedrückt"));
    w->mnuEinstellungenAutoPrint->trigger();
    EXPECT_EQ(iniValue("Korvanel_Druck", "Automatisch"), s("1"));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, s("Druck-Optionen übergehen"));
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbInformation);
    EXPECT_EQ(dialogs.calls()[0].text,
              s("Dieser Dialog wird künftig nicht mehr angezeigt.\r\n\r\nMöchten Sie dennoch "
                "einmal Änderungen vornehmen,\r\nso halten Sie beim Aufrufen der Druck-Funktion "
                "die Shift-Taste gedrückt."));

    w->mnuEinstellungenAutoPrint->trigger(); // off again: no message
    EXPECT_EQ(iniValue("Korvanel_Druck", "Automatisch"), s("0"));
    EXPECT_EQ(dialogs.calls().size(), 1u);
}

// --- Format buttons -------------------------------------------------------------------------

TEST_F(PrinterSetTest, formatButtons_setWidthAndHeightLessOneCentimetreAndTheMargins)
{
    struct Row {
        const char* name;
        int button;
        int left, top; // margin list indexes before
        int width, height; // size list indexes after
    };
    const Row rows[] = {
        {"A4 without margins: 20.0 x 28.7 cm", 0, 0, 0, 200, 287},
        {"A5 with margins 2.0 and 1.0 cm", 1, 20, 10, 118, 190},
        {"A6 without margins", 2, 0, 0, 95, 138},
        {"A4 with wide margins", 0, 160, 250, 40, 37},
        {"A6 with a margin wider than the sheet: 1 cm at least", 2, 169, 0, 10, 138},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PrinterSet* w = load();
        w->frmWeiten->setEnabled(true); // as the day-range print switches it on
        w->ComboRandX->setCurrentIndex(row.left);
        w->ComboRandY->setCurrentIndex(row.top);
        w->befRand[static_cast<std::size_t>(row.button)]->click();
        EXPECT_EQ(w->ComboRandW->currentIndex(), row.width);
        EXPECT_EQ(w->ComboRandH->currentIndex(), row.height);
        EXPECT_EQ(w->ComboRandX->currentIndex(), row.left);
        EXPECT_EQ(w->ComboRandY->currentIndex(), row.top);
        w->unload();
    }

    PrinterSet* w = load();
    w->frmWeiten->setEnabled(true);
    w->ComboRandX->setCurrentIndex(20);
    w->ComboRandY->setCurrentIndex(10);
    w->ComboRandW->setCurrentIndex(100);
    w->ComboRandH->setCurrentIndex(100);
    w->befRand[9]->click();
    for (QComboBox* list : {w->ComboRandX, w->ComboRandY, w->ComboRandW, w->ComboRandH})
        EXPECT_EQ(list->currentIndex(), 0) << qPrintable(list->objectName());
}

// --- Confirming, cancelling and the skip mode ----------------------------------------------

TEST_F(PrinterSetTest, skipMode_confirmsAfter750ms_unlessShiftIsHeld)
{
    struct Row {
        const char* name;
        const char* automatisch;
        bool timer;
        bool shift;
        bool confirmed;
    };
    const Row rows[] = {
        {"1: confirmed by itself", "1", true, false, true},
        {"-1: the same", "-1", true, false, true},
        {"1 with Shift held: stays open", "1", true, true, false},
        {"2: waits for the user", "2", false, false, false},
        {"a far-off number: waits for the user", "-99999999999999999999", false, false, false},
        {"missing: waits for the user", nullptr, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeIni(row.automatisch ? (QByteArray("[Korvanel_Druck]\r\nAutomatisch=")
                                    + row.automatisch + "\r\nDruckerZuletzt=Tinte\r\n")
                                       .data()
                                 : "[Korvanel_Druck]\r\nDruckerZuletzt=Tinte\r\n");
        row.shift ? keys.hold(Qt::ShiftModifier) : keys.releaseAll();
        PrinterSet* w = load();
        EXPECT_EQ(w->mnuEinstellungenAutoPrint->isChecked(), row.timer);
        EXPECT_EQ(w->TimerAutoPrint->isActive(), row.timer);
        QTimer::singleShot(0, w, [w, &row] {
            if (row.timer)
                fire(w->TimerAutoPrint, 750);
            if (w->isVisible()) // the user confirms after all
                w->befOk->click();
        });
        w->showModal();
        EXPECT_FALSE(w->abgebrochen());
        EXPECT_FALSE(w->TimerAutoPrint->isActive()) << "fires once";
        EXPECT_EQ(paper.DeviceName(), s("Tinte")) << "the confirmed printer is current";
        w->unload();
        EXPECT_EQ(paper.DeviceName(), s("Laser"));
    }
}

TEST_F(PrinterSetTest, skipModeWithShift_windowStaysOpenForChanges)
{
    writeIni("[Korvanel_Druck]\r\nAutomatisch=1\r\n");
    keys.hold(Qt::ShiftModifier);
    PrinterSet* w = load();
    w->show();
    fire(w->TimerAutoPrint, 750);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->TimerAutoPrint->isActive());
    keys.releaseAll();
    w->befOk->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->abgebrochen());
}

TEST_F(PrinterSetTest, cancelButtonEscAndCloseBox_tickAbbruch_andKeepTheWindowForTheCaller)
{
    struct Row {
        const char* name;
        std::function<void(PrinterSet*)> leave;
    };
    const Row rows[] = {
        {"Abbrechen", [](PrinterSet* w) { w->befAbbrechen->click(); }},
        {"Esc", [](PrinterSet* w) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(w, &esc);
         }},
        {"close box", [](PrinterSet* w) { w->close(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeIni("[Korvanel_Druck]\r\nAutomatisch=1\r\nDruckerZuletzt=Tinte\r\n");
        PrinterSet* w = load();
        QTimer::singleShot(0, w, [w, &row] { row.leave(w); });
        w->showModal();
        EXPECT_FALSE(w->isUnloaded());
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(w->abgebrochen());
        EXPECT_TRUE(w->Abbruch->isChecked());
        EXPECT_FALSE(w->TimerAutoPrint->isActive()) << "a cancelled window never confirms";
        EXPECT_EQ(paper.DeviceName(), s("Laser")) << "no printer switch";
        w->unload();
    }
}

TEST_F(PrinterSetTest, confirmed_callerReadsCopiesMarginsSizeAndOrientation)
{
    PrinterSet* w = load();
    w->frmAusrichtung->setEnabled(true);
    w->frmWeiten->setEnabled(true);
    QTimer::singleShot(0, w, [w] {
        w->ComboAnzahl->setCurrentIndex(4);
        w->ComboRandX->setCurrentIndex(25);
        w->ComboRandY->setCurrentIndex(12);
        w->befRand[1]->click(); // A5
        w->optAusrichtung[1]->setChecked(true);
        w->befOk->click();
    });
    w->showModal();
    EXPECT_FALSE(w->abgebrochen());
    EXPECT_EQ(w->anzahl(), 5);
    EXPECT_DOUBLE_EQ(w->randLinks(), 2.5);
    EXPECT_DOUBLE_EQ(w->randOben(), 1.2);
    EXPECT_DOUBLE_EQ(w->breite(), 11.3);
    EXPECT_DOUBLE_EQ(w->hoehe(), 18.8);
    EXPECT_FALSE(w->hochformat());
    EXPECT_EQ(ini(), QByteArray()) << "confirming saves nothing";
}

TEST_F(PrinterSetTest, timerInit_carriesTheFramesStatesToTheirContents)
{
    // As the window's layout leaves them.
    PrinterSet* plain = load();
    fire(plain->TimerInit, 33);
    EXPECT_FALSE(plain->TimerInit->isActive());
    EXPECT_FALSE(platform::controlEnabled(plain->optBereich[1]).value());
    EXPECT_FALSE(platform::controlEnabled(plain->optAusrichtung[1]).value());
    EXPECT_FALSE(plain->frmWeiten->isVisibleTo(plain));
    EXPECT_TRUE(platform::controlEnabled(plain->ComboRandX).value());
    EXPECT_TRUE(platform::controlEnabled(plain->ComboAnzahl).value());
    plain->unload();

    // A caller that switches frames on and off.
    PrinterSet* w = load();
    w->frmAusrichtung->setEnabled(true);
    w->frmWeiten->setEnabled(true);
    w->frmRänder->setEnabled(false);
    w->frmAnzahl->setEnabled(false);
    fire(w->TimerInit, 33);
    EXPECT_TRUE(platform::controlEnabled(w->optAusrichtung[1]).value());
    EXPECT_TRUE(platform::controlEnabled(w->frmAusrichtung).value());
    EXPECT_TRUE(w->frmWeiten->isVisibleTo(w));
    for (QWidget* part : {static_cast<QWidget*>(w->ComboRandX), static_cast<QWidget*>(w->ComboRandY),
                          static_cast<QWidget*>(w->bezRandX), static_cast<QWidget*>(w->bezRandY),
                          static_cast<QWidget*>(w->ComboAnzahl),
                          static_cast<QWidget*>(w->ImageAnzahl)})
        EXPECT_FALSE(platform::controlEnabled(part).value()) << qPrintable(part->objectName());
    EXPECT_FALSE(platform::controlEnabled(w->optBereich[1]).value());
}

// --- The printer switch ---------------------------------------------------------------------

TEST_F(PrinterSetTest, confirmedSwitch_isUndoneOnUnload_toThePrinterCurrentBefore)
{
    PrinterSet* w = load();
    w->ComboDrucker->setCurrentIndex(2); // Tinte
    w->befOk->click();
    EXPECT_EQ(paper.DeviceName(), s("Tinte"));
    EXPECT_EQ(iniValue("Allgemein", "DruckerLastDefault"), s("Laser"));

    // Another program changes the stored name meanwhile; the window restores what it replaced.
    foundation::IniSchreiben(s("Bris_Prn.ini"), s("Allgemein"), s("DruckerLastDefault"),
                             s("Tinte"));
    w->unload();
    EXPECT_EQ(paper.DeviceName(), s("Laser"));
}

TEST_F(PrinterSetTest, noSwitch_unloadLeavesTheCurrentPrinter_evenWithAStaleStoredName)
{
    struct Row {
        const char* name;
        int choice; // index in ComboDrucker
    };
    const Row rows[] = {
        {"the standard entry", 0},
        {"the current printer chosen by name", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeIni("[Allgemein]\r\nDruckerLastDefault=Tinte\r\n");
        PrinterSet* w = load();
        w->ComboDrucker->setCurrentIndex(row.choice);
        w->befOk->click();
        EXPECT_EQ(paper.DeviceName(), s("Laser"));
        EXPECT_EQ(iniValue("Allgemein", "DruckerLastDefault"), s("Tinte")) << "not written";
        w->unload();
        EXPECT_EQ(paper.DeviceName(), s("Laser"));
    }
}

TEST_F(PrinterSetTest, printerListSwitchedOff_offersNoChoiceAndSwitchesNothing)
{
    writeIni("[Allgemein]\r\nDruckerEnabled=0\r\n[Korvanel_Druck]\r\nDruckerZuletzt=Tinte\r\n");
    PrinterSet* w = load();
    EXPECT_EQ(w->ComboDrucker->count(), 0);
    EXPECT_FALSE(w->ComboDrucker->isEnabled());
    EXPECT_EQ(w->bezDrucker->text(),
              s("Drucker-Auswahl deaktiviert.\r\n\r\nHier Doppelklick für Aktivierung."));
    w->befOk->click();
    EXPECT_EQ(paper.DeviceName(), s("Laser"));
}

TEST_F(PrinterSetTest, noPrinterInstalled_onlyTheStandardEntry_whichIsThePdfFile)
{
    RecordingPrintSurface none;
    ScopedService guard(platform::setPrinter, &none);
    none.setPdfFolder(s("/tmp/Ausdrucke"));
    PrinterSet* w = load();
    ASSERT_EQ(w->ComboDrucker->count(), 1);
    EXPECT_EQ(w->ComboDrucker->currentText(), s("*** Standard-Drucker ***"));
    EXPECT_TRUE(w->bezDrucker->text().startsWith(
        s("Drucker-Name:\r\nPDF-Datei\r\n\r\nDrucker-Port:\r\n/tmp/Ausdrucke\r\n")));
    EXPECT_TRUE(w->bezDrucker->text().contains(s("als PDF-Datei")));
    w->befOk->click();
    EXPECT_EQ(none.DeviceName(), s("PDF-Datei"));
}

TEST_F(PrinterSetTest, doubleClickOnThePrinterLabel_switchesTheListForTheNextOpening)
{
    struct Row {
        const char* name;
        const char* stored; // nullptr: missing
        const char* title;
        const char* written;
    };
    const Row rows[] = {
        {"missing: the list is shown, so it is switched off", nullptr,
         "Drucker-Auswahl deaktiviert", "0"},
        {"on: switched off", "1", "Drucker-Auswahl deaktiviert", "0"},
        {"off: switched on", "0", "Drucker-Auswahl aktiviert", "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeIni(row.stored ? (QByteArray("[Allgemein]\r\nDruckerEnabled=") + row.stored + "\r\n")
                                  .data()
                            : "");
        PrinterSet* w = load();
        const bool shownBefore = w->ComboDrucker->isEnabled();
        dialogs.expectMsgBox(platform::vbOK, s("beim nächsten Aufruf"));
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w->bezDrucker, &doubleClick);

        const FakeDialogs::Call& call = dialogs.calls().back();
        EXPECT_EQ(call.title, s(row.title));
        EXPECT_EQ(call.icon, platform::vbInformation);
        EXPECT_TRUE(call.helpButton);
        EXPECT_EQ(call.help.context, 3005);
        EXPECT_EQ(iniValue("Allgemein", "DruckerEnabled"), s(row.written));
        EXPECT_EQ(w->ComboDrucker->isEnabled(), shownBefore) << "the open window stays";
        w->unload();
        PrinterSet* next = load();
        EXPECT_EQ(next->ComboDrucker->isEnabled(), s(row.written) == u"1");
        next->unload();
    }
}

} // namespace
