#pragma once
// The ordered end of the program (exit command, close box, a hand-over that is done): the entry
// is saved, the transfer files are deleted, the main window's settings saved, the help closed,
// the multi-user reservation released, the run minutes added to the statistics, "Programm-Ende"
// written to the debug log, every window unloaded, and the program ends.
//
// It runs once, whichever way out is taken: a second call while or after it ran returns at once.
// When the entry cannot be saved, the user is asked whether to end all the same; "Nein" goes back
// to the diary with the text still in the editor (and the shutdown can be asked for again). No
// keystroke is sent to any other program.
namespace mainwindow {

void PulBeenden();

// The quiet steps of the shutdown, for a program that is about to end through a restart job:
// the transfer files deleted, the main window's settings saved, the help closed, the reservation
// released, the run added to the statistics, "Programm-Ende" in the debug log. The entry must
// have been saved by the caller. Counts as the shutdown having begun, so none runs after it.
void StillAufraeumen();

// Whether the shutdown has begun.
bool beendenLaeuft();

// Tests: the shutdown may run again.
void resetBeenden();

} // namespace mainwindow
