// The spelling check of an entry of 3,000 characters with the system's German dictionary: the
// time from the command to its open window, the dictionary's load included (it is loaded for
// every check). Two entries: the unknown word at the start, and the only unknown word at the end
// (every word before it checked first).
#include "bench_support.h"
#include "bench_ui.h"

#include "integration/spelling.h"
#include "integration/spelling_dialog.h"
#include "platform/spell_checker.h"
#include "platform/text_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

// About 3,000 characters of plain German diary prose, the typo put first or last.
QString eintrag(bool fehlerAmEnde)
{
    const QString satz = QStringLiteral(
        "Heute waren wir am Nachmittag mit den Kindern am See spazieren, und es war trotz des "
        "Windes ein schöner Tag. Am Abend haben wir Grüße an die Großeltern geschrieben.\r\n");
    QString text = fehlerAmEnde ? QString() : QStringLiteral("Liebes Tagebuhc, ");
    while (text.size() < 2980)
        text += satz;
    if (fehlerAmEnde)
        text += QStringLiteral("Gute Nahct.");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    // Settings go into a temporary folder, never into the user's own.
    const bench::Umgebung arbeit;
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (!platform::spellChecker().hasDictionary(QStringLiteral("de_DE"))) {
        out << "Kein Wörterbuch de_DE installiert (Paket hunspell-de-de).\n";
        return 1;
    }
    bench::EditorFenster main;
    main.widget()->show();
    const int runden = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;

    QElapsedTimer laden;
    laden.start();
    platform::spellChecker().loadDictionary(QStringLiteral("de_DE"));
    out << "Wörterbuch de_DE laden allein: " << static_cast<double>(laden.nsecsElapsed()) / 1e6
        << " ms\n";

    for (const bool amEnde : {false, true}) {
        main.setText(eintrag(amEnde));
        const bench::Messung m = bench::messenEigeneZeit(
            runden,
            [] {
                QElapsedTimer uhr;
                double ms = -1;
                QTimer::singleShot(0, [&] {
                    auto* fenster = platform::findForm<integration::Rechtschreibung>();
                    if (fenster != nullptr && fenster->isVisible()) {
                        ms = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
                        fenster->befAbbrechen->click();
                    }
                });
                uhr.start();
                integration::mnuWordCheck_Click();
                QCoreApplication::processEvents();
                return ms;
            },
            false);
        out << "Befehl bis offenes Fenster, " << main.text().size() << " Zeichen, unbekanntes Wort "
            << (amEnde ? "am Ende" : "am Anfang") << " (" << runden << " Läufe): " << bench::ms(m)
            << "\n";
    }
    return 0;
}
