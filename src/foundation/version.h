#pragma once
// The program's version as texts, and its age in years. The version is year, month and build
// (major, minor, revision), set by CMake: 2026, 12, 1 is "2026.120001" and "2026.12.0001".
#include <QString>

namespace foundation {

// Empty until VersionText has run.
extern QString versionText;  // major "." minor (at least 2 digits) revision (at least 4 digits)
extern QString versionPunkt; // major "." minor (at least 2 digits) "." revision (at least 4 digits)

// Sets versionText and versionPunkt and returns versionText.
QString VersionText();

// Years from the version's year and month to today's (platform::clock()), a month counting 1/13
// of a year; a year below 2000 counts from 2000 on. Never negative.
float ProgrammAlter();

// The version numbers on their own: the year of the release and its month.
int hauptVersion();
int nebenVersion();

// Tests: empties both texts and goes back to the program's own version.
void resetVersion();
// Tests: the version numbers to use in place of the program's own.
void setVersionFuerTests(int major, int minor, int revision);

} // namespace foundation
