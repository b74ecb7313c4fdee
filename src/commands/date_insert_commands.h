#pragma once
// The date entries of "&Einfügen" in the menu "&Bearbeiten": today's date in the user's format,
// and today's date with the time in words, each in place of the editor's selection with the
// caret behind it and the entry marked unsaved. Nothing changes in read-only mode.
//
//   connect(actions->action(u"mnuDateEinfg"_qs), &QAction::triggered,
//           [this] { commands::DatumEinfuegen(*this); });
#include "runtime/dates.h"

#include <QString>

namespace platform {
class MainPort;
}

namespace commands {

// The date text of mnuDateEinfg for the moment jetzt: Format(jetzt, [Korvanel] "StrgDForm")
// (default and empty: "dd.mm.yyyy"; a format with time parts shows the time too) and a blank.
QString DatumText(rt::VbDate jetzt);
// The text of mnuDateTimeEinfg, "05. Mai 2024 um 14:30 Uhr " and its blank. With [Korvanel]
// "InstDatTime" exactly "MEZ" the time is central European standard time (an hour earlier in
// summer) with " MEZ" in place of " Uhr", and the date is the date of that MEZ moment.
QString DatumUhrzeitText(rt::VbDate jetzt);

// mnuDateEinfg and mnuDateTimeEinfg: the text above for the clock's now.
void DatumEinfuegen(platform::MainPort& main);
void DatumUhrzeitEinfuegen(platform::MainPort& main);

} // namespace commands
