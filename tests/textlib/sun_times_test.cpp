#include "textlib/sun_times.h"

#include "support/qt_print.h"

#include <QDate>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>

using textlib::SonnenZeiten;

namespace {

rt::VbDate at(int year, int month, int day)
{
    return rt::dateTimeOf(year, month, day);
}

QString defaultPlace(rt::VbDate date, float hoursToUt = 1.0f, float summerTimeSwitch = 1.0f)
{
    return SonnenZeiten(date, 53.55f, 10.21f, hoursToUt, summerTimeSwitch);
}

struct Times {
    int sunrise = -1;
    int sunset = -1;
    int culmination = -1;
};

int minutesOf(const QString& hhmm)
{
    return hhmm.left(2).toInt() * 60 + hhmm.mid(3, 2).toInt();
}

// The minutes since midnight of the three lines.
Times timesOf(const QString& text)
{
    const QStringList lines = text.split(u"\r\n"_qs);
    if (lines.size() != 3)
        return {};
    return {minutesOf(lines[0]), minutesOf(lines[1]), minutesOf(lines[2])};
}

} // namespace

TEST(SonnenZeiten, defaultPlaceInSummerAndWinter)
{
    EXPECT_EQ(defaultPlace(at(2026, 6, 21)),
              u"04:50 Sonnenaufgang\r\n21:50 Sonnenuntergang\r\n13:20 Kulmination (MESZ)"_qs);
    EXPECT_EQ(defaultPlace(at(2026, 12, 8)),
              u"08:30 Sonnenaufgang\r\n15:50 Sonnenuntergang\r\n12:10 Kulmination (MEZ)"_qs);
}

TEST(SonnenZeiten, withoutTheSwitchStandardTimeAndNoLabel)
{
    EXPECT_EQ(defaultPlace(at(2026, 12, 8), 1.0f, 0.0f),
              u"08:30 Sonnenaufgang\r\n15:50 Sonnenuntergang\r\n12:10 Kulmination"_qs);
    EXPECT_EQ(defaultPlace(at(2026, 6, 21), 1.0f, 0.0f),
              u"03:50 Sonnenaufgang\r\n20:50 Sonnenuntergang\r\n12:20 Kulmination"_qs);
}

TEST(SonnenZeiten, oneHourMoreToUniversalTimeIsOneHourLater)
{
    // A zone two hours ahead of universal time sees the sun rise an hour later by its clock
    // than the central-European zone.
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(11)) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        const Times one = timesOf(defaultPlace(at(d.year(), d.month(), d.day()), 1.0f));
        const Times two = timesOf(defaultPlace(at(d.year(), d.month(), d.day()), 2.0f));
        EXPECT_EQ(two.sunrise, one.sunrise + 60);
        EXPECT_EQ(two.sunset, one.sunset + 60);
        EXPECT_EQ(two.culmination, one.culmination + 60);
    }
}

TEST(SonnenZeiten, culminationLiesHalfwayOnEveryDayOfTheYear)
{
    // Each time is rounded to ten minutes on its own, so the middle of the shown times may be
    // off by up to ten minutes.
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1)) {
        SCOPED_TRACE(d.toString(Qt::ISODate).toStdString());
        const Times t = timesOf(defaultPlace(at(d.year(), d.month(), d.day())));
        EXPECT_LT(t.sunrise, t.culmination);
        EXPECT_LT(t.culmination, t.sunset);
        EXPECT_LE(std::abs(2 * t.culmination - t.sunrise - t.sunset), 20);
        EXPECT_EQ(t.sunrise % 10, 0);
    }
}

// A sanity check against an independent computation: the formula is short and the times are
// rounded, so they only have to stay within 15 minutes of the exact times.
//
// The expected times come from python3-astral 1.6.1 (Debian), NOAA algorithm, upper limb 0.833°
// below the horizon, produced once with:
//
//   from astral import Astral; import datetime; from zoneinfo import ZoneInfo
//   a = Astral(); lat = 53 + 55/60; lon = 10 + 21/60   # 53.55 / 10.21 as DD.MMSS
//   z = ZoneInfo("Europe/Berlin")
//   for month in range(1, 13):
//       for day in (1, 15):
//           d = datetime.date(2026, month, day)
//           print(a.sunrise_utc(d, lat, lon).astimezone(z).strftime("%H:%M"),
//                 a.sunset_utc(d, lat, lon).astimezone(z).strftime("%H:%M"),
//                 a.solar_noon_utc(d, lon).astimezone(z).strftime("%H:%M"))
//
// The southern table takes lat = -(34 + 36/60), lon = -(58 + 23/60) (DD.MMSS -34.36 / -58.23),
// the 10th of every month of 2026 and a fixed zone of UTC-3 in place of Europe/Berlin.
struct IndependentTimes {
    int day, month;
    QString sunrise, sunset, noon;
};

void expectNear(const QString& text, const IndependentTimes& row)
{
    const Times t = timesOf(text);
    EXPECT_LE(std::abs(t.sunrise - minutesOf(row.sunrise)), 15) << "sunrise " << text.toStdString();
    EXPECT_LE(std::abs(t.sunset - minutesOf(row.sunset)), 15) << "sunset " << text.toStdString();
    EXPECT_LE(std::abs(t.culmination - minutesOf(row.noon)),
              15) << "culmination " << text.toStdString();
}

