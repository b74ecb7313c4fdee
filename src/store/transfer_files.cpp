#include "store/transfer_files.h"

#include "foundation/folders.h"
#include "foundation/read_only.h"
#include "platform/clock.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/format.h"

#include <QFile>

namespace store {

namespace {
const QString endung = QStringLiteral(".$$$");
}

QString TempKopieSchreiben(const QString& text)
{
    if (foundation::nurLesen)
        return QString();
    const rt::ErrorRecordGuard fehlerBleibt;
    foundation::OrdnerBereitstellen();
    const QString datei = foundation::ordnerDat + u'/'
        + rt::Format(platform::clock().now(), QStringLiteral("ddhhnnss")) + endung;
    if (!platform::writeTextFile(datei, text + QStringLiteral("\r\n")))
        return QString();
    return datei;
}

void TempDateienLöschen()
{
    if (foundation::nurLesen)
        return;
    const rt::ErrorRecordGuard fehlerBleibt;
    foundation::OrdnerBereitstellen();
    const QString ordner = platform::resolvePath(foundation::ordnerDat);
    for (const QString& name : platform::listFolder(ordner, QStringLiteral("*") + endung))
        QFile::remove(ordner + u'/' + name);
}

} // namespace store
