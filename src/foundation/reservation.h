#pragma once
// The multi-user reservation of the data folder: the first user of a shared data folder
// reserves it, a later user is told who holds it and since when and may open read-only or not
// start at all (optionally leaving a message for the holder). A read-only copy that gave way
// watches the reservation and offers a restart with write access once it has been released.
//
// Everything the copies share lies in NetWatch.ini in the data folder:
//
//   [Allgemein]  NoNetWatch       not 0: no reservation at all (nothing read, written or asked)
//                Benachrichtigen  not 0: a user who does not start may leave a message
//                NoUnlockWatch    not 0: no watch for the release
//                NoInstanceWatch  see instance_guard.h
//   [UserJetzt_<name>]  User      the holder; empty once released
//                       Seit      "dd.mm.yyyy hh:nn:ss"; kept alive by the holder every 10
//                                 minutes; a reservation more than 300 minutes away from now
//                                 (either way) no longer counts
//   [Nachricht]  Text, User, Date the last message left for a holder
//
// <name> is a diary's short name in proper case, or empty for the whole data folder (the only
// form the program uses, so the section is [UserJetzt_]).
#include <QString>

#include <QStringList>

#include <optional>

namespace foundation {

// The name of the reservation this copy gave way to by opening read-only. Emptied when the
// release watch asks its question.
extern QString reservierterName;

// mode 1 reserves (at start-up), mode 0 releases (at program end). A non-empty name is put into
// proper case, and the caller's variable receives that form. A read-only copy neither reserves
// nor releases. When another user holds the reservation, the user chooses between read-only
// (OK) and not starting (Cancel: the main window is unloaded and the program ends here). The
// release empties the holder only when it is still this copy's user.
void DateiReservierung(int mode, QString& name);
// The same for the whole data folder.
void DateiReservierung(int mode);

// Called on every tick of the main window's two-second clock. Keeps this copy's reservation
// alive: while this copy holds it, "Seit" is written again every 10 minutes (a copy that
// crashed stops doing so, and its reservation runs out after 300 minutes). In a copy that
// opened read-only because of another user's reservation, asks once that reservation is
// released whether to restart with write access, and on Yes restarts the program through a job
// (Restart.sh) and ends it. Never asks twice: the watch ends with the question, whatever the
// answer, and a tick during the question returns.
void NetzFreigabePruefen();

// Restarts the program after its data folder has been moved: writes the job x-Setup_Job.sh,
// which waits until this process has ended and starts the program again from its program
// folder (with the arguments of this run except "/OrdnerDat=", so that the new setting
// counts), starts it and ends the program at once. Does not return.
[[noreturn]] void NeustartSetupJob();

// Tests: the reservation state back to the start of a run.
void resetReservierung();
// Tests: the program and its arguments that a job starts, in place of this process's own
// (nullopt = its own).
void setAufrufFuerTests(std::optional<QStringList> aufruf);

} // namespace foundation
