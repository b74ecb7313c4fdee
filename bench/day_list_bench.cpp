// The day list over a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h), through the window as the user works it: "&Gesamtes Korvanel" builds the
// list of every day from the first to the last entry (with the days without entry, the setting's
// default, and without), and "Mar&ker für alle Tage setzen" marks every listed day, against the
// same markers set one call per day. Checks that both ways give the same marker file.
//
//   day_list_bench [folder]   without a folder the diary is generated into a temporary folder
#include "bench_diary.h"

#include "platform/actions.h"
#include "runtime/dates.h"
#include "store/day_index.h"
#include "store/mood_marker.h"
#include "store/store_state.h"
#include "views/day_list.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTextStream>
#include <QTimer>


#include <algorithm>
#include <functional>
#include <vector>

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);
    const long speicherVorher = bench::spitzenspeicherKB();

    auto* fenster = new views::Tagesliste;
    fenster->TimerInit->stop();
    fenster->show();
    QApplication::processEvents();
    QAction* alleTage = fenster->actions->action(QStringLiteral("mnuAlleTage"));

    for (const bool mitLeeren : {true, false}) {
        alleTage->setChecked(mitLeeren);
        const bench::Messung bau = bench::messen(5, [&] {
            store::verzeichnisStatus = 0; // the index is built afresh each time
            fenster->mnuBerGesamt_Click();
        });
        out << "Gesamtes Korvanel, " << (mitLeeren ? "auch Tage ohne Eintrag" : "nur Tage mit Eintrag")
            << " (" << fenster->Liste->count() << " Zeilen, " << fenster->bereichVon << " bis "
            << fenster->bereichBis << "): " << bench::ms(bau) << "\n";
    }

    // Every listed day marked: once through the window (one write), once one call per day.
    const QString markerDatei = store::markerDatei();
    const bench::Messung liste = bench::messen(5, [&] {
        QFile::remove(markerDatei);
        fenster->mnuMarker_Click();
    });
    const auto dateiInhalt = [&markerDatei] {
        QFile datei(markerDatei);
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    };
    const qint64 alleBytes = dateiInhalt().size();

    // The same bytes as one call per day, on the first 1,000 listed days (one call per day
    // rewrites the whole growing file each time).
    std::vector<rt::VbDate> tage;
    for (int i = 0; i < std::min(fenster->Liste->count(), 1000); ++i)
        tage.push_back(*rt::CDate(fenster->Liste->item(i)->text().left(10)));
    QFile::remove(markerDatei);
    store::MarkerSetzen(tage, 1);
    const QByteArray einmal = dateiInhalt();
    QFile::remove(markerDatei);
    QElapsedTimer timer;
    timer.start();
    for (const rt::VbDate tag : tage)
        store::MarkerSetzen(tag, 1);
    const double einzeln = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const QByteArray proTag = dateiInhalt();

    out << "Marker für alle " << fenster->Liste->count() << " Tage der Liste (eine Schreibung, "
        << alleBytes << " Bytes): " << bench::ms(liste) << "\n";
    out << "Marker für " << tage.size() << " Tage, Tag für Tag: " << QString::number(einzeln, 'f', 1)
        << " ms; dieselbe Datei wie in einer Schreibung: "
        << (einmal == proTag && !einmal.isEmpty() ? "ja" : "NEIN") << "\n";
    out << "Spitzenspeicher: " << bench::spitzenspeicherKB() << " KB (vor dem Fenster " << speicherVorher
        << " KB)\n";

    fenster->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return einmal == proTag ? 0 : 1;
}
