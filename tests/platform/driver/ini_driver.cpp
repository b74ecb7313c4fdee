// A small process for the tests that need several processes on one INI file. It talks over its
// standard channels: it reports "bereit" (or "gesperrt") on its output and waits for a line on its
// input before it goes on, so that the test can start several copies at the same moment.
//
//   korvanel_ini_driver schreiben <file> <section> <key prefix> <count>
//       writes <prefix>0=0 ... <prefix><count-1>=<count-1> into the section, one ini::write each;
//       exit code 0 when every write returned true, else 1.
//   korvanel_ini_driver sperren <file>
//       takes the file's lock, reports "gesperrt", and keeps it until its input ends.
#include "platform/file_lock.h"
#include "platform/ini_file.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>
#include <string>

namespace {

void melden(const char* zeile)
{
    std::cout << zeile << std::endl;
}

void warten()
{
    std::string zeile;
    std::getline(std::cin, zeile);
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments().mid(1);
    const QString auftrag = argumente.value(0);
    if (auftrag == u"schreiben" && argumente.size() == 5) {
        const QString datei = argumente[1];
        const QString sektion = argumente[2];
        const QString praefix = argumente[3];
        const int anzahl = argumente[4].toInt();
        melden("bereit");
        warten();
        bool alle = true;
        for (int i = 0; i < anzahl; ++i)
            alle = platform::ini::write(datei, sektion, praefix + QString::number(i),
                                        QString::number(i))
                && alle;
        return alle ? 0 : 1;
    }
    if (auftrag == u"sperren" && argumente.size() == 2) {
        const platform::FileLock sperre(argumente[1]);
        melden(sperre.held() ? "gesperrt" : "nicht gesperrt");
        warten();
        return 0;
    }
    std::cerr << "unbekannter Auftrag" << std::endl;
    return 2;
}
