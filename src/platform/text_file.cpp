#include "text_file.h"

#include "file_batch.h"
#include "path_resolver.h"
#include "runtime/codec.h"
#include "runtime/error.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// Gives the new file of an atomic replacement the owner, group and mode of the old one, so that a
// file of another user stays theirs when the super-user rewrites it. Where we may not give it
// away, the group at least stays when we may.
void keepOwnerAndMode(int fd, const struct stat& old, const struct stat& now)
{
    const bool otherOwner = now.st_uid != old.st_uid || now.st_gid != old.st_gid;
    if (otherOwner) {
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && now.st_gid != old.st_gid) {
            if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // The new file stays ours, as any file we write.
            }
        }
    }
    // After the owner: a change of owner may clear the set-id bits.
    if (otherOwner || (now.st_mode & 07777) != (old.st_mode & 07777))
        ::fchmod(fd, old.st_mode & 07777);
}

// Where a write of path lands: a link is followed to the file it names (also through several
// links), so that the link stays a link.
QString linkTarget(const QString& path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.filePath() : path;
}

// The bits a new file gets: 0666 without those of the process's umask.
mode_t newFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// Creates the new file of a replacement of target (a path as on disk, links followed): hidden
// beside it, "." + its name + mark + six characters that make it unique, with the mode of the
// old file (old), or of a new file when there is none, and the old file's owner and group where
// we may give them. now gets the new file's stat. The descriptor, or -1 with errno set.
int createReplacement(const QByteArray& target, const char* mark, const struct stat* old,
                      QByteArray& name, struct stat& now)
{
    static const char letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Different in every process and for every file; O_EXCL makes a name that is taken (by
    // another copy, or planted) no danger, only a reason to try the next one.
    static std::atomic<quint64> counter{static_cast<quint64>(::getpid()) * 0x9E3779B97F4A7C15ull};
    const mode_t mode = old != nullptr ? (old->st_mode & 0777) : newFileMode();
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray stem = target.left(slash + 1) + '.' + target.mid(slash + 1) + mark;
    for (int attempt = 0; attempt < 100; ++attempt) {
        quint64 bits = (counter.fetch_add(1) + 1) * 0xBF58476D1CE4E5B9ull;
        bits ^= bits >> 31;
        name = stem;
        for (int i = 0; i < 6; ++i) {
            name += letters[bits % 62];
            bits /= 62;
        }
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd >= 0 && ::fstat(fd, &now) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(name.constData());
            errno = error;
            return -1;
        }
        if (fd >= 0 && old != nullptr)
            keepOwnerAndMode(fd, *old, now);
        return fd;
    }
    errno = EEXIST;
    return -1;
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

namespace {

// Where a write of path lands, and whether it may.
struct Landing {
    QString resolved;  // the path as on disk (another spelling found)
    QByteArray target; // where the new file goes: a link is followed, so that it stays a link
    bool exists = false;
    struct stat old {}; // the old file there, when it exists
    int error = 0;      // a folder (75) or a file we may not write (70); 0: it may
};

Landing landing(const QString& path)
{
    Landing ziel;
    ziel.resolved = path;
    // The usual case, a plain file named as it is on disk: one lstat tells what the checks need.
    // Another spelling, a link or no file yet go the long way.
    const QByteArray asGiven = QFile::encodeName(path);
    if (::lstat(asGiven.constData(), &ziel.old) == 0 && !S_ISLNK(ziel.old.st_mode)) {
        ziel.exists = true;
        ziel.target = asGiven;
        if (S_ISDIR(ziel.old.st_mode))
            ziel.error = rt::ErrPathFileAccess;
        else if ((ziel.old.st_mode & 0222) == 0 || ::access(asGiven.constData(), W_OK) != 0)
            ziel.error = rt::ErrPermissionDenied; // as writeProtected
        return ziel;
    }
    ziel.resolved = resolvePath(path);
    const QFileInfo info(ziel.resolved);
    if (info.isDir())
        ziel.error = rt::ErrPathFileAccess;
    else if (info.exists() && writeProtected(info))
        ziel.error = rt::ErrPermissionDenied;
    ziel.target = QFile::encodeName(linkTarget(ziel.resolved));
    ziel.exists = ::stat(ziel.target.constData(), &ziel.old) == 0;
    return ziel;
}

} // namespace

PlainFile readPlainFile(const QString& path, qint64 limit, bool refuseLinksFirst,
                        bool sizeIsFinal)
{
    PlainFile file;
    const QByteArray local = QFile::encodeName(path);
    constexpr int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(local.constData(), refuseLinksFirst ? flags | O_NOFOLLOW : flags);
    if (fd < 0 && refuseLinksFirst && errno == ELOOP) {
        file.throughLink = true;
        fd = ::open(local.constData(), flags);
    }
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            file.state = PlainFile::State::Failed;
            file.error = errno;
        }
        return file;
    }
    file.state = PlainFile::State::Failed;
    struct stat& info = file.info;
    if (::fstat(fd, &info) != 0) {
        file.error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        file.error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    } else if (limit >= 0 && info.st_size > limit) {
        file.error = EFBIG;
    } else {
        // The size fstat gave is read first; a file of /proc says 0 and has more, and a file may
        // grow meanwhile, so the rest is read up to its end unless the size is taken as final.
        file.bytes.resize(static_cast<qsizetype>(info.st_size) + (sizeIsFinal ? 0 : 1));
        qsizetype got = 0;
        for (;;) {
            if (got == file.bytes.size()) {
                if (sizeIsFinal)
                    break;
                file.bytes.resize(std::max<qsizetype>(file.bytes.size() * 2, 64 * 1024));
            }
            const ssize_t n = ::read(fd, file.bytes.data() + got,
                                     static_cast<size_t>(file.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                file.error = errno;
            if (n <= 0)
                break;
            got += n;
        }
        file.bytes.resize(got);
        if (file.error == 0)
            file.state = PlainFile::State::Read;
    }
    ::close(fd);
    return file;
}

std::optional<QByteArray> readFile(const QString& path)
{
    const QString resolved = resolvePath(path);
    PlainFile file = readPlainFile(resolved);
    switch (file.state) {
    case PlainFile::State::Read:
        return std::move(file.bytes);
    case PlainFile::State::Missing:
        failed(readFailureNumber(resolved, QFile(resolved)), resolved);
        break;
    case PlainFile::State::Failed:
        if (file.error == EACCES || file.error == EPERM)
            failed(rt::ErrPermissionDenied, resolved);
        else if (file.error == EIO)
            failed(rt::ErrDeviceIO, resolved);
        else
            failed(readFailureNumber(resolved, QFile(resolved)), resolved);
        break;
    }
    return std::nullopt;
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
    const Landing ziel = landing(path);
    if (ziel.error != 0)
        return failed(ziel.error, ziel.resolved);
    const QString& resolved = ziel.resolved;
    const QString target = QFile::decodeName(ziel.target);
    const bool exists = ziel.exists;

    QByteArray temporary;
    struct stat now {};
    const int fd =
        createReplacement(ziel.target, ".", exists ? &ziel.old : nullptr, temporary, now);
    if (fd >= 0) {
        int error = writeAt(fd, bytes.constData(), bytes.size(), 0);
        // One flush: the new content is on the disk before its name replaces the old file.
        if (error == 0 && ::fdatasync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error != 0) {
            // A full disk: the old file stays as it is.
            ::unlink(temporary.constData());
            return failedWithErrno(error, resolved);
        }
        if (::rename(temporary.constData(), QFile::encodeName(target).constData()) == 0)
            return true;
        ::unlink(temporary.constData());
    } else {
        // Only a folder that refuses new files by permission leads to the write in place; no room
        // for a new file (no free blocks or inodes, a quota) fails and leaves the old file.
        const int refusal = errno;
        if (refusal != EACCES && refusal != EPERM)
            return failedWithErrno(refusal, resolved);
    }
    if (!exists)
        return failed(rt::ErrPermissionDenied, resolved);
    return writeInPlace(target, bytes);
}

FileBatch::FileBatch(const QString& folder)
{
    // Opened before the first file is written, so that the flush reports every write error
    // from now on.
    flushHandle_ = ::open(QFile::encodeName(resolvePath(folder)).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat info {};
    if (flushHandle_ >= 0 && ::fstat(flushHandle_, &info) == 0)
        device_ = info.st_dev;
}

FileBatch::~FileBatch()
{
    for (const Pending& file : pending_)
        ::unlink(file.temporary.constData());
    if (flushHandle_ >= 0)
        ::close(flushHandle_);
}

bool FileBatch::add(const QString& path, const QByteArray& bytes)
{
    const Landing ziel = landing(path);
    if (ziel.error != 0)
        return failed(ziel.error, ziel.resolved);
    const QString& resolved = ziel.resolved;
    Pending file;
    file.path = path;
    file.target = ziel.target;
    struct stat now {};
    const int fd =
        createReplacement(file.target, leftoverMark, ziel.exists ? &ziel.old : nullptr,
                          file.temporary, now);
    if (fd < 0) {
        // A folder that takes no new file by permission: this file alone is written at once, in
        // place, as a single write would.
        if (errno == EACCES || errno == EPERM)
            return writeFile(resolved, bytes);
        return failedWithErrno(errno, resolved);
    }
    int error = writeAt(fd, bytes.constData(), bytes.size(), 0);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(file.temporary.constData());
        return failedWithErrno(error, resolved);
    }
    file.device = now.st_dev;
    pending_.push_back(std::move(file));
    return true;
}

QStringList FileBatch::commit()
{
    QStringList notReplaced;
    std::vector<Pending> files = std::move(pending_);
    pending_.clear();
    const auto giveUp = [&](int error) {
        for (const Pending& file : files) {
            ::unlink(file.temporary.constData());
            notReplaced.append(file.path);
        }
        if (!files.empty())
            failedWithErrno(error, files.front().path);
        return notReplaced;
    };

    // Every new content on the disk before any name changes: one flush of the file system, and
    // a flush of its own for a file on another one.
    bool others = flushHandle_ < 0;
    if (flushHandle_ >= 0 && !files.empty() && ::syncfs(flushHandle_) != 0)
        return giveUp(errno);
    for (const Pending& file : files) {
        if (!others && file.device == device_)
            continue;
        const int fd = ::open(file.temporary.constData(), O_RDONLY | O_CLOEXEC);
        const int error = fd < 0 ? errno : ::fdatasync(fd) != 0 ? errno : 0;
        if (fd >= 0)
            ::close(fd);
        if (error != 0)
            return giveUp(error);
    }

    QSet<QByteArray> folders;
    int lastError = 0;
    for (const Pending& file : files) {
        if (::rename(file.temporary.constData(), file.target.constData()) != 0) {
            lastError = errno;
            ::unlink(file.temporary.constData());
            notReplaced.append(file.path);
            continue;
        }
        folders.insert(file.target.left(file.target.lastIndexOf('/')));
    }
    // The new names on the disk too.
    for (const QByteArray& folder : std::as_const(folders)) {
        const int fd = ::open(folder.isEmpty() ? "/" : folder.constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    if (lastError != 0)
        failedWithErrno(lastError, notReplaced.front());
    return notReplaced;
}

bool FileBatch::isLeftover(const QString& name)
{
    const qsizetype mark = name.lastIndexOf(QLatin1String(leftoverMark));
    return name.startsWith(u'.') && mark > 1
        && name.size() == mark + static_cast<qsizetype>(std::strlen(leftoverMark)) + 6;
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
