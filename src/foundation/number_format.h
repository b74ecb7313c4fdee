#pragma once
// Numbers, sizes and durations as the German text that windows, statistics and reports show.
// The output always has a decimal comma and a grouping point, whatever the system locale.
#include <QString>

namespace foundation {

// The number without its sign and with a decimal prefix: mode 1 uses the German abbreviations
// "Tsd", "Mio", "Mrd" (and stays with "Mrd" above), every other mode "k", "M", "G", "T", "P",
// "E", "Zetta", "Yotta". Values of 0.001 and less get "m", "µ", "n" or "p". The prefix follows
// after a blank; without a prefix the text ends with a blank, so that a unit can be appended:
// 999 -> "999 ", 1500 in mode 1 -> "1,5 Tsd", 250000 -> "250 k", 0.0005 -> "0,5000 m", 0 -> "0 ".
QString ZahlMitEinheit(double number, int mode);

// A count of bytes or characters with a prefix for a power of 1024 ("Ki", "Mi", ... "Yi"):
// 1023 -> "1023 ", 1024 -> "1,0 Ki", 204800 -> "200 Ki". Below 1024 the sign is kept.
QString GroesseAlsText(double count);

// A number of seconds (sign dropped) as seconds, minutes, hours, days or years: 1 -> "1 Sekunde",
// 120 -> "2,0 Minuten", 604800 -> "7 Tage". Mode 1 gives the short units "Sek", "Min", "Std",
// "Tg", "J". A value that is no finite number gives "" and the current error 6.
QString DauerAlsText(double seconds, int mode);

// The number laid out by a number pattern ("0000000", "#,##0.0", ...), leading zeros and a
// leading grouping point removed, right-aligned in the width of the laid-out pattern; a negative
// number gets "-" in place of the first blank, or in front when there is none:
// 1234 with "0000000" -> "   1234", -1234 -> "-  1234".
QString ZahlFormatieren(double number, const QString& pattern);
// The same for a number given as text: both "1,5" and "1.5" count as one and a half; the number
// is read from the beginning of the text up to the first character that does not fit. A text
// that does not begin with a number gives "" and the current error 13.
QString ZahlFormatieren(const QString& number, const QString& pattern);

} // namespace foundation
