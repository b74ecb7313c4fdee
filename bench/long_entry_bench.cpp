// Very long entries in the real main window (offscreen): an entry of 2 MB as one single line,
// and one of 2 MB in 20,000 lines. Each step is measured on its own and must stay under half a
// second:
//
//  1. open: the day is shown (from a short day), painted included;
//  2. type: one character typed in the middle of the text, painted included;
//  3. save: the entry written to its day file.
//
//   long_entry_bench [runs]      (default 3 runs of each step)
#include "bench_support.h"
#include "bench_ui.h"

#include "mainwindow/main_window.h"
#include "platform/date_label.h"
#include "platform/text_box.h"
#include "runtime/codec.h"
#include "store/day_files.h"
#include "store/store_state.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextStream>

#include <cstdlib>

namespace {

QString langerText(qsizetype zeichen, int zeilen)
{
    const QString satz = QStringLiteral("Heute war ein schöner Tag am Meer, die Möwen flogen tief. ");
    const qsizetype proZeile = zeichen / zeilen;
    QString zeile;
    while (zeile.size() < proZeile)
        zeile += satz;
    zeile.truncate(proZeile);
    QString text;
    text.reserve(zeichen + 2 * zeilen);
    for (int i = 0; i < zeilen; ++i) {
        if (i > 0)
            text += QStringLiteral("\r\n");
        text += zeile;
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    bench::Umgebung umgebung;
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const int runden = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;

    const QString ordner = umgebung.pfad() + QStringLiteral("/Daten");
    const qsizetype groesse = 2 * 1024 * 1024;
    bench::Umgebung::schreiben(ordner + QStringLiteral("/2024/20240304.Txt"),
                               rt::encodeText(QStringLiteral("Ein kurzer Tag.")));
    bench::Umgebung::schreiben(ordner + QStringLiteral("/2024/20240305.Txt"),
                               rt::encodeText(langerText(groesse, 1)));
    bench::Umgebung::schreiben(ordner + QStringLiteral("/2024/20240306.Txt"),
                               rt::encodeText(langerText(groesse, 20000)));
    auto* hauptfenster = bench::hauptfensterStarten(umgebung, ordner, QStringLiteral("04.03.2024"));

    platform::TextBox* editor = hauptfenster->Text;
    const auto zeigen = [&](const QString& tag) {
        hauptfenster->BezDatum->setCaption(tag);
        QApplication::processEvents();
        editor->viewport()->repaint();
    };

    bool alleUnterZiel = true;
    bool gesichert = true;
    const auto melden = [&](const char* schritt, const bench::Messung& m) {
        const bool erreicht = m.max < 500;
        alleUnterZiel = alleUnterZiel && erreicht;
        out << "  " << schritt << ms(m) << (erreicht ? "" : "  ZIEL VERFEHLT (500 ms)") << "\n";
        out.flush();
    };

    for (const auto& [tag, name] : {std::pair{QStringLiteral("05.03.2024"), "eine Zeile"},
                                    std::pair{QStringLiteral("06.03.2024"), "20.000 Zeilen"}}) {
        out << "Eintrag mit 2 MB, " << name << ":\n";
        melden("öffnen:    ", bench::messen(
                                  runden, [&] { zeigen(tag); }, false,
                                  [&] { zeigen(QStringLiteral("04.03.2024")); }));
        const int mitte = editor->textLength() / 2;
        melden("tippen:    ", bench::messen(
                                  runden,
                                  [&] {
                                      editor->setSelStart(mitte);
                                      QKeyEvent taste(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier,
                                                      QStringLiteral("x"));
                                      QApplication::sendEvent(editor, &taste);
                                      QKeyEvent los(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier,
                                                    QStringLiteral("x"));
                                      QApplication::sendEvent(editor, &los);
                                      QApplication::processEvents();
                                      editor->viewport()->repaint();
                                  },
                                  false));
        melden("sichern:   ", bench::messen(runden,
                                            [&] {
                                                store::ungesichert = 1;
                                                gesichert = store::EintragSpeichern() && gesichert;
                                            },
                                            false));
    }
    out << (gesichert ? "" : "SICHERN FEHLGESCHLAGEN\n")
        << (alleUnterZiel ? "Alle Schritte unter 500 ms.\n" : "Nicht alle Schritte unter 500 ms.\n");
    out.flush();
    // Closing the main window would end the program through its shutdown.
    std::_Exit(alleUnterZiel && gesichert ? 0 : 1);
}
