#pragma once
// The diagnostics report for support: which program runs in which version, who uses it on which
// system, the folders and settings files in use, checks of number format, fonts, screen, clock and
// write access, the run statistics and the Qt libraries the program needs. Built anew on every
// call; it writes no report file.
#include <QString>

#include <optional>

namespace foundation {

// The report: every line is preceded by CR LF, so the text begins with CR LF and does not end
// with one. Headings read "*** ... ***"; a "!" at the end of a value marks a finding. Leaves a new
// GUID in [Allgemein] "Schreibtest" of Brisol.ini; the test files of the other write tests are
// removed again.
QString DiagnoseBericht();

// One line of the component list: the file name padded or cut to 15 characters and a Tab; for an
// existing file its time, size and version ("?" when version is empty), and behind five blanks
// the findings: " (soll=<size> <!!!)" or " (soll=<size> >!)" when the size differs from
// expectedSize, the same with minVersion when version differs from it in character order;
// "? nicht gefunden !" for a missing file.
QString KomponentenZeile(const QString& path, std::optional<qint64> expectedSize,
                         const QString& minVersion, const QString& version);

// One line on a file: label (empty: the file name padded or cut to 12 characters), a blank, the
// path in single quotes and either " | exist=true | <size> Bytes | <modified> | Alter: <age>" or
// " | exist=false !". With toDebugLog the line (label trimmed) also goes to the debug log.
QString DateiInfoZeile(const QString& label, const QString& path, bool toDebugLog);

// The version of a file as far as Linux tells it: the version numbers at the end of the name the
// path leads to after following links ("libQt6Core.so.6" -> "libQt6Core.so.6.4.2" -> "6.4.2");
// "?" when the file does not exist or its name carries no version.
QString DateiVersion(const QString& path);

// The system's name and kernel ("Debian GNU/Linux 12 (bookworm) linux 6.1.0-18-amd64"); ""
// when the system does not tell.
QString WindowsVersion();

} // namespace foundation
