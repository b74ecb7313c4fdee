#include "bench_diary.h"

#include "diary_generator.h"

#include "foundation/folders.h"
#include "store/cipher.h"
#include "store/store_state.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>

namespace bench {

QString tagebuchBereitstellen(const QString& gegeben, const Umgebung& arbeit, QTextStream& out)
{
    QString ordner = gegeben;
    if (ordner.isEmpty()) {
        ordner = arbeit.pfad() + QStringLiteral("/Daten");
        const GenerierteTage tage = tagebuchErzeugen(ordner);
        out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes
            << " Bytes" << Qt::endl;
    }
    foundation::OrdnerBereitstellen();
    foundation::ordnerDat = ordner;
    store::korvanelKuerzel = QStringLiteral("Txt");
    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    store::aktDatum = QStringLiteral("05.03.2011");
    return ordner;
}

QStringList tagesdateien(const QString& ordner)
{
    QStringList pfade;
    QDirIterator it(ordner, {QStringLiteral("????????.Txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        pfade << it.next();
    pfade.sort();
    return pfade;
}

QByteArray fingerabdruck(const QStringList& pfade)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& pfad : pfade) {
        QFile datei(pfad);
        if (datei.open(QIODevice::ReadOnly)) {
            hash.addData(pfad.toUtf8());
            hash.addData(datei.readAll());
        }
    }
    return hash.result();
}

} // namespace bench
