// The store's speed over a generated diary of 30 years (about 11,000 day files, see
// diary_generator.h), each figure side by side with a floor measured in the same run:
//
//  1. A day switch through the real main window (offscreen): nothing to save, the next day
//     loaded and shown. Floor: a plain QPlainTextEdit that opens, reads, decodes and shows the
//     same file.
//  2. Every entry read through store::EintragLaden. Floor: QFile read and decode of every file
//     (its name known beforehand).
//  3. A whole password pass through the password window (set, then remove). Floor: every file
//     read, converted and written under a temporary name, one flush, then every file renamed
//     and every year folder flushed.
//
//   store_speed_bench [folder]        the diary in folder, generated there when it has none
//                                     (default: a temporary folder)
//   store_speed_bench --wechsel N     only N day switches after the start, for counting system
//                                     calls (bench/day_switch_syscalls.sh)
#include "bench_ui.h"
#include "bench_diary.h"
#include "diary_generator.h"

#include "mainwindow/main_window.h"
#include "platform/date_label.h"
#include "runtime/codec.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "store/cipher.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/password_change.h"
#include "store/store_state.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextStream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

bench::Messung geteilt(bench::Messung m, double durch)
{
    return {m.min / durch, m.median / durch, m.max / durch, m.cpuMin / durch};
}

QString verhaeltnis(const bench::Messung& wert, const bench::Messung& boden, double ziel)
{
    const double faktor = wert.min / boden.min;
    return QStringLiteral("%1x (Ziel höchstens %2x: %3)")
        .arg(QString::number(faktor, 'f', 2), QString::number(ziel, 'f', 1),
             faktor <= ziel ? QStringLiteral("erreicht") : QStringLiteral("VERFEHLT"));
}

// The floor of a whole-diary pass: each file read and converted, written under a temporary
// name beside it; one flush of the file system; each renamed into place; each year folder
// flushed. Gives false when anything failed.
bool stapelBoden(const QString& ordner, const QStringList& pfade,
                 const std::function<QByteArray(const QByteArray&)>& umwandeln)
{
    std::vector<std::pair<QByteArray, QByteArray>> umbenennen;
    umbenennen.reserve(static_cast<std::size_t>(pfade.size()));
    for (const QString& pfad : pfade) {
        QFile datei(pfad);
        if (!datei.open(QIODevice::ReadOnly))
            return false;
        const QByteArray neu = umwandeln(datei.readAll());
        const QByteArray ziel = QFile::encodeName(pfad);
        const QByteArray temp = ziel + ".~neu";
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, neu.constData(), static_cast<size_t>(neu.size())) != neu.size())
            return false;
        ::close(fd);
        umbenennen.emplace_back(temp, ziel);
    }
    const int wurzel = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY);
    if (wurzel < 0 || ::syncfs(wurzel) != 0)
        return false;
    ::close(wurzel);
    QSet<QByteArray> jahre;
    for (const auto& [temp, ziel] : umbenennen) {
        if (::rename(temp.constData(), ziel.constData()) != 0)
            return false;
        jahre.insert(ziel.left(ziel.lastIndexOf('/')));
    }
    for (const QByteArray& jahr : jahre) {
        const int fd = ::open(jahr.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0 || ::fsync(fd) != 0)
            return false;
        ::close(fd);
    }
    return true;
}

