#pragma once
// The family's sibling programs (address book, notes, planner and this diary), found through
// their sections in Brisol.ini and started from the menu "&Zusätzliche Programme", and the
// hand-over of a text to a day of the diary.
#include <QString>

#include <array>

class QAction;

namespace integration {

// The number of siblings; indexes run from 0 to 3: 0 the address book "Movrenta", 1 the notes
// program "Quelbar", 2 the planner's input program "Zindor", 3 this diary "Korvanel".
inline constexpr int externPrgAnzahl = 4;

// The caption of the menu entry mnuPrg(index): "&Movrenta...", "&Quelbar...", "&Zindor...",
// "&Korvanel..."; "" for another index.
QString externPrgMenueText(int index);

// The full path of the sibling's program file, "" when it is not installed: in the program
// folder its section of Brisol.ini names, the file name without ".exe" first ("Movrenta"),
// then with it ("Movrenta.exe"), each matched without regard to case.
QString ExternPrgPfad(int index);

// Starts the sibling in its own folder. A sibling that is not installed gets the message
// "Das Programm »<Name>« ist auf diesem System nicht installiert. ..."; a start that fails goes
// to the central error dialog.
void ExternPrgStarten(int index);

// Hides the menu entry of the running program itself (the one whose program file is this
// program's); the others stay as they are. mnuPrg holds the entries by index; nullptr entries
// are skipped.
void ExternPrgMenue(const std::array<QAction*, externPrgAnzahl>& mnuPrg);

// What the main window offers for a text handed to this very program. The main window sets it
// once it is loaded; without it the text goes to the program file through its command line.
class TextUebergabeZiel {
public:
    virtual ~TextUebergabeZiel() = default;

    // Saves the shown entry when it holds unsaved changes.
    virtual void EintragSpeichern() = 0;
    // Makes the diary named like the command line's "Korvanel=" value (the short name,
    // optionally ":" and the password) the open one, unless it is open already; false when it
    // cannot be opened (the main window has told the user why).
    virtual bool TagebuchOeffnen(const QString& korvanel) = 0;
    // Goes to the day "dd.mm.yyyy" (saving the shown entry first), as setting the caption of
    // the date label does.
    virtual void TagZeigen(const QString& datum) = 0;
    // The text of the editor with CR LF line ends, and setting it.
    virtual QString Text() = 0;
    virtual void setText(const QString& text) = 0;
    // Marks the entry unsaved and shows it so.
    virtual void UngesichertSetzen() = 0;
};

// Sets the target (nullptr: none); the caller keeps ownership.
void setTextUebergabeZiel(TextUebergabeZiel* ziel);

// The name of the transfer file in the temporary folder.
QString uebergabeDateiName();

// Hands text to the day date (a date text; anything else means "the day the diary shows") of
// the diary named by "KVApp" of the program's section (default "Txt").
// - To this very program (the diary's program file is ours, or none is found) while the main
//   window has set its target: in-process, the shown entry saved, the diary opened, the day
//   shown, the text (trimmed of blanks and of line breaks at both ends, as the receiving
//   program takes it; an empty text appends nothing) appended after a CR LF when the entry is
//   not empty, and the entry marked unsaved. In read-only mode nothing is appended and the
//   user is told so.
// - To another program file: the text and CR LF are written to "Zd2Kv.$$$" in the temporary
//   folder and the program is started with "/Korvanel=<KVApp>", "/Datum=<dd.mm.yyyy>" (only for
//   a date) and "/AppendFile=<transfer file>", each its own argument. The program gets two
//   seconds to take the file; when it is still there afterwards, the user is told that the
//   text did not arrive (it stays in the file).
// - Without a diary program: the message "Das Brisols-Korvanel ist auf diesem System nicht
//   installiert. ...".
void TextUebergeben(const QString& date, const QString& text);

} // namespace integration
