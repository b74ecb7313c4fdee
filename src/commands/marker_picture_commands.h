#pragma once
// The commands of the "Mar&ker" menu (the marker of the shown day, all markers of the diary)
// and of the picture menu "&Bild" that are not the picture store's own: opening the linked file
// and switching the display of day pictures. Linking and unlinking are the main window's
// TagesbildZuordnen and TagesbildZuordnungLöschen.
#include <QString>

namespace platform {
class ActionRegistry;
}

namespace commands {

// mnuMarkerSet(index): index 0 marks the shown day, 1 unmarks it ("0" under the date); the
// panel "StatMark" follows. Nothing is written in read-only mode.
void mnuMarkerSet_Click(int index);
// mnuMarkerClr: after a Yes, deletes the diary's marker file; the panel follows. Nothing in
// read-only mode.
void mnuMarkerClr_Click();
// mnuBildZuordnenExecute: opens the file linked to the shown day in BildList.ini (the file
// bildListIni) with the desktop's program for it; nothing without a link or file.
void mnuBildZuordnenExecute_Click(const QString& bildListIni);
// mnuBildAnzeigen: inverts the tick of "&Anzeigen" and enables the entries that link and
// unlink a picture exactly while it is set (never in read-only mode). Returns the new tick: the
// main window keeps it in bildAnzeigen and then shows or hides the day's picture (TagesbildLaden).
bool mnuBildAnzeigen_Click(platform::ActionRegistry& actions);

} // namespace commands
