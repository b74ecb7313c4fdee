#pragma once
// Read-only mode: while nurLesen is set, nothing is written into the data folder (no day file,
// no side file, no log). The start-up decides it once per run; nothing clears it later.
namespace foundation {

extern bool nurLesen;

// The decision at start-up (the main window's load, directly before the reservation of the data
// folder). Clears nurLesen, then sets it for each of these causes; every test runs, none stops
// the others, and a failing step is passed over:
// - "readonly" anywhere in the command line (any case, also inside a longer word);
// - the first "Info.*" file of the data folder, else of the program folder, is write-protected
//   (no write permission for anyone, or none for this user: the read-only attribute as Linux
//   shows it), or the data folder itself is;
// - "ReadOnly.txt" exists in the program folder; its lines, each followed by "~", are shown in
//   a message box when that text is not empty;
// - a random number written to [Allgemein] "Schreibtest" of Brisol.ini does not read back.
// The debug log gets the check and its result only once it is decided, so a read-only run adds
// no line to it.
void SchreibrechtePruefen();

// Tests: back to write access.
void resetNurLesen();

} // namespace foundation
