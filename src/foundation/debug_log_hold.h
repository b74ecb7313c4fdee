#pragma once
// The debug log at start-up: until the program has decided whether it may write into the data
// folder (the read-only check and the reservation of the folder), DebugLogbuch keeps its lines in
// memory. A read-only copy must leave the data folder of the user who holds it as it is, the
// debug log included, so the lines, an emptying "clr" among them, go to the file that is right
// once the decision is made: Debug.txt of the data folder, or of the temporary folder in
// read-only mode.
//
//   foundation::DebugLogbuchZurueckhalten();   // at the very start
//   ... read-only check, reservation ...
//   foundation::DebugLogbuchFreigeben();       // writes what was held back
namespace foundation {

void DebugLogbuchZurueckhalten();
void DebugLogbuchFreigeben();

} // namespace foundation
