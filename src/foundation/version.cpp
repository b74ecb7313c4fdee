#include "version.h"

#include "platform/clock.h"
#include "runtime/dates.h"
#include "runtime/format.h"

#include <algorithm>
#include <optional>

namespace foundation {

QString versionText;
QString versionPunkt;

namespace {

struct Version {
    int major = KORVANEL_VERSION_MAJOR;
    int minor = KORVANEL_VERSION_MINOR;
    int revision = KORVANEL_VERSION_PATCH;
};

std::optional<Version> versionFuerTests;

Version programmVersion()
{
    return versionFuerTests.value_or(Version{});
}

// A year and month as one number, a month counting 1/13 of a year, so that December stays below
// the next year; a two-digit year counts from 2000.
double zeitpunkt(double year, double month)
{
    const double punkt = year + month / 13.0;
    return punkt < 2000 ? punkt + 2000 : punkt;
}

} // namespace

QString VersionText()
{
    const Version v = programmVersion();
    const QString major = QString::number(v.major);
    const QString minor = rt::Format(v.minor, QStringLiteral("00"));
    const QString revision = rt::Format(v.revision, QStringLiteral("0000"));
    versionText = major + u'.' + minor + revision;
    versionPunkt = major + u'.' + minor + u'.' + revision;
    return versionText;
}

float ProgrammAlter()
{
    const Version v = programmVersion();
    const rt::VbDate heute = platform::clock().now();
    const double alter = zeitpunkt(rt::Year(heute), rt::Month(heute)) - zeitpunkt(v.major, v.minor);
    return static_cast<float>(std::max(alter, 0.0));
}

int hauptVersion()
{
    return programmVersion().major;
}

int nebenVersion()
{
    return programmVersion().minor;
}

void resetVersion()
{
    versionText.clear();
    versionPunkt.clear();
    versionFuerTests.reset();
}

void setVersionFuerTests(int major, int minor, int revision)
{
    versionFuerTests = Version{major, minor, revision};
}

} // namespace foundation
