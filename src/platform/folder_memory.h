#pragma once
// What the program remembers of folders and files between two looks at them, and when it may
// use it again. Listings of folders (path_resolver.h) and parsed INI files (ini_file.h) are kept
// together with the device, inode, size, modification and change times of what was read, and
// used again only while one stat shows all of them unchanged, and only once those times lie
// back far enough that no change can hide in the same tick of the file system's clock. Every
// write of the program replaces a file by a rename, so a write of another process always shows.
#include <QString>

#include <optional>

#include <sys/stat.h>

namespace platform {

// The spelling of name in folder (a path as it is on disk) as the last listing of that folder
// by this process had it, without asking the disk; empty when the folder was not listed or held
// no such name. Only a guess to try first: the disk may have changed since.
QString rememberedSpelling(const QString& folder, const QString& name);

// Whether path (as it is spelt on disk up to its last component) was found missing, in any
// spelling, at the last look of this process, and one stat of its folder shows the folder
// unchanged since. False when that is not known: then ask the disk.
bool rememberedMissing(const QString& path);

// What tells whether a file or folder is still the one that was read.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

// The stamp of what one stat gave (info).
FileStamp fileStamp(const struct stat& info);

// Whether info (a stat now) shows the same device, inode, size, modification and change times.
bool sameStamp(const FileStamp& stamp, const struct stat& info);

// Whether what was read just now of the file or folder with info may be used again later: a
// change in the same tick of the file system's clock would leave its times as they were, so they
// must lie back further than that tick. A few milliseconds where the file system keeps times to
// the nanosecond, two seconds and more where it keeps whole seconds.
bool settledNow(const struct stat& info);

// Tests: that time, for every file system (0: what was read is used again at once; nullopt:
// as above).
void setSettleTimeForTests(std::optional<qint64> ns);

} // namespace platform
