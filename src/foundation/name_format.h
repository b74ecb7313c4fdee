#pragma once
// Names in proper case, the rights line of the about and title windows, and German letters of
// DOS text.
#include <QString>

namespace foundation {

// The rights line begins with this prefix (12 characters, the last a blank); the first year of
// the product is filled in behind it.
inline constexpr char16_t copyrightPraefix[] = u"Copyright © ";
inline constexpr char16_t copyrightErstesJahr[] = u"2026";

// Proper case: the first letter and every letter after a word separator (blank, most
// punctuation, quotes, brackets, line breaks, control characters; not the point) in capitals,
// the rest in lower case. Small words ("und", "von", "der", ... and the comma-separated list
// of the setting [Movrenta] "ImmerKlein" of Brisol.ini) stay in lower case where they stand
// between two blanks. A text of one character comes back in capitals.
QString WorteGrossSchreiben(const QString& text);
// The same; the entry of the multi-user reservation, which leaves its argument unchanged.
QString WorteGrossSchreibenRef(const QString& text);

// A line holding the prefix but not the first year gets the first year and "-" behind the
// prefix ("Copyright © 2027 ..." -> "Copyright © 2026-2027 ..."); "~" becomes CR LF.
QString CopyrightZeile(const QString& line);

// Replaces the German letters of DOS text (code page 437/850 bytes read as Windows-1252) in
// text by their Windows-1252 characters and returns the changed text.
QString DosNachAnsi(QString& text);

} // namespace foundation
