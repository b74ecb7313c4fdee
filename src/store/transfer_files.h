#pragma once
// Transfer files: temporary copies of an entry in the data folder, written when the entry is
// handed to an external word processor and deleted when the program ends. Both functions pass
// over their own failures (the caller's current error record stays as it was) and do nothing
// in read-only mode.
#include <QString>

namespace store {

// Writes text and one line break (CR LF) to "<data folder>/<ddhhnnss>.$$$", named after the
// clock's day of the month, hours, minutes and seconds; a file of that name is replaced (two
// copies within one second share the name). The path of the file written, "" when nothing
// was written.
QString TempKopieSchreiben(const QString& text);

// Deletes every "*.$$$" file of the data folder (any case of the extension).
void TempDateienLöschen();

} // namespace store
