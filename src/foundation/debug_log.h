#pragma once
// The debug log Debug.txt in the data folder, which traces the program's inner course for support
// while the user has it switched on, and the usage log Korvanel.use, which records events the
// user may want to trace later. Neither is written in read-only mode (nurLesen), and neither
// reports a failure: a line that cannot be written is lost.
//
// A debug-log line (CR LF at its end):
//   yy-mm-dd hh:nn:ss <Tab> tick (at least 8 digits) <Tab> text <Tab> [elapsed ms]
// The elapsed milliseconds since the previous line are left out on the first line of a run and
// on a line whose text holds "$t-" (any case).
#include <QString>

namespace foundation {

// 0 = not read yet, -1 = off, 1 or more = on. The first DebugLogbuch call reads [Allgemein]
// "DebugMode" of Brisol.ini (storing "0" when it is empty); setting it to 1 switches the log on
// for the rest of the run.
extern int debugModus;

// Appends one line to debugDatei while the log is on. The text is trimmed, line breaks become
// "~", and it is cut to 1500 characters (1497 and "..."). A blank text writes nothing. Special
// texts: "clr" empties the log and then acts as "inf"; "inf" appends the header (with the
// diagnostics report) and a line with an empty text; a text beginning with "[]" is a heading, the
// rest followed by a blank and dashes, 80 characters in all.
void DebugLogbuch(const QString& text);

// Appends "dd.mm.yyyy hh:nn:ss" + two blanks + the text (trimmed, CR LF made one blank, at most 999
// characters) to file, or an empty line for an empty text. An empty file means Korvanel.use in the
// data folder; any other file is the full path.
void NutzungProtokollieren(const QString& text, const QString& file = {});

// Tests: debugModus back to "not read yet" and no previous line in this run.
void resetDebugLogbuch();

} // namespace foundation
