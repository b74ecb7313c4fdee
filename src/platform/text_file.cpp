#include "text_file.h"

#include "path_resolver.h"
#include "runtime/codec.h"
#include "runtime/error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

bool failed(int errorNumber, const QString& path)
{
    rt::raiseError(errorNumber, rt::errorText(errorNumber) + QStringLiteral(": ") + path);
    return false;
}

// Why path could not be read or written.
int failureNumber(const QString& path, const QFileDevice& device, bool writing)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return rt::ErrPathNotFound;
    if (!writing && !info.exists())
        return rt::ErrFileNotFound;
    if (info.isDir())
        return rt::ErrPathFileAccess;
    bool refused = device.error() == QFileDevice::PermissionsError;
    if (writing)
        refused = refused || (info.exists() ? writeProtected(info) : !folder.isWritable());
    else
        refused = refused || !info.isReadable();
    return refused ? rt::ErrPermissionDenied : rt::ErrPathFileAccess;
}

bool writeInPlace(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return failed(failureNumber(path, file, true), path);
    const bool written =
        file.write(bytes) == bytes.size() && file.resize(bytes.size()) && file.flush();
    return written || failed(rt::ErrPathFileAccess, path);
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
    QFile file(resolved);
    if (QFileInfo(resolved).isDir() || !file.open(QIODevice::ReadOnly)) {
        failed(failureNumber(resolved, file, false), resolved);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        failed(rt::ErrDeviceIO, resolved);
        return std::nullopt;
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
    QSaveFile save(resolved);
    if (save.open(QIODevice::WriteOnly)) {
        if (save.write(bytes) == bytes.size() && save.commit())
            return true;
        // A failed write (a full disk) must not touch the file; only a refused rename may.
        if (save.error() != QFileDevice::RenameError)
            return failed(failureNumber(resolved, save, true), resolved);
    }
    if (!info.exists())
        return failed(failureNumber(resolved, save, true), resolved);
    return writeInPlace(resolved, bytes);
}

bool writeTextFile(const QString& path, const QString& text)
{
    return writeFile(path, rt::encodeText(text));
}

} // namespace platform
