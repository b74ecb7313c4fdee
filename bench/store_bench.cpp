// The diary store on a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h): building and sorting the day index (warm), against listing the same tree
// with find; loading one entry, plain and enciphered; reading every entry, against cat over the
// same files; peak memory.
//
//   store_bench [folder]   without a folder the diary is generated into a temporary folder
#include "diary_generator.h"

#include "foundation/folders.h"
#include "runtime/codec.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct Messung {
    double min = 0;
    double median = 0;
};

// Milliseconds of runs repetitions of job, the first run left out as warm-up.
Messung messen(int runs, const std::function<void()>& job)
{
    job();
    std::vector<double> zeiten;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        job();
        zeiten.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(zeiten.begin(), zeiten.end());
    return {zeiten.front(), zeiten[zeiten.size() / 2]};
}

void programm(const QString& name, const QStringList& argumente)
{
    QProcess prozess;
    prozess.setStandardOutputFile(QProcess::nullDevice());
    prozess.start(name, argumente);
    prozess.waitForFinished(-1);
}

long spitzenspeicherKB()
{
    rusage nutzung{};
    getrusage(RUSAGE_SELF, &nutzung);
    return nutzung.ru_maxrss;
}

QString ms(double wert)
{
    return QString::number(wert, 'f', 3) + QStringLiteral(" ms");
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    QTemporaryDir arbeit;
    qputenv("XDG_CONFIG_HOME", (arbeit.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (arbeit.path() + QStringLiteral("/xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (arbeit.path() + QStringLiteral("/data")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QString ordner = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (ordner.isEmpty()) {
        ordner = arbeit.path() + QStringLiteral("/Daten");
        QElapsedTimer timer;
        timer.start();
        const bench::GenerierteTage tage = bench::tagebuchErzeugen(ordner);
        out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes
            << " Bytes in " << timer.elapsed() << " ms\n";
    }
    const long speicherVorher = spitzenspeicherKB();

    foundation::OrdnerBereitstellen();
    foundation::ordnerDat = ordner;
    store::korvanelKuerzel = QStringLiteral("Txt");
    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    store::aktDatum = QStringLiteral("05.03.2011");

    // Day index: build and sort from a stale state, the folders warm in the cache.
    const Messung index = messen(20, [] {
        store::resetTagesverzeichnis();
        store::TagesverzeichnisErstellen(true);
    });
    const qint32 tage = store::tageAnzahl;
    QStringList pfade;
    for (const qint32 tag : *store::tagesverzeichnis)
        pfade << store::TagesdateiPfad(QString::number(tag) + QStringLiteral(".Txt"));
    const Messung find = messen(20, [&] {
        programm(QStringLiteral("find"), {ordner, QStringLiteral("-name"), QStringLiteral("*.Txt")});
    });
    out << "Tagesverzeichnis erstellen und sortieren (" << tage << " Tage): min " << ms(index.min)
        << ", Median " << ms(index.median) << "\n";
    out << "find über denselben Baum:                 min " << ms(find.min) << ", Median "
        << ms(find.median) << "  (Faktor " << QString::number(index.median / find.median, 'f', 2)
        << ")\n";

    // One entry, plain and enciphered.
    const QString name = QStringLiteral("20110305.Txt");
    qsizetype zeichen = 0;
    const Messung einer = messen(1000, [&] { zeichen = store::EintragLaden(name).text.size(); });
    out << "Einen Eintrag laden (" << zeichen << " Zeichen):        min " << ms(einer.min)
        << ", Median " << ms(einer.median) << "\n";
    const QString geheim = QStringLiteral("20110306.Txt");
    const QString text = store::EintragLaden(geheim).text;
    store::kennwortSchreiben = QStringLiteral("Kennwort");
    store::kennwortLesen = store::kennwortSchreiben;
    store::EintragDateiSchreiben(geheim, text);
    const Messung verschluesselt =
        messen(1000, [&] { zeichen = store::EintragLaden(geheim).text.size(); });
    out << "Einen verschlüsselten Eintrag laden (" << zeichen << " Zeichen): min "
        << ms(verschluesselt.min) << ", Median " << ms(verschluesselt.median) << "\n";
    store::EintragDateiSchreiben(geheim, text);
    store::kennwortSchreiben.clear();
    store::EintragDateiSchreiben(geheim, text);
    store::TagesverzeichnisErstellen(true);

    // Every entry, through the index as the windows walk it.
    qint64 summe = 0;
    const Messung alle = messen(5, [&] {
        summe = 0;
        const store::TageslisteRef liste = store::tagesverzeichnis;
        for (const qint32 tag : *liste)
            summe += store::EintragLaden(QString::number(tag) + QStringLiteral(".Txt")).text.size();
    });
    qint64 rohBytes = 0;
    const Messung roh = messen(5, [&] {
        rohBytes = 0;
        for (const QString& pfad : pfade) {
            QFile datei(pfad);
            if (datei.open(QIODevice::ReadOnly))
                rohBytes += datei.readAll().size();
        }
    });
    const Messung cat = messen(5, [&] { programm(QStringLiteral("cat"), pfade); });
    out << "Alle Einträge lesen (" << summe << " Zeichen):   min " << ms(alle.min) << ", Median "
        << ms(alle.median) << "\n";
    out << "Nur die Bytes lesen (QFile, " << rohBytes << " Bytes): min " << ms(roh.min)
        << ", Median " << ms(roh.median) << "  (Faktor "
        << QString::number(alle.median / roh.median, 'f', 2) << ")\n";
    out << "cat über dieselben Dateien:               min " << ms(cat.min) << ", Median "
        << ms(cat.median) << "  (Faktor " << QString::number(alle.median / cat.median, 'f', 2)
        << ")\n";

    out << "Spitzenspeicher: " << spitzenspeicherKB() << " KB (vor den Messungen "
        << speicherVorher << " KB)\n";
    return 0;
}
