#pragma once
// The window "Tagesliste": one line per day of a range, the date and the beginning of the day's
// entry, narrowed by a text filter; a click on a line moves the main window to that day. Its
// menus choose the range (a month, three months, a year, the whole diary, typed start and end),
// print the list, copy it to the clipboard and mark every listed day.
//
//   auto* liste = new views::Tagesliste;     // loads: geometry, filter choices, settings
//   liste->Liste->clear();
//   liste->TimerInit->start();               // the first build: the month shown in the main window
//   liste->showModal();                      // closed by "Zu&rück", Escape or a double-click
//   liste->unload();
//
// A line is "dd.mm.yyyy", one blank and at most 350 characters of the entry with its line breaks
// as blanks; every command reads only the first 10 characters of a line. While a build runs,
// every control is off except the menu "&Liste" with "Abb&rechen" (F12), the window pumps
// events at most once a second, and lines selected by the build itself never move the main
// window. Whatever ends a build, the window is idle again afterwards.
#include "platform/form.h"
#include "runtime/dates.h"

#include <QString>

#include <optional>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace platform {
class ActionRegistry;
class StatusPanels;
} // namespace platform

namespace views {

class Tagesliste : public platform::Form {
public:
    explicit Tagesliste(QWidget* parent = nullptr);

    // The most lines a list holds.
    static constexpr int zeilenGrenze = 32000;
    // The characters of an entry that a line shows.
    static constexpr int textLaenge = 350;

    // The range "dd.mm.yyyy"; empty until a range command or the first build sets it.
    QString bereichVon;
    QString bereichBis;
    // 0 idle, 1 building, 2 a cancel of the running build was asked for.
    int listeStatus = 0;

    QMenuBar* Menue = nullptr;
    platform::ActionRegistry* actions = nullptr;
    QListWidget* Liste = nullptr;
    QComboBox* kombiSuche = nullptr;
    QLabel* Bezeichnung3 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QStatusBar* StatusBar = nullptr;
    platform::StatusPanels* panels = nullptr; // "Datum", "Vor", "Bereich", "Anzahl"
    QTimer* TimerInit = nullptr;

    // The build.
    void mnuListeAktualisieren_Click();
    void TimerInit_Timer();
    void Liste_Click();
    void Liste_DblClick();
    void kombiSuche_Click();
    void mnuAlleTage_Click();
    void mnuZurück_Click();

    // The range commands: each sets bereichVon and bereichBis, then builds.
    void mnuBereichSet_Click(int index);
    void mnuBereichGew_Click(int index);
    void mnuBereichJahr_Click();
    void mnuBereichAkt_Click(int index);
    void mnuBerGesamt_Click();
    void mnuBereichAdd_Click(int index);

    // The commands on the finished list.
    void ListePrn_Click();
    void ListeZA_Click();
    void mnuMarker_Click();

protected:
    void Form_QueryUnload(bool& cancel, platform::UnloadMode unloadMode) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    void layOut();
    void connectHandlers();
    void Form_Load();

    // The range checked before a build: both ends set, the start not after the end, both
    // within 1500 to 2200.
    void bereichPruefen();
    // The panels "Datum" and "Vor" for the selected line; false when it holds no date.
    bool zeilePanelsZeigen();
    // The captions of the month commands for the range and the days shown and today.
    void monatsBeschriftungen();
    // The marker entry as the main window's own marker menu is: locked there, locked here.
    void markerFreigeben();
    // Asks for a date or a jump from referenz; nothing when the user gives none.
    std::optional<QString> datumErfragen(int index, const QString& referenz);
    // The dates of the lines (their first 10 characters), in list order.
    std::vector<rt::VbDate> gelisteteTage() const;

    bool klickWartet_ = false; // a line was selected while building; its panels follow
};

} // namespace views
