// diary_generator <folder>: writes the generated benchmark diary into folder (see
// diary_generator.h), so that other tools (find, cat) can be measured on the same tree.
#include "diary_generator.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "Aufruf: diary_generator <Ordner>\n";
        return 2;
    }
    const bench::GenerierteTage tage = bench::tagebuchErzeugen(QString::fromLocal8Bit(argv[1]));
    out << tage.dateien << " Tagesdateien, " << tage.bytes << " Bytes\n";
    return tage.dateien > 0 ? 0 : 1;
}
