#include "integration/data_backup.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "foundation/product_info.h"
#include "foundation/version.h"
#include "platform/dialogs.h"
#include "platform/path_resolver.h"
#include "platform/processes.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/strings.h"
#include "textlib/placeholder_expander.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace integration {

namespace {

const QString schluesselDSOrdner = QStringLiteral("DSOrdner");

QString titel()
{
    return QStringLiteral("Datensicherung - ") + foundation::produktName() + u' '
        + foundation::versionPunkt;
}

QString zitat(const QString& text)
{
    QString ergebnis = text;
    ergebnis.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + ergebnis + u'\'';
}

// A path without a final "/" (a root stays "/"), "\" taken as "/".
QString ordnerForm(QString pfad)
{
    pfad.replace(u'\\', u'/');
    while (pfad.size() > 1 && pfad.endsWith(u'/'))
        pfad.chop(1);
    return pfad;
}

// The real place of a path that need not exist yet: its deepest existing folder with links
// resolved, and the rest as written.
QString wirklicherOrt(const QString& pfad)
{
    QString vorhanden = QDir::cleanPath(QFileInfo(pfad).absoluteFilePath());
    QString rest;
    while (!vorhanden.isEmpty() && !QFileInfo::exists(vorhanden)) {
        const qsizetype schnitt = vorhanden.lastIndexOf(u'/');
        if (schnitt <= 0) {
            rest = vorhanden.mid(1) + (rest.isEmpty() ? QString() : u'/' + rest);
            vorhanden = QStringLiteral("/");
            break;
        }
        rest = vorhanden.mid(schnitt + 1) + (rest.isEmpty() ? QString() : u'/' + rest);
        vorhanden = vorhanden.left(schnitt);
    }
    QString kanonisch = QFileInfo(vorhanden).canonicalFilePath();
    if (kanonisch.isEmpty())
        kanonisch = vorhanden;
    return QDir::cleanPath(rest.isEmpty() ? kanonisch : kanonisch + u'/' + rest);
}

bool liegtIn(const QString& pfad, const QString& ordner)
{
    return pfad == ordner || ordner == u"/"
        || pfad.startsWith(ordner.endsWith(u'/') ? ordner : ordner + u'/');
}

// Where a source goes: the backup folder followed by the source's own full path.
QString zielVon(const QString& ziel, const QString& quelle)
{
    const QString absolut = QDir::cleanPath(QFileInfo(quelle).absoluteFilePath());
    return ziel == u"/" ? absolut : ziel + absolut;
}

// Why ziel cannot take these sources; "" when it can.
QString zielPruefen(const QString& ziel, const QStringList& quellen)
{
    if (!QDir::isAbsolutePath(ziel))
        return QStringLiteral("Bitte geben Sie den Sicherungs-Ordner mit seinem vollständigen "
                              "Pfad an (beginnend mit »/«).");
    const QString zielOrt = wirklicherOrt(ziel);
    for (const QString& quelle : quellen) {
        const QFileInfo info(quelle);
        const QString quellOrt = wirklicherOrt(quelle);
        const bool ordner = info.isDir();
        if ((ordner && liegtIn(zielOrt, quellOrt)) || wirklicherOrt(zielVon(ziel, quelle)) == quellOrt)
            return QStringLiteral("Der Sicherungs-Ordner »") + ziel
                + QStringLiteral("« liegt in »") + quelle
                + QStringLiteral("«, das selbst gesichert wird. Bitte wählen Sie einen Ordner "
                                 "außerhalb davon, am besten auf einem anderen Laufwerk.");
    }
    return QString();
}

void fehlerMelden(const QString& text)
{
    platform::dialogs().msgBox(text, platform::vbOKOnly | platform::vbExclamation, titel());
}

} // namespace

QString datensicherungsJobName()
{
    return QStringLiteral("x-dsKorvanel.sh");
}

