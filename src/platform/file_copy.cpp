#include "file_copy.h"

#include "path_resolver.h"
#include "runtime/error.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

bool failed(int errorNumber, const QString& path)
{
    rt::raiseError(errorNumber, rt::errorText(errorNumber) + QStringLiteral(": ") + path);
    return false;
}

int refusedOr(const QFileDevice& device, int otherwise)
{
    return device.error() == QFileDevice::PermissionsError ? int(rt::ErrPermissionDenied)
                                                           : otherwise;
}

} // namespace

bool copyFileSafely(const QString& from, const QString& to)
{
    const QString quelle = resolvePath(from);
    const QString ziel = resolvePath(to);
    const QFileInfo quellInfo(quelle);
    if (!quellInfo.isFile())
        return failed(rt::ErrFileNotFound, quelle);
    const QFileInfo zielInfo(ziel);
    if (zielInfo.exists() || zielInfo.isSymLink())
        return failed(rt::ErrFileExists, ziel);
    if (!QFileInfo(zielInfo.absolutePath()).isDir())
        return failed(rt::ErrPathNotFound, ziel);

    QFile original(quelle);
    if (!original.open(QIODevice::ReadOnly))
        return failed(refusedOr(original, rt::ErrPathFileAccess), quelle);
    // NewOnly: a file that appears at the target meanwhile is not replaced either.
    QFile kopie(ziel);
    if (!kopie.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(ziel))
            return failed(rt::ErrFileExists, ziel);
        return failed(refusedOr(kopie, rt::ErrPathFileAccess), ziel);
    }

    // From here on the target is this call's own file, removed again when the copy fails.
    const auto verwerfen = [&kopie, &ziel](int errorNumber) {
        kopie.close();
        QFile::remove(ziel);
        return failed(errorNumber, ziel);
    };
    qint64 kopiert = 0;
    for (;;) {
        const QByteArray block = original.read(64 * 1024);
        if (block.isEmpty()) {
            if (original.error() != QFileDevice::NoError)
                return verwerfen(rt::ErrDeviceIO);
            break;
        }
        if (kopie.write(block) != block.size())
            return verwerfen(kopie.error() == QFileDevice::ResourceError ? int(rt::ErrDiskFull)
                                                                         : int(rt::ErrDeviceIO));
        kopiert += block.size();
    }
    if (!kopie.flush())
        return verwerfen(rt::ErrDeviceIO);
    kopie.setFileTime(quellInfo.lastModified(), QFileDevice::FileModificationTime);
    kopie.close();
    // A copy counts only when it is as long as the original and as what was read from it.
    if (kopiert != quellInfo.size() || QFileInfo(ziel).size() != kopiert) {
        QFile::remove(ziel);
        return failed(rt::ErrDeviceIO, ziel);
    }
    return true;
}

} // namespace platform
