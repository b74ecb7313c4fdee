#pragma once
// Day information from the user's definition files (".dci") in the data folder: the holiday
// table "Feiertag.dci" and day-information files such as "Astro.dci", turned into short texts
// for a day.
//
// Feiertag.dci: [Zyklisch] "dd.mm"=text of a holiday every year, [Einmalig] "dd.mm.yyyy"=text
// of a holiday on that date only (it wins over the yearly one).
//
// A day-information file: [Allgemein] OffsetTage, TextVor, TextNach, Info0, Info1, Info2;
// [Variablen] name=text, used as "[name]" in hit texts; and anywhere in the file heading lines
// "=>heading" and hit lines "<key>=text", the key being one of eleven written forms of the day
// (see DciTagesText).
#include "runtime/dates.h"

#include <QString>


namespace textlib {

// The holiday text of the day, prepared for display ("~" becomes a line break, a "~" at the end
// is dropped); "" when the table has none or does not exist.
QString FeiertagText(rt::VbDate date);
// The same for a date given as text (blanks around it allowed); "" and the current error 13
// when the text is no date.
QString FeiertagText(const QString& date);

// The day-information text of date (a date as text) from file in the data folder ("" means
// "Astro.dci"), prepared for display; "" when the file does not exist, and "" with the current
// error 13 when date is no date.
//
// The date is moved by [Allgemein] "OffsetTage" days, then every line of the file is tried with
// the keys dd.mm, dd.mm., the German month abbreviation ("Dez"), M:mm, dd.mm.yyyy, yyyy-mm-dd,
// dd-mm-yyyy, dd.mm.yy, d.m.yy, d.m.yyyy and mm.yyyy, each followed directly by "=" and matched
// without regard to case. Each hit gives TextVor + heading + text + TextNach and a line break;
// "[name]" is replaced from [Variablen]; the hits are framed by Info1 and Info2, and Info0
// stands for no hit. Tabs and "_" show as blanks. Lines may end in CR LF, LF or CR.
//
// When a file with hits lacks the keys TextVor or TextNach, they are added to its [Allgemein]
// section with empty values, so that the user finds them; never in read-only mode.
QString DciTagesText(const QString& file, const QString& date);

} // namespace textlib
