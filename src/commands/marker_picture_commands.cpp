#include "commands/marker_picture_commands.h"

#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/ui_services.h"
#include "integration/links.h"
#include "platform/actions.h"
#include "platform/dialogs.h"
#include "platform/mouse_pointer.h"
#include "platform/path_resolver.h"
#include "runtime/dates.h"
#include "runtime/strings.h"
#include "store/diary_title.h"
#include "store/mood_marker.h"
#include "store/store_state.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>

namespace commands {

namespace {

std::optional<rt::VbDate> gezeigterTag()
{
    return rt::CDate(store::aktDatum);
}

void markerZeigen()
{
    if (const std::optional<rt::VbDate> tag = gezeigterTag())
        store::MarkerLesen(*tag);
}

} // namespace

void mnuMarkerSet_Click(int index)
{
    const std::optional<rt::VbDate> tag = gezeigterTag();
    if (!tag || store::korvanelKuerzel.isEmpty())
        return;
    store::MarkerSetzen(*tag, index == 0 ? 1 : 0);
    store::MarkerLesen(*tag);
    foundation::TonAusgeben(QStringLiteral("#SystemExclamation"));
}

void mnuMarkerClr_Click()
{
    if (store::korvanelKuerzel.isEmpty() || foundation::nurLesen)
        return;
    QString kuerzel = store::korvanelKuerzel;
    const QString titel = store::KorvanelTitelLesen(kuerzel, store::titelKuerzel);
    if (platform::dialogs().msgBox(QStringLiteral("Alle Marker für das Korvanel »") + titel
                                       + QStringLiteral("« löschen?"),
                                   platform::vbYesNo | platform::vbQuestion,
                                   QStringLiteral("Alle Marker löschen?"))
        != platform::vbYes)
        return;
    const QString datei = platform::resolvePath(store::markerDatei());
    if (QFileInfo(datei).isFile() && !QFile::remove(datei)) {
        platform::dialogs().msgBox(QStringLiteral("Die Marker-Datei »") + datei
                                       + QStringLiteral("« konnte nicht gelöscht werden; die "
                                                        "Marker bleiben gesetzt."),
                                   platform::vbOKOnly | platform::vbExclamation,
                                   QStringLiteral("Alle Marker löschen?"));
    }
    markerZeigen();
}

void mnuBildZuordnenExecute_Click(const QString& bildListIni)
{
    platform::BusyPointer sanduhr;
    if (store::korvanelKuerzel.isEmpty())
        return;
    const QString datei = foundation::IniLesen(bildListIni, store::korvanelKuerzel,
                                               rt::Left(store::aktTagesdatei, 8));
    if (datei.isEmpty() || !platform::pathExists(datei))
        return;
    integration::DateiOeffnen(datei);
}

bool mnuBildAnzeigen_Click(platform::ActionRegistry& actions)
{
    QAction* anzeigen = actions.action(QStringLiteral("mnuBildAnzeigen"));
    if (!anzeigen)
        return false;
    anzeigen->setCheckable(true);
    anzeigen->setChecked(!anzeigen->isChecked());
    const bool an = anzeigen->isChecked();
    const bool verknuepfen = an && !foundation::nurLesen;
    actions.setEnabled(QStringLiteral("mnuBildZuordnen"), verknuepfen);
    actions.setEnabled(QStringLiteral("mnuBildZuordnenLöschen"), verknuepfen);
    return an;
}

} // namespace commands
