#pragma once
// The INI profile engine: values in INI files, read and written the way the program has always
// kept its settings. Every call reads the file (nothing is cached: other copies of the program
// and the user's editor change these files while we run).
//
// The file: "[section]" lines and "key=value" lines. Sections and keys are matched without regard
// to case (length-keeping lower case) after trimming blanks and tabs; the first matching section
// is the section, and in it the first matching key is the key. Lines that begin with ";" are
// comments, lines without "=" are no key lines; both are kept as they are. Lines may end with
// CR LF, LF or CR. A file that starts with the UTF-8 byte-order mark is UTF-8, any other is
// Windows-1252.
//
// File names go through the case-insensitive path resolver, so any spelling of an existing file
// finds it; "\" is taken as "/". A bare file name (without a folder) names a file in
// bareNameFolder().
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace platform::ini {

// The value, trimmed of blanks at both ends and without one pair of enclosing double quotes;
// nullopt when the file, the section or the key is missing (or the file cannot be read).
std::optional<QString> read(const QString& file, const QString& section, const QString& key);

// Writes key=value into the section. An existing value is replaced in place and every other line
// of the file keeps its bytes; a missing key is added behind the last key line of its section, a
// missing section at the end of the file. New lines end with CR LF; an empty value is stored as
// "key=". The file is created when missing, its folder is not.
//
// The file stays Windows-1252 while every character fits, otherwise the whole file becomes UTF-8
// with the byte-order mark; a UTF-8 file stays UTF-8. The file is replaced atomically; where the
// folder refuses that, it is rewritten in place (writeFile). The read, the change and the write
// hold the file's lock (FileLock), so that processes writing one file at the same moment lose
// nothing; a folder that refuses the lock file still gets the write.
//
// False when the value is not stored; the current error record (rt::Err) then holds 76 for a
// missing folder, 70 for a write-protected file or folder, 61 for a full disk (the file stays as
// it was), 75 for another failure, 5 for a section or key that cannot stand in an INI file
// (empty, holding a line break, a key with "=" or beginning with "[" or ";") or a value holding
// a line break. A write that would change nothing
// leaves the file untouched and gives true.
bool write(const QString& file, const QString& section, const QString& key, const QString& value);

// Writes several keys of one section in one read-change-write under the file's lock: the file
// becomes, byte for byte, what write() of each pair in turn would make of it (a key given twice
// ends with its last value). A job that sets many keys (the markers of a whole list of days)
// reads and writes the file once instead of once per key. When any pair cannot stand in an INI
// file nothing is written (error 5); the other failures are those of write().
bool writeAll(const QString& file, const QString& section,
              const std::vector<std::pair<QString, QString>>& keysAndValues);

// Removes the key (every line of it in the section), under the lock as write does. True when
// the key is gone afterwards, missing file or section included; false (and the error record set)
// when the file could not be read or written.
bool removeKey(const QString& file, const QString& section, const QString& key);

// The key lines of the first section of that name in an INI text the caller has read itself
// (a job that looks up many keys of one file reads it once with readTextFile): each key with its
// value as read() gives it (names trimmed of blanks and tabs, the value trimmed of blanks and
// without one pair of enclosing double quotes), in file order, a key given twice as often as it
// stands there (read() takes the first). Empty when the section is missing.
std::vector<std::pair<QString, QString>> sectionOfText(const QString& text, const QString& section);
// The section names in file order, each once (the first spelling), without "[" and "]".
QStringList sectionNames(const QString& file);

// The folder of bare file names: the system-wide defaults folder, the first entry of
// XDG_CONFIG_DIRS (else /etc/xdg) followed by "/Brisols-Programme", where the Windows profile calls
// looked into the Windows folder.
QString bareNameFolder();

} // namespace platform::ini
