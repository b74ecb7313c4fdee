#pragma once
// The commands of the menu "Bearbeiten" on the editor Text of the main window: cut, copy,
// paste, select all, undo, insert the time and sort the selected lines, and the state of the
// menu's entries when it opens. Texts and positions are those of MainPort: CR LF line ends, a
// line break counts two. Every command that changes the text marks the entry unsaved; in
// read-only mode (nurLesen) nothing changes the text (copy and select all still work).
//
//   void Main::PulAusschneiden_Click() { mainwindow::Ausschneiden(*this); }
//   void Main::PulBearbeiten_Oeffnen() { mainwindow::BearbeitenMenueAnpassen(*this, *actions); }
#include "platform/main_port.h"

#include <QString>

namespace platform {
class ActionRegistry;
class TextBox;
} // namespace platform

namespace mainwindow {

// The editor text kept for the program's own undo: the entry as loaded (the change of day sets
// it), and the text as it was before a drop changed it.
extern QString undoText; // kept with the window state (main_state.h)
void resetBearbeiten();

// The main window's editor: its text box named "Text"; nullptr when it has none.
platform::TextBox* editorVon(const platform::MainPort& main);

// ungesichert := 1 and the panel "Unsaved" shows it.
void alsUngesichertMarkieren();

// text in place of the selection with the caret behind it, the focus in the editor and the entry
// marked unsaved. Nothing for an empty text, in read-only mode or while the editor is locked;
// returns whether the text went in. This is platform::MainPort::insertText of the main window:
// its own commands call it here, every other window through the port.
bool TextEinfuegen(platform::MainPort& main, const QString& text);

// PulAusschneiden: the selection to the clipboard and out of the text, the caret where it began.
void Ausschneiden(platform::MainPort& main);
// PulKopieren: the selection to the clipboard (an empty selection empties it).
void Kopieren(platform::MainPort& main);
// mnuZAeinfg: the clipboard's text in place of the selection, the caret behind it; nothing
// when the clipboard holds no text.
void Einfuegen(platform::MainPort& main);
// PulAllesMarkieren: the whole text selected and copied.
void AllesMarkieren(platform::MainPort& main);
// mnuUndo: the editor's own undo of the last edit when it has one ("Undo Typ: System" in the
// debug log); otherwise the text and undoText change places, the caret stays where it was
// ("Undo Typ: Intern"), so a second undo brings the text back.
void Rueckgaengig(platform::MainPort& main);
// mnuUhrEinfg: the time "hh:nn" and a blank in place of the selection.
void UhrzeitEinfuegen(platform::MainPort& main);
// PulOrdnen: the selected lines sorted without regard to case, joined with CR LF and put in
// place of the selection; the caret where the selection began. A selection ending in a line
// break sorts an empty last line to the front (as the command always did).
void ZeilenOrdnen(platform::MainPort& main);
// The sorted block of ZeilenOrdnen for a selected text.
QString zeilenSortiert(const QString& auswahl);

// The state of the menu's entries for the editor and the clipboard (PulBearbeiten opens).
struct BearbeitenMenue {
    bool ausschneiden = false;    // PulAusschneiden
    bool kopieren = false;        // PulKopieren
    bool ordnen = false;          // PulOrdnen
    bool markierteText = false;   // mnuMarkPrint, mnuMarkCRdel, mnuMarkGänsefuss, mnuMarkUcase,
                                  // mnuMark2EUR
    bool einfuegen = false;       // mnuZAeinfg
    bool allesMarkieren = false;  // PulAllesMarkieren
    friend bool operator==(const BearbeitenMenue&, const BearbeitenMenue&) = default;
};
BearbeitenMenue bearbeitenMenue(const platform::MainPort& main);
// Sets the entries registered under those names.
void BearbeitenMenueAnpassen(const platform::MainPort& main, platform::ActionRegistry& actions);

} // namespace mainwindow
