#include "bench_diary.h"

#include "diary_generator.h"

#include "foundation/folders.h"
#include "store/cipher.h"
#include "store/store_state.h"

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

} // namespace bench
