#pragma once
// Per-user values of the product family, kept where Windows had the registry of the current user:
// in Registry.ini in the settings folder, one section per key path. The key
// "SOFTWARE\Brisols-Programme\Brisols-Korvanel" is the section
//
//   [SOFTWARE/Brisols-Programme/Brisols-Korvanel]
//   Dir="/home/anna/Programme/Korvanel"      a text value, always between double quotes
//   Zahl=dword:0000002a                      a 32-bit number value
//
// Key paths and value names are matched without regard to case, as in the registry; "\" in a key
// path is taken as "/". A key exists when its section does, or the section of a key below it.
// A value name cannot be empty, hold "=" or begin with "[" or ";", and a text value cannot hold a
// line break (RegSchreiben stores line breaks as "°°"); such a value is not stored. A text of the
// exact form "dword:" and eight hexadecimal digits reads back as a number.
#include <QString>
#include <QVariant>

namespace foundation {

// The root of every key path (&H80000001); there is no other.
constexpr qint32 HKEY_CURRENT_USER = -2147483647;

// The file that holds the values: ordnerSub + "/Registry.ini".
QString registryDatei();

// Writes value (right-trimmed, line breaks as "°°") as the text value key (trimmed; "" becomes
// "??? Key") under "SOFTWARE\Brisols-Programme\" + section ("" stands for "Brisols-Korvanel"),
// creating the key when needed. Returns what RegLesen then reads, or "???" when the write failed.
QString RegSchreiben(const QString& section, const QString& key, const QString& value);

// The value as text with "°°" turned back into line breaks, or defaultValue when the key or the
// value is missing.
QString RegLesen(const QString& section, const QString& key, const QString& defaultValue);

// Writes one value into an existing key: an int or a short as a 32-bit number, a QString as a
// text; any other type writes nothing. True when the key exists and the write, if any, succeeded.
bool RegWertSetzen(qint32 root, const QString& path, const QString& name, const QVariant& value);

// Reads one value: a text as QString, a number as qint32. True when the key and the value exist;
// value is left alone otherwise.
bool RegWertLesen(qint32 root, const QString& path, const QString& name, QVariant& value);

// Creates the key, or leaves it when it exists. True only when it did not exist before.
bool RegSchluesselAnlegen(qint32 root, const QString& path);

} // namespace foundation
