// Expansions per second of a typical pattern of 200 characters: a picture-link name with date,
// week, time and folder tokens, a working-day form and an environment reference. Then the time
// of single expansions of hostile texts, which must grow linearly with their size: runs of open
// braces, a page of code full of tokens, and a variable that holds its own reference.
#include "textlib/placeholder_expander.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    // The settings of the user stay untouched: the folders point into a temporary folder.
    QTemporaryDir temp;
    qputenv("XDG_CONFIG_HOME", temp.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", temp.filePath(QStringLiteral("xdg")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", temp.filePath(QStringLiteral("data")).toLocal8Bit());
    QCoreApplication app(argc, argv);

    QString muster = QStringLiteral(
        "{ordner_dat}/Bilder/{jjjj}/{jjjj-mm-tt} {wochentag}, KW {kw} ({q}. Quartal), "
        "{hh-mm} Uhr - Tagebuch in %HOME% am {datum}, nächster Werktag {wt+1}, "
        "Monat {monatsname} {jahr4}, Datei {zufall4}.jpg");
    while (muster.size() < 200)
        muster += u' ';
    muster.truncate(200);

    const int runden = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QElapsedTimer timer;
    timer.start();
    qsizetype summe = 0;
    for (int i = 0; i < runden; ++i) {
        textlib::varioDatum = QStringLiteral("08.12.2026");
        summe += textlib::VariablenErsetzen(muster).size();
    }
    const double sekunden = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    QTextStream out(stdout);
    out << "Platzhalter, Muster mit " << muster.size() << " Zeichen: " << runden
        << " Ersetzungen in " << sekunden << " s = " << qRound(runden / sekunden)
        << " Ersetzungen/s (Prüfsumme " << summe << ")\n";

    qputenv("KORVANEL_BENCH_SELBST", QStringLiteral("<%KORVANEL_BENCH_SELBST%>").repeated(7).toLocal8Bit());
    const auto messen = [&out](const char* name, const QString& text) {
        QElapsedTimer uhr;
        uhr.start();
        textlib::varioDatum = QStringLiteral("08.12.2026");
        const qsizetype laenge = textlib::VariablenErsetzen(text).size();
        out << name << ", " << text.size() << " Zeichen: " << uhr.nsecsElapsed() / 1000000.0
            << " ms, Ergebnis " << laenge << " Zeichen\n";
    };
    for (const int n : {16000, 64000, 256000}) {
        messen("Offene Klammern", QString(n, u'{') + u'}');
        messen("Code mit Platzhaltern",
               QStringLiteral("if (a) { b = {datum}; } // {x} {jjjj}\r\n").repeated(n / 40));
        messen("Selbstbezug", QStringLiteral("%KORVANEL_BENCH_SELBST% ").repeated(n / 24));
    }
    return 0;
}
