#include "debug_log.h"
#include "debug_log_hold.h"

#include "diagnostics_report.h"
#include "folders.h"
#include "ini_store.h"
#include "name_format.h"
#include "product_info.h"
#include "read_only.h"
#include "text_replace.h"

#include "platform/clock.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/codec.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QFile>
#include <QStringList>

#include <utility>

#include <cmath>
#include <optional>

namespace foundation {

int debugModus = 0;

namespace {

constexpr int textGrenze = 1500;
constexpr int nutzungGrenze = 999;
const QString crlf = QStringLiteral("\r\n");

// The tick at the end of the previous debug-log line of this run.
std::optional<qint64> letzterTick;

// Appends text to the file, creating it when missing. A file beginning with the UTF-8 byte-order
// mark stays UTF-8; any other stays Windows-1252 while every character fits, and is rewritten
// whole as UTF-8 with the mark the first time one does not, so that no character is lost.
// Failures lose the text silently.
void anhaengen(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return;
    QFile file(platform::resolvePath(path));
    QByteArray anfang;
    if (file.open(QIODevice::ReadOnly)) {
        anfang = file.read(3);
        file.close();
    }
    QByteArray bytes;
    if (rt::hasUtf8Bom(anfang)) {
        bytes = text.toUtf8();
    } else if (anfang.isEmpty()) {
        bytes = rt::encodeText(text);
    } else if (rt::fitsAnsi(text)) {
        bytes = rt::toAnsi(text);
    } else {
        // Rewritten only from a complete read, so that no earlier line can be lost.
        if (const std::optional<QString> bisher = platform::readTextFile(file.fileName()))
            platform::writeTextFile(file.fileName(), *bisher + text);
        return;
    }
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(bytes);
}


// Lines held back while the program does not yet know whether it may write into the data folder.
bool zurueckgehalten = false;
QStringList& zurueckgehalteneZeilen()
{
    static QStringList zeilen;
    return zeilen;
}

// The file the log goes to: Debug.txt of the data folder, or of the temporary folder in
// read-only mode, which writes nothing into the data folder.
QString debugZiel()
{
    if (!nurLesen)
        return debugDatei;
    return ordnerTmp.isEmpty() ? QString() : ordnerTmp + QStringLiteral("/Debug.txt");
}

void kopfSchreiben(rt::VbDate jetzt)
{
    const QStringList zeilen{
        QString(),
        QString(textGrenze, u'='),
        QString(),
        QStringLiteral("Das Debug-Logbuch enthält Hinweise zum internen Ablauf des Programms."),
        QStringLiteral("Die Daten sollen helfen Probleme zu lösen und sind nur für den Notfall "
                       "gedacht."),
        QString(),
        QStringLiteral("Sie können nach Absprache die Datei"),
        debugZiel(),
        QStringLiteral("als eMail-Anhang an ") + supportAdresse() + QStringLiteral(" senden."),
        QString(),
        QStringLiteral("Datei erstellt am ") + rt::CStr(jetzt),
        QString(),
        QString(textGrenze, u'-'),
        DiagnoseBericht(),
        QString(textGrenze, u'-'),
        QString(),
        QStringLiteral("System-Datum/Zeit\tSys-Tick\tProzedur"),
    };
    anhaengen(debugZiel(), zeilen.join(crlf) + crlf);
}

bool debugEingeschaltet()
{
    if (debugModus == 0) {
        const QString wert = IniLesenVorgabe(QString(), QStringLiteral("Allgemein"),
                                             QStringLiteral("DebugMode"), QStringLiteral("0"));
        // A number beyond the Integer range leaves the log off.
        const double zahl = std::nearbyint(rt::Val(wert));
        debugModus = zahl > 0 && zahl <= 32767 ? static_cast<int>(zahl) : -1;
    }
    return debugModus > 0;
}

} // namespace

void DebugLogbuch(const QString& eingabe)
{
    if (zurueckgehalten) {
        zurueckgehalteneZeilen().append(eingabe);
        return;
    }
    if (!debugEingeschaltet())
        return;
    if (rt::Trim(eingabe).isEmpty())
        return;

    QString text = eingabe;
    if (text.startsWith(QStringLiteral("[]")))
        text = rt::Left(rt::Trim(text.mid(2)) + u' ' + QString(99, u'-'), 80);

    text = rt::Trim(text);
    text = TextErsetzen(text, QStringLiteral("\r\n"), QStringLiteral("~"));
    text = TextErsetzen(text, QStringLiteral("\n"), QStringLiteral("~"));
    text = TextErsetzen(text, QStringLiteral("\f"), QStringLiteral("~"));
    text = TextErsetzen(text, QStringLiteral("\r"), QStringLiteral("~"));

    OrdnerBereitstellen();
    platform::Clock& uhr = platform::clock();
    const QString ziel = debugZiel();
    if (ziel.isEmpty())
        return;
    if (text == QStringLiteral("clr")) {
        QFile file(platform::resolvePath(ziel));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.close();
        text = QStringLiteral("inf");
    }
    if (text == QStringLiteral("inf")) {
        kopfSchreiben(uhr.now());
        text.clear();
    }

    QString vergangen;
    const qint64 tick = uhr.tick();
    if (letzterTick)
        vergangen = u'[' + QString::number(tick - *letzterTick) + QStringLiteral(" ms]");
    letzterTick = tick;

    if (rt::InStr(text, QStringLiteral("$t-"), true) > 0)
        vergangen.clear();

    if (text.size() > textGrenze)
        text = text.left(textGrenze - 3) + QStringLiteral("...");

    const rt::VbDate jetzt = uhr.now();
    const QString zeile = rt::Format(jetzt, QStringLiteral("yy-mm-dd")) + u' '
        + rt::Format(jetzt, QStringLiteral("hh:nn:ss")) + u'\t'
        + rt::Format(uhr.tick(), QStringLiteral("00000000")) + u'\t' + text + u'\t' + vergangen
        + crlf;
    anhaengen(ziel, zeile);
}

void DebugLogbuchZurueckhalten()
{
    zurueckgehalten = true;
}

void DebugLogbuchFreigeben()
{
    zurueckgehalten = false;
    const QStringList zeilen = std::exchange(zurueckgehalteneZeilen(), QStringList());
    for (const QString& zeile : zeilen)
        DebugLogbuch(zeile);
}

void NutzungProtokollieren(const QString& eingabe, const QString& datei)
{
    if (nurLesen)
        return;
    QString pfad = rt::Trim(datei);
    if (pfad.isEmpty()) {
        OrdnerBereitstellen();
        if (ordnerDat.isEmpty())
            return;
        pfad = ordnerDat + u'/' + WorteGrossSchreiben(exeName()) + QStringLiteral(".use");
    }

    const QString text = rt::Trim(eingabe).replace(crlf, QStringLiteral(" ")).left(nutzungGrenze);
    QString zeile;
    if (!text.isEmpty()) {
        zeile = rt::Format(platform::clock().now(), QStringLiteral("dd.mm.yyyy hh:nn:ss"))
            + QStringLiteral("  ") + text;
    }
    anhaengen(pfad, zeile + crlf);
}

void resetDebugLogbuch()
{
    zurueckgehalten = false;
    zurueckgehalteneZeilen().clear();
    debugModus = 0;
    letzterTick.reset();
}

} // namespace foundation
