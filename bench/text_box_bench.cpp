// The editor with an entry of 100 KB: loading it, moving the selection to positions spread over
// the whole text (as the search does for each hit), and replacing at each of them (as the
// replace window does). Every step must stay well below a millisecond, whatever the position.
#include "platform/text_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString zeile = QStringLiteral("Heute war ein schöner Tag am See, wir sind um 14:00 Uhr losgegangen.\r\n");
    QString eintrag;
    while (eintrag.size() < 100000)
        eintrag += zeile;

    platform::TextBox box;
    box.resize(800, 600);
    box.show();

    QTextStream out(stdout);
    QElapsedTimer timer;
    timer.start();
    box.setText(eintrag);
    out << "Eintrag mit " << eintrag.size() << " Zeichen geladen in "
        << static_cast<double>(timer.nsecsElapsed()) / 1e6 << " ms\n";

    const int runden = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;
    const int laenge = box.textLength();
    qint64 summe = 0;
    timer.restart();
    for (int i = 0; i < runden; ++i) {
        box.setSelStart(static_cast<int>((static_cast<qint64>(i) * 7919) % laenge));
        box.setSelLength(4);
        summe += box.selStart() + box.selLength();
    }
    double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    out << runden << " Auswahlen in " << ms << " ms = " << ms * 1000 / runden
        << " µs je Auswahl (Prüfsumme " << summe << ")\n";

    const int ersetzungen = 500;
    timer.restart();
    for (int i = 0; i < ersetzungen; ++i) {
        box.setSelStart(static_cast<int>((static_cast<qint64>(i) * 7919) % (laenge - 10)));
        box.setSelLength(3);
        box.setSelText(QStringLiteral("See"));
    }
    ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    out << ersetzungen << " Ersetzungen in " << ms << " ms = " << ms * 1000 / ersetzungen
        << " µs je Ersetzung\n";
    return 0;
}
