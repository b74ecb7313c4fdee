#pragma once
// The one-time update of the data layout: early versions kept every day file directly in the
// program folder; since then each lives in the folder of its year. The main window's load runs
// the update before anything else touches the day files.
#include <QString>

namespace store {

// Moves the day files "<yyyymmdd>.<short name>" (years 1500 to 2200) that still lie directly in
// the program folder into its year folders "<program folder>/<yyyy>", after the user agreed;
// any answer but Yes ends the program at once, so that no diary is opened in the old layout.
// Nothing happens when the program folder holds no such file of the years 19xx or 20xx, when
// [Allgemein] "Update1996_06" of Brisol.ini is 1, or in read-only mode.
//
// A file is deleted only after its copy succeeded and has the original's size. A file that is
// already at the target is never replaced: both stay. Each file that stays behind is reported
// through the central error dialog ("go on" takes the next file, "stop" ends the update), and
// a closing message says that the update will be offered again; "Update1996_06" becomes 1 only
// when every file was moved.
void DatenUpdate606();

} // namespace store
