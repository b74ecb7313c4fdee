#pragma once
// Small helpers in place of the add-on library the program once used: key state, a
// one-character replacement and the label of a volume.
#include <QString>

namespace foundation {

// Not 0 while a Shift key, respectively a Ctrl key, is held down at the moment of the call.
qint32 ShiftKey();
qint32 CtrlKey();

// Every occurrence of find in text becomes replacement, in one pass; the length stays.
void ReplaceChar(QString& text, QChar find, QChar replacement);

// The label of the file system that holds path ("" when it has none); on Linux a path takes the
// place of a drive letter.
QString GetVol(const QString& path);

} // namespace foundation
