#pragma once
// File names without regard to case, as the program has always seen them: "brisol.ini",
// "BRISOL.INI" and "Brisol.ini" name one file. Every open, existence test, delete and listing of
// the program goes through these functions.
//
// Paths use "/" as separator; a "\" in a path (read from an INI file or typed by the user) is
// taken as "/".
#include <QString>
#include <QStringList>

#include <optional>

struct stat;

namespace platform {

// The path with the spelling that exists on disk: each component is looked up with its exact
// spelling first, else the first entry of its folder in name order that matches it without
// regard to case (length-keeping lower case, rt::LCase). From the first component that does not
// exist on, the components keep the spelling given, so a new file gets the spelling given.
// Empty components ("a//b", a final "/") are dropped; "." and ".." stay as they are; a relative
// path stays relative (looked up from the current folder). When the path exists as written, the
// disk is asked once and no folder is listed.
QString resolvePath(const QString& path);

// The spelling of name in folder (a path as it is on disk) as the last listing of that folder
// by this process had it, without asking the disk; empty when the folder was not listed or held
// no such name. Only a guess to try first: the disk may have changed since.
QString rememberedSpelling(const QString& folder, const QString& name);

// Whether a file or folder of that name exists, matched without regard to case.
bool pathExists(const QString& path);

enum class EntryKind { Files, Folders };

// The names (without folder) of the files or folders in folder (found without regard to case)
// that match pattern, compared without regard to case. The pattern knows "*" (any run of
// characters) and "?" (one character); a final ".*" also matches a name without extension, so
// "*.*" lists every entry. An empty pattern lists every entry. Hidden entries (names beginning
// with ".") are left out. Sorted by name (lower-cased first, then as spelled) so that every run
// sees the same order. A missing folder gives an empty list.
//
// Listings are remembered together with the folder's device, inode, size, modification and
// change times, and used again only while one stat of the folder shows all of them unchanged and
// old enough that no change can hide in the same tick of the file system's clock; so a name
// another process added or removed is always seen. The same holds for the look-ups above.
QStringList listFolder(const QString& folder, const QString& pattern,
                       EntryKind kind = EntryKind::Files);

// How long after the last change of a file or folder (its modification and change times, info)
// what was read of it may be remembered and used again: a change in the same tick of the file
// system's clock would leave the times as they were. A few milliseconds where the file system
// keeps times to the nanosecond, two seconds and more where it keeps whole seconds.
qint64 settleTimeNs(const struct stat& info);

// Tests: that time, for every file system (0: what was read is used again at once; nullopt:
// as above).
void setSettleTimeForTests(std::optional<qint64> ns);

// The wildcard test of listFolder on one name.
bool matchesFileMask(const QString& name, const QString& pattern);

} // namespace platform
