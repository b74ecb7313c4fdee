#pragma once
// Whether the program runs in development mode. Only then do failures stop where they happen;
// the released program passes over a failing step and goes on with the next one.
//
// Development mode is switched on explicitly with the environment variable
// KORVANEL_ENTWICKLUNG=1 (Debug builds too answer False without it).

namespace foundation {

bool InEntwicklungsumgebung();

// Forgets the decision, so that tests can decide again.
void resetEntwicklungsumgebung();

} // namespace foundation
