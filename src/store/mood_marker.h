#pragma once
// The two small values a day can carry besides its text, kept in INI-form side files of the
// data folder:
//   Stimmung<yyyy>.ini  [<short name>]  dd.mm.yyyy=<mood -10..10>   (missing = 0)
//   Stimmung.ini        the same for all years (older layout; values move to the year files)
//   Marker_<short name>.ini  [Marker]  dd.mm.yyyy=1 (marked) or 0
// In read-only mode (nurLesen) none of them is written, and no value is moved.
#include "runtime/dates.h"

#include <QString>

#include <vector>

namespace store {

// Puts the mood of aktDatum into the mood slider: the value of the year file, else the one of
// Stimmung.ini (0 when none), which is then moved into the year file and emptied in Stimmung.ini.
void StimmungLesen();
// Stores the mood slider's value for aktDatum when it differs from the stored one (a missing
// value counts as 0, so 0 is written only over a stored non-zero value).
void StimmungSchreiben();

// Marks the day (an != 0) or unmarks it ("0" is written; the key stays).
void MarkerSetzen(rt::VbDate datum, int an);
// The same for many days at once: the marker file is read and written once, under its lock, and
// ends byte for byte as after one MarkerSetzen per day in that order. False when it could not be
// written (nothing of it then changed); true when nothing was to be written (read-only mode, no
// diary open, no days).
bool MarkerSetzen(const std::vector<rt::VbDate>& tage, int an);
// 1 when the day is marked, else 0; shows "M" or nothing in the status panel "StatMark".
int MarkerLesen(rt::VbDate datum);

// The side files of the open diary.
QString stimmungJahresdatei(const QString& datumText);
QString stimmungAltdatei();
QString markerDatei();

} // namespace store
