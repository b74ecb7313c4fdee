#pragma once
// VB's Format with German conventions whatever the system locale: "," decimal separator, "."
// grouping, German day and month names.
#include "dates.h"

#include <QString>

namespace rt {

// Number patterns: "0", "00", "0000", "#", "#,##0", "#,##0.0", "#.0", "0.00", "0%", "0.00E+00",
// literal text in quotes or after "\", and up to three sections "positive;negative;zero".
// Rounding is half away from zero on the decimal form of the value (15 significant digits, as
// VB does), so Format(2.5, "0") is "3" and Format(1.005, "0.00") is "1,01".
// Named formats: "General Number", "Currency", "Fixed", "Standard", "Percent", "Scientific",
// "Yes/No", "True/False", "On/Off". An empty pattern gives CStr(value).
QString Format(double value, const QString& pattern);
// Integer overloads avoid surprises with large whole numbers.
QString Format(qint64 value, const QString& pattern);
inline QString Format(int value, const QString& pattern) { return Format(static_cast<qint64>(value), pattern); }

// Date patterns: "d", "dd", "ddd", "dddd", "ddddd" (short date), "dddddd" (long date), "w",
// "ww", "m", "mm", "mmm", "mmmm", "q", "y", "yy", "yyyy", "h", "hh", "n", "nn", "s", "ss",
// "ttttt", "AM/PM", "am/pm", "A/P", "a/p", "AMPM", "c", "/" (date separator "."), ":" (time
// separator), literals in quotes or after "\". "m" right after "h"/"hh" means minutes.
// Named formats: "General Date", "Long Date" ("dddd, d. mmmm yyyy"), "Medium Date"
// ("dd. mmm yy"), "Short Date" ("dd.mm.yyyy"), "Long Time" ("hh:nn:ss"), "Medium Time"
// ("hh:nn AM/PM"), "Short Time" ("hh:nn"). An empty pattern gives the general date form.
QString Format(VbDate value, const QString& pattern);

// Text patterns "@", "&", "<", ">" and "!" (VB Format of a string that is no number). A text
// that is a number (IsNumeric) and a pattern of number characters goes through the number
// form; a text that is a date and a date pattern through the date form.
QString Format(const QString& text, const QString& pattern);

// CStr of a date: "dd.mm.yyyy", "hh:nn:ss" or both, leaving out a zero time or a zero date.
QString CStr(VbDate value);

} // namespace rt
