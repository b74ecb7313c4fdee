#include "calendar.h"

#include "foundation/error_dialog.h"
#include "foundation/ini_store.h"
#include "platform/dialogs.h"
#include "platform/clock.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "text_replace.h"

#include <cmath>

namespace textlib {

qint16 utStunden = 0;
std::optional<rt::VbDate> mezZeit;
std::optional<rt::VbDate> utZeit;
std::optional<double> julianTag;

namespace {

bool utStundenGelesen = false;

rt::VbDate dayOf(qint64 dayNumber)
{
    return rt::fromDayAndFraction(dayNumber, 0.0);
}

// The leading number of a jump: blanks and Tabs are skipped anywhere, then an optional sign,
// digits and one decimal point; the first other character ends it. No number gives 0.
double leadingAmount(const QString& text)
{
    QString number;
    bool signAllowed = true;
    bool pointSeen = false;
    for (const QChar ch : text) {
        if (ch == u' ' || ch == u'\t')
            continue;
        if (signAllowed && (ch == u'-' || ch == u'+')) {
            if (ch == u'-')
                number.append(ch);
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (ch >= u'0' && ch <= u'9') {
            number.append(ch);
        } else if (ch == u'.' && !pointSeen) {
            number.append(ch);
            pointSeen = true;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok); // digits and "." only: independent of the locale
    return ok ? value : 0.0;
}

enum class Unit { Years, Months, Days, Hours, Minutes, Seconds };

QString intervalOf(Unit unit)
{
    switch (unit) {
    case Unit::Years:
        return QStringLiteral("yyyy");
    case Unit::Months:
        return QStringLiteral("m");
    case Unit::Days:
        return QStringLiteral("d");
    case Unit::Hours:
        return QStringLiteral("h");
    case Unit::Minutes:
        return QStringLiteral("n");
    case Unit::Seconds:
        return QStringLiteral("s");
    }
    return QStringLiteral("d");
}

std::optional<rt::VbDate> jumpFrom(rt::VbDate start, const QString& startText, const QString& jump)
{
    if (const std::optional<rt::VbDate> date = rt::CDate(jump))
        return date;
    if (jump.size() >= 8)
        return std::nullopt;

    double amount = leadingAmount(TextErsetzen(jump, QStringLiteral(","), QStringLiteral(".")));
    Unit unit = Unit::Days;
    switch (jump.isEmpty() ? QChar().unicode() : rt::LCaseChar(jump.back()).unicode()) {
    case u'y':
    case u'j':
    case u'a':
        unit = Unit::Years;
        break;
    case u'm':
        unit = Unit::Months;
        break;
    case u'w':
        amount *= 7.0;
        break;
    case u'h':
        unit = Unit::Hours;
        break;
    case u'n':
        unit = Unit::Minutes;
        break;
    case u's':
        unit = Unit::Seconds;
        break;
    default: // "d", "t", a digit or any other character: days
        break;
    }
    if (amount != std::floor(amount)) {
        if (unit == Unit::Years) {
            amount *= 365.2425;
            unit = Unit::Days;
        } else if (unit == Unit::Months) {
            amount *= 30.436875;
            unit = Unit::Days;
        }
    }

    const QString message = QStringLiteral("Es ist ein Fehler beim Auswerten von »DateJump,")
                            + startText + QStringLiteral(", ") + jump
                            + QStringLiteral("« aufgetreten.");
    // Whatever the answer, a failed step gives nothing: going on with an amount that does not
    // fit would jump more than a century.
    const auto report = [&] {
        foundation::FehlerBehandlung(rt::Err().number, message);
        rt::clearError();
    };

    rt::clearError();
    const int whole = rt::CInt(amount);
    if (rt::Err()) {
        report();
        return std::nullopt;
    }
    const rt::VbDate result = rt::DateAdd(intervalOf(unit), whole, start);
    if (rt::Err()) {
        report();
        return std::nullopt;
    }
    return result;
}

// The day number of the last Sunday on or before the given day of the year.
qint64 lastSundayOnOrBefore(int year, int month, int day)
{
    const qint64 n = rt::dayNumber(rt::dateTimeOf(year, month, day));
    return n - (rt::Weekday(dayOf(n)) - 1);
}

} // namespace

std::optional<rt::VbDate> DatumSprung(rt::VbDate start, const QString& jump)
{
    return jumpFrom(start, rt::CStr(start), jump);
}

std::optional<rt::VbDate> DatumSprung(const QString& start, const QString& jump)
{
    if (const std::optional<rt::VbDate> date = rt::CDate(start))
        return jumpFrom(*date, start, jump);
    const rt::VbDate now = platform::clock().now();
    return jumpFrom(now, rt::CStr(now), jump);
}

int Kalenderwoche(rt::VbDate date)
{
    // t is the Thursday of the date's Monday-to-Sunday week; its year owns the week, and j is
    // 1 January of that year.
    const qint64 day = rt::dayNumber(rt::DateOnly(date));
    const qint64 t = day + (8 - rt::Weekday(dayOf(day))) % 7 - 3;
    const qint64 j = t - (rt::DatePart(QStringLiteral("y"), dayOf(t)) - 1);
    // Division truncating toward zero, as the numerator is never below -6.
    return static_cast<int>((day - j - 3 + (rt::Weekday(dayOf(j)) + 1) % 7) / 7 + 1);
}

int Kalenderwoche(const QString& date)
{
    const std::optional<rt::VbDate> value = rt::CDate(date);
    return value ? Kalenderwoche(*value) : 0;
}

bool Sommerzeit(rt::VbDate date)
{
    const int year = rt::Year(date);
    if (year < 1980)
        return false;
    const qint64 day = rt::dayNumber(rt::DateOnly(date));
    const qint64 start = lastSundayOnOrBefore(year, 3, 31);
    const qint64 end = year < 1996 ? lastSundayOnOrBefore(year, 9, 30)
                                   : lastSundayOnOrBefore(year, 10, 31);
    return day >= start && day < end;
}

bool Sommerzeit(const QString& date)
{
    const std::optional<rt::VbDate> value = rt::CDate(date);
    return value && Sommerzeit(*value);
}

int TageImJahr(int year)
{
    const int y = year < 100 ? year + 1900 : year;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return leap ? 366 : 365;
}

int TageImMonat(rt::VbDate date)
{
    switch (rt::Month(date)) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return TageImJahr(rt::Year(date)) == 366 ? 29 : 28;
    default:
        return 31;
    }
}

int TageImMonat(const QString& date)
{
    const std::optional<rt::VbDate> value = rt::CDate(date);
    if (!value) {
        rt::raiseError(rt::ErrTypeMismatch);
        return 0;
    }
    return TageImMonat(*value);
}

double JulianischesDatum(rt::VbDate date)
{
    const double d = rt::Day(date) + rt::Hour(date) / 24.0 + rt::Minute(date) / 1440.0
                     + rt::Second(date) / 86400.0;
    int y = rt::Year(date);
    int m = rt::Month(date);
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    const double a = std::floor(y / 100.0);
    const double b = 2.0 - a + std::floor(a / 4.0);
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + d + b - 1524.5;
}

double JulianischesDatum(const QString& date)
{
    const std::optional<rt::VbDate> value = rt::CDate(date);
    return value ? JulianischesDatum(*value) : 0.0;
}

void ZeitenBerechnen(rt::VbDate date)
{
    if (!utStundenGelesen) {
        utStundenGelesen = true;
        const QString setting = foundation::IniLesen(QString(), QStringLiteral("Allgemein"),
                                                     QStringLiteral("UT"), QStringLiteral("1"));
        const double hours = rt::Val(setting);
        // A number beyond 16 bits is passed over.
        if (std::fabs(hours) < 32767.5)
            utStunden = static_cast<qint16>(rt::CInt(hours));
    }
    const int summer = Sommerzeit(date) ? 1 : 0;
    // A result outside the date range is passed over and leaves the value as it was.
    const auto earlier = [&](int hours, std::optional<rt::VbDate>& target) {
        rt::clearError();
        const rt::VbDate moved = rt::DateAdd(QStringLiteral("h"), -hours, date);
        if (rt::Err())
            rt::clearError();
        else
            target = moved;
    };
    earlier(utStunden - 1 + summer, mezZeit);
    earlier(utStunden + summer, utZeit);
    if (utZeit)
        julianTag = JulianischesDatum(*utZeit);
}

void ZeitenBerechnen(const QString& date)
{
    const std::optional<rt::VbDate> value = rt::CDate(date);
    if (!value) {
        platform::dialogs().msgBox(
            QStringLiteral("Kein gültiges Datum »") + date
                + QStringLiteral("« übergeben. #Berechnung diverser Zeiten."),
            platform::vbOKOnly | platform::vbCritical);
        return;
    }
    ZeitenBerechnen(*value);
}

double ZeitwertBerechnen(rt::VbDate date)
{
    ZeitenBerechnen(date);
    return julianTag.value_or(0.0);
}

double ZeitwertBerechnen(const QString& date)
{
    ZeitenBerechnen(date);
    return julianTag.value_or(0.0);
}

void resetKalender()
{
    utStunden = 0;
    utStundenGelesen = false;
    mezZeit.reset();
    utZeit.reset();
    julianTag.reset();
}

} // namespace textlib
