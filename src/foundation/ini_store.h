#pragma once
// The settings store: every setting of the program is read and written through these four
// functions. An empty file name means Brisol.ini in the settings folder, an empty section the
// program's own section "Korvanel", an empty key "NoKey". A line break is stored as "**" and a
// double quote as U+201C, so that any text fits on one INI line (a lone CR or LF counts as a line
// break). A file name without a three-letter extension gets ".ini"; a bare name means a file in the
// settings folder, except win.ini and system.ini, which lie in WindowsOrdner(); a name with a
// folder is used as it stands. The first call sets up the folders (OrdnerFestlegen). Nothing is
// cached.
#include <QString>

#include <utility>
#include <vector>

namespace foundation {

// The value, or defaultValue when the key is missing; at most 998 characters. Never fails.
QString IniLesen(const QString& file, const QString& section, const QString& key,
                 const QString& defaultValue = {});

// Writes value (trimmed, escaped) and returns it in its stored form.
QString IniSchreiben(const QString& file, const QString& section, const QString& key,
                     const QString& value);

// Writes several keys of one section in one read-change-write of the file: the file ends as
// after one IniSchreiben per pair, in order. False when nothing could be stored (the caller's
// error record stays as it was).
bool IniSchreibenListe(const QString& file, const QString& section,
                       const std::vector<std::pair<QString, QString>>& keysAndValues);

// Reads; when the value is empty, stores defaultValue and returns what IniSchreiben returns.
QString IniLesenVorgabe(const QString& file, const QString& section, const QString& key,
                        const QString& defaultValue);

// Adds step to the stored number, stores the sum rounded to a whole number and returns the sum.
double IniZaehlen(const QString& file, const QString& section, const QString& key, double step);

// The text a read gives back after value was written: trimmed, a line break of any kind as CR LF,
// cut to the read limit. Texts that must match what another copy wrote (a user's name) are
// compared in this form.
QString IniGespeicherteForm(const QString& value);

} // namespace foundation
