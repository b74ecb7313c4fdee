#pragma once
// Guards of the run: one copy of the program per user, and the remote-close flag file.
//
// The first copy of a user takes a lock beside the local socket (instanzSocketName + ".lck")
// and listens on the socket; a later copy of the same user finds the lock taken, asks the
// copy on the socket to bring its window to the front and ends, however close together the
// copies start. A lock left by a copy that died is taken over. The guard holds
// for the user on this machine, whatever data folder each copy uses. [Allgemein]
// "NoInstanceWatch" = 1 in NetWatch.ini of the data folder lets several copies run side by side.
#include <QString>

#include <functional>

namespace foundation {

// Called early in the main window's load, once the folders are known. Reads "NoInstanceWatch"
// without writing it (the copy does not know yet whether it may write into the data folder, and
// a read-only copy must leave it as it is); unless it is exactly 1: when another copy of this
// user runs, brings that copy's window to the front and ends this program (ProgrammBeenden);
// otherwise this copy becomes the one that later copies find.
void InstanzWaechter();

// A later copy started to hand text over ("AppendFile=" on its command line) passes the
// hand-over to the running copy with the activation: the values of "Korvanel=", "Datum=" and
// "AppendFile=" (the file with its full path). The running copy hands them to the receiver set
// here, from its event loop; without a receiver it only comes to the front.
using UebergabeEmpfaenger = std::function<void(const QString& korvanel, const QString& datum,
                                               const QString& datei)>;
void setUebergabeEmpfaenger(UebergabeEmpfaenger empfaenger);

// The local socket of the user's first copy: in $XDG_RUNTIME_DIR (the user's own runtime
// folder) when it is set and exists, else "Korvanel-<user id>.instanz" in the temporary folder.
QString instanzSocketName();

// mode 0 deletes the flag file "Korvanel_RmtClose$DoIt.flg", or when it is found nowhere
// "Korvanel_<computer name>_RmtClose$DoIt.flg" (looked for with DateiSuchen). A read-only run
// leaves a flag file in the data folder alone. The result is 0.
int FernSchliessenFlag(int mode);

// Tests: stops listening (the socket file goes) so that the next InstanzWaechter starts afresh.
void resetInstanzWaechter();

} // namespace foundation
