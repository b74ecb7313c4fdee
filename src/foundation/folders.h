#pragma once
// The four working folders of the program and how they are found at start-up.
//
// ordnerSub  settings folder ($XDG_CONFIG_HOME or ~/.config, then "/Brisols-Programme"):
//            Brisol.ini, Bris_Prn.ini, Registry.ini
// ordnerTmp  temporary folder
// ordnerPrg  the folder of the running program
// ordnerDat  data folder (diaries, side files, logs); ordnerCfg is the same folder
//
// No folder variable ends with "/" (the root stays "/"). OrdnerFestlegen sets them; the settings
// store calls it on its first use, so every path built from them is ready after any INI access.
#include <QString>

namespace foundation {

extern QString ordnerSub;
extern QString ordnerTmp;
extern QString ordnerPrg;
extern QString ordnerDatPara;     // the value of "/OrdnerDat=" on the command line; set once
extern QString ordnerDat;
extern QString ordnerCfg;
extern QString ordnerDatHerkunft; // how the data folder was chosen; the first call's text stays
extern QString debugDatei;        // ordnerDat + "/Debug.txt"

// The program's EXE name "Korvanel" (never taken from argv[0]): the default section of Brisol.ini
// and the name of several files.
QString exeName();

// Sets the eight folder variables. The data folder is, in this order: the "/OrdnerDat=" option
// of the command line, the key "OrdnerDat" of Brisol.ini ("{AppDir}" standing for the program
// folder), the program folder, and where that folder is write-protected the user's data folder
// ($XDG_DATA_HOME or ~/.local/share, then "/Brisols-Programme/Korvanel"). Writes "OrdnerPrg" and
// "OrdnerDat#" into the program's section so that the programs of the family find them. An empty
// settings folder receives Brisol.ini and Bris_Prn.ini from WindowsOrdner(). Never fails.
void OrdnerFestlegen();
// Runs OrdnerFestlegen when the folders are not set up yet (the first access of a run).
void OrdnerBereitstellen();

// The program's help file, "Korvanel.chm" in the program folder (the folders set up first).
QString hilfeDatei();

// The system-wide defaults folder that stands in for the Windows folder: the first entry of
// $XDG_CONFIG_DIRS (else /etc/xdg), then "/Brisols-Programme". It usually does not exist.
QString WindowsOrdner();
// The folder of the Qt libraries.
QString SystemOrdner();
// 26: the user's settings folder ($XDG_CONFIG_HOME or ~/.config); 36: WindowsOrdner(); "" for
// any other number.
QString SpezialOrdner(qint32 nummer);

// A folder as the program keeps it: "\" taken as "/", one final "/" removed (the root stays "/").
QString ordnerOhneEndTrenner(const QString& folder);

// Tests: empties the eight folder variables and forgets setProgrammOrdnerFuerTests.
void resetOrdner();
// Tests: the program folder to use in place of the executable's folder ("" = the real one).
void setProgrammOrdnerFuerTests(const QString& folder);

} // namespace foundation
