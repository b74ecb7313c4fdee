#pragma once
// Calendar arithmetic: date jumps by short expressions, the ISO calendar week, central-European
// summer time, days of a year and a month, the Julian day and the conversion of a local time
// into standard time and universal time. Dates are of the proleptic Gregorian calendar.
//
// Functions that take a date come in two forms: a date value, or a text in any form that
// rt::CDate reads (a text that is no date is treated as each function says).
#include "runtime/dates.h"

#include <QString>

#include <optional>

namespace textlib {

// The start moved by a jump expression: an amount and a unit letter, "3d", "-2w", "1,5m",
// "0.5y", "12" (days). Units by the last character, in any case: "y", "j", "a" years; "m"
// months; "d", "t" days; "w" weeks; "h" hours; "n" minutes; "s" seconds; anything else days. A
// fractional amount of years or months becomes days (365.2425 and 30.436875 a unit); every amount
// is rounded to a whole number (halves to even) that must fit in 16 bits. A start that is no
// date is now; a jump that is itself a date is the result. A jump of 8 characters or more gives
// nothing. An amount beyond the 16-bit range or a result outside the date range goes to the
// error dialog (fehlerMelden); the result is then nothing.
std::optional<rt::VbDate> DatumSprung(rt::VbDate start, const QString& jump);
std::optional<rt::VbDate> DatumSprung(const QString& start, const QString& jump);

// The ISO 8601 week 1..53 of the date; the time of day plays no part. A text that is no date
// gives 0.
int Kalenderwoche(rt::VbDate date);
int Kalenderwoche(const QString& date);

// Whether the day falls into central-European summer time: from the last Sunday of March
// (all day) to the day before the last Sunday of October, before 1996 of September. No summer
// time before 1980. A text that is no date gives false.
bool Sommerzeit(rt::VbDate date);
bool Sommerzeit(const QString& date);

// 366 or 365. A year below 100 has 1900 added (96 is 1996).
int TageImJahr(int year);

// 28..31. A text that is no date sets the current error 13 and gives 0.
int TageImMonat(rt::VbDate date);
int TageImMonat(const QString& date);

// The Julian day of the date and time (Meeus), 2451545.0 for 01.01.2000 12:00. A text that is
// no date gives 0.
double JulianischesDatum(rt::VbDate date);
double JulianischesDatum(const QString& date);

// Local date and time in standard time, universal time and the Julian day of the last date given
// to ZeitenBerechnen (nothing before the first). utStunden, the hours from standard time to
// universal time, is read from [Allgemein] "UT" of Brisol.ini (default 1) at the first call of a
// run and kept.
extern qint16 utStunden;
extern std::optional<rt::VbDate> mezZeit;
extern std::optional<rt::VbDate> utZeit;
extern std::optional<double> julianTag;

// Fills mezZeit, utZeit and julianTag for a local date and time: in summer time mezZeit is one
// hour earlier than the date, utZeit two hours (with UT 1). A text that is no date is reported in
// a message box and leaves the state as it was.
void ZeitenBerechnen(rt::VbDate date);
void ZeitenBerechnen(const QString& date);

// ZeitenBerechnen, then julianTag (0 when there is none).
double ZeitwertBerechnen(rt::VbDate date);
double ZeitwertBerechnen(const QString& date);

// Forgets the state above and the reading of "UT", for tests.
void resetKalender();

} // namespace textlib
