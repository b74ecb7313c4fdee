#include "textlib/calendar.h"
#include "foundation/error_dialog.h"

#include "runtime/error.h"
#include "runtime/format.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/fake_dialogs.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QDate>
#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace textlib;

namespace {

rt::VbDate at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return rt::dateTimeOf(year, month, day, hour, minute, second);
}

QString shown(const std::optional<rt::VbDate>& date)
{
    return date ? rt::CStr(*date) : QStringLiteral("(nichts)");
}

// Records what reaches the error dialog and answers from a list (then 2).
class ErrorDialogRecorder {
public:
    struct Call {
        int number;
        QString text;
    };

    explicit ErrorDialogRecorder(std::vector<int> answers = {}) : answers_(std::move(answers))
    {
        foundation::setFehlerBehandlungFuerTests([this](int number, const QString& text) {
            calls.push_back({number, text});
            if (next_ < answers_.size())
                return answers_[next_++];
            return 2;
        });
    }
    ~ErrorDialogRecorder() { foundation::setFehlerBehandlungFuerTests({}); }
    ErrorDialogRecorder(const ErrorDialogRecorder&) = delete;
    ErrorDialogRecorder& operator=(const ErrorDialogRecorder&) = delete;

    std::vector<Call> calls;

private:
    std::vector<int> answers_;
    std::size_t next_ = 0;
};

} // namespace

