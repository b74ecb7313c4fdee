// Setting and removing a password over a generated diary of 30 years (about 11,000 day files,
// see diary_generator.h) through the password window, as the user does it: the pass loads and
// writes every day file again and lets the window's events through between days. Also checks
// that every file is back to its bytes after the removal.
//
//   password_bench [folder]   without a folder the diary is generated into a temporary folder
#include "bench_diary.h"

#include "store/day_index.h"
#include "store/password_change.h"
#include "store/store_state.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>

namespace {

// One pass through the window; milliseconds.
qint64 durchlauf(const QString& kennwort)
{
    auto* fenster = new store::PaßwortÄndern;
    fenster->TxtPW1->setText(kennwort);
    fenster->TxtPW2->setText(kennwort);
    QElapsedTimer timer;
    timer.start();
    fenster->befOk_Click();
    const qint64 ms = timer.elapsed();
    fenster->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
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
    const QByteArray vorher = bench::fingerabdruck(bench::tagesdateien(ordner));

    const qint64 setzen = durchlauf(QStringLiteral("Geheim12"));
    out << "Kennwort setzen (" << store::tageAnzahl << " Tage):   " << setzen << " ms\n";
    const qint64 aendern = durchlauf(QStringLiteral("Anders99"));
    out << "Kennwort ändern:                 " << aendern << " ms\n";
    const qint64 entfernen = durchlauf(QString());
    out << "Kennwort entfernen:              " << entfernen << " ms\n";
    const bool gleich = bench::fingerabdruck(bench::tagesdateien(ordner)) == vorher;
    out << "Tagesdateien danach wie vorher:  " << (gleich ? "ja" : "NEIN") << "\n";
    return gleich ? 0 : 1;
}
