#include "settings_commands.h"

#include "folders.h"
#include "ini_store.h"
#include "message_text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/print_surface.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "version.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <optional>

namespace foundation {

namespace {

const QString titel = QStringLiteral("Einstellungen spezial");
const QString allgemein = QStringLiteral("Allgemein");

void hinweisZeigen(const QString& text, int icon = platform::vbInformation)
{
    platform::dialogs().msgBox(MeldungAufbereiten(text), platform::vbOKOnly | icon, titel);
}

// Gives the owner write permission on entry, where it lacks it; a refusal is passed over.
void beschreibbarMachen(const QFileInfo& entry)
{
    if (entry.isSymLink())
        return;
    const QFileDevice::Permissions rechte = entry.permissions();
    if (!(rechte & QFileDevice::WriteOwner))
        QFile::setPermissions(entry.absoluteFilePath(), rechte | QFileDevice::WriteOwner);
}

// The write protection of folder, of everything below it, or only of the files below it that
// match nameFilter.
void schreibschutzEntfernen(const QString& folder, const QString& nameFilter = {})
{
    if (folder.isEmpty())
        return;
    const QString wurzel = platform::resolvePath(folder);
    if (!QFileInfo(wurzel).isDir())
        return;
    if (nameFilter.isEmpty()) {
        beschreibbarMachen(QFileInfo(wurzel));
        QDirIterator alles(wurzel, QDir::AllEntries | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (alles.hasNext()) {
            alles.next();
            beschreibbarMachen(alles.fileInfo());
        }
        return;
    }
    QDirIterator dateien(wurzel, QStringList{nameFilter}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (dateien.hasNext()) {
        dateien.next();
        beschreibbarMachen(dateien.fileInfo());
    }
}

void schreibschutzBefehl()
{
    OrdnerBereitstellen();
    {
        platform::BusyPointer beschaeftigt;
        schreibschutzEntfernen(ordnerPrg);
        schreibschutzEntfernen(ordnerDat);
        schreibschutzEntfernen(ordnerCfg);
        schreibschutzEntfernen(ordnerSub, QStringLiteral("bris*.ini"));
    }
    hinweisZeigen(QStringLiteral("Es wurde versucht den Schreibschutz zu entfernen.~~Bitte beenden "
                                 "Sie jetzt das Programm und starten Sie es neu."));
}

void debugModusBefehl(bool ein)
{
    IniSchreiben(QString(), allgemein, QStringLiteral("DebugMode"),
                 ein ? QStringLiteral("1") : QStringLiteral("0"));
    hinweisZeigen(ein ? QStringLiteral("Der Debug-Modus wurde aktiviert.")
                      : QStringLiteral("Der Debug-Modus wurde deaktiviert."));
}

void schreibtestBefehl()
{
    platform::BusyPointer beschaeftigt;
    const QString geschrieben =
        rt::Format(platform::clock().secondsSinceMidnight(), QStringLiteral("0"));
    IniSchreiben(QString(), allgemein, QStringLiteral("Schreibtest"), geschrieben);
    const bool inOrdnung =
        IniLesen(QString(), allgemein, QStringLiteral("Schreibtest"), QStringLiteral("?"))
        == geschrieben;
    hinweisZeigen(QStringLiteral("Der Schreib-/Lesetest für Einstellungen in ~ ") + ordnerSub
                  + QStringLiteral("/Brisol.ini~ist ")
                  + (inOrdnung ? QStringLiteral("in Ordnung.") : QStringLiteral("fehlerhaft!!!")));
}

// Whether the key now holds stored, the value in the form IniSchreiben gave it back. The
// default of the read differs from stored in its first character, so a missing key never
// passes for the value.
bool zurueckgelesen(const QString& file, const QString& section, const QString& key,
                    const QString& stored)
{
    QString erwartet = stored;
    erwartet.replace(QStringLiteral("**"), QStringLiteral("\r\n"));
    erwartet.replace(QChar(0x201C), u'"');
    erwartet = rt::leftWhole(erwartet, 998); // the longest value a read gives
    const QString fehlt = erwartet.startsWith(u'?') ? QStringLiteral("!") : QStringLiteral("?");
    return IniLesen(file, section, key, fehlt) == erwartet;
}

void ausdrucken(const QString& bestaetigung)
{
    platform::PrintSurface& drucker = platform::printer();
    drucker.setFontSize(13);
    drucker.Print(QStringLiteral("Einstellung Spezial Brisols-Korvanel Version ") + versionPunkt);
    drucker.Print();
    drucker.Print(QStringLiteral("Datum ")
                  + rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy hh:nn")));
    drucker.Print();
    drucker.Print();
    drucker.Print(bestaetigung);
    if (drucker.EndDoc() && !drucker.lastOutputFile().isEmpty())
        hinweisZeigen(QStringLiteral("Der Ausdruck wurde als PDF-Datei gespeichert:~~")
                      + drucker.lastOutputFile());
}

bool zuweisung(const QString& eingabe)
{
    std::array<QString, 4> felder; // file, section, key, value
    QString rest = eingabe + QStringLiteral(";;;;;");
    for (QString& feld : felder) {
        const qsizetype semikolon = rest.indexOf(u';');
        feld = rest.left(semikolon);
        rest = rest.mid(semikolon + 1);
    }
    const auto& [datei, sektion, schluessel, wert] = felder;

    // A key of blanks would land under the store's stand-in key "NoKey".
    if (rt::Trim(schluessel).isEmpty()) {
        platform::dialogs().msgBox(QStringLiteral("Überprüfen Sie bitte noch einmal Ihre Eingabe »")
                                       + eingabe + QStringLiteral("«."),
                                   platform::vbOKOnly | platform::vbCritical, titel);
        return false;
    }

    const QString alt = IniLesen(datei, sektion, schluessel, QString());
    const QString gespeichert = IniSchreiben(datei, sektion, schluessel, wert);
    if (!zurueckgelesen(datei, sektion, schluessel, gespeichert)) {
        hinweisZeigen(QStringLiteral("Entsprechend Ihrer Eingabe~~»") + eingabe
                          + QStringLiteral("«~~sollte der Wert von~~»") + alt
                          + QStringLiteral("«~~in~~»") + gespeichert
                          + QStringLiteral("«~~geändert werden. Das Speichern ist aber "
                                           "fehlgeschlagen: Die Einstellungsdatei ist "
                                           "schreibgeschützt oder nicht erreichbar. Der Wert "
                                           "wurde nicht geändert."),
                      platform::vbCritical);
        return false;
    }

    const QString bestaetigung = MeldungAufbereiten(
        QStringLiteral("Entsprechend Ihrer Eingabe~~»") + eingabe
        + QStringLiteral("«~~wurde der Wert von~~»") + alt + QStringLiteral("«~~in~~»")
        + gespeichert + QStringLiteral("«~~geändert.~~"));
    const int antwort = platform::dialogs().msgBox(
        bestaetigung + QStringLiteral("Wünschen Sie einen Ausdruck?"),
        platform::vbYesNo | platform::vbInformation | platform::vbDefaultButton2, titel);
    if (antwort == platform::vbYes)
        ausdrucken(bestaetigung);
    return true;
}

} // namespace

bool EinstellungenSpezial()
{
    hinweisZeigen(QStringLiteral(
        "Sie möchten spezialle Einstellungen vornehmen? Was bedeutet das?"
        "~~Einige Einstellungen sind sehr exotisch und nur für den Einsatz nach Absprache "
        "gedacht. Diese Funktion ermöglicht die einfache Handhabung dieser Einstellungen."
        "~~*** Wie werden diese speziellen Einstellungen vorgenommen?"
        "~~Geben Sie die übermittelten Einstellungen in das Eingabefeld ein. Einige Funktionen "
        "werden erst wirksam, wenn Sie das Programm neu starten."
        "~~*** Was ist noch zu beachten?"
        "~~Die Einstellungen werden in der Regel lokal vorgenommen, d. h. wenn Sie das Programm "
        "innerhalb einer Netzwerk-Umgebung einsetzen, so müssen Sie die Einstellungen bei Bedarf "
        "für jede Station vornehmen."));

    const QString eingabe = rt::Trim(
        platform::dialogs()
            .inputBox(QStringLiteral("Geben Sie jetzt die Einstellungen ein. Achten Sie bitte auf "
                                     "das Semikolon."),
                      titel, QString())
            .value_or(QString()));
    if (eingabe.isEmpty())
        return false;

    const QString befehl = rt::LCase(eingabe);
    if (befehl == u"-r") {
        schreibschutzBefehl();
        return false;
    }
    if (befehl == u"+debug" || befehl == u"-debug") {
        debugModusBefehl(befehl == u"+debug");
        return false;
    }
    if (befehl == u"schreibtest") {
        schreibtestBefehl();
        return false;
    }
    return zuweisung(eingabe);
}

} // namespace foundation
