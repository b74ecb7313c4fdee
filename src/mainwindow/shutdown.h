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

// Whether the shutdown has begun.
bool beendenLaeuft();

// Tests: the shutdown may run again.
void resetBeenden();

} // namespace mainwindow
