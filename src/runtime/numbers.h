#pragma once
// Numbers from and to text. Val reads the invariant form; the regional conversions (CDbl, CInt,
// CLng of text, CStr, IsNumeric) are always German: "," decimal separator, "." grouping.
#include <QString>
#include <optional>

namespace rt {

// Leading number with "." as decimal point; blanks, Tabs and line feeds are skipped anywhere;
// stops at the first other character; "&H"/"&O" prefixes and an exponent "E"/"D" are read.
// "" gives 0. Val(" 1 2,5") is 12.
double Val(const QString& text);

// German conversion of a whole text (blanks around it allowed, grouping dots allowed, one
// leading sign); nothing when the text is no number.
std::optional<double> parseGermanNumber(const QString& text);
bool IsNumeric(const QString& text);

// CDbl/CInt/CLng of text set the current error 13 and give 0 when the text is no number.
double CDbl(const QString& text);
// Halves to even; outside -32768..32767 (CInt) or the 32-bit range (CLng) the current error 6
// is set and 0 is returned.
int CInt(double value);
int CInt(const QString& text);
qint32 CLng(double value);
qint32 CLng(const QString& text);

// Int floors, Fix truncates toward zero.
double Int(double value);
double Fix(double value);
// VB Round: halves to even at the given number of decimals.
double Round(double value, int decimals = 0);

// Str: invariant form with a leading blank for a number that is not negative (" 5", "-5",
// " 2.5"). CStr: German form ("2,5"). Both write at most 15 significant digits, as VB does, and
// switch to the exponent form ("1E+16", "1,5E-07") where VB does.
QString Str(double value);
QString CStr(double value);

} // namespace rt
