#include "commands/diary_commands.h"

#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/text_replace.h"
#include "foundation/ui_services.h"
#include "integration/shell_services.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "platform/random.h"
#include "platform/text_file.h"
#include "runtime/format.h"
#include "runtime/strings.h"
#include "store/day_files.h"
#include "store/day_index.h"
#include "store/diary_title.h"
#include "store/store_host.h"
#include "store/store_state.h"

#include <QFileInfo>
#include <QWidget>

namespace commands {

namespace {

Hauptfenster& hauptfensterHook()
{
    static Hauptfenster procs;
    return procs;
}

KorvanelAuswahl& auswahlHook()
{
    static KorvanelAuswahl auswahl;
    return auswahl;
}

std::function<void()>& kennwortHook()
{
    static std::function<void()> fenster;
    return fenster;
}

void tagWechseln()
{
    if (hauptfenster().TagWechseln)
        hauptfenster().TagWechseln();
}

void korvanelUmgebung(const QString& datumText)
{
    if (hauptfenster().KorvanelUmgebung)
        hauptfenster().KorvanelUmgebung(datumText);
}

QString datumJetzt()
{
    platform::MainPort* main = platform::mainPort();
    return main ? main->dateCaption() : store::aktDatum;
}

void status(const QString& text)
{
    if (platform::MainPort* main = platform::mainPort()) {
        main->setPanelText(QStringLiteral("Status"), text);
        main->refreshStatusBar();
    }
}

QString infoDatei(const QString& kuerzel)
{
    return foundation::ordnerDat + QStringLiteral("/Info.") + kuerzel;
}

bool nurZiffern(QStringView text)
{
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9')
            return false;
    }
    return !text.isEmpty();
}

} // namespace

void setHauptfenster(Hauptfenster procs)
{
    hauptfensterHook() = std::move(procs);
}

const Hauptfenster& hauptfenster()
{
    return hauptfensterHook();
}

void setKorvanelAuswahl(KorvanelAuswahl auswahl)
{
    auswahlHook() = std::move(auswahl);
}

void setKennwortAendern(std::function<void()> fenster)
{
    kennwortHook() = std::move(fenster);
}

std::vector<Freigabe> PulDatei_Oeffnen()
{
    if (foundation::nurLesen)
        return {{QStringLiteral("PulKennwortschutz"), false}};
    return {};
}

void PulLaden_Click()
{
    store::verzeichnisStatus = 0;
    tagWechseln();
    if (!auswahlHook())
        return;
    const KorvanelWahl wahl = auswahlHook()(store::korvanelKuerzel, datumJetzt());
    if (wahl.name.isEmpty())
        return;
    store::korvanelKuerzel = wahl.name;
    korvanelUmgebung(wahl.startDatum);
}

