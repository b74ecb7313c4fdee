#pragma once
// Connects the runtime to the platform services at start-up.
#include "runtime/dates.h"

namespace platform {

// The runtime asks the clock service for "today" (the year of a date typed without one).
// main() calls this once, before anything reads a date.
void installRuntimeHooks();

// What the runtime receives: the date part of the clock service's now.
rt::VbDate todayForRuntime();

} // namespace platform