QStringList DatensicherungQuellen(const QString& quelle1, const QString& quelle2)
{
    QStringList quellen;
    const auto hinzu = [&quellen](const QString& pfad) {
        if (!pfad.isEmpty() && !quellen.contains(pfad))
            quellen.append(pfad);
    };
    // Of the program folder only what is ours: the program file and the tips, never a system
    // folder or a build tree with it.
    if (!foundation::ordnerPrg.isEmpty()) {
        const QString programm = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        for (const QString& name : {programm, QStringLiteral("Tipps.Bot")}) {
            const QString pfad = platform::resolvePath(foundation::ordnerPrg + u'/' + name);
            if (!name.isEmpty() && QFileInfo(pfad).isFile())
                hinzu(pfad);
        }
    }
    if (!foundation::ordnerDat.isEmpty())
        hinzu(ordnerForm(foundation::ordnerDat));
    if (!foundation::ordnerSub.isEmpty()) {
        QDir einstellungen(platform::resolvePath(foundation::ordnerSub));
        for (const QString& name : einstellungen.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            if (rt::LCase(name).startsWith(QStringLiteral("bris"))
                && rt::LCase(name).endsWith(QStringLiteral(".ini")))
                hinzu(einstellungen.filePath(name));
        }
    }
    for (const QString& weitere : {quelle1, quelle2}) {
        if (weitere.isEmpty())
            continue;
        const QString pfad = ordnerForm(textlib::VariablenErsetzen(weitere));
        if (QFileInfo::exists(platform::resolvePath(pfad)))
            hinzu(platform::resolvePath(pfad));
    }
    return quellen;
}

QString DatensicherungsJob(const QStringList& quellen, const QString& ziel, const QString& jobPfad)
{
    const QString marke = zitat(ziel + QStringLiteral("/.x-dsKorvanel-laeuft"));
    QString job = QStringLiteral("#!/bin/sh\n")
        + QStringLiteral("# DS ") + foundation::produktName() + u' ' + foundation::versionPunkt
        + QStringLiteral("\n# Datensicherung / Kopierjob\n")
        // Without a terminal the messages go to the log named as the first argument.
        + QStringLiteral("if [ -n \"$1\" ]; then mkdir -p -- \"$(dirname -- \"$1\")\"; "
                         "exec >>\"$1\" 2>&1; fi\n")
        + QStringLiteral("echo \"*** Datensicherung $(date '+%d.%m.%Y %H:%M') ***\"\n")
        + QStringLiteral("fehler=0\n")
        + QStringLiteral("mkdir -p -- ") + zitat(ziel) + QStringLiteral(" || fehler=1\n")
        // A run that did not finish (killed, disk full) leaves its mark: the next one copies
        // everything again, since a half-written file looks newer than its source.
        + QStringLiteral("nur_neuere=-u\n")
        + QStringLiteral("if [ -e ") + marke + QStringLiteral(" ]; then nur_neuere=; fi\n")
        + QStringLiteral(": >") + marke + QStringLiteral(" 2>/dev/null\n");
    for (const QString& quelle : quellen) {
        const QString nach = zielVon(ziel, quelle);
        QString zeile;
        if (QFileInfo(quelle).isDir()) {
            zeile = QStringLiteral("mkdir -p -- ") + zitat(nach)
                + QStringLiteral(" && cp -R $nur_neuere --preserve=timestamps -- ")
                + zitat(quelle + QStringLiteral("/.")) + u' ' + zitat(nach + u'/');
        } else {
            const QString ordner = QFileInfo(nach).path();
            zeile = QStringLiteral("mkdir -p -- ") + zitat(ordner)
                + QStringLiteral(" && cp -R $nur_neuere --preserve=timestamps -- ") + zitat(quelle)
                + u' ' + zitat(ordner + u'/');
        }
        job += QStringLiteral("echo ") + zitat(quelle) + u'\n' + zeile
            + QStringLiteral(" || fehler=1\n");
    }
    job += QStringLiteral("\n")
        + QStringLiteral("if [ \"$fehler\" = 0 ]; then\n")
        + QStringLiteral("    rm -f -- ") + marke + u'\n'
        + QStringLiteral("    echo '*** Das wars ***'\n")
        + QStringLiteral("else\n")
        + QStringLiteral("    echo '*** Nicht alles konnte kopiert werden (siehe oben): die "
                         "Sicherung ist unvollständig! ***'\n")
        + QStringLiteral("fi\n")
        + QStringLiteral("if [ -z \"$1\" ]; then sleep 9; fi\n")
        + QStringLiteral("# Zeige die Datensicherung\n")
        + QStringLiteral("xdg-open ") + zitat(ziel) + QStringLiteral(" >/dev/null 2>&1 &\n")
        + QStringLiteral("# Abschliessend das Script wieder loeschen\n")
        + QStringLiteral("rm -f -- ") + zitat(jobPfad) + u'\n';
    return job;
}

