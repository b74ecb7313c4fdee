#pragma once
// File names without regard to case, as the program has always seen them: "brisol.ini",
// "BRISOL.INI" and "Brisol.ini" name one file. Every open, existence test, delete and listing of
// the program goes through these functions.
//
// Paths use "/" as separator; a "\" in a path (read from an INI file or typed by the user) is
// taken as "/".
#include <QString>
#include <QStringList>

namespace platform {

// The path with the spelling that exists on disk: each component is looked up with its exact
// spelling first, else the first entry of its folder in name order that matches it without
// regard to case (length-keeping lower case, rt::LCase). From the first component that does not
// exist on, the components keep the spelling given, so a new file gets the spelling given.
// Empty components ("a//b", a final "/") are dropped; "." and ".." stay as they are; a relative
// path stays relative (looked up from the current folder). When the path exists as written, the
// disk is asked once and no folder is listed.
QString resolvePath(const QString& path);

// Whether a file or folder of that name exists, matched without regard to case.
bool pathExists(const QString& path);

enum class EntryKind { Files, Folders };

// The names (without folder) of the files or folders in folder (found without regard to case)
// that match pattern, compared without regard to case. The pattern knows "*" (any run of
// characters) and "?" (one character); a final ".*" also matches a name without extension, so
// "*.*" lists every entry. An empty pattern lists every entry. Hidden entries (names beginning
// with ".") are left out. Sorted by name (lower-cased first, then as spelled) so that every run
// sees the same order. A missing folder gives an empty list.
QStringList listFolder(const QString& folder, const QString& pattern,
                       EntryKind kind = EntryKind::Files);

// The wildcard test of listFolder on one name.
bool matchesFileMask(const QString& name, const QString& pattern);

} // namespace platform
