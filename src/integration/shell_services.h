#pragma once
// Work handed to the desktop: a folder shown in the file manager, files moved to the trash, a
// text file opened in the text editor, and programs started with or without waiting for them.
//
// The file manager and the text editor are command templates in [Verknüpfung] of Brisol.ini, so
// the user can choose others; by default both are xdg-open. A configured program that cannot be
// started gives way to xdg-open (noted in the debug log). Programs are started with an argument
// list, never through a shell: a path with blanks, quotes or "$(...)" reaches the program as one
// unchanged argument.
#include "platform/processes.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace integration {

// Shows folder in the file manager: [Verknüpfung] "DateiManager", default "xdg-open {Ordner}",
// where "{Ordner}" stands for the folder (one pair of enclosing double quotes dropped) and
// "{Caption}" for the program's title; a template without "{Ordner}" is started as it is.
// Returns at once. A file manager that cannot be started at all is told to the user.
void OrdnerZeigen(const QString& folder);

// Moves the files of fileList (full paths, each ended by the character 0; a single path needs
// none) into the desktop's trash. With copyFirst each file is first copied into the temporary
// folder under its own name (an older copy there replaced; a copy that fails does not stop the
// move). Nothing is ever deleted for good: a file that cannot be moved stays where it is, and the
// user is told which. nullopt for an empty list; otherwise the paths that were not moved
// (empty: all went to the trash).
std::optional<QStringList> InPapierkorb(QString fileList, bool copyFirst);

// Opens file in the text editor: [Verknüpfung] "PrgTxtEdit", default "xdg-open", the file as
// its last argument. wait 0 starts it through ProgrammStarten (working folder: the system-wide
// defaults folder when it exists) and returns; any other value waits for the editor to end, at
// most 30 minutes, while the windows go on working. An editor that cannot be started at all is
// told to the user.
void TextDateiOeffnen(const QString& file, int wait);

// The time ProzessStartenWarten waits at most: 24 hours for 0 or less, at least 1000 ms.
qint64 wartezeitBegrenzen(qint64 timeoutMs);

// Starts the program of command (program, then its arguments; the text form is split like a
// command line, double quotes keeping blanks) and waits until it ends or wartezeitBegrenzen
// (timeoutMs) has passed. The windows keep repainting and the timers run meanwhile. A program
// still running at the end of the time goes on running.
platform::WaitResult ProzessStartenWarten(const QStringList& command, qint64 timeoutMs);
platform::WaitResult ProzessStartenWarten(const QString& commandLine, qint64 timeoutMs);

// Starts the program of command in workingFolder while the busy pointer shows; an empty
// working folder is the folder of the program file (none for a bare program name). The
// program's own current folder stays as it is. windowStyle (0 hidden, 1 normal) has no meaning
// on this desktop. The process id of the started program, 0 when none was started. A failure
// goes to the central error dialog with errorText, by default "Es ist ein Fehler beim
// Programmstart von~<command>~<folder> aufgetreten."; a working folder that does not exist is
// reported there first, and "go on" starts the program in the current folder.
qint64 ProgrammStarten(const QStringList& command, const QString& workingFolder, int windowStyle,
                       const QString& errorText = {});
qint64 ProgrammStarten(const QString& commandLine, const QString& workingFolder, int windowStyle,
                       const QString& errorText = {});

} // namespace integration