TEST(DatumSprung, movesTheStartByAmountAndUnit)
{
    struct Case {
        const char* name;
        rt::VbDate start;
        QString jump;
        rt::VbDate expected;
    } cases[] = {
        {"days", at(2026, 12, 8), u"3d"_qs, at(2026, 12, 11)},
        {"days with t", at(2026, 12, 8), u"3T"_qs, at(2026, 12, 11)},
        {"weeks", at(2026, 12, 8), u"2w"_qs, at(2026, 12, 22)},
        {"weeks in capitals", at(2026, 12, 8), u"-3W"_qs, at(2026, 11, 17)},
        {"fractional weeks to whole days", at(2026, 12, 8), u"1,5w"_qs, at(2026, 12, 18)},
        {"fractional months to days", at(2026, 12, 8), u"-1,5m"_qs, at(2026, 10, 23)},
        {"fractional months with a point", at(2026, 12, 8), u"1.5m"_qs, at(2027, 1, 23)},
        {"half a year is 183 days", at(2026, 12, 8), u"0.5y"_qs, at(2027, 6, 9)},
        {"one and a half years", at(2026, 12, 8), u"1,5j"_qs, at(2028, 6, 8)},
        {"half to the even neighbour", at(2026, 12, 8), u"2.5d"_qs, at(2026, 12, 10)},
        {"half to the even neighbour upwards", at(2026, 12, 8), u"3.5d"_qs, at(2026, 12, 12)},
        {"negative half", at(2026, 12, 8), u"-2,5d"_qs, at(2026, 12, 6)},
        {"number alone is days", at(2026, 12, 8), u"12"_qs, at(2026, 12, 20)},
        {"plus sign", at(2026, 12, 8), u"+5d"_qs, at(2026, 12, 13)},
        {"blanks are skipped", at(2026, 12, 8), u" 1 2 d"_qs, at(2026, 12, 20)},
        {"unknown letter without number", at(2026, 12, 8), u"x"_qs, at(2026, 12, 8)},
        {"empty jump", at(2026, 12, 8), u""_qs, at(2026, 12, 8)},
        {"unknown letter is days", at(2026, 12, 8), u"4x"_qs, at(2026, 12, 12)},
        {"no exponent is read", at(2026, 12, 8), u"1e2d"_qs, at(2026, 12, 9)},
        {"no hexadecimal prefix is read", at(2026, 12, 8), u"&h10d"_qs, at(2026, 12, 8)},
        {"the second point ends the number", at(2026, 12, 8), u"1.2.3d"_qs, at(2026, 12, 9)},
        {"years", at(2026, 12, 8), u"2y"_qs, at(2028, 12, 8)},
        {"years with a", at(2026, 12, 8), u"-1a"_qs, at(2025, 12, 8)},
        {"months", at(2026, 12, 8), u"-12m"_qs, at(2025, 12, 8)},
        {"month end clamps", at(2026, 1, 31), u"1m"_qs, at(2026, 2, 28)},
        {"leap day clamps", at(2024, 2, 29), u"1y"_qs, at(2025, 2, 28)},
        {"hours", at(2026, 12, 8, 10), u"3h"_qs, at(2026, 12, 8, 13)},
        {"hours over midnight", at(2026, 12, 8, 22), u"3h"_qs, at(2026, 12, 9, 1)},
        {"fractional hours rounded", at(2026, 12, 8, 10), u"1.5h"_qs, at(2026, 12, 8, 12)},
        {"minutes", at(2026, 12, 8, 10), u"90n"_qs, at(2026, 12, 8, 11, 30)},
        {"seconds", at(2026, 12, 8, 10), u"-45s"_qs, at(2026, 12, 8, 9, 59, 15)},
        {"time of the start kept", at(2026, 12, 8, 14, 30), u"1d"_qs, at(2026, 12, 9, 14, 30)},
        {"largest amount", at(2026, 12, 8), u"32767d"_qs, at(2116, 8, 25)},
        {"smallest amount", at(2026, 12, 8), u"-32768d"_qs, at(1937, 3, 22)},
        {"before 1900", at(1850, 3, 1, 6), u"-1d"_qs, at(1850, 2, 28, 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorDialogRecorder errors;
        EXPECT_EQ(shown(DatumSprung(c.start, c.jump)), shown(c.expected));
        EXPECT_TRUE(errors.calls.empty());
    }
}

TEST(DatumSprung, jumpThatIsADateIsTheResult)
{
    FakeClock clock(at(2026, 12, 8, 9, 30));
    ScopedService guard(platform::setClock, &clock);
    EXPECT_EQ(shown(DatumSprung(at(2026, 12, 8), u"24.12.2026"_qs)), u"24.12.2026"_qs);
    EXPECT_EQ(shown(DatumSprung(at(2026, 12, 8), u"24.12.2026 18:00"_qs)),
              u"24.12.2026 18:00:00"_qs);
    // A short day and month is a date of the current year, not an amount of days.
    EXPECT_EQ(shown(DatumSprung(at(2020, 1, 1), u"5.3."_qs)), u"05.03.2026"_qs);
}

TEST(DatumSprung, jumpOfEightCharactersGivesNothing)
{
    ErrorDialogRecorder errors;
    EXPECT_EQ(DatumSprung(at(2026, 12, 8), u"12345678"_qs), std::nullopt);
    EXPECT_EQ(DatumSprung(at(2026, 12, 8), u"-100000d"_qs), std::nullopt);
    EXPECT_EQ(shown(DatumSprung(at(2026, 12, 8), u"1234567"_qs)), u"(nichts)"_qs); // beyond 16 bits
    EXPECT_EQ(errors.calls.size(), 1u);
}

TEST(DatumSprung, startAsText)
{
    FakeClock clock(at(2026, 12, 8, 9, 30));
    ScopedService guard(platform::setClock, &clock);
    ErrorDialogRecorder errors;
    EXPECT_EQ(shown(DatumSprung(u"1.3.2026"_qs, u"-1d"_qs)), u"28.02.2026"_qs);
    EXPECT_EQ(shown(DatumSprung(u"1.3.2026 12:00"_qs, u"1h"_qs)), u"01.03.2026 13:00:00"_qs);
    // A start that is no date is now.
    EXPECT_EQ(shown(DatumSprung(u""_qs, u"3d"_qs)), u"11.12.2026 09:30:00"_qs);
    EXPECT_EQ(shown(DatumSprung(u"morgen"_qs, u"-1w"_qs)), u"01.12.2026 09:30:00"_qs);
    EXPECT_TRUE(errors.calls.empty());
}

TEST(DatumSprung, amountBeyond16Bits_goesToTheErrorDialog)
{
    ErrorDialogRecorder errors({2});
    EXPECT_EQ(DatumSprung(at(2026, 12, 8), u"32768d"_qs), std::nullopt);
    ASSERT_EQ(errors.calls.size(), 1u);
    EXPECT_EQ(errors.calls[0].number, rt::ErrOverflow);
    EXPECT_EQ(errors.calls[0].text,
              u"Es ist ein Fehler beim Auswerten von »DateJump,08.12.2026, 32768d« aufgetreten."_qs);
    EXPECT_FALSE(rt::Err());
}

TEST(DatumSprung, errorDialogNamesTheStartAsGiven)
{
    FakeClock clock(at(2026, 12, 8, 9, 30));
    ScopedService guard(platform::setClock, &clock);
    ErrorDialogRecorder errors;
    EXPECT_EQ(DatumSprung(u"8.12.2026"_qs, u"50000w"_qs), std::nullopt);
    EXPECT_EQ(DatumSprung(u"kein Datum"_qs, u"-40000"_qs), std::nullopt);
    EXPECT_EQ(DatumSprung(at(2026, 12, 8, 14, 30), u"33000"_qs), std::nullopt);
    ASSERT_EQ(errors.calls.size(), 3u);
    EXPECT_EQ(errors.calls[0].text,
              u"Es ist ein Fehler beim Auswerten von »DateJump,8.12.2026, 50000w« aufgetreten."_qs);
    EXPECT_EQ(errors.calls[1].text,
              u"Es ist ein Fehler beim Auswerten von »DateJump,08.12.2026 09:30:00, -40000« aufgetreten."_qs);
    EXPECT_EQ(errors.calls[2].text,
              u"Es ist ein Fehler beim Auswerten von »DateJump,08.12.2026 14:30:00, 33000« aufgetreten."_qs);
}

TEST(DatumSprung, anOverflowGivesNothingWhateverTheAnswer)
{
    // Going on must not add the amount as it stands: "40000d" would jump 110 years.
    ErrorDialogRecorder errors({5, 2});
    EXPECT_EQ(shown(DatumSprung(at(2026, 12, 8), u"40000d"_qs)), u"(nichts)"_qs);
    EXPECT_EQ(shown(DatumSprung(at(2026, 12, 8), u"40000d"_qs)), u"(nichts)"_qs);
    EXPECT_EQ(errors.calls.size(), 2u);
}

TEST(DatumSprung, resultOutsideTheDateRange_goesToTheErrorDialog)
{
    struct Case {
        const char* name;
        rt::VbDate start;
        QString jump;
        std::vector<int> answers;
        std::vector<int> numbers;
    } cases[] = {
        {"years beyond 9999, stop", at(2026, 12, 8), u"9000y"_qs, {2}, {rt::ErrInvalidCall}},
        {"years beyond 9999, go on", at(2026, 12, 8), u"9000y"_qs, {5}, {rt::ErrInvalidCall}},
        {"before the year 100", at(150, 1, 1), u"-60y"_qs, {5}, {rt::ErrInvalidCall}},
        {"overflow, go on: no second step", at(2026, 12, 8), u"99999y"_qs, {5},
         {rt::ErrOverflow}},
        {"overflow, stop at once", at(2026, 12, 8), u"99999y"_qs, {2}, {rt::ErrOverflow}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ErrorDialogRecorder errors(c.answers);
        EXPECT_EQ(DatumSprung(c.start, c.jump), std::nullopt);
        std::vector<int> numbers;
        for (const auto& call : errors.calls)
            numbers.push_back(call.number);
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_FALSE(rt::Err());
    }
}

TEST(DatumSprung, overflowShowsTheCentralErrorDialog_cancelStopsTheJump)
{
    TempSettingsFolders folders;
    FakeDialogs dialogs;
    ScopedService guard(platform::setDialogs, &dialogs);
    dialogs.expectMsgBox(platform::vbCancel, u"Es ist ein Fehler im Programm Korvanel aufgetreten."_qs);
    EXPECT_EQ(DatumSprung(at(2026, 12, 8), u"40000d"_qs), std::nullopt);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].title, u"Fehler im Programm Korvanel"_qs);
}

TEST(Kalenderwoche, knownWeeksAtTheTurnOfTheYear)
{
    struct Case {
        QString date;
        int week;
    } cases[] = {
        {u"29.12.1975"_qs, 1},  {u"02.01.1977"_qs, 53}, {u"01.01.2000"_qs, 52},
        {u"03.01.2000"_qs, 1},  {u"01.01.2021"_qs, 53}, {u"03.01.2021"_qs, 53},
        {u"04.01.2021"_qs, 1},  {u"31.12.2024"_qs, 1},  {u"29.12.2025"_qs, 1},
        {u"28.12.2025"_qs, 52}, {u"08.12.2026"_qs, 50}, {u"31.12.2026"_qs, 53},
        {u"01.01.2027"_qs, 53}, {u"31.12.2024 23:59"_qs, 1},
        // A time after noon behind a short date does not move the week (Sunday 10.03.2024).
        {u"10.3.24 23:59"_qs, 10}, {u"10.3.24"_qs, 10},
        {u"2024-12-31"_qs, 1},
        {u"kein Datum"_qs, 0},  {u""_qs, 0}, {u"31.02.2024"_qs, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toStdString());
        EXPECT_EQ(Kalenderwoche(c.date), c.week);
    }
    EXPECT_EQ(Kalenderwoche(at(2024, 12, 29, 23, 59, 59)), 52);
}

TEST(Kalenderwoche, everyDayFrom1500To2200AgreesWithQDate)
{
    int mismatches = 0;
    for (QDate d(1500, 1, 1); d <= QDate(2200, 12, 31) && mismatches < 5; d = d.addDays(1)) {
        const rt::VbDate value = rt::fromDayAndFraction(QDate(1899, 12, 30).daysTo(d), 0.5);
        const int week = Kalenderwoche(value);
        if (week != d.weekNumber()) {
            ++mismatches;
            ADD_FAILURE() << d.toString(Qt::ISODate).toStdString() << ": " << week
                          << " instead of " << d.weekNumber();
        }
    }
}

TEST(Sommerzeit, daysAroundTheSwitches)
{
    struct Case {
        QString date;
        bool summer;
    } cases[] = {
        {u"29.03.2026"_qs, true},         {u"29.03.2026 00:00"_qs, true},
        {u"28.03.2026 23:59"_qs, false},  {u"24.10.2026 23:59"_qs, true},
        {u"25.10.2026"_qs, false},        {u"25.10.2026 01:00"_qs, false},
        {u"15.07.2026"_qs, true},         {u"15.01.2026"_qs, false},
        // Before 1996 summer time ended in September.
        {u"23.09.1995"_qs, true},         {u"24.09.1995"_qs, false},
        {u"15.10.1995"_qs, false},        {u"26.10.1996"_qs, true},
        {u"27.10.1996"_qs, false},        {u"29.09.1996"_qs, true},
        // No summer time before 1980.
        {u"15.07.1979"_qs, false},        {u"30.03.1980"_qs, true},
        {u"29.03.1980"_qs, false},        {u"27.09.1980"_qs, true},
        {u"28.09.1980"_qs, false},
        // The rule goes on in later centuries.
        {u"15.01.3000"_qs, false},        {u"15.07.3000"_qs, true},
        {u"kein Datum"_qs, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toStdString());
        EXPECT_EQ(Sommerzeit(c.date), c.summer);
    }
}

TEST(Sommerzeit, everyYearFrom1980AgreesWithTheLastSundays)
{
    const auto lastSunday = [](int year, int month) {
        const QDate last(year, month, QDate(year, month, 1).daysInMonth());
        return last.addDays(-(last.dayOfWeek() % 7));
    };
    const auto value = [](QDate d) {
        return rt::fromDayAndFraction(QDate(1899, 12, 30).daysTo(d), 0.75);
    };
    int mismatches = 0;
    for (int year = 1970; year <= 3100 && mismatches < 5; ++year) {
        const QDate start = lastSunday(year, 3);
        const QDate end = lastSunday(year, year < 1996 ? 9 : 10);
        for (QDate d = QDate(year, 1, 1); d <= QDate(year, 12, 31); d = d.addDays(1)) {
            const bool expected = year >= 1980 && d >= start && d < end;
            if (Sommerzeit(value(d)) != expected) {
                ++mismatches;
                ADD_FAILURE() << d.toString(Qt::ISODate).toStdString();
                break;
            }
        }
    }
}

TEST(Sommerzeit, agreesWithTheTimeZoneDatabaseAtNoon)
{
    // The zone database knows the German switches; at noon a switch day is already on its new
    // side, which is how whole days are counted here. (1980 began on 6 April in Germany, a week
    // after the rule's last Sunday of March, so the comparison starts in 1981.)
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        GTEST_SKIP() << "no time zone database";
    int mismatches = 0;
    for (QDate d(1981, 1, 1); d <= QDate(2037, 12, 31) && mismatches < 5; d = d.addDays(1)) {
        const bool expected = berlin.isDaylightTime(QDateTime(d, QTime(12, 0), berlin));
        if (Sommerzeit(rt::dateTimeOf(d.year(), d.month(), d.day())) != expected) {
            ++mismatches;
            ADD_FAILURE() << d.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(TageImJahr, leapYearsOfTheGregorianCalendar)
{
    struct Case {
        int year, days;
    } cases[] = {
        {1900, 365}, {2000, 366}, {2100, 365}, {2024, 366}, {2026, 365}, {1600, 366},
        {96, 366}, {99, 365}, {0, 365}, {4, 366}, {100, 365}, {400, 366},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(TageImJahr(c.year), c.days);
    }
    for (int year = 100; year <= 3000; ++year)
        EXPECT_EQ(TageImJahr(year), QDate::isLeapYear(year) ? 366 : 365) << year;
}

TEST(TageImMonat, daysOfEveryMonth)
{
    EXPECT_EQ(TageImMonat(u"15.02.2024"_qs), 29);
    EXPECT_EQ(TageImMonat(u"15.02.2100"_qs), 28);
    EXPECT_EQ(TageImMonat(u"01.04.2026"_qs), 30);
    EXPECT_EQ(TageImMonat(u"31.12.2026 23:00"_qs), 31);
    for (int year = 1500; year <= 2200; ++year) {
        for (int month = 1; month <= 12; ++month)
            EXPECT_EQ(TageImMonat(at(year, month, 1)),
                      QDate(year, month, 1).daysInMonth()) << year << "-" << month;
    }
}

TEST(TageImMonat, noDate_setsTheConversionError)
{
    rt::clearError();
    EXPECT_EQ(TageImMonat(u"kein Datum"_qs), 0);
    EXPECT_EQ(rt::Err().number, rt::ErrTypeMismatch);
    rt::clearError();
}

TEST(JulianischesDatum, knownInstants)
{
    struct Case {
        QString date;
        double julianDay;
    } cases[] = {
        {u"01.01.2000 12:00:00"_qs, 2451545.0},
        {u"01.01.2000"_qs, 2451544.5},
        {u"01.01.2000 18:00"_qs, 2451545.25},
        {u"04.10.1957 19:26:24"_qs, 2436116.31},
        {u"15.10.1582"_qs, 2299160.5},
        {u"kein Datum"_qs, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.toStdString());
        EXPECT_NEAR(JulianischesDatum(c.date), c.julianDay, 1e-6);
    }
}

TEST(JulianischesDatum, everyNoonFrom1500To2200AgreesWithQDate)
{
    int mismatches = 0;
    for (QDate d(1500, 1, 1); d <= QDate(2200, 12, 31) && mismatches < 5; d = d.addDays(1)) {
        const double jd = JulianischesDatum(rt::dateTimeOf(d.year(), d.month(), d.day(), 12));
        if (jd != static_cast<double>(d.toJulianDay())) {
            ++mismatches;
            ADD_FAILURE() << d.toString(Qt::ISODate).toStdString() << ": " << jd;
        }
    }
}

namespace {

// A temporary Brisol.ini and a module state read afresh.
class Zeiten : public ::testing::Test {
protected:
    void SetUp() override { resetKalender(); }
    void TearDown() override { resetKalender(); }

    void setUt(const QByteArray& value)
    {
        folders.writeSettingsFile(u"Brisol.ini"_qs, "[Allgemein]\r\nUT=" + value + "\r\n");
    }

    TempSettingsFolders folders;
};

} // namespace

TEST_F(Zeiten, standardTimeAndUniversalTimeInWinterAndSummer)
{
    struct Case {
        const char* name;
        rt::VbDate date, mez, ut;
    } cases[] = {
        {"winter", at(2026, 12, 8, 12), at(2026, 12, 8, 12), at(2026, 12, 8, 11)},
        {"summer", at(2026, 7, 8, 12), at(2026, 7, 8, 11), at(2026, 7, 8, 10)},
        {"first summer day just after midnight", at(2026, 3, 29, 0, 30), at(2026, 3, 28, 23, 30),
         at(2026, 3, 28, 22, 30)},
        {"last summer day", at(2026, 10, 24, 1), at(2026, 10, 24, 0), at(2026, 10, 23, 23)},
        {"no summer time before 1980", at(1979, 7, 1, 12), at(1979, 7, 1, 12), at(1979, 7, 1, 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZeitenBerechnen(c.date);
        EXPECT_EQ(shown(mezZeit), shown(c.mez));
        EXPECT_EQ(shown(utZeit), shown(c.ut));
        ASSERT_TRUE(julianTag.has_value());
        EXPECT_EQ(*julianTag, JulianischesDatum(c.ut));
        EXPECT_EQ(utStunden, 1);
    }
}

TEST_F(Zeiten, julianDayOfALocalTime)
{
    EXPECT_NEAR(ZeitwertBerechnen(u"01.01.2000 13:00"_qs), 2451545.0, 1e-9);
    EXPECT_NEAR(ZeitwertBerechnen(at(2000, 7, 1, 14)), 2451727.0, 1e-9);
    EXPECT_EQ(shown(mezZeit), u"01.07.2000 13:00:00"_qs);
}

TEST_F(Zeiten, utIsReadOnceARun)
{
    setUt("3");
    ZeitenBerechnen(at(2026, 12, 8, 12));
    EXPECT_EQ(utStunden, 3);
    EXPECT_EQ(shown(mezZeit), u"08.12.2026 10:00:00"_qs);
    EXPECT_EQ(shown(utZeit), u"08.12.2026 09:00:00"_qs);

    setUt("0");
    ZeitenBerechnen(at(2026, 12, 8, 12));
    EXPECT_EQ(utStunden, 3);

    resetKalender();
    ZeitenBerechnen(at(2026, 12, 8, 12));
    EXPECT_EQ(utStunden, 0);
    EXPECT_EQ(shown(mezZeit), u"08.12.2026 13:00:00"_qs);
    EXPECT_EQ(shown(utZeit), u"08.12.2026 12:00:00"_qs);
}

TEST_F(Zeiten, utSettingsTakenAsLeadingWholeNumber)
{
    struct Case {
        QByteArray value;
        int hours;
    } cases[] = {
        {"2 Stunden", 2}, {"keine", 0}, {"", 0}, {"1.5", 2}, {"2.5", 2}, {"-5", -5}, {"99999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        resetKalender();
        setUt(c.value);
        ZeitenBerechnen(at(2026, 12, 8, 12));
        EXPECT_EQ(utStunden, c.hours);
        EXPECT_FALSE(rt::Err());
    }
}

TEST_F(Zeiten, utSettingWithAnyLineEnds)
{
    const QByteArray variants[] = {
        "[Korvanel]\r\nx=1\r\n[Allgemein]\r\nUT=4\r\n",
        "[Korvanel]\nx=1\n[Allgemein]\nUT=4\n",
        "[Korvanel]\rx=1\r[Allgemein]\rUT=4\r",
    };
    for (const QByteArray& bytes : variants) {
        SCOPED_TRACE(bytes.toStdString());
        resetKalender();
        folders.writeSettingsFile(u"Brisol.ini"_qs, bytes);
        ZeitenBerechnen(at(2026, 12, 8, 12));
        EXPECT_EQ(utStunden, 4);
    }
}

TEST_F(Zeiten, noDate_reportsAndKeepsTheState)
{
    FakeDialogs dialogs;
    ScopedService guard(platform::setDialogs, &dialogs);
    ZeitenBerechnen(at(2026, 12, 8, 12));
    dialogs.expectMsgBox(platform::vbOK).expectMsgBox(platform::vbOK);

    ZeitenBerechnen(u"32.12.2026"_qs);
    EXPECT_EQ(ZeitwertBerechnen(u"morgen"_qs), JulianischesDatum(at(2026, 12, 8, 11)));

    EXPECT_EQ(shown(mezZeit), u"08.12.2026 12:00:00"_qs);
    ASSERT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.calls()[0].text,
              u"Kein gültiges Datum »32.12.2026« übergeben. #Berechnung diverser Zeiten."_qs);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbCritical);
    EXPECT_EQ(dialogs.calls()[1].text,
              u"Kein gültiges Datum »morgen« übergeben. #Berechnung diverser Zeiten."_qs);
}

TEST_F(Zeiten, noStateBeforeTheFirstCall)
{
    FakeDialogs dialogs;
    ScopedService guard(platform::setDialogs, &dialogs);
    dialogs.expectMsgBox(platform::vbOK);
    EXPECT_EQ(ZeitwertBerechnen(u""_qs), 0.0);
    EXPECT_FALSE(mezZeit.has_value());
    EXPECT_FALSE(utZeit.has_value());
}
