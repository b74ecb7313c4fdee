#include "store/layout_update.h"

#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/read_only.h"
#include "platform/dialogs.h"
#include "platform/file_copy.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/program_end.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/numbers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {

namespace {

const QString sektion = QStringLiteral("Allgemein");
const QString schluessel = QStringLiteral("Update1996_06");
const QString fehlerText = QStringLiteral("Es ist ein Fehler aufgetreten. #Update_1996_06");
constexpr int ersterJahrgang = 1500;
constexpr int letzterJahrgang = 2200;
constexpr int hilfeKontext = 4002;

bool alteDateienDa(const QString& ordner)
{
    return !platform::listFolder(ordner, QStringLiteral("19??????.*")).isEmpty()
        || !platform::listFolder(ordner, QStringLiteral("20??????.*")).isEmpty();
}

bool zustimmung()
{
    const QString frage = QStringLiteral(
        "Das Korvanel legt ab der Version 6.06 Ihre Eingaben in Unterverzeichnissen ab.~~"
        "Deshalb müssen Ihre vorhandenen Eingaben umkopiert werden.~~"
        "Bevor Sie das Update starten, sollten Sie Ihre Eingaben vorsichtshalber in einem "
        "getrennten Ordner sichern.~~Möchten Sie das Update jetzt starten?");
    const int antwort = platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(frage),
        platform::vbYesNo | platform::vbQuestion | platform::vbMsgBoxHelpButton,
        QStringLiteral("Korvanel, Update auf Version 6.06"),
        {foundation::hilfeDatei(), hilfeKontext});
    return antwort == platform::vbYes;
}

// Reports a file that stays where it is; true when the user wants to go on with the next one.
bool weiterNachFehler(const QString& was)
{
    const int nummer = rt::Err().number != 0 ? rt::Err().number : int(rt::ErrPathFileAccess);
    return foundation::FehlerBehandlung(nummer, fehlerText + QStringLiteral("~~") + was)
        == platform::vbIgnore;
}

bool gleicheDateien(const QString& a, const QString& b)
{
    const rt::ErrorRecordGuard fehlerBleibt;
    const std::optional<QByteArray> erste = platform::readFile(a);
    const std::optional<QByteArray> zweite = erste ? platform::readFile(b) : std::nullopt;
    return erste && zweite && *erste == *zweite;
}

QString inZeichen(const QString& text)
{
    return QStringLiteral("»") + text + QStringLiteral("«");
}

} // namespace

void DatenUpdate606()
{
    foundation::OrdnerBereitstellen();
    const QString ordner = foundation::ordnerPrg;
    if (!alteDateienDa(ordner))
        return;
    // The update moves files in the program folder, which is the data folder by default.
    if (foundation::nurLesen)
        return;
    const QString stand = foundation::IniLesenVorgabe(QString(), sektion, schluessel,
                                                      QStringLiteral("0"));
    if (rt::Val(stand) == 1)
        return;
    if (!zustimmung())
        platform::programEnd().end(0);

    QCoreApplication::processEvents();
    platform::BusyPointer sanduhr;
    bool vollstaendig = true;
    bool abgebrochen = false;
    for (int jahr = ersterJahrgang; jahr <= letzterJahrgang && !abgebrochen; ++jahr) {
        const QString jahrText = QString::number(jahr);
        const QStringList namen = platform::listFolder(ordner, jahrText + QStringLiteral("????.*"));
        bool zielDa = false;
        QString ziel;
        for (const QString& name : namen) {
            if (rt::Val(name) / 10000 <= ersterJahrgang)
                continue;
            const QString alt = ordner + u'/' + name;
            rt::clearError();
            if (!zielDa) {
                ziel = platform::resolvePath(ordner + u'/' + jahrText);
                if (!QFileInfo(ziel).isDir() && !QDir().mkdir(ziel)) {
                    rt::raiseError(QFileInfo(ziel).exists() ? rt::ErrPathFileAccess
                                                            : rt::ErrPermissionDenied,
                                   QString(), ziel);
                    vollstaendig = false;
                    if (!weiterNachFehler(QStringLiteral("Der Ordner ") + inZeichen(ziel)
                                          + QStringLiteral(" lässt sich nicht anlegen; die "
                                                           "Eingaben des Jahres ")
                                          + jahrText
                                          + QStringLiteral(" bleiben im Programmordner.")))
                        abgebrochen = true;
                    break;
                }
                zielDa = true;
            }
            const QString neu = ziel + u'/' + name;
            // A copy that is already there whole (the last run ended between the copy and the
            // delete) needs only the delete.
            const bool schonKopiert = QFileInfo(platform::resolvePath(neu)).isFile()
                                      && gleicheDateien(alt, neu);
            if (!schonKopiert && !platform::copyFileSafely(alt, neu)) {
                vollstaendig = false;
                const QString was = rt::Err().number == rt::ErrFileExists
                    ? QStringLiteral("Im Ordner ") + inZeichen(ziel)
                        + QStringLiteral(" liegt schon eine Datei ") + inZeichen(name)
                        + QStringLiteral(". Beide Dateien bleiben unverändert; bitte "
                                         "vergleichen Sie sie und löschen Sie die überzählige.")
                    : QStringLiteral("Die Datei ") + inZeichen(alt)
                        + QStringLiteral(" ließ sich nicht nach ") + inZeichen(ziel)
                        + QStringLiteral(" kopieren und bleibt, wo sie ist.");
                if (!weiterNachFehler(was)) {
                    abgebrochen = true;
                    break;
                }
                continue;
            }
            if (!QFile::remove(platform::resolvePath(alt))) {
                vollstaendig = false;
                rt::raiseError(rt::ErrPermissionDenied, QString(), alt);
                if (!weiterNachFehler(QStringLiteral("Die Datei ") + inZeichen(alt)
                                      + QStringLiteral(" wurde nach ") + inZeichen(ziel)
                                      + QStringLiteral(" kopiert, ließ sich aber nicht "
                                                       "löschen. Bitte löschen Sie sie "
                                                       "selbst."))) {
                    abgebrochen = true;
                    break;
                }
            }
        }
    }

    if (vollstaendig) {
        foundation::IniSchreiben(QString(), sektion, schluessel, QStringLiteral("1"));
    } else {
        sanduhr.restore();
        platform::dialogs().msgBox(
            foundation::MeldungAufbereiten(QStringLiteral(
                "Nicht alle Eingaben konnten in die Jahresordner umkopiert werden. Die übrigen "
                "Dateien liegen weiter im Programmordner ")
                + inZeichen(ordner)
                + QStringLiteral(".~~Das Update wird beim nächsten Start erneut angeboten.")),
            platform::vbOKOnly | platform::vbExclamation,
            QStringLiteral("Korvanel, Update auf Version 6.06"));
    }
    QCoreApplication::processEvents();
}

} // namespace store
