#pragma once
// The entries of "&Einfügen" that put a chosen text into the entry (a file name, a keyword) and
// "&Text aus Dateinamen übernehmen" of the menu "&Bild", which puts the name of the day's picture
// in front of the entry. Each goes through the main window's one insertion (MainPort::insertText),
// so nothing changes in read-only mode or while the editor is locked, and the entry is marked
// unsaved. The date entries are in date_insert_commands.h.
//
//   connect(actions->action(u"mnuStichWorteinfg"_qs), &QAction::triggered,
//           [this] { commands::StichwortEinfuegen(*this); });
#include <QString>

namespace platform {
class MainPort;
}

namespace commands {

// The text mnuDateinameEinfg inserts for a chosen path: the path without double quotes and
// blanks at either end, in double quotes, with one blank before and after.
QString DateinameText(const QString& pfad);
// mnuDateinameEinfg: a file chosen in the open-file dialog "Wählen Sie eine Datei"; Cancel
// inserts nothing.
void DateinameEinfuegen(platform::MainPort& main);

// The text a keyword from the list stands for: "~" becomes a line break, then the placeholders
// are expanded.
QString StichwortText(const QString& stichwort);
// mnuStichWorteinfg: the keyword list "Stichworte" opens with the selected text (trimmed) as its
// proposal, "Stichwörter..." in the panel "Status" meanwhile; the keyword chosen there is put in
// at the caret. Nothing when none was chosen.
void StichwortEinfuegen(platform::MainPort& main);

// The text taken from a picture's file name: the name without folder and extension, without the
// digits, points, dashes, underlines and blanks it begins with ("20240501_Hafen.jpg" gives
// "Hafen").
QString BildNameText(const QString& bildPfad);
// mnuBildNameTxtInst: that text in front of the whole entry, bildPfad being the picture the main
// window shows ("" when it shows none, which does nothing).
void BildNameEinfuegen(platform::MainPort& main, const QString& bildPfad);

} // namespace commands
