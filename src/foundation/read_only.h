#pragma once
// Read-only mode: while nurLesen is set, nothing is written into the data folder (no day file,
// no side file, no log). The start-up decides it once per run; nothing clears it later.
namespace foundation {

extern bool nurLesen;

// Tests: back to write access.
void resetNurLesen();

} // namespace foundation
