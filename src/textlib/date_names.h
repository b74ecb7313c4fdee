#pragma once
// German day and month names, date layouts, time and duration layouts and day counts in words,
// all from the program's own tables and never from the system locale.
#include <QString>

namespace textlib {

// The name of a weekday (Sunday = 1) or month number by code, compared in lower case: "wt" long
// weekday name, "wt2" short weekday name ("So"), "mo" long month name, "mo3" three-letter month
// name ("Mär"). A number out of range gives "Tag???", "??", "Monat???" or "???"; an unknown code
// gives "".
QString NameVonDatum(int number, const QString& code);

// The date text laid out by format with German names. The format is lower-cased first; then
// "dddd", "ddd", "d.", "mmmm", "mmm", "mm", "yyyy" and "yy" are replaced in this order ("mmm"
// gives "Jan.", "Feb.", "März", "April", "Mai", "Juni", "Juli", "Aug." ...). A text that is no
// date is reported in a message box and the lower-cased format comes back.
QString DatumFormatieren(const QString& format, const QString& date);

// A short code of today's date: mode 1 the year, 2 the month ("03"), 3 "0000", 10 year.mm.dd,
// any other year.mm. The year has four digits from 2000 on, else two.
QString DatumKennung(int mode);

// A number of seconds (a duration or a time of day, fractions allowed) laid out by a named
// template: "HH:MM:SS", "HHH:MM:SS", "H:MM:SS", "h:MM:SS", "HH:MM", "HH:M0" (minutes to the
// nearest ten), "H:MM", "H:M:S", "MM:SS", "HHh MM' SS''", "HHh MM'", "HH Std MM Min SS Sek",
// "MM Min SS Sek", "HH Std MM Min", "H,H", "H,HH". Templates are compared exactly; any other
// text gives the "HH:MM:SS" layout.
QString ZeitFormatieren(double seconds, const QString& templateName);

// A signed number of days from today in words: "heute", "morgen", "vor 3 Tagen",
// "in 4,6 Wochen", "vor 2,7 Jahren". Above the day counts of [Skalierung] "TageInWochen" (31),
// "TageInMonaten" (170) and "TageInJahren" (438) of Brisol.ini the span is told in weeks, months
// or years. The count is rounded to a whole number (halves to even); a count beyond the 32-bit
// range sets the current error 6 and gives "".
QString TagAbstandText(double days);

// A number of days, sign dropped, as a span: "1 Tag", "21 Tagen", "3,1 Wochen"; from the day
// counts of [Skalierung] "TageInWochen" (22), "TageInMonaten" (183) and "TageInJahren" (556) on
// in weeks, months or years with the number format (empty: "#.0").
QString TageAlsText(double days, const QString& format);

} // namespace textlib
