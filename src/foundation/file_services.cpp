#include "file_services.h"

#include "folders.h"
#include "ini_store.h"
#include "platform/clock.h"
#include "platform/path_resolver.h"
#include "runtime/strings.h"
#include "text_replace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace foundation {

bool DateiExistiert(const QString& path)
{
    if (path.isEmpty() || path.contains(u'*') || path.contains(u'?'))
        return false;
    const QString wo = platform::resolvePath(path);
    if (!QFileInfo(wo).isFile())
        return false;
    QFile datei(wo);
    return datei.open(QIODevice::ReadOnly);
}

QString PfadTeil(const QString& path, int mode)
{
    QString pfad = rt::Trim(path);
    pfad.replace(u'\\', u'/');
    const qsizetype trenner = pfad.lastIndexOf(u'/');
    const QString ordner = pfad.left(trenner + 1);
    const QString datei = pfad.mid(trenner + 1);
    const qsizetype punkt = datei.lastIndexOf(u'.');

    switch (mode) {
    case -1:
        if (ordner.isEmpty() || ordner == u"/")
            return ordner;
        return ordner.chopped(1);
    case 0:
        return ordner;
    case 1:
        return punkt < 0 ? datei : datei.left(punkt);
    case 2:
        return punkt < 0 ? QString() : datei.mid(punkt + 1);
    case 3:
        return datei;
    default: // -2, the drive part, which Linux paths do not have
        return QString();
    }
}

QString DateiSuchen(const QString& fileName)
{
    const QString orte[] = {ordnerDat,          ordnerPrg,       ordnerSub,
                            QDir::currentPath(), WindowsOrdner(), SystemOrdner()};
    for (const QString& ordner : orte) {
        // A folder that is not set up would make the root folder a place to search.
        if (ordner.isEmpty())
            continue;
        const QString kandidat =
            ordner.endsWith(u'/') ? ordner + fileName : ordner + u'/' + fileName;
        if (DateiExistiert(kandidat))
            return platform::resolvePath(kandidat);
    }
    return QString();
}

QString OrdnerVonProgramm(const QString& programWord, const QString& kind)
{
    const bool daten = rt::LCase(rt::Left(kind, 3)) == u"dat";
    const QStringList schluessel = daten
        ? QStringList{QStringLiteral("ordnerDat#"), QStringLiteral("ordnerDat"),
                      QStringLiteral("DirData"), QStringLiteral("ordnerPrg"), QStringLiteral("Dir")}
        : QStringList{QStringLiteral("ordnerPrg"), QStringLiteral("Dir")};
    QString ordner;
    for (const QString& name : schluessel) {
        ordner = IniLesen(QString(), programWord, name, QString());
        if (!ordner.isEmpty())
            break;
    }
    if (daten && rt::InStr(ordner, QStringLiteral("{AppDir}"), true) > 0) {
        const QString programmOrdner = ordnerOhneEndTrenner(
            IniLesen(QString(), programWord, QStringLiteral("OrdnerPrg"), QString()));
        ordner = TextErsetzen(ordner, QStringLiteral("{AppDir}"), programmOrdner);
    }
    return ordnerOhneEndTrenner(ordner);
}

void Warten(float seconds)
{
    // Milliseconds in 64 bits: no wrap of the tick, and a time of days still ends.
    const double millisekunden = seconds > 0 ? std::min(double(seconds) * 1000.0, 1e15) : 0.0;
    const qint64 ende = platform::clock().tick() + std::llround(millisekunden);
    do {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        platform::clock().sleep(100);
        QCoreApplication::processEvents();
    } while (platform::clock().tick() < ende);
}

void ZumProgrammOrdner()
{
    if (!ordnerPrg.isEmpty())
        QDir::setCurrent(platform::resolvePath(ordnerPrg));
}

} // namespace foundation
