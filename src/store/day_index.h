#pragma once
// The day index: the days on which the open diary has an entry, as day numbers yyyymmdd, built
// by one listing of every year folder of the data folder and sorted on demand. Every write or
// delete of a day file makes it stale, and the next TagesverzeichnisErstellen builds it again.
//
// The list itself is an immutable snapshot: a build puts a new list in place and never changes
// one that was handed out. A loop that writes entries takes its copy first and walks that copy,
// so a rebuild inside the loop (after each write) cannot shift positions under it:
//
//   TagesverzeichnisErstellen(true);
//   const TageslisteRef tage = tagesverzeichnis;
//   for (qint32 tag : *tage) { ... EintragDateiSchreiben(...) ... }
//
// Positions are counted from 1 as the windows show and use them: position p is element p - 1
// of the list. tagesIndex is such a position.
#include "runtime/dates.h"

#include <QString>

#include <memory>
#include <vector>

namespace store {

using Tagesliste = std::vector<qint32>;
using TageslisteRef = std::shared_ptr<const Tagesliste>;

// The greatest number of days the index holds.
inline constexpr qint32 tageGrenze = 30000;

// The current snapshot (never null; empty until built).
extern TageslisteRef tagesverzeichnis;
// The number of days in tagesverzeichnis.
extern qint32 tageAnzahl;
// 0 stale (the next build scans the folders), 1 built in scan order, 2 built and sorted.
extern qint16 verzeichnisStatus;
// The position (from 1) of the shown day aktDatum, or of the first later entry day in index
// order when the day has none; -1 when there is none.
extern qint32 tagesIndex;

// Makes sure the index is built, and sorted ascending when sortieren is true, and computes
// tagesIndex for aktDatum. The folders are scanned only when verzeichnisStatus is 0. Only files
// named "<eight digits>.<short name>" (name and extension in any case) whose digits form a valid
// date of 1500 to 2200 are taken, each under the day of its name, whatever year folder it lies
// in; other names are skipped with a line in the debug log. More than tageGrenze days: the first
// ones in year order are kept and the user is told once. The count is written to Brisol.ini
// under "SWTageN". The status panel "Status" shows what is going on.
void TagesverzeichnisErstellen(bool sortieren);

// The day number of a "dd.mm.yyyy" text as the index compares it (characters 7-10, 4-5, 1-2).
qint32 tagesnummerVonDatumText(const QString& datumText);

// A day of the index (its number yyyymmdd) as a date, and as the text "dd.mm.yyyy"; and the day
// number of a date.
rt::VbDate TagesnummerDatum(qint32 nummer);
QString TagesnummerText(qint32 nummer);
qint32 DatumTagesnummer(rt::VbDate datum);

// Tests: an empty, stale index and tagesIndex -1.
void resetTagesverzeichnis();

} // namespace store
