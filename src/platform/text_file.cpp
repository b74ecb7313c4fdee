#include "text_file.h"

#include "path_resolver.h"
#include "runtime/codec.h"
#include "runtime/error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool failed(int errorNumber, const QString& path)
{
    rt::raiseError(errorNumber, rt::errorText(errorNumber) + QStringLiteral(": ") + path);
    return false;
}

// Why path could not be read.
int readFailureNumber(const QString& path, const QFileDevice& device)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return rt::ErrPathNotFound;
    if (!info.exists())
        return rt::ErrFileNotFound;
    if (info.isDir())
        return rt::ErrPathFileAccess;
    const bool refused = device.error() == QFileDevice::PermissionsError || !info.isReadable();
    return refused ? rt::ErrPermissionDenied : rt::ErrPathFileAccess;
}

// The error number of a failed system call on a file.
int numberOfErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return rt::ErrDiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return rt::ErrPermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return rt::ErrPathNotFound;
    case EMFILE:
    case ENFILE:
        return rt::ErrTooManyFiles;
    case EIO:
        return rt::ErrDeviceIO;
    default:
        return rt::ErrPathFileAccess;
    }
}

bool failedWithErrno(int error, const QString& path)
{
    return failed(numberOfErrno(error), path);
}

// Writes size bytes at offset; 0 or the errno of the failure.
int writeAt(int fd, const char* data, qint64 size, qint64 offset)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, static_cast<size_t>(size), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        data += written;
        size -= written;
        offset += written;
    }
    return 0;
}

// Why the folder of path takes no new file: the errno of an attempt to create one, 0 when it
// takes one after all.
int newFileRefusal(const QString& path)
{
    const QFileInfo info(path);
    QByteArray name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.")
                                        + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    ::unlink(name.constData());
    return 0;
}

// Gives the new file of an atomic replacement the owner, group and mode of the old one, so that a
// file of another user stays theirs when the super-user rewrites it. Where we may not give it
// away, the group at least stays when we may.
void keepOwnerAndMode(int fd, const struct stat& old)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return;
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && now.st_gid != old.st_gid) {
            if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // The new file stays ours, as any file we write.
            }
        }
    }
    // After the owner: a change of owner may clear the set-id bits.
    ::fchmod(fd, old.st_mode & 07777);
}

// Rewrites an existing file in place, for a folder that takes no new file or refuses the rename.
// The room for the whole new content is claimed first (the file grows to its new size, the
// growth written); only then are the old bytes overwritten. When the room is not there, the file
// is cut back to its old size and keeps every old byte.
bool writeInPlace(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return failedWithErrno(errno, path);
    struct stat st {};
    int error = ::fstat(fd, &st) == 0 ? 0 : errno;
    const qint64 oldSize = st.st_size;
    const qint64 newSize = bytes.size();
    if (error == 0 && newSize > oldSize) {
        error = ::posix_fallocate(fd, 0, newSize);
        // A file system that cannot reserve: the written growth below claims the room.
        if (error == EINVAL || error == EOPNOTSUPP)
            error = 0;
        if (error == 0)
            error = writeAt(fd, bytes.constData() + oldSize, newSize - oldSize, oldSize);
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (error != 0 && ::ftruncate(fd, oldSize) != 0) {
            // Only the growth behind the old bytes can remain; they are untouched.
        }
    }
    if (error == 0)
        error = writeAt(fd, bytes.constData(), std::min(oldSize, newSize), 0);
    if (error == 0 && newSize < oldSize && ::ftruncate(fd, newSize) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 || failedWithErrno(error, path);
}

} // namespace

bool writeProtected(const QFileInfo& info)
{
    const QFileDevice::Permissions writeBits =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & writeBits) || !info.isWritable();
}

std::optional<QByteArray> readFile(const QString& path)
{
    const QString resolved = resolvePath(path);
    const QFileInfo info(resolved);
    // Only a plain file is read whole: opening a pipe would wait for a writer, and a device or a
    // socket holds no file's content. The open itself does not wait (O_NONBLOCK), and what was
    // opened is checked again.
    if (info.isDir() || (info.exists() && !info.isFile())) {
        failed(readFailureNumber(resolved, QFile(resolved)), resolved);
        return std::nullopt;
    }
    const int fd = ::open(QFile::encodeName(resolved).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        QFile file(resolved);
        failed(error == EACCES || error == EPERM ? int(rt::ErrPermissionDenied)
                                                 : readFailureNumber(resolved, file),
               resolved);
        return std::nullopt;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        failed(rt::ErrPathFileAccess, resolved);
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char block[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            failed(rt::ErrDeviceIO, resolved);
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(block, static_cast<qsizetype>(got));
    }
    return bytes;
}

std::optional<QString> readTextFile(const QString& path)
{
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes)
        return std::nullopt;
    return rt::decodeText(*bytes);
}

std::optional<QString> readTextFileOrEmpty(const QString& path)
{
    const QFileInfo info(resolvePath(path));
    if (!info.exists() || info.isDir())
        return QString();
    return readTextFile(path);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    const QString resolved = resolvePath(path);
    const QFileInfo info(resolved);
    if (info.isDir())
        return failed(rt::ErrPathFileAccess, resolved);
    if (info.exists() && writeProtected(info))
        return failed(rt::ErrPermissionDenied, resolved);
    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(resolved).constData(), &old) == 0;

    QSaveFile save(resolved);
    if (save.open(QIODevice::WriteOnly)) {
        const int fd = save.handle();
        if (exists)
            keepOwnerAndMode(fd, old);
        int error = writeAt(fd, bytes.constData(), bytes.size(), 0);
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (error != 0) {
            // A full disk: the old file stays as it is.
            save.cancelWriting();
            return failedWithErrno(error, resolved);
        }
        if (save.commit())
            return true;
        if (save.error() != QFileDevice::RenameError)
            return failed(rt::ErrPathFileAccess, resolved);
    } else {
        // Only a folder that refuses new files by permission leads to the write in place; no room
        // for a new file (no free blocks or inodes, a quota) fails and leaves the old file.
        const int refusal = newFileRefusal(resolved);
        if (refusal != EACCES && refusal != EPERM)
            return refusal != 0 ? failedWithErrno(refusal, resolved)
                                : failed(rt::ErrPathFileAccess, resolved);
    }
    if (!exists)
        return failed(rt::ErrPermissionDenied, resolved);
    return writeInPlace(resolved, bytes);
}

bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray local = QFile::encodeName(path);
    const int fd = ::open(local.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return errno == EEXIST ? failed(rt::ErrFileExists, path) : failedWithErrno(errno, path);
    int error = writeAt(fd, bytes.constData(), bytes.size(), 0);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(local.constData());
        return failedWithErrno(error, path);
    }
    return true;
}

bool writeTextFile(const QString& path, const QString& text)
{
    return writeFile(path, rt::encodeText(text));
}

} // namespace platform
