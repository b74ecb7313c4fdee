#include "read_only.h"

#include "debug_log.h"
#include "folders.h"
#include "ini_store.h"
#include "message_text.h"
#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/dialogs.h"
#include "platform/path_resolver.h"
#include "platform/random.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/strings.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace foundation {

bool nurLesen = false;

namespace {

const QString allgemein = QStringLiteral("Allgemein");
const QString schluesselSchreibtest = QStringLiteral("Schreibtest");

// The first "Info.*" file of folder in the order of the listing; "" when there is none.
QString ersteInfoDatei(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    const QStringList namen = platform::listFolder(folder, QStringLiteral("Info.*"));
    if (namen.isEmpty())
        return QString();
    return platform::resolvePath(folder) + u'/' + namen.first();
}

bool perParameterGesperrt()
{
    return platform::commandLineHolds(QStringLiteral("readonly"));
}

bool attributGesetzt()
{
    QString infoDatei = ersteInfoDatei(ordnerPrg);
    if (const QString imDatenordner = ersteInfoDatei(ordnerDat); !imDatenordner.isEmpty())
        infoDatei = imDatenordner;
    if (!infoDatei.isEmpty()) {
        const QFileInfo info(infoDatei);
        if (info.isFile() && platform::writeProtected(info))
            return true;
    }
    // Where Windows still let a write-protected folder take new files, Linux refuses them: a
    // data folder that cannot be written could keep no entry.
    if (ordnerDat.isEmpty())
        return false;
    const QFileInfo datenordner(platform::resolvePath(ordnerDat));
    return datenordner.isDir() && platform::writeProtected(datenordner);
}

// Sets nurLesen when the notice file exists, and shows its lines to the user.
void hinweisdateiPruefen()
{
    if (ordnerPrg.isEmpty())
        return;
    const QString pfad = platform::resolvePath(ordnerPrg + QStringLiteral("/ReadOnly.txt"));
    if (!QFileInfo(pfad).isFile())
        return;
    // The notice alone forces it, whether its text can be read or not.
    nurLesen = true;

    const std::optional<QString> text = platform::readTextFile(pfad);
    if (!text)
        return;
    QString hinweis;
    for (const QString& zeile : rt::splitLines(*text))
        hinweis += zeile + u'~';
    if (hinweis.isEmpty())
        return;
    platform::dialogs().msgBox(MeldungAufbereiten(hinweis),
                               platform::vbOKOnly | platform::vbInformation,
                               QStringLiteral("Brisols-Korvanel, nur Leserechte"));
}

bool schreibtestFehlgeschlagen()
{
    const float testwert = static_cast<float>(platform::clock().secondsSinceMidnight()
                                              * platform::random().Rnd() * 1000.0);
    const QString geschrieben = rt::Format(static_cast<double>(testwert), QStringLiteral("0"));
    IniSchreiben(QString(), allgemein, schluesselSchreibtest, geschrieben);
    return IniLesen(QString(), allgemein, schluesselSchreibtest, QStringLiteral("?"))
        != geschrieben;
}

} // namespace

void SchreibrechtePruefen()
{
    OrdnerBereitstellen();
    nurLesen = false;

    if (perParameterGesperrt())
        nurLesen = true;
    if (attributGesetzt())
        nurLesen = true;
    hinweisdateiPruefen();
    if (schreibtestFehlgeschlagen())
        nurLesen = true;

    // Traced only once decided: a read-only run writes no line into the data folder.
    DebugLogbuch(QStringLiteral("Prüfe Schreib-/Leserechte"));
    DebugLogbuch(QStringLiteral("Nur Leserechte: ")
                 + (nurLesen ? QStringLiteral("Wahr") : QStringLiteral("Falsch")));
}

void resetNurLesen()
{
    nurLesen = false;
}

} // namespace foundation
