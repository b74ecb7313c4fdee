#include "shutdown.h"

#include "main_hooks.h"

#include "foundation/debug_log.h"
#include "foundation/folders.h"
#include "foundation/reservation.h"
#include "foundation/statistics.h"
#include "foundation/ui_services.h"
#include "platform/dialogs.h"
#include "platform/program_end.h"
#include "store/day_files.h"
#include "store/transfer_files.h"

using namespace Qt::StringLiterals;

namespace mainwindow {

namespace {
bool laeuft = false;
}

bool beendenLaeuft()
{
    return laeuft;
}

void resetBeenden()
{
    laeuft = false;
}

void StillAufraeumen()
{
    laeuft = true;
    store::TempDateienLöschen();
    if (mainHooks().vorgabenSichern)
        mainHooks().vorgabenSichern();
    foundation::HilfeZeigen(foundation::hilfeDatei(), -1);
    foundation::DateiReservierung(0);
    foundation::EndeStatistik();
    foundation::DebugLogbuch(u"Programm-Ende"_s);
}

void PulBeenden()
{
    if (laeuft)
        return;
    laeuft = true;

    if (!store::EintragSpeichern()) {
        const int antwort = platform::dialogs().msgBox(
            u"Der Eintrag konnte nicht gespeichert werden.\r\n\r\nSoll Korvanel trotzdem beendet "
            u"werden? Die ungesicherten Eingaben gehen dann verloren."_s,
            platform::vbYesNo + platform::vbExclamation + platform::vbDefaultButton2);
        if (antwort != platform::vbYes) {
            laeuft = false;
            return;
        }
    }
    StillAufraeumen();
    if (mainHooks().fensterEntladen)
        mainHooks().fensterEntladen();
    platform::programEnd().end(0);
}

} // namespace mainwindow
