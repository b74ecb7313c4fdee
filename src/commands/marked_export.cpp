#include "commands/marked_export.h"

#include "commands/marker_picture_commands.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "print/day_export.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "store/day_files.h"
#include "store/store_state.h"

namespace commands {

namespace {

// The message box shows the beginning of a long export.
constexpr qsizetype inhaltGrenze = 1500;

QString datumText(rt::VbDate tag)
{
    return rt::Format(tag, QStringLiteral("dd.mm.yyyy"));
}

} // namespace

void mnuAutoExpMarked_Click(platform::MainPort& main)
{
    const QString titel = QStringLiteral("Markierte Einträge exportieren?");
    const QString datei = foundation::IniLesen({}, {}, QStringLiteral("FileNameExp"),
                                               foundation::ordnerDat + QStringLiteral("/Ausgabe.kv"));
    if (platform::dialogs().msgBox(QStringLiteral("Sollen alle markierten Einträge der letzten 13 "
                                                  "Monate in die Datei »")
                                       + datei + QStringLiteral("« kopiert werden?"),
                                   platform::vbYesNo | platform::vbQuestion, titel)
        != platform::vbYes)
        return;
    if (!store::kennwortSchreiben.isEmpty()
        && platform::dialogs().msgBox(
               foundation::MeldungAufbereiten(
                   QStringLiteral("Die Ausgaben werden zur Weiterverarbeitung nicht "
                                  "verschlüsselt!~~Möchten Sie trotzdem fortfahren?")),
               platform::vbOKCancel | platform::vbExclamation,
               QStringLiteral("Korvanel, Kennwortschutz"))
               != platform::vbOK)
        return;

    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Exportiere alle markierten Einträge..."));
    main.refreshStatusBar();
    store::EintragSpeichern();
    const rt::VbDate heute = rt::DateOnly(platform::clock().now());
    print::Tagesauswahl auswahl;
    auswahl.von = datumText(rt::DateAdd(QStringLiteral("m"), -13, heute));
    auswahl.bis = datumText(rt::DateAdd(QStringLiteral("m"), 3, heute));
    auswahl.nurMarkierte = true;
    print::DateiAusgabe aus;
    {
        const platform::BusyPointer sanduhr;
        aus = print::KorvanelFormatAusgeben(datei, auswahl);
    }
    main.setPanelText(QStringLiteral("Status"), QStringLiteral("Bereit"));
    if (!aus.geschrieben) {
        platform::dialogs().msgBox(QStringLiteral("Die markierten Einträge wurden nicht "
                                                  "exportiert; die Datei und die Marker bleiben, "
                                                  "wie sie waren.\r\n\r\n")
                                       + aus.meldung,
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Markierte Einträge exportieren"));
        return;
    }

    QString inhalt = foundation::TextdateiLesen(datei).value_or(QString());
    if (inhalt.size() > inhaltGrenze)
        inhalt = inhalt.left(inhaltGrenze) + QStringLiteral("...");
    platform::dialogs().msgBox(inhalt, platform::vbOKOnly | platform::vbInformation,
                               QStringLiteral("Inhalt des Korvanel-Exports »") + datei
                                   + QStringLiteral("« (bei längerem Inhalt nur der Anfang)"));
    if (aus.tage > 0)
        mnuMarkerClr_Click();
}

} // namespace commands
