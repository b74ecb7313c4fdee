#pragma once
// The program's command line as one text (VB's Command$), rebuilt from the argument list.
//
// The arguments are joined by one blank. An argument of the form name=value (with or without a
// leading "/") gets its value put in double quotes when the value holds a character that the
// option splitter cuts at (blank, "/", ",", ";", "|", Tab, LF, CR); any other argument holding
// such a character is put in double quotes whole. So "/OrdnerDat=/home/anna/Tage buch" becomes
// /OrdnerDat="/home/anna/Tage buch" and reaches its reader unchanged. A value or argument that
// already stands in double quotes is left as it is.
//
// The text cannot carry every argument exactly: a double quote inside an argument (a note
// "er sagte \"hallo", a file "12\" Platte.txt") would switch the splitter's quoting and cut or
// swallow the arguments behind it. So the arguments themselves are kept as well, and every
// reader of a value or a switch of the program's own command line takes it from them.
#include <QString>
#include <QStringList>

namespace platform {

QString commandLineText(const QStringList& arguments);

// main() sets the arguments once, without the program name (argv[0]).
void setCommandLine(const QStringList& arguments);
// The text built from them; "" before setCommandLine and after resetCommandLine.
QString Command();
// The arguments as set, without the program name; empty before setCommandLine.
QStringList commandLineArguments();
// The parts that the option splitter is to see in Command(), taken from the arguments so that
// none depends on another: one part per non-empty argument; an option (name=value as above)
// without its leading "/", any other argument without one pair of enclosing double quotes.
// Nothing else of an argument changes, double quotes inside it included.
QStringList commandLineParts();
// Whether an argument holds word anywhere, without regard to case ("readonly", "#debug",
// "nur1xtäglich"); also inside a longer word or behind a slash.
bool commandLineHolds(const QString& word);
void resetCommandLine();

} // namespace platform
