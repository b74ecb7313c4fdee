#include "file_copy.h"

#include "path_resolver.h"
#include "runtime/error.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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

QString copyTemporaryName(const QString& to)
{
    const QFileInfo info(to);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName()
           + QStringLiteral(".kopie~");
}

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
    // The copy is made under a temporary name beside the target and takes the target's name
    // only when it is complete, so a kill at any moment leaves no partial file under that name.
    // A temporary copy left by such a kill is this function's own and is made anew.
    const QString temporaer = copyTemporaryName(ziel);
    const QByteArray temporaerLokal = QFile::encodeName(temporaer);
    ::unlink(temporaerLokal.constData());
    QFile kopie(temporaer);
    if (!kopie.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failed(refusedOr(kopie, rt::ErrPathFileAccess), ziel);

    // From here on the temporary file is this call's own, removed again when the copy fails.
    const auto verwerfen = [&kopie, &temporaerLokal, &ziel](int errorNumber) {
        kopie.close();
        ::unlink(temporaerLokal.constData());
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
    if (!kopie.flush() || ::fsync(kopie.handle()) != 0)
        return verwerfen(rt::ErrDeviceIO);
    kopie.setFileTime(quellInfo.lastModified(), QFileDevice::FileModificationTime);
    kopie.close();
    // A copy counts only when it is as long as the original and as what was read from it.
    if (kopiert != quellInfo.size() || QFileInfo(temporaer).size() != kopiert)
        return verwerfen(rt::ErrDeviceIO);
    // Into place without replacing what may have appeared there meanwhile.
    const QByteArray zielLokal = QFile::encodeName(ziel);
    if (::renameat2(AT_FDCWD, temporaerLokal.constData(), AT_FDCWD, zielLokal.constData(),
                    RENAME_NOREPLACE)
        == 0)
        return true;
    int fehler = errno;
    if (fehler == EINVAL || fehler == ENOSYS) {
        // A file system without that rename: a new link fails in the same way on a name taken.
        if (::link(temporaerLokal.constData(), zielLokal.constData()) == 0) {
            ::unlink(temporaerLokal.constData());
            return true;
        }
        fehler = errno;
    }
    return verwerfen(fehler == EEXIST ? int(rt::ErrFileExists) : int(rt::ErrPathFileAccess));
}

} // namespace platform
