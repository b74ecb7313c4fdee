#pragma once
// The string rules of the language the program was written for: 1-based positions, forgiving
// bounds, blank-only trimming and case mapping that keeps the length of the text.
#include <QString>

namespace rt {

// Character-by-character case mapping; the length never changes ("Straße" -> "STRAßE").
QString UCase(const QString& text);
QString LCase(const QString& text);
QChar UCaseChar(QChar ch);
QChar LCaseChar(QChar ch);
// First letter of every word upper, the rest lower; words are separated only by NUL, Tab, LF,
// vertical tab, form feed, CR and blank.
QString ProperCase(const QString& text);

// Both sides lower-cased, then compared.
bool equalsNoCase(const QString& a, const QString& b);

int Len(const QString& text);
// Mid(text, start[, length]): 1-based; a start past the end gives "", a negative or missing
// length takes the rest. A start below 1 is treated as 1.
QString Mid(const QString& text, int start, int length = -1);
QString Left(const QString& text, int length);
QString Right(const QString& text, int length);
// Left for a length limit: at most length UTF-16 units, one fewer where the cut would split a
// surrogate pair, so that a character beyond the BMP (an emoji) is kept whole or left out whole.
QString leftWhole(const QString& text, int length);

// InStr: 1-based position of find at or after start, 0 when missing. An empty find gives start
// (when start is not past the end + 1). caseInsensitive compares the lower-case forms.
int InStr(int start, const QString& text, const QString& find, bool caseInsensitive = false);
int InStr(const QString& text, const QString& find, bool caseInsensitive = false);
// InStrRev: last position at or before start (-1 = from the end).
int InStrRev(const QString& text, const QString& find, int start = -1, bool caseInsensitive = false);

// Remove blanks (U+0020) only, never tabs or line breaks.
QString Trim(const QString& text);
QString LTrim(const QString& text);
QString RTrim(const QString& text);

QString Space(int count);
QString StringOf(int count, QChar ch);

// VB Replace, exact case, all occurrences left to right, never re-scanning an insertion.
QString Replace(const QString& text, const QString& find, const QString& replacement);

} // namespace rt
