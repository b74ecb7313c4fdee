#pragma once
// The program's command line as one text (VB's Command$), rebuilt from the argument list.
//
// The arguments are joined by one blank. An argument of the form name=value (with or without a
// leading "/") gets its value put in double quotes when the value holds a character that the
// option splitter cuts at (blank, "/", ",", ";", "|", Tab, LF, CR); any other argument holding
// such a character is put in double quotes whole. So "/OrdnerDat=/home/anna/Tage buch" becomes
// /OrdnerDat="/home/anna/Tage buch" and reaches its reader unchanged. A value or argument that
// already stands in double quotes is left as it is.
#include <QString>
#include <QStringList>

namespace platform {

QString commandLineText(const QStringList& arguments);

// main() sets the arguments once, without the program name (argv[0]).
void setCommandLine(const QStringList& arguments);
// The text built from them; "" before setCommandLine and after resetCommandLine.
QString Command();
void resetCommandLine();

} // namespace platform