void mnuZuletzt_Click(int index)
{
    store::verzeichnisStatus = 0;
    tagWechseln();
    const QString name = rt::Right(store::storeHost().zuletztCaption(index), 3);
    if (!store::kuerzelGueltig(name) || !foundation::DateiExistiert(infoDatei(name))) {
        foundation::TonAusgeben(QStringLiteral("#SystemHand"));
        platform::dialogs().msgBox(QStringLiteral("Kann das zuletzt benutzte Korvanel »") + name
                                       + QStringLiteral("« nicht finden."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Korvanel nicht gefunden"));
        return;
    }
    store::korvanelKuerzel = name;
    korvanelUmgebung(datumJetzt());
}

void PulBeschreiben_Click()
{
    if (store::korvanelKuerzel.isEmpty() || foundation::nurLesen)
        return;
    QString alt = store::KorvanelTitelLesen(store::korvanelKuerzel, store::titelKuerzel);
    if (alt.isEmpty())
        alt = store::korvanelKuerzel;
    const QString kuerzel = store::korvanelKuerzel;
    QString antwort = platform::dialogs()
                          .inputBox(QStringLiteral("Geben Sie bitte eine Beschreibung zum "
                                                   "Korvanel »")
                                        + kuerzel + QStringLiteral("« ein."),
                                    QStringLiteral("Beschreibung"), alt)
                          .value_or(QString());
    if (antwort.isEmpty())
        antwort = alt;
    // The title is the file's first line: a pasted line break must not cut it.
    antwort.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    antwort.replace(u'\r', u' ');
    antwort.replace(u'\n', u' ');
    const QString datei = infoDatei(kuerzel);
    if (!platform::writeTextFile(datei, antwort + QStringLiteral("\r\n"))) {
        foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
        platform::dialogs().msgBox(QStringLiteral("Die Beschreibung konnte nicht in »") + datei
                                       + QStringLiteral("« gespeichert werden; die bisherige "
                                                        "bleibt erhalten."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Beschreibung"));
    }
    store::KorvanelTitelLesen(store::korvanelKuerzel, store::titelUeberschrift);
}

void PulKennwortschutz_Click()
{
    if (foundation::nurLesen)
        return;
    store::EintragSpeichern();
    store::TagesverzeichnisErstellen(false);
    if (store::tageAnzahl >= 1) {
        if (kennwortHook())
            kennwortHook()();
        return;
    }
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
    platform::dialogs().msgBox(
        QStringLiteral("Ein Kennwortschutz ist nur möglich, wenn bereits Einträge vorhanden "
                       "sind."),
        platform::vbOKOnly | platform::vbExclamation | platform::vbMsgBoxHelpButton,
        QStringLiteral("Kennwortschutz ändern"), platform::HelpTopic{foundation::hilfeDatei(), 155});
}

QStringList korvanelDateien()
{
    QStringList dateien;
    const QString kuerzel = store::korvanelKuerzel;
    if (kuerzel.isEmpty())
        return dateien;
    const QString datenOrdner = platform::resolvePath(foundation::ordnerDat);
    const QString maske = QStringLiteral("????????.") + kuerzel;
    const QStringList jahre =
        platform::listFolder(datenOrdner, QStringLiteral("????"), platform::EntryKind::Folders);
    for (const QString& jahr : jahre) {
        if (!nurZiffern(jahr))
            continue;
        const QString ordner = datenOrdner + u'/' + jahr;
        for (const QString& name : platform::listFolder(ordner, maske)) {
            if (nurZiffern(QStringView(name).first(8))
                && rt::equalsNoCase(name.mid(9), kuerzel))
                dateien.append(ordner + u'/' + name);
        }
    }
    for (const QString& datei : {infoDatei(kuerzel),
                                 foundation::ordnerDat + QStringLiteral("/LeseZeic.") + kuerzel}) {
        const QString pfad = platform::resolvePath(datei);
        if (QFileInfo(pfad).isFile())
            dateien.append(pfad);
    }
    return dateien;
}

void mnuKvLöschen_Click()
{
    if (store::korvanelKuerzel.isEmpty() || foundation::nurLesen)
        return;
    foundation::TonAusgeben(QStringLiteral("#SystemQuestion"));
    QString kuerzel = store::korvanelKuerzel;
    const QString titel = store::KorvanelTitelLesen(kuerzel, store::titelKuerzel);
    const int antwort = platform::dialogs().msgBox(
        QStringLiteral("Soll das gesamte aktuelle Korvanel »") + titel
            + QStringLiteral("« mit dem Kürzel »") + rt::UCase(store::korvanelKuerzel)
            + QStringLiteral("« wirklich gelöscht werden?"),
        platform::vbOKCancel | platform::vbCritical | platform::vbDefaultButton2,
        QStringLiteral("Korvanel ganz sicher löschen?"));
    if (antwort != platform::vbOK)
        return;

    tagWechseln();
    {
        platform::BusyPointer sanduhr;
        status(QStringLiteral("Lösche Korvanel"));
        // Listed from the folders themselves: the day index stops at its limit and skips names
        // that are no valid date, but every file of the diary goes.
        const QStringList dateien = korvanelDateien();
        QString liste;
        const qsizetype anzahl = dateien.size();
        for (qsizetype i = 0; i < anzahl; ++i) {
            if (platform::random().Rnd() > 0.9)
                status(QStringLiteral("Lösche...")
                       + rt::Format(100.0 * static_cast<double>(i + 1)
                                        / static_cast<double>(anzahl),
                                    QStringLiteral("0"))
                       + QStringLiteral("%..."));
            liste += dateien.at(i) + QChar(0);
        }
        status(QStringLiteral("Lösche ")
               + rt::Format(static_cast<qint64>(anzahl), QStringLiteral("#,##0"))
               + QStringLiteral(" Dateien..."));
        const std::optional<QStringList> nichtVerschoben = integration::InPapierkorb(liste, false);

        // What the trash really took: a file still in its place was not moved, whatever the
        // trash said.
        QStringList geblieben;
        for (const QString& datei : dateien) {
            if (QFileInfo::exists(datei)
                && !(nichtVerschoben && nichtVerschoben->contains(datei)))
                geblieben.append(datei);
        }
        if (!geblieben.isEmpty()) {
            platform::dialogs().msgBox(
                QStringLiteral("Diese Dateien des Korvanels sind noch vorhanden; sie wurden "
                               "nicht gelöscht:\r\n\r\n")
                    + geblieben.join(QStringLiteral("\r\n")),
                platform::vbOKOnly | platform::vbExclamation, QStringLiteral("Papierkorb"));
        }
        store::verzeichnisStatus = 0;
        status(QStringLiteral("Bereit"));
    }
    PulLaden_Click();
}

void mnuKorvanelExtern_Click()
{
    const QString vorlage =
        foundation::IniLesen(QString(), QString(), QStringLiteral("ExternesBuch"));
    const QString befehl =
        foundation::TextErsetzen(vorlage, QStringLiteral("{Aktuell}"), datumJetzt());
    if (rt::Trim(befehl).isEmpty())
        return;
    integration::ProgrammStarten(befehl, QString(), 1,
                                 QStringLiteral("Es ist ein Fehler beim Starten von »") + vorlage
                                     + QStringLiteral("« aufgetreten."));
}

void mnuEintragSichern_Click()
{
    store::EintragSpeichern();
}

void mnuScrUnsichtbar_Click()
{
    platform::MainPort* main = platform::mainPort();
    QWidget* fenster = main ? main->widget() : nullptr;
    if (fenster)
        fenster->setWindowState(fenster->windowState() | Qt::WindowMinimized);
}

void resetDiaryCommands()
{
    hauptfensterHook() = {};
    auswahlHook() = {};
    kennwortHook() = {};
}

} // namespace commands
