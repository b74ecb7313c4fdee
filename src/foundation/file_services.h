#pragma once
// Finding and testing files and folders: whether a file exists, the parts of a path, the search
// of a file through the program's folders, the folders of another program of the family, a wait
// that keeps the windows alive, and a change to the program folder. File names are matched
// without regard to case.
#include <QString>

namespace foundation {

// Whether path names a file (not a folder) that can be opened for reading. An empty path or one
// with "*" or "?" gives false without asking the disk.
bool DateiExistiert(const QString& path);

// One part of a path ("\" taken as "/", blanks around it trimmed). For "/home/anna/Brief.txt":
//   -2  ""  (Linux paths have no drive part)
//   -1  "/home/anna"   the folder without the final "/" ("/" for a file in the root)
//    0  "/home/anna/"  the folder with the final "/"
//    1  "Brief"        the file name without its extension
//    2  "txt"          the extension without the dot
//    3  "Brief.txt"    the file name
// Any other mode gives "".
QString PfadTeil(const QString& path, int mode);

// The path of the first of ordnerDat, ordnerPrg, ordnerSub, the current folder, WindowsOrdner()
// and SystemOrdner() that holds the file (as spelled on disk); "" when none does.
QString DateiSuchen(const QString& fileName);

// The program folder, or for a kind beginning with "dat" (any case) the data folder, of the
// family program whose section in Brisol.ini is programWord ("" = this program), without a final
// "/"; "" when the section names none.
QString OrdnerVonProgramm(const QString& programWord, const QString& kind);

// Waits about seconds (a negative time counts as 0), in rounds of 100 ms in which the events of
// every window and the timers are processed; at least one round.
void Warten(float seconds);

// Makes ordnerPrg the current folder; a failure is passed over.
void ZumProgrammOrdner();

} // namespace foundation
