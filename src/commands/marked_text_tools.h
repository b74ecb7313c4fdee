#pragma once
// The entries of "&Markierung" in the menu "&Bearbeiten" that work on the text selected in the
// entry: quotation marks around it, upper case, line breaks removed, amounts in Euro, and the
// excerpt print. The changes go through the main window's one insertion (MainPort::insertText):
// nothing changes in read-only mode or while the editor is locked, and the entry is marked
// unsaved.
//
//   connect(actions->action(u"mnuMarkUcase"_qs), &QAction::triggered,
//           [this] { commands::mnuMarkUcase_Click(*this); });
#include <QString>

namespace platform {
class MainPort;
}

namespace commands {

// The selection without its line breaks: a line break followed by a blank loses that one blank,
// then every line break becomes a blank ("a", " b", "c" on three lines gives "a b c").
QString OhneZeilenumbrueche(const QString& auswahl);

// mnuMarkGänsefuss: the selection between [Allgemein] "Anführung1" (default "»") and
// "Anführung2" (default "«"), exactly as stored; the caret behind. With nothing selected the
// two marks go in at the caret.
void mnuMarkGänsefuss_Click(platform::MainPort& main);
// mnuMarkUcase: the selection in capitals, the same characters selected again.
void mnuMarkUcase_Click(platform::MainPort& main);
// mnuMarkCRdel: the selection without its line breaks; the caret at its former start.
void mnuMarkCRdel_Click(platform::MainPort& main);
// mnuMark2EUR: the amount in the selection converted to Euro (textlib::InEuroUmrechnen), the
// caret behind. A declined or cancelled question, or a selection without an amount, leaves the
// selection as it is.
void mnuMark2EUR_Click(platform::MainPort& main);
// mnuMarkPrint: the selection printed as an excerpt of the diary: "Korvanelauszug" in bold,
// "vom <shown day> aus <diary title>", an empty line, the selection (trimmed) on as many pages
// as it needs, each with the page footer, in the editor's font and 2 cm from the left. A printer
// failure goes to the error dialog ("Was soll jetzt geschehen?"), which may stop the print.
void mnuMarkPrint_Click(platform::MainPort& main);

} // namespace commands
