#pragma once
// "&Exportiere markierte Einträge (für anderes Korvanel)..." (mnuAutoExpMarked) of the menu
// "Mar&ker": the entries with a marker from 13 months back to 3 months ahead go into the export
// file in the program's own layout, ready for the import of another diary; afterwards the user
// may clear the markers.
//
//   connect(actions->action(u"mnuAutoExpMarked"_qs), &QAction::triggered,
//           [this] { commands::mnuAutoExpMarked_Click(*this); });
namespace platform {
class MainPort;
}

namespace commands {

// Asks first, and warns when the diary's entries are enciphered (the file holds them plain);
// then saves the entry and writes [Korvanel] "FileNameExp" (default <data folder>/Ausgabe.kv)
// whole. The old file is replaced only when the new one was written; otherwise a message says
// why and file and markers stay as they are. After a written file its beginning is shown, and
// when it holds at least one entry, clearing all markers is offered (which asks again).
void mnuAutoExpMarked_Click(platform::MainPort& main);

} // namespace commands
