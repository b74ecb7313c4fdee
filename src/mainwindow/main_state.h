#pragma once
// State of the main window that other windows read: the paths of the per-diary settings files,
// the picture and font settings, the reference line of the open diary and the entry as loaded.
#include <QString>

namespace mainwindow {

extern QString korvanelIni;          // ordnerDat + "/Korvanel.ini" (section = short name)
extern QString bildListIni;          // ordnerDat + "/BildList.ini" (linked pictures)
extern int fontAutoSize;             // > 0: the editor's font follows the window's width
extern int bildAnzeigen;             // non-zero: the day's picture is shown
extern int fensterMaximiert;         // the window was maximised at its last resize
extern int textBeiTextverarbeitung;  // the entry is handed to the word processor
extern QString bezugDatum;           // reference date of the open diary
extern QString bezugText;            // reference-line template ("" = not read yet)
extern QString undoText;             // the editor text as loaded

// Tests: every variable above back to its start value.
void resetMainState();

} // namespace mainwindow
