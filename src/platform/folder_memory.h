#pragma once
// What the program remembers of folders and files between two looks at them, and when it may
// use it again. Listings of folders (path_resolver.h) and parsed INI files (ini_file.h) are kept
// together with the device, inode, size, modification and change times of what was read, and
// used again only while one stat shows all of them unchanged, and only once those times lie
// back far enough that no change can hide in the same tick of the file system's clock. Every
// write of the program replaces a file by a rename, so a write of another process always shows.
#include <QString>

#include <optional>

struct stat;

namespace platform {

// The spelling of name in folder (a path as it is on disk) as the last listing of that folder
// by this process had it, without asking the disk; empty when the folder was not listed or held
// no such name. Only a guess to try first: the disk may have changed since.
QString rememberedSpelling(const QString& folder, const QString& name);

// Whether path (as it is spelt on disk up to its last component) was found missing, in any
// spelling, at the last look of this process, and one stat of its folder shows the folder
// unchanged since. False when that is not known: then ask the disk.
bool rememberedMissing(const QString& path);

// How long after the last change of a file or folder (its modification and change times, info)
// what was read of it may be remembered and used again: a change in the same tick of the file
// system's clock would leave the times as they were. A few milliseconds where the file system
// keeps times to the nanosecond, two seconds and more where it keeps whole seconds.
qint64 settleTimeNs(const struct stat& info);

// Tests: that time, for every file system (0: what was read is used again at once; nullopt:
// as above).
void setSettleTimeForTests(std::optional<qint64> ns);

} // namespace platform
