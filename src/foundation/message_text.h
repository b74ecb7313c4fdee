#pragma once
// Message texts in the program's small markup, text insertion into text controls, and text
// files read whole.
#include <QString>

#include <optional>

class QWidget;

namespace foundation {

// The display text of a message written in markup (markup words in any case): leading blanks
// go; "~" is a line break (CR LF) and one blank right after a line break goes; "^t" is a Tab;
// "{datum}" is today's date "dd.mm.yyyy"; acute accents "´" become "»" and "«" in turn over the
// whole text; a pair of grave accents "`" within one line becomes "»" ... "«"; three or more
// line breaks in a row become two.
QString MeldungAufbereiten(const QString& text);

// Replaces the selection of a text control (QLineEdit, QPlainTextEdit, QTextEdit) by text, or
// inserts it at the caret, puts the caret behind the insertion with nothing selected and gives
// the control the focus. Line ends of the text may be CR LF, LF or CR. Other widgets are left
// alone.
void TextEinfuegen(QWidget* control, const QString& text);

// The whole text of a file with CR LF line ends (CR LF, LF and CR are read as line ends) and one
// final line break dropped. A file starting with the UTF-8 byte-order mark is read as UTF-8,
// any other as Windows-1252. A missing file gives "". A file that exists but cannot be read
// gives nothing, with the current error record filled.
std::optional<QString> TextdateiLesen(const QString& path);

} // namespace foundation
