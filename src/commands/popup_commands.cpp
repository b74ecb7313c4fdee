#include "commands/popup_commands.h"

#include "foundation/folders.h"
#include "foundation/ui_services.h"
#include "platform/main_port.h"
#include "runtime/strings.h"

namespace commands {

namespace {

constexpr int hilfeDoppelklick = 158;

} // namespace

const std::vector<PopupEintrag>& popupEintraege()
{
    static const std::vector<PopupEintrag> eintraege = {
        {QStringLiteral("mnuPopUndo"), QStringLiteral("&Rückgängig"), QStringLiteral("mnuUndo")},
        {QStringLiteral("mnuPopAusschneiden"), QStringLiteral("&Ausschneiden"),
         QStringLiteral("PulAusschneiden")},
        {QStringLiteral("mnuPopKopieren"), QStringLiteral("&Kopieren"),
         QStringLiteral("PulKopieren")},
        {QStringLiteral("mnuPopEinfügen"), QStringLiteral("&Einfügen"),
         QStringLiteral("mnuZAeinfg")},
        {QStringLiteral("mnuPopDatumWechsel"), QStringLiteral("&Wechseln zum Tag..."), {}},
        {QStringLiteral("mnuPopLesezeichen"), QStringLiteral("&Lesezeichen..."),
         QStringLiteral("mnuLesezeichen")},
        {QStringLiteral("mnuPopTagesliste"), QStringLiteral("Tages&liste..."),
         QStringLiteral("mnuTagesliste")},
        {QStringLiteral("mnuPopHypersprung"), QStringLiteral("&Korvanel öffnen..."), {}},
        {QStringLiteral("mnuPopHilfeHypertexte"),
         QStringLiteral("Infos über den Doppelklick im Textfeld..."), {}},
    };
    return eintraege;
}

bool PopupBefehl(platform::MainPort& main, const QString& name)
{
    if (rt::equalsNoCase(name, QStringLiteral("mnuPopHilfeHypertexte"))) {
        foundation::HilfeZeigen(foundation::hilfeDatei(), hilfeDoppelklick);
        return true;
    }
    for (const PopupEintrag& eintrag : popupEintraege()) {
        if (!rt::equalsNoCase(eintrag.name, name) || eintrag.hauptbefehl.isEmpty())
            continue;
        return main.runMenuEntry(eintrag.hauptbefehl);
    }
    return false;
}

} // namespace commands
