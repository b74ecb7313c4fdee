#pragma once
// The hand-over of the shown entry to a word processor and its take-back (menu entry
// PulOleTxt2Word, tool-bar button "btnWord"), a toggle on the main window's flag
// textBeiTextverarbeitung:
//
//   integration::PulOleTxt2Word_Click(textBeiTextverarbeitung,
//                                     actions->action(u"PulOleTxt2Word"_qs));
//
// No keystroke ever goes to another program: the entry goes over as a file. The hand-over saves
// the entry, writes its right-trimmed text as a temporary copy into the data folder
// (store::TempKopieSchreiben), writes the text to a new transfer file in the temporary folder
// ("Korvanel-Eintrag <dd.mm.yyyy>.txt", " (2)" and so on when the name is taken; UTF-8 with
// byte-order mark, CR LF, readable by the user alone) and starts [Textverarbeitung] "PrgExe"
// with the file as one more argument. PrgExe is a program path (blanks allowed) or a small
// command line ("soffice --writer", double quotes keeping blanks together); nothing passes
// through a shell. Then the flag is 1 and the entry's caption "&Text zurückholen von
// Textverarbeitung...". A start that fails gives "Das Starten der Textverarbeitung hat nicht
// einwandfrei funktioniert." (title: the PrgExe text, help topic 162) and changes nothing.
//
// The take-back reads the transfer file once the word processor saved it again: a byte-order
// mark or valid UTF-8 is read as UTF-8, anything else as Windows-1252, every line end becomes
// CR LF and one final line end is dropped. The text replaces the editor's, the entry is marked
// unsaved, the flag is 0 and the caption "&Text übertragen an Textverarbeitung..." again; the
// transfer file is deleted. A file that was not saved again, is empty or is no text (a zero
// byte, more than 32 MiB, not a plain file) leaves the entry and the toggle as they are and tells
// the user in one sentence; a file that is gone ends the toggle with a message.
//
// Both ways do nothing in read-only mode or without a main window.
#include <QString>

class QAction;

namespace integration {

void PulOleTxt2Word_Click(int& textBeiTextverarbeitung, QAction* PulOleTxt2Word);

// The transfer file of the hand-over that waits to be taken back; "" when none does.
QString textverarbeitungDatei();

// Tests: forgets the hand-over.
void resetTextverarbeitung();

} // namespace integration