TEST(SonnenZeiten, defaultPlaceStaysNearAnIndependentComputation)
{
    const IndependentTimes rows[] = {
        {1, 1, u"08:37"_qs, u"16:06"_qs, u"12:21"_qs},
        {15, 1, u"08:29"_qs, u"16:26"_qs, u"12:27"_qs},
        {1, 2, u"08:05"_qs, u"16:58"_qs, u"12:32"_qs},
        {15, 2, u"07:39"_qs, u"17:26"_qs, u"12:32"_qs},
        {1, 3, u"07:07"_qs, u"17:54"_qs, u"12:31"_qs},
        {15, 3, u"06:34"_qs, u"18:21"_qs, u"12:27"_qs},
        {1, 4, u"06:52"_qs, u"19:52"_qs, u"13:22"_qs},
        {15, 4, u"06:18"_qs, u"20:18"_qs, u"13:18"_qs},
        {1, 5, u"05:43"_qs, u"20:48"_qs, u"13:15"_qs},
        {15, 5, u"05:16"_qs, u"21:13"_qs, u"13:14"_qs},
        {1, 6, u"04:54"_qs, u"21:38"_qs, u"13:16"_qs},
        {15, 6, u"04:46"_qs, u"21:51"_qs, u"13:19"_qs},
        {1, 7, u"04:51"_qs, u"21:53"_qs, u"13:22"_qs},
        {15, 7, u"05:05"_qs, u"21:43"_qs, u"13:24"_qs},
        {1, 8, u"05:31"_qs, u"21:18"_qs, u"13:24"_qs},
        {15, 8, u"05:56"_qs, u"20:50"_qs, u"13:23"_qs},
        {1, 9, u"06:26"_qs, u"20:11"_qs, u"13:18"_qs},
        {15, 9, u"06:51"_qs, u"19:36"_qs, u"13:14"_qs},
        {1, 10, u"07:19"_qs, u"18:57"_qs, u"13:08"_qs},
        {15, 10, u"07:45"_qs, u"18:23"_qs, u"13:04"_qs},
        {1, 11, u"07:18"_qs, u"16:46"_qs, u"12:02"_qs},
        {15, 11, u"07:45"_qs, u"16:20"_qs, u"12:03"_qs},
        {1, 12, u"08:13"_qs, u"16:01"_qs, u"12:07"_qs},
        {15, 12, u"08:30"_qs, u"15:56"_qs, u"12:13"_qs},
    };
    for (const IndependentTimes& row : rows) {
        SCOPED_TRACE(QStringLiteral("%1.%2.").arg(row.day).arg(row.month).toStdString());
        expectNear(defaultPlace(at(2026, row.month, row.day)), row);
    }
}

TEST(SonnenZeiten, southernAndWesternPlaceStaysNearAnIndependentComputation)
{
    const IndependentTimes rows[] = {
        {10, 1, u"05:51"_qs, u"20:10"_qs, u"13:00"_qs},
        {10, 2, u"06:22"_qs, u"19:52"_qs, u"13:07"_qs},
        {10, 3, u"06:48"_qs, u"19:19"_qs, u"13:03"_qs},
        {10, 4, u"07:12"_qs, u"18:37"_qs, u"12:54"_qs},
        {10, 5, u"07:36"_qs, u"18:03"_qs, u"12:49"_qs},
        {10, 6, u"07:56"_qs, u"17:49"_qs, u"12:52"_qs},
        {10, 7, u"07:59"_qs, u"17:57"_qs, u"12:58"_qs},
        {10, 8, u"07:39"_qs, u"18:18"_qs, u"12:58"_qs},
        {10, 9, u"07:00"_qs, u"18:40"_qs, u"12:50"_qs},
        {10, 10, u"06:18"_qs, u"19:02"_qs, u"12:40"_qs},
        {10, 11, u"05:44"_qs, u"19:30"_qs, u"12:37"_qs},
        {10, 12, u"05:33"_qs, u"19:58"_qs, u"12:46"_qs},
    };
    for (const IndependentTimes& row : rows) {
        SCOPED_TRACE(QStringLiteral("%1.%2.").arg(row.day).arg(row.month).toStdString());
        expectNear(SonnenZeiten(at(2026, row.month, row.day), -34.36f, -58.23f, -3.0f, 0.0f), row);
    }
}

TEST(SonnenZeiten, noSunriseOrNoSunsetStillGivesThreeOrderedTimes)
{
    // 70° north: the sun stays below the horizon in December and above it in June.
    const Times winter = timesOf(SonnenZeiten(at(2026, 12, 21), 70.0f, 10.0f, 1.0f, 0.0f));
    EXPECT_LE(winter.sunrise, winter.culmination);
    EXPECT_LE(winter.culmination, winter.sunset);
    EXPECT_LE(winter.sunset - winter.sunrise, 20);

    const Times summer = timesOf(SonnenZeiten(at(2026, 6, 21), 70.0f, 10.0f, 1.0f, 0.0f));
    EXPECT_LE(summer.sunrise, 60);
    EXPECT_GE(summer.sunset, 23 * 60);
    EXPECT_LE(std::abs(2 * summer.culmination - summer.sunrise - summer.sunset), 20);
}
