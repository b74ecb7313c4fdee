#pragma once
// Starts and running time of the program, counted in the program's section of Brisol.ini:
//
//   Stat_Starts      number of starts                       (StartStatistik, +1 per start)
//   Stat_StartFirst  day of the first start "dd.mm.yyyy"     (StartStatistik, while no date)
//   Stat_StartLast   start of the last run "dd.mm.yyyy hh:nn:ss"           (StartStatistik)
//   Stat_RunMinutes  total running time in minutes          (EndeStatistik, + minutes of the run)
//   Stat_UseMinutes  total time of actual use in minutes    (never written; shown when present)
//   Dir, Ver, VerBit the program folder, versionText, "32" + versionText        (EndeStatistik)
//   [Version] Korvanel  versionPunkt                                           (StartStatistik)
//
// The settings file is the user's own: it is written in read-only mode too. No failure is
// reported; a step that fails is passed over.
#include <QString>

namespace foundation {

// At start-up, after the reservation of the data folder: counts the start, sets the first and
// the last start, stores the version and removes the remote-close flag. Remembers the start on
// the monotonic clock for EndeStatistik.
void StartStatistik();

// At program end, after the release of the reservation: adds the minutes of this run to
// Stat_RunMinutes and stores where the program is and which version ran (also as the registry
// value "Dir"), except in development mode. The minutes are the minute boundaries of the wall
// clock passed since the start, counted on the monotonic clock from StartStatistik on, so that a
// change of the system time never makes them negative (10:59:50 to 11:00:05 adds 1, a run
// within one clock minute 0). A run whose start was not counted adds 0.
void EndeStatistik();

// The usage in German words. Mode 2: the short line of starts and running time per day; any
// other mode: since when, how often and how long, and the averages per day. Without a first
// start (empty or no date): "Sorry, aber keine Datengrundlage vorhanden."
QString NutzungsStatistikText(int mode);

// Tests: forgets the start of this run.
void resetStatistik();

} // namespace foundation
