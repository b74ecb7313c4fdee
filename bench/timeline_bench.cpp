// The timeline on a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h), its axis 1,580 pixels wide: one redraw with the day index built (the
// strokes placed and painted, the middle of the axis pointed at), one redraw after a write made
// the index stale (the year folders scanned again), and one pointer move (the nearest entry day,
// its entry loaded, the panels written), over 400 places along the axis.
//
//   timeline_bench [folder]   without a folder the diary is generated into a temporary folder
#include "bench_diary.h"

#include "store/day_index.h"
#include "store/store_state.h"
#include "views/timeline.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

QString msText(double wert)
{
    return QString::number(wert, 'f', 3) + QStringLiteral(" ms");
}

QString zeile(const bench::Messung& m)
{
    return QStringLiteral("min ") + msText(m.min) + QStringLiteral(", Median ") + msText(m.median)
           + QStringLiteral(", max ") + msText(m.max);
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    const QString ordner = bench::tagebuchBereitstellen(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), arbeit, out);
    store::TagesverzeichnisErstellen(true);

    auto* fenster = new views::Zeitleiste;
    fenster->resize(1600, 600);
    fenster->show();
    QCoreApplication::processEvents();
    fenster->TimerRefresh->stop();
    out << "Zeitleiste: " << store::tageAnzahl << " Tage, Achse " << fenster->picZeitleiste->width()
        << " Pixel\n";

    const bench::Messung neu = bench::messen(20, [&] {
        fenster->mnuRefresh_Click();
        fenster->picZeitleiste->repaint();
    });
    out << "Neu zeichnen, Tagesverzeichnis erstellt (" << fenster->striche().size()
        << " Striche):   " << zeile(neu) << "\n";

    const bench::Messung veraltet = bench::messen(10, [&] {
        store::verzeichnisStatus = 0;
        fenster->mnuRefresh_Click();
        fenster->picZeitleiste->repaint();
    });
    out << "Neu zeichnen, Tagesverzeichnis veraltet (Ordner gelesen): " << zeile(veraltet) << "\n";

    const double breite = fenster->achsenBreite();
    const int stellen = 400;
    int stelle = 0;
    const bench::Messung zeigen = bench::messen(stellen, [&] {
        const int i = stelle++;
        fenster->picZeitleiste_MouseMove(0, 0, breite * ((i * 7919) % stellen) / stellen, 100);
    });
    out << "Mauszeiger bewegt (Fang, Eintrag laden, Felder):        " << zeile(zeigen) << "\n";

    fenster->unload();
    return 0;
}
