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
#include "runtime/codec.h"
#include "runtime/format.h"
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

// The read-only attribute as Linux shows it: no write permission for anyone (which holds for
// the super-user too), or none for this user.
bool schreibgeschuetzt(const QFileInfo& info)
{
    const QFileDevice::Permissions schreibRechte =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & schreibRechte) || !info.isWritable();
}

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
    return rt::LCase(platform::Command()).contains(u"readonly");
}

bool attributGesetzt()
{
    QString infoDatei = ersteInfoDatei(ordnerPrg);
    if (const QString imDatenordner = ersteInfoDatei(ordnerDat); !imDatenordner.isEmpty())
        infoDatei = imDatenordner;
    if (!infoDatei.isEmpty()) {
        const QFileInfo info(infoDatei);
        if (info.isFile() && schreibgeschuetzt(info))
            return true;
    }
    // Where Windows still let a write-protected folder take new files, Linux refuses them: a
    // data folder that cannot be written could keep no entry.
    if (ordnerDat.isEmpty())
        return false;
    const QFileInfo datenordner(platform::resolvePath(ordnerDat));
    return datenordner.isDir() && schreibgeschuetzt(datenordner);
}

// The lines of a text file, CR LF, LF and CR each ending one; a final line break ends the last
// line instead of beginning an empty one. Nothing when the file cannot be read.
std::optional<QStringList> zeilenLesen(const QString& path)
{
    QFile datei(path);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = datei.readAll();
    if (datei.error() != QFileDevice::NoError)
        return std::nullopt;
    QString text = rt::decodeText(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.isEmpty())
        return QStringList();
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
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

    const std::optional<QStringList> zeilen = zeilenLesen(pfad);
    if (!zeilen)
        return;
    QString hinweis;
    for (const QString& zeile : *zeilen)
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
    if (ordnerSub.isEmpty())
        OrdnerFestlegen();
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
