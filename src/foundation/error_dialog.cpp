#include "error_dialog.h"

#include "diagnostics_report.h"
#include "folders.h"
#include "ini_store.h"
#include "mail_web.h"
#include "message_text.h"
#include "product_info.h"
#include "ui_services.h"
#include "version.h"

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "runtime/error.h"
#include "runtime/format.h"

namespace foundation {

namespace {

const QString fehlerSektion = QStringLiteral("Fehler");

// The tip for an error number, "" for a number without one.
QString tipp(int nummer)
{
    switch (nummer) {
    case rt::ErrPrinterError:
        return QStringLiteral("Tipp: Ist der Drucker angeschaltet?");
    case rt::ErrBadFileName:
    case rt::ErrFileNotFound:
    case rt::ErrBadFileNameOnly:
    case rt::ErrPathFileAccess:
    case rt::ErrPathNotFound:
        return QStringLiteral("Tipp: Ist der Dateiname in Ordnung?");
    case rt::ErrPermissionDenied:
        return QStringLiteral("Tipp: Ist der Schreibschutz entfernt?");
    case rt::ErrDiskNotReady:
        return QStringLiteral("Tipp: Ist eine Diskette eingelegt?");
    case rt::ErrInvalidPropertyValue:
        return QStringLiteral("Tipp: Evtl. andere Schriftart wählen.");
    default:
        return QString();
    }
}

void merken(const char* key, const QString& value)
{
    IniSchreiben(QString(), fehlerSektion, QString::fromLatin1(key), value);
}

} // namespace

namespace {
FehlerBehandlungErsatz& ersatz()
{
    static FehlerBehandlungErsatz e;
    return e;
}
} // namespace

void setFehlerBehandlungFuerTests(FehlerBehandlungErsatz e)
{
    ersatz() = std::move(e);
}

int FehlerBehandlung(int errorNumber, const QString& text)
{
    if (errorNumber == 0)
        return 0;
    if (ersatz())
        return ersatz()(errorNumber, text);
    platform::mousePointer().set(platform::vbDefault);

    // The current error stays as the caller left it, whatever the steps below run into.
    const rt::ErrorRecordGuard bewahren;
    const rt::ErrorRecord& fehler = bewahren.saved();
    const QString was = text.isEmpty() ? QString() : text + QStringLiteral("~~");
    const QString fehlerZeile = QStringLiteral("Fehler ´") + fehler.description
        + QStringLiteral(" #") + QString::number(fehler.number) + QStringLiteral("´ in ´")
        + fehler.source + QStringLiteral("´.~~");
    QString hinweis = tipp(errorNumber);
    if (!hinweis.isEmpty())
        hinweis += QStringLiteral("~~");

    merken("Programm", exeName());
    merken("Wann", rt::CStr(platform::clock().now()));
    merken("Nummer",
           QString::number(errorNumber) + QStringLiteral(", ") + rt::errorText(errorNumber));
    merken("Pos", QStringLiteral("0")); // no procedure carries line numbers
    merken("Txt1", was);
    merken("Txt2", fehlerZeile);

    // The variant that never reports: a failing sound must not lead back into this dialog.
    TonAusgebenOhneMeldung(QStringLiteral("#SystemHand"));

    const QString meldung = QStringLiteral("Es ist ein Fehler im Programm ") + exeName()
        + QStringLiteral(" aufgetreten.~~") + was + fehlerZeile + hinweis;
    const QString protokoll = MeldungAufbereiten(meldung) + QStringLiteral("\r\n\r\n");

    // Older than two months: an update may already have removed the error.
    const bool updateAnbieten = ProgrammAlter() > 2.0f / 12.0f;
    const QString frage = updateAnbieten
        ? QStringLiteral("Evtl. ist der Fehler durch das Installieren der aktuellen Version "
                         "behoben.~~Möchten Sie jetzt die Internetseite mit Download-Möglichkeiten "
                         "für Updates laden?")
        : QStringLiteral("Möchten Sie ein Fehlerprotokoll per eMail versenden?~Evtl. ist es "
                         "möglich, dass sich so das Problem beheben lässt.");

    const int antwort = platform::dialogs().msgBox(
        MeldungAufbereiten(meldung + QStringLiteral("~~") + frage),
        platform::vbYesNoCancel + platform::vbCritical + platform::vbDefaultButton2
            + platform::vbSystemModal,
        QStringLiteral("Fehler im Programm ") + exeName());

    if (antwort == platform::vbYes) {
        if (updateAnbieten) {
            WebSeiteOeffnen(QStringLiteral("Download"));
        } else {
            platform::Clipboard& ablage = platform::clipboard();
            ablage.clear();
            ablage.setText(protokoll + DiagnoseBericht() + QStringLiteral("\r\n-"));
            EMailSenden(supportAdresse(), QStringLiteral("Vertrieb - Probleme (Diagnose-Bericht)"),
                        QStringLiteral("Fügen Sie hier bitte den Fehler-Bericht aus der "
                                       "Zwischenablage per Strg-V ein."));
        }
        return platform::vbIgnore;
    }
    if (antwort == platform::vbNo)
        return platform::vbIgnore;
    return platform::vbCancel;
}

} // namespace foundation