// One password pass through the window; milliseconds.
void kennwortDurchlauf(const QString& kennwort)
{
    auto* fenster = new store::PaßwortÄndern;
    fenster->TxtPW1->setText(kennwort);
    fenster->TxtPW2->setText(kennwort);
    fenster->befOk_Click();
    fenster->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

int main(int argc, char** argv)
{
    // Settings and logs go into a temporary folder, never into the user's own.
    bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);

    int nurWechsel = -1;
    QString ordner;
    for (int i = 1; i < argc; ++i) {
        const QString wort = QString::fromLocal8Bit(argv[i]);
        if (wort == u"--wechsel" && i + 1 < argc)
            nurWechsel = QString::fromLocal8Bit(argv[++i]).toInt();
        else
            ordner = wort;
    }
    if (ordner.isEmpty())
        ordner = arbeit.pfad() + QStringLiteral("/Daten");
    if (!QFileInfo::exists(ordner + QStringLiteral("/2011"))) {
        const bench::GenerierteTage tage = bench::tagebuchErzeugen(ordner);
        if (nurWechsel < 0)
            out << "Tagebuch erzeugt: " << tage.dateien << " Tagesdateien, " << tage.bytes
                << " Bytes\n";
    }
    out.flush();
    auto* hauptfenster = bench::hauptfensterStarten(arbeit, ordner, QStringLiteral("01.01.2011"));

    // The days of 2011 one after the other, as "next day" shows them.
    const rt::VbDate erster = *rt::CDate(QStringLiteral("01.01.2011"));
    QStringList tage;
    for (int i = 1; i <= 365; ++i)
        tage << rt::Format(rt::DateAdd(QStringLiteral("d"), i, erster), QStringLiteral("dd.mm.yyyy"));
    const auto wechseln = [&](int anzahl) {
        for (int i = 0; i < anzahl; ++i) {
            hauptfenster->BezDatum->setCaption(tage[i % tage.size()]);
            QApplication::processEvents();
        }
    };

    if (nurWechsel >= 0) {
        // Counting system calls: the start above is the same for every count, the switches the
        // only difference.
        wechseln(nurWechsel);
        // Closing the main window would end the program through its shutdown.
        QCoreApplication::processEvents();
        arbeit.entfernen();
        std::_Exit(0);
    }

    const int tageProRunde = static_cast<int>(tage.size());
    const bench::Messung wechsel = geteilt(bench::messen(5, [&] { wechseln(tageProRunde); }), tageProRunde);

    // The floor: a plain program with one editor that shows the same files.
    QPlainTextEdit boden;
    boden.resize(1000, 700);
    boden.show();
    QStringList bodenPfade;
    for (const QString& tag : tage)
        bodenPfade << store::TagesdateiPfad(store::DatumZuTagesnummer(tag) + QStringLiteral(".Txt"));
    const bench::Messung bodenWechsel = geteilt(bench::messen(5,
                                                [&] {
                                                    for (const QString& pfad : bodenPfade) {
                                                        QFile datei(pfad);
                                                        QByteArray bytes;
                                                        if (datei.open(QIODevice::ReadOnly))
                                                            bytes = datei.readAll();
                                                        boden.setPlainText(rt::decodeText(bytes));
                                                        QApplication::processEvents();
                                                    }
                                                }),
                                         tageProRunde);
    boden.hide();
    out << "Tageswechsel (Hauptfenster):        " << bench::ms(wechsel, 3) << "\n";
    out << "Boden: QPlainTextEdit zeigt Datei:  " << bench::ms(bodenWechsel, 3) << "\n";
    out << "  Verhältnis: " << verhaeltnis(wechsel, bodenWechsel, 2.0) << "\n";
    out.flush();

    // Every entry read through the store, against reading and decoding every file.
    store::verzeichnisStatus = 0;
    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef index = store::tagesverzeichnis;
    QStringList namen;
    for (const qint32 tag : *index)
        namen << QString::number(tag) + QStringLiteral(".Txt");
    const QStringList pfade = bench::tagesdateien(ordner);
    qint64 zeichenStore = 0;
    const bench::Messung lesen = bench::messen(3, [&] {
        zeichenStore = 0;
        for (const QString& name : namen)
            zeichenStore += store::EintragLaden(name).text.size();
    });
    qint64 zeichenBoden = 0;
    const bench::Messung bodenLesen = bench::messen(3, [&] {
        zeichenBoden = 0;
        for (const QString& pfad : pfade) {
            QFile datei(pfad);
            if (datei.open(QIODevice::ReadOnly))
                zeichenBoden += rt::decodeText(datei.readAll()).size();
        }
    });
    out << "Alle " << namen.size() << " Einträge lesen (EintragLaden): " << bench::ms(lesen) << "\n";
    out << "Boden: QFile lesen und dekodieren:  " << bench::ms(bodenLesen) << "\n";
    out << "  Verhältnis: " << verhaeltnis(lesen, bodenLesen, 1.5)
        << (zeichenStore == zeichenBoden ? "" : "  ZEICHENZAHL VERSCHIEDEN") << "\n";
    out.flush();

    // A whole password pass, set and removed, against the batched floor doing the same.
    const QByteArray vorher = bench::fingerabdruck(pfade);
    const QString kennwort = QStringLiteral("Geheim12");
    const bench::Messung setzen = bench::messen(1, [&] { kennwortDurchlauf(kennwort); }, false);
    const bench::Messung entfernen = bench::messen(1, [&] { kennwortDurchlauf(QString()); }, false);
    const bool durchlaufGleich = bench::fingerabdruck(pfade) == vorher;
    bool bodenOk = true;
    const bench::Messung bodenSetzen = bench::messen(
        1,
        [&] {
            bodenOk = bodenOk && stapelBoden(ordner, pfade, [&](const QByteArray& alt) {
                          return store::verschluesselteForm(store::KennwortKopf(kennwort)
                                                            + rt::decodeText(alt));
                      });
        },
        false);
    const bench::Messung bodenEntfernen = bench::messen(
        1,
        [&] {
            bodenOk = bodenOk && stapelBoden(ordner, pfade, [](const QByteArray& alt) {
                          const std::optional<QString> text = store::verschluesselteFormLesen(alt);
                          return text ? rt::encodeText(text->mid(store::kennwortKopfLaenge)) : alt;
                      });
        },
        false);
    const bool bodenGleich = bodenOk && bench::fingerabdruck(pfade) == vorher;
    out << "Kennwort setzen (" << pfade.size() << " Dateien):      " << bench::ms(setzen) << "\n";
    out << "Boden: gestapelt, ein Flush:        " << bench::ms(bodenSetzen) << "\n";
    out << "  Verhältnis: " << verhaeltnis(setzen, bodenSetzen, 1.3) << "\n";
    out << "Kennwort entfernen:                 " << bench::ms(entfernen) << "\n";
    out << "Boden: gestapelt, ein Flush:        " << bench::ms(bodenEntfernen) << "\n";
    out << "  Verhältnis: " << verhaeltnis(entfernen, bodenEntfernen, 1.3) << "\n";
    out << "Tagesdateien danach wie vorher:     " << (durchlaufGleich ? "ja" : "NEIN")
        << " (Boden: " << (bodenGleich ? "ja" : "NEIN") << ")\n";

    out.flush();
    arbeit.entfernen();
    // Closing the main window would end the program through its shutdown.
    std::_Exit(durchlaufGleich && bodenGleich ? 0 : 1);
}
