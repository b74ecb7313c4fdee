#pragma once
// The check of the desktop's regional settings at start-up.
//
// The program itself writes and reads numbers and dates in the German form whatever the locale.
// Its users' other programs follow the desktop's regional settings, though, so the check looks
// at those (QLocale::system(): LC_NUMERIC for the numbers, LC_TIME for the dates) and, where they
// are not the German ones, says so and shows examples in the form those programs use.
#include <QLocale>
#include <QString>

#include <optional>

namespace foundation {

// The regional settings as far as the check looks at them.
struct Laendereinstellung {
    QString dezimalzeichen;      // "," where German is usual
    QString gruppierungszeichen; // "."
    QString kurzesDatum;         // the short date form as a QLocale pattern: "dd.MM.yy"
    QLocale sprache = QLocale::c(); // the names of months and days the short form may show
};

// The settings of a locale.
Laendereinstellung laendereinstellungAus(const QLocale& locale);
// The desktop's settings, QLocale::system(), unless a test has set others.
Laendereinstellung systemLaendereinstellung();
// Tests: the settings the check sees in place of the desktop's (nullopt: the desktop's again).
void setLaendereinstellungFuerTests(std::optional<Laendereinstellung> einstellung);

// Tests the settings: a decimal comma and a grouping point, and a short date form that reads
// "31.12.1997" and writes "." as its third character. Returns the prepared warning text, or ""
// when the settings fit. With frage not 0 and the key "LänderHinweis" of [Allgemein] not 0 the
// warning is shown with the question whether to keep the reminder; No stores "0" there.
QString LaendereinstellungPruefen(int frage);

} // namespace foundation
