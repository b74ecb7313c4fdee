// The diary store on a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h): building and sorting the day index (warm), against listing the same tree
// with find; loading one entry, plain and enciphered; reading every entry, against cat over the
// same files; peak memory.
//
//   store_bench [folder]   without a folder the diary is generated into a temporary folder
#include "bench_diary.h"

#include "runtime/codec.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>


#include <algorithm>
#include <functional>
#include <vector>

namespace {

void programm(const QString& name, const QStringList& argumente)
{
    QProcess prozess;
    prozess.setStandardOutputFile(QProcess::nullDevice());
    prozess.start(name, argumente);
    prozess.waitForFinished(-1);
}

QString msText(double wert)
{
    return QString::number(wert, 'f', 3) + QStringLiteral(" ms");
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);
    const long speicherVorher = bench::spitzenspeicherKB();

    // Day index: build and sort from a stale state, the folders warm in the cache.
    const bench::Messung index = bench::messen(20, [] {
        store::resetTagesverzeichnis();
        store::TagesverzeichnisErstellen(true);
    });
    const qint32 tage = store::tageAnzahl;
    QStringList pfade;
    for (const qint32 tag : *store::tagesverzeichnis)
        pfade << store::TagesdateiPfad(QString::number(tag) + QStringLiteral(".Txt"));
    const bench::Messung find = bench::messen(20, [&] {
        programm(QStringLiteral("find"), {ordner, QStringLiteral("-name"), QStringLiteral("*.Txt")});
    });
    out << "Tagesverzeichnis erstellen und sortieren (" << tage << " Tage): min " << msText(index.min)
        << ", Median " << msText(index.median) << "\n";
    out << "find über denselben Baum:                 min " << msText(find.min) << ", Median "
        << msText(find.median) << "  (Faktor " << QString::number(index.median / find.median, 'f', 2)
        << ")\n";

    // One entry, plain and enciphered.
    const QString name = QStringLiteral("20110305.Txt");
    qsizetype zeichen = 0;
    const bench::Messung einer = bench::messen(1000, [&] { zeichen = store::EintragLaden(name).text.size(); });
    out << "Einen Eintrag laden (" << zeichen << " Zeichen):        min " << msText(einer.min)
        << ", Median " << msText(einer.median) << "\n";
    const QString geheim = QStringLiteral("20110306.Txt");
    const QString text = store::EintragLaden(geheim).text;
    store::kennwortSchreiben = QStringLiteral("Kennwort");
    store::kennwortLesen = store::kennwortSchreiben;
    store::EintragDateiSchreiben(geheim, text);
    const bench::Messung verschluesselt =
        bench::messen(1000, [&] { zeichen = store::EintragLaden(geheim).text.size(); });
    out << "Einen verschlüsselten Eintrag laden (" << zeichen << " Zeichen): min "
        << msText(verschluesselt.min) << ", Median " << msText(verschluesselt.median) << "\n";
    store::EintragDateiSchreiben(geheim, text);
    store::kennwortSchreiben.clear();
    store::EintragDateiSchreiben(geheim, text);
    store::TagesverzeichnisErstellen(true);

    // Every entry, through the index as the windows walk it.
    qint64 summe = 0;
    const bench::Messung alle = bench::messen(5, [&] {
        summe = 0;
        const store::TageslisteRef liste = store::tagesverzeichnis;
        for (const qint32 tag : *liste)
            summe += store::EintragLaden(QString::number(tag) + QStringLiteral(".Txt")).text.size();
    });
    qint64 rohBytes = 0;
    const bench::Messung roh = bench::messen(5, [&] {
        rohBytes = 0;
        for (const QString& pfad : pfade) {
            QFile datei(pfad);
            if (datei.open(QIODevice::ReadOnly))
                rohBytes += datei.readAll().size();
        }
    });
    const bench::Messung cat = bench::messen(5, [&] { programm(QStringLiteral("cat"), pfade); });
    out << "Alle Einträge lesen (" << summe << " Zeichen):   min " << msText(alle.min) << ", Median "
        << msText(alle.median) << "\n";
    out << "Nur die Bytes lesen (QFile, " << rohBytes << " Bytes): min " << msText(roh.min)
        << ", Median " << msText(roh.median) << "  (Faktor "
        << QString::number(alle.median / roh.median, 'f', 2) << ")\n";
    out << "cat über dieselben Dateien:               min " << msText(cat.min) << ", Median "
        << msText(cat.median) << "  (Faktor " << QString::number(alle.median / cat.median, 'f', 2)
        << ")\n";

    out << "Spitzenspeicher: " << bench::spitzenspeicherKB() << " KB (vor den Messungen "
        << speicherVorher << " KB)\n";
    return 0;
}