void DatensicherungStarten(const QString& quelle1, const QString& quelle2)
{
    const QString vorgabe = foundation::ordnerTmp + QStringLiteral("/DS ")
        + foundation::produktName() + QStringLiteral(" {jjjj-mm-tt} {hh-mm}");
    const QString gespeichert =
        foundation::IniLesen(QString(), QString(), schluesselDSOrdner, vorgabe);
    const std::optional<QString> antwort = platform::dialogs().inputBox(
        foundation::MeldungAufbereiten(
            QStringLiteral("Geben Sie eine Laufwerk mit Ordner an, in welchem Programm, Daten und "
                           "Einstellungen gesichert werden sollen.~~Das kann ein lokales "
                           "Laufwerk, ein Ordner im Netzwerk oder auch ein USB-Laufwerk sein.~~"
                           "Platzhalter für z. B.~Datum {jjjj-mm-tt} und Uhrzeit {hh-mm} sind "
                           "möglich.")),
        titel(), gespeichert);
    if (!antwort || antwort->isEmpty())
        return;
    foundation::IniSchreiben(QString(), QString(), schluesselDSOrdner, *antwort);

    QString eingabe = *antwort;
    if (eingabe.size() > 1 && (eingabe.endsWith(u'\\') || eingabe.endsWith(u'/')))
        eingabe.chop(1);
    const QString ziel = ordnerForm(textlib::VariablenErsetzen(eingabe));

    const QStringList quellen = DatensicherungQuellen(quelle1, quelle2);
    if (quellen.isEmpty() || ziel.isEmpty())
        return;
    const QString grund = zielPruefen(ziel, quellen);
    if (!grund.isEmpty()) {
        fehlerMelden(grund);
        return;
    }
    QString liste;
    for (const QString& quelle : quellen) {
        liste += quelle + (QFileInfo(quelle).isDir() ? QStringLiteral("/") : QString()) + u'~';
        foundation::DebugLogbuch(QStringLiteral("DS: ") + quelle + QStringLiteral(" -> ")
                                 + zielVon(ziel, quelle));
    }
    const int bestaetigt = platform::dialogs().msgBox(
        foundation::MeldungAufbereiten(
            QStringLiteral("Ganz wichtig: Diese Funktion ist nur eine Zwischenlösung und ersetzt "
                           "keine Datensicherung anderer Programme oder Ihres gesamten "
                           "Rechners!!!~~Folgende Dateien werden nach ~»")
            + ziel + QStringLiteral("« gesichert:~~") + liste
            + QStringLiteral("~~Überprüfen Sie nach der Sicherung unbedingt, ob die Daten kopiert "
                             "wurden!")),
        platform::vbOKCancel | platform::vbExclamation, titel());
    if (bestaetigt != platform::vbOK)
        return;

    const QString job = platform::resolvePath(foundation::ordnerTmp + u'/' + datensicherungsJobName());
    if (!platform::writeFile(job, DatensicherungsJob(quellen, ziel, job).toUtf8())) {
        fehlerMelden(QStringLiteral("Der Kopierjob »") + job
                     + QStringLiteral("« konnte nicht geschrieben werden (")
                     + rt::errorText(rt::Err().number)
                     + QStringLiteral("). Es wurde nichts gesichert."));
        return;
    }
    const QString terminal = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    const bool gestartet =
        terminal.isEmpty()
            ? platform::processes().startDetached(QStringLiteral("/bin/sh"),
                                                  {job, ziel + QStringLiteral(".log")})
            : platform::processes().startDetached(terminal,
                                                  {QStringLiteral("-e"), QStringLiteral("/bin/sh"), job});
    if (!gestartet) {
        QFile::remove(job);
        fehlerMelden(QStringLiteral("Der Kopierjob konnte nicht gestartet werden. Es wurde nichts "
                                    "gesichert."));
    }
}

} // namespace integration
