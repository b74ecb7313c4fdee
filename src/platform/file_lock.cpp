#include "file_lock.h"

#include "path_resolver.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>

namespace platform {

namespace {

// The locks this thread holds, by lock file, with the number of nested holders.
QHash<QString, int>& heldHere()
{
    thread_local QHash<QString, int> held;
    return held;
}

} // namespace

FileLock::FileLock(const QString& path, int staleMs)
    : key_(QFileInfo(lockPathOf(path)).absoluteFilePath())
{
    QHash<QString, int>& held = heldHere();
    if (const auto it = held.find(key_); it != held.end()) {
        ++it.value();
        held_ = true;
        nested_ = true;
        return;
    }
    lock_ = std::make_unique<QLockFile>(key_);
    lock_->setStaleLockTime(staleMs);
    // A lock of a living process is normally given back within milliseconds; waiting twice the
    // stale time only ends where a lock is kept far too long or cannot be taken over.
    held_ = lock_->tryLock(2 * staleMs);
    if (held_)
        held.insert(key_, 1);
}

FileLock::~FileLock()
{
    if (!held_)
        return;
    QHash<QString, int>& held = heldHere();
    const auto it = held.find(key_);
    if (it != held.end() && --it.value() == 0)
        held.erase(it);
    if (!nested_)
        lock_->unlock();
}

QString FileLock::lockPathOf(const QString& path)
{
    const QFileInfo file(resolvePath(path));
    return file.dir().filePath(u'.' + file.fileName() + QStringLiteral(".lock"));
}

} // namespace platform
