// Phonetic keys per second for a diary entry of 2,000 characters, the unit of work of the
// phonetic search (one key per entry and search).
#include "textlib/phonetic_key.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString absatz = QStringLiteral(
        "Heute Morgen war es kalt, der Thermometer zeigte minus drei Grad. Nach dem Frühstück "
        "bin ich mit Philipp zum Bäcker in der Schulstraße gegangen; dort trafen wir Frau Meyer, "
        "die uns von ihrer Reise nach Köln erzählte. Am Nachmittag habe ich Tee getrunken und "
        "im Tagebuch von gestern gelesen.\r\n");
    QString eintrag;
    while (eintrag.size() < 2000)
        eintrag += absatz;
    eintrag.truncate(2000);

    const int runden = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QElapsedTimer timer;
    timer.start();
    qsizetype summe = 0;
    for (int i = 0; i < runden; ++i)
        summe += textlib::PhonetischerSchluessel(eintrag, {}).size();
    const double sekunden = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    QTextStream out(stdout);
    out << "Phonetischer Schlüssel, Eintrag mit " << eintrag.size() << " Zeichen: " << runden
        << " Schlüssel in " << sekunden << " s = " << qRound(runden / sekunden)
        << " Schlüssel/s (Prüfsumme " << summe << ")\n";
    return 0;
}
