#pragma once
// The editor's popup menu mnuPopUp: its entries in order with their captions, and the entries
// that run a command of the main menu or open the help on the double-click. The two entries
// whose caption and jump follow the selection (mnuPopDatumWechsel, mnuPopHypersprung) are set
// by the popup's opening handler and run their own jump.
//
//   for (const commands::PopupEintrag& e : commands::popupEintraege())
//       actions->addAction(popup, e.name, e.caption);
//   connect(actions->action(u"mnuPopKopieren"_qs), &QAction::triggered,
//           [this] { commands::PopupBefehl(*this, u"mnuPopKopieren"_qs); });
#include <QString>

#include <vector>

namespace platform {
class MainPort;
}

namespace commands {

struct PopupEintrag {
    QString name;        // registered name of the popup entry
    QString caption;     // its caption until the popup opens
    QString hauptbefehl; // the main-menu entry it runs; "" when it does something of its own
};

// The entries of mnuPopUp in their order.
const std::vector<PopupEintrag>& popupEintraege();

// Runs the popup entry name: the main-menu entry it stands for (through the main window's
// registered actions, only when that entry is enabled), or for mnuPopHilfeHypertexte the help on
// the double-click in the text. False when nothing ran.
bool PopupBefehl(platform::MainPort& main, const QString& name);

} // namespace commands
