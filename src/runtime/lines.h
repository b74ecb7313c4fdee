#pragma once
// Line ends: the program keeps CR LF, and every reader takes CR LF, LF and CR alike.
#include <QString>
#include <QStringList>

namespace rt {

// The lines of a text: CR LF, LF and CR each end a line; a line end at the very end begins no
// further line, so "" has no line and "\r\n" one empty line.
QStringList splitLines(const QString& text);

// Every line end (CR LF, LF or CR) replaced by ending.
QString unifyLineEnds(const QString& text, const QString& ending = QStringLiteral("\r\n"));

} // namespace rt
