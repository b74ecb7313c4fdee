#pragma once
// How the main window opens its other windows: one row for each menu entry that opens a window,
// saying what happens before and after it (the entry saved first, the status text while it is
// open, the presets of its controls, the modal display, the unload, what is taken back), and the
// menu entries that only hand over to a service (help, printer set-up, sibling programs, the
// planner's appointments) or ask for a date to go to.
//
// A window plugs into its rows by its name, once, in alleFensterAnschliessen() (window_openers.cpp):
//
//   commands::fensterAnschliessen(u"Tagesliste"_s, {
//       .laden = [](QWidget* besitzer) -> platform::Form* { return new views::Tagesliste(besitzer); },
//   });
//
// That is all a window needs: the opener does the rest of its rows. It finds the controls that a
// row presets or reads by the names the window gives them (objectName), as listed in the table
// below; a window that needs more before it is shown or after it closed adds the optional
// vorbelegen and uebernehmen hooks. laden gets the main window as the owner and must return a
// loaded platform::Form whose objectName is the window's name ("Tagesliste"): a window that the
// table keeps loaded is found again by that name and shown again, not loaded anew.
//
// The rows (menu entry: window; status text; save first; what else):
//   mnuDayInf: Tagesinfos; "Tagesinformationen" (drawn at once); saved; unloaded; afterwards the
//       text selected in its text box "Text" replaces the editor's selection (not read-only)
//   mnuErsetzen: Ersetzen; "Ersetzen..."; saved; kept loaded
//   mnuImport: Import; "Importieren..."; saved; unloaded
//   mnuLesezeichen: Lesezeichen; "Lesezeichen..."; unloaded
//   mnuSuchen: Suchen; "Suchen..."; suchenWeiter := 0, then saved; kept loaded
//   mnuSuchenWeiter: Suchen; saved; suchenWeiter := 1 when its text field "Text" is not empty,
//       debug-log line "Suche.Weitersuchen: <suchenWeiter>"; kept loaded
//   mnuTagesliste: Tagesliste; "Tagesliste..."; the day changed again (saved and reloaded); its
//       list "Liste" cleared and its timer "TimerInit" switched on before it shows; unloaded
//   PulDrucken: Druck; "Drucken..."; saved; unloaded
//   PulSetup: Setup; "Einstellungen..."; afterwards the main window's settings saved and read
//       again, then the window unloaded and the main window laid out again
//   PulStatistik: Statist; "Statistik..."; saved; only for a diary with entries (else a
//       message); unloaded
//   mnuZeitleiste: Zeitleiste; a loaded one unloaded first; kept loaded
//   mnuTips: Tips; unloaded
//   PulInfo: Info; the line "Aktuelles Korvanel: <title> (<short name>)" added to its list
//       "SysInfo"; unloaded
//   mnuDatenOrdner: DatenOrdner; saved; unloaded
//   mnuHlpWeb: VersionsPrüfung; a loaded one unloaded first; when it set updateBeenden, the
//       program ends in order afterwards
//   mnuZindorMeldungen: Altes; only when the planner's files exist (else a message);
//       zindorArchivDatei set, " - Zindor" added to its caption, its combo box "txtFilter" gets
//       an empty item and the shown day (also as its text); unloaded
// "Liste", "SysInfo" and "txtFilter" may be a QListWidget or a QComboBox; "Text" a
// platform::TextBox, QLineEdit, QPlainTextEdit or QComboBox. A row whose window is not
// connected does nothing. Every status text goes back to "Bereit" when the window has closed.
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace platform {
class ActionRegistry;
class Form;
} // namespace platform

namespace commands {

// Shared with the search window: 0 a new search, 1 go on with the last search (the window itself
// also sets 2).
extern int suchenWeiter;
// Shared with the planner's appointments window: the full path of the planner's archive
// "Zindor.old", "" when it does not exist.
extern QString zindorArchivDatei;
// Set by the update check when the program is to end (to install an update).
extern bool updateBeenden;

// How a window plugs into the opener.
struct FensterAnschluss {
    // Loads the window, owned by besitzer (the main window; nullptr without one).
    std::function<platform::Form*(QWidget* besitzer)> laden{};
    // Optional: runs after the row's own presets, right before the window is shown.
    std::function<void(platform::Form&)> vorbelegen{};
    // Optional: runs after the window has closed and the row took back what it takes, before
    // the window is unloaded; not when the window was unloaded meanwhile.
    std::function<void(platform::Form&)> uebernehmen{};
};
// Connects the window of that name to every row that opens it (an empty laden disconnects it).
void fensterAnschliessen(const QString& fensterName, FensterAnschluss anschluss);
// Connects every window of the program; the main window calls it once.
void alleFensterAnschliessen();

// What the entry is saved by before its window opens.
enum class Sichern {
    Nein,
    Eintrag,     // store::EintragSpeichern
    TagWechseln, // hauptfenster().TagWechseln: saved, and the shown day loaded again
};

// One row of the table above.
struct FensterZeile {
    QString befehl;   // the registered menu entry
    QString fenster;  // the window's name
    QString status;   // the status text while it is open; "" none
    bool neuZeichnen = false;    // the status bar is drawn at once after each status change
    Sichern sichern = Sichern::Nein;
    bool vorherEntladen = false; // a loaded window is unloaded first (a fresh load each time)
    bool entladen = true;        // unloaded after it closed
};
const std::vector<FensterZeile>& fensterZeilen();

// Runs the row of the menu entry befehl. False when the entry has no row or its window is not
// connected (nothing happens then).
bool fensterOeffnen(const QString& befehl);

// Shows the window modally, with status in the main window's panel "Status" while it is open
// (default: the window's name and "...") and "Bereit" afterwards; with neuZeichnen the status
// bar is drawn at once after each change.
void modalZeigen(platform::Form& fenster, const QString& status = {}, bool neuZeichnen = false);

// mnuGeheZu (also a double-click on the date label): asks for a date or a jump counted from the
// shown day ("-2w", "3m", "24.12.2024"), proposing the date selected in the editor, else the shown
// day, or the expanded [Korvanel] "GoToFix" when it is set, and moves the main window there. A
// date outside the years 1500 to 2200 and an answer that gives no date are told and change
// nothing; Cancel and an empty answer change nothing.
void mnuGeheZu_Click();
// MnuDruckerEinrichten: the printer set-up; the printer chosen becomes the program's current
// printer (the system's default printer stays as it is). Cancel changes nothing.
void MnuDruckerEinrichten_Click();
// PulAnleitung: the program's help at its default topic.
void PulAnleitung_Click();
// mnuAGB: the terms of use in the program's help.
void mnuAGB_Click();
// The menu "W&eiteres" opens: the programs menu follows the installed sibling programs.
void mnuWeiteres_Oeffnen(platform::ActionRegistry& actions);
// mnuPrg(index): starts sibling program index (0 address book, 1 notes, 2 planner, 3 diary).
void mnuPrg_Click(int index);

// Tests: forgets the connected windows and the shared values above.
void resetFensterOeffner();

} // namespace commands
