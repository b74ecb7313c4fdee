#pragma once
// The state of the open diary that every window shares: which diary is open, which day is
// shown, the passwords and the cipher key, and the unsaved flag. The day index keeps its own
// state beside the code that builds it.
#include <QString>

namespace store {

extern QString korvanelKuerzel;   // short name of the open diary ("" when none is open)
extern QString aktDatum;          // the shown day as "dd.mm.yyyy"
extern QString aktTagesdatei;     // its day-file name "<yyyymmdd>.<short name>"
extern QString kennwortLesen;     // the password the user has shown (compared on loading)
extern QString kennwortSchreiben; // the password written into day files ("" = plain text)
extern QString schluessel;        // the fixed cipher key, set once when the main window loads
extern int ungesichert;           // non-zero: the editor holds unsaved changes

// Tests: empties every variable above.
void resetStoreState();

} // namespace store
