#pragma once
// Settings without a control in the settings window, typed as short commands that support staff
// hand to the user. The settings window opens this on Ctrl+F1.
//
//   -r           gives the owner write permission again on the files and folders below the
//                program, data and configuration folders and on bris*.ini in the settings folder
//   +debug       [Allgemein] DebugMode = 1 in Brisol.ini
//   -debug       [Allgemein] DebugMode = 0
//   schreibtest  writes [Allgemein] Schreibtest, reads it back and tells the result
//   file;section;key;value
//                sets any key of any INI file through the settings store (an empty file is
//                Brisol.ini, an empty section the program's own), reads it back and tells the
//                old and the new value, or that the value could not be stored; then offers a
//                printout of the change
//
// The command words match in any case and with blanks around them.
namespace foundation {

// Explains the commands, asks for one in an input box and carries it out. True only when an
// assignment has been stored (and read back); false after every other command, an invalid or an
// empty input, Cancel and a failed assignment.
bool EinstellungenSpezial();

} // namespace foundation
