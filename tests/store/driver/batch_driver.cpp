// A small process for the test that kills a pass over many days at random moments. It gives
// every entry of the diary "Txt" in the data folder a new password through a batch of day
// files, and reports each step on its output so that the test can kill it at a chosen one:
// "vorgemerkt <n>" after each day, "abschliessen" before the files are put in place, "fertig"
// after.
//
//   korvanel_batch_driver <data folder> <password>
#include "foundation/folders.h"
#include "store/cipher.h"
#include "store/day_file_batch.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/store_state.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList argumente = QCoreApplication::arguments().mid(1);
    if (argumente.size() != 2)
        return 2;
    foundation::OrdnerBereitstellen();
    foundation::ordnerDat = argumente[0];
    store::korvanelKuerzel = QStringLiteral("Txt");
    store::schluessel = QString::fromLatin1(store::festerSchluessel);
    // Days already converted by an earlier, killed run load under the new password too.
    store::kennwortLesen = argumente[1];
    store::kennwortSchreiben = argumente[1];

    store::TagesverzeichnisErstellen(true);
    const store::TageslisteRef tage = store::tagesverzeichnis;
    store::TagesdateiStapel stapel;
    int n = 0;
    for (const qint32 tag : *tage) {
        const QString name = QString::number(tag) + QStringLiteral(".Txt");
        const store::Eintrag eintrag = store::EintragLaden(name);
        if (eintrag.zustand != store::Eintrag::Zustand::Geladen || !stapel.vormerken(name, eintrag.text))
            return 1;
        std::cout << "vorgemerkt " << ++n << std::endl;
    }
    std::cout << "abschliessen" << std::endl;
    const QStringList alt = stapel.abschliessen();
    std::cout << "fertig" << std::endl;
    return alt.isEmpty() ? 0 : 1;
}
