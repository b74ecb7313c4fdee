#pragma once
// A lock beside a file for the time of one read-change-write, so that other processes doing the
// same (other copies of the program, other users, the family's programs) wait for it instead of
// overwriting each other's changes. Everybody who changes the file takes it.
//
//   {
//       const platform::FileLock lock(path);
//       ... read the file, change it, write it ...
//   } // released
//
// The lock is the hidden file ".<name>.lock" in the folder of the file (QLockFile), so that
// listings of the folder never show it. Any spelling of an existing file names the same lock
// (the path goes through resolvePath). Within one thread the lock nests: a lock taken again while
// it is held is held at once (a caller may hold the lock of a file around calls that take it
// themselves, such as the INI engine's writes).
#include <QString>

#include <memory>

class QLockFile;

namespace platform {

class FileLock {
public:
    // A lock older than this counts as left behind by a process that crashed on another computer
    // and is taken over. A lock of a process of this computer that has ended is taken over at
    // once.
    static constexpr int defaultStaleMs = 10000;

    // Waits for the lock on the file path (the file itself need not exist). Where the lock cannot
    // be taken (a folder that refuses the lock file, a missing folder, a full disk, a lock that
    // cannot be taken over even after twice the stale time), it goes on without: held() is false
    // and the caller does its work anyway, as it would without any lock.
    explicit FileLock(const QString& path, int staleMs = defaultStaleMs);
    // Releases the lock (removes the lock file) unless it was nested in another.
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return held_; }

    // The name of the lock file of path.
    static QString lockPathOf(const QString& path);

private:
    QString key_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
    bool nested_ = false;
};

} // namespace platform
