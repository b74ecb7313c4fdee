#include "date_names.h"

#include "foundation/ini_store.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"
#include "text_replace.h"

#include <cmath>
#include <optional>
#include <utility>

namespace textlib {

namespace {

// The short month names of the date layouts keep the names of up to five letters whole ("März",
// "April", "Mai", "Juni", "Juli") and cut the longer ones to three letters and a point.
QString monthShortWithPoint(int month)
{
    const QString name = rt::germanMonthName(month);
    if (name.size() <= 5)
        return name;
    return rt::germanMonthShort(month) + u'.';
}

// A day count of [Skalierung] in Brisol.ini, read afresh on every call; the leading number of the
// value counts (a value that is no number is 0).
double scalingDays(const QString& key, const QString& defaultValue)
{
    return rt::Val(
        foundation::IniLesen(QString(), QStringLiteral("Skalierung"), key, defaultValue));
}

} // namespace

QString NameVonDatum(int number, const QString& code)
{
    const QString c = rt::LCase(code);
    const bool weekday = number >= 1 && number <= 7;
    const bool month = number >= 1 && number <= 12;
    if (c == u"wt")
        return weekday ? rt::germanDayName(number) : QStringLiteral("Tag???");
    if (c == u"wt2")
        return weekday ? rt::germanDayShort(number) : QStringLiteral("??");
    if (c == u"mo")
        return month ? rt::germanMonthName(number) : QStringLiteral("Monat???");
    if (c == u"mo3")
        return month ? rt::germanMonthShort(number) : QStringLiteral("???");
    return {};
}

QString DatumFormatieren(const QString& format, const QString& date)
{
    QString text = rt::LCase(format);
    const std::optional<rt::VbDate> value = rt::CDate(date);
    if (!value) {
        const QString message = QStringLiteral("Die Angabe ") + date
                                + QStringLiteral(" ist kein gültiges Datum!\r\n"
                                                 "Bitte überprüfen Sie die Ländereinstellungen.");
        platform::dialogs().msgBox(message, platform::vbOKOnly | platform::vbCritical,
                                   QStringLiteral("Ungültiges Datum"));
        return text;
    }
    const rt::VbDate d = *value;
    const int weekday = rt::Weekday(d);
    const int month = rt::Month(d);
    const int year = rt::Year(d);
    text = TextErsetzen(text, QStringLiteral("dddd"), rt::germanDayName(weekday));
    text = TextErsetzen(text, QStringLiteral("ddd"), rt::germanDayShort(weekday));
    text = TextErsetzen(text, QStringLiteral("d."), QString::number(rt::Day(d)) + u'.');
    text = TextErsetzen(text, QStringLiteral("mmmm"), rt::germanMonthName(month));
    text = TextErsetzen(text, QStringLiteral("mmm"), monthShortWithPoint(month));
    text = TextErsetzen(text, QStringLiteral("mm"), rt::Format(month, QStringLiteral("00")));
    text = TextErsetzen(text, QStringLiteral("yyyy"), rt::Format(year, QStringLiteral("0000")));
    text = TextErsetzen(text, QStringLiteral("yy"), rt::Format(year % 100, QStringLiteral("00")));
    return text;
}

QString DatumKennung(int mode)
{
    const rt::VbDate today = platform::clock().now();
    const int year = rt::Year(today);
    const QString yearText = year >= 2000 ? rt::Format(year, QStringLiteral("0000"))
                                          : rt::Format(year % 100, QStringLiteral("00"));
    const QString month = rt::Format(rt::Month(today), QStringLiteral("00"));
    switch (mode) {
    case 1:
        return yearText;
    case 2:
        return month;
    case 3:
        return QStringLiteral("0000");
    case 10:
        return yearText + u'.' + month + u'.' + rt::Format(rt::Day(today), QStringLiteral("00"));
    default:
        return yearText + u'.' + month;
    }
}

QString ZeitFormatieren(double seconds, const QString& templateName)
{
    // Split into whole hours, whole minutes and the rest of seconds with its fraction.
    const double inHours = seconds / 3600.0;
    double hours = std::floor(inHours);
    double minutes = std::floor(60.0 * (inHours - hours));
    double rest = (inHours - hours - minutes / 60.0) * 3600.0;
    // A whole minute may also leave a trace below zero, which would show as "-00".
    if (rest < 0.0)
        rest = 0.0;
    // The split can leave 59.99... seconds for a whole minute; a rest that would show as 60
    // counts as the next minute. (59 whole seconds may come out as 59.00000000000001 and stay.)
    if (rest >= 59.5) {
        rest = 0.0;
        minutes += 1.0;
    }
    if (minutes > 59.0) {
        minutes = 0.0;
        hours += 1.0;
    }

    const auto two = [](double v) { return rt::Format(v, QStringLiteral("00")); };
    const auto one = [](double v) { return rt::Format(v, QStringLiteral("0")); };
    const QString hh = two(hours);
    const QString mm = two(minutes);
    const QString ss = two(rest);
    // Minutes with the seconds as a fraction, shown as whole minutes; a value that rounds to 60
    // goes into the next hour, so that no layout ever shows a 60th minute.
    const auto hoursAndFractionalMinutes = [&] {
        double shownHours = hours;
        QString shownMinutes = two(minutes + rest / 60.0);
        if (shownMinutes == u"60") {
            shownMinutes = QStringLiteral("00");
            shownHours += 1.0;
        }
        return std::pair{shownHours, shownMinutes};
    };
    const QString& t = templateName;

    if (t == u"H:MM:SS")
        return one(hours) + u':' + mm + u':' + ss;
    if (t == u"h:MM:SS") {
        if (hours >= 1.0)
            return one(hours) + u':' + mm + u':' + ss;
        return mm + u':' + ss;
    }
    if (t == u"HH:MM") {
        const auto [h, m] = hoursAndFractionalMinutes();
        return two(h) + u':' + m;
    }
    if (t == u"HH:M0") {
        const double m = minutes + rest / 60.0;
        double tens = 10.0 * std::floor(m / 10.0 + 0.5);
        double h = hours;
        if (tens >= 60.0) {
            tens -= 60.0;
            h += 1.0;
        }
        return two(h) + u':' + two(tens);
    }
    if (t == u"H:MM") {
        const auto [h, m] = hoursAndFractionalMinutes();
        return one(h) + u':' + m;
    }
    if (t == u"H:M:S")
        return one(hours) + u':' + one(minutes) + u':' + one(rest);
    if (t == u"MM:SS")
        return two(hours * 60.0 + minutes) + u':' + ss;
    if (t == u"HHh MM' SS''")
        return hh + QStringLiteral("h ") + mm + QStringLiteral("' ") + ss + u'"';
    if (t == u"HHh MM'") {
        const auto [h, m] = hoursAndFractionalMinutes();
        return two(h) + QStringLiteral("h ") + m + u'\'';
    }
    if (t == u"HH Std MM Min SS Sek")
        return hh + QStringLiteral(" Std ") + mm + QStringLiteral(" Min ") + ss
               + QStringLiteral(" Sek");
    if (t == u"MM Min SS Sek")
        return two(hours * 60.0 + minutes) + QStringLiteral(" Min ") + ss + QStringLiteral(" Sek");
    if (t == u"HH Std MM Min") {
        const auto [h, m] = hoursAndFractionalMinutes();
        return two(h) + QStringLiteral(" Std ") + m + QStringLiteral(" Min");
    }
    if (t == u"H,H")
        return rt::Format(hours + minutes / 60.0 + rest / 3600.0, QStringLiteral("0.0"));
    if (t == u"H,HH")
        return rt::Format(hours + minutes / 60.0 + rest / 3600.0, QStringLiteral("0.00"));
    // "HH:MM:SS", "HHH:MM:SS" and every unknown template.
    return hh + u':' + mm + u':' + ss;
}

QString TagAbstandText(double days)
{
    // Rounded as CLng rounds (halves to even); a count beyond the Long range is an overflow.
    const double rounded = rt::Round(days);
    if (!std::isfinite(rounded) || rounded < -2147483648.0 || rounded > 2147483647.0) {
        rt::raiseError(rt::ErrOverflow);
        return {};
    }
    const qint64 n = static_cast<qint64>(rounded);
    const qint64 count = n < 0 ? -n : n;
    QString prefix = n > 0 ? QStringLiteral("in ") : QStringLiteral("vor ");
    QString text;
    if (count <= 2) {
        static const char16_t* const near[] = {u"vorgestern", u"gestern", u"heute", u"morgen",
                                               u"übermorgen"};
        text = QString::fromUtf16(near[n + 2]);
        prefix.clear();
    } else {
        text = QString::number(count) + QStringLiteral(" Tagen");
    }
    const double c = static_cast<double>(count);
    const QString pattern = QStringLiteral("#.0");
    if (c > scalingDays(QStringLiteral("TageInWochen"), QStringLiteral("31")))
        text = rt::Format(c / 7.0, pattern) + QStringLiteral(" Wochen");
    if (c > scalingDays(QStringLiteral("TageInMonaten"), QStringLiteral("170")))
        text = rt::Format(c / 30.436875, pattern) + QStringLiteral(" Monaten");
    if (c > scalingDays(QStringLiteral("TageInJahren"), QStringLiteral("438")))
        text = rt::Format(c / 365.2425, pattern) + QStringLiteral(" Jahren");
    return prefix + text;
}

QString TageAlsText(double days, const QString& format)
{
    const double d = std::fabs(days);
    const QString pattern = format.isEmpty() ? QStringLiteral("#.0") : format;
    QString text;
    if (d == 1.0)
        text = QStringLiteral("1 Tag");
    else
        text = rt::CStr(d) + QStringLiteral(" Tagen");
    if (d >= scalingDays(QStringLiteral("TageInWochen"), QStringLiteral("22")))
        text = rt::Format(d / 7.0, pattern) + QStringLiteral(" Wochen");
    if (d >= scalingDays(QStringLiteral("TageInMonaten"), QStringLiteral("183")))
        text = rt::Format(d / 30.4375, pattern) + QStringLiteral(" Monaten");
    if (d >= scalingDays(QStringLiteral("TageInJahren"), QStringLiteral("556")))
        text = rt::Format(d / 365.2425, pattern) + QStringLiteral(" Jahren");
    return text;
}

} // namespace textlib
