#include "foundation/version.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class Version : public ::testing::Test {
protected:
    void SetUp() override { foundation::resetVersion(); }
    void TearDown() override { foundation::resetVersion(); }
};

TEST_F(Version, textsOfTheProgramsOwnVersion)
{
    EXPECT_EQ(foundation::versionText, QString());
    EXPECT_EQ(foundation::VersionText(), s("2026.120001"));
    EXPECT_EQ(foundation::versionText, s("2026.120001"));
    EXPECT_EQ(foundation::versionPunkt, s("2026.12.0001"));
}

TEST_F(Version, minorAndRevisionHaveMinimumWidths)
{
    struct Row {
        int major, minor, revision;
        QString text;
        QString punkt;
    };
    const Row rows[] = {
        {2025, 4, 1806, s("2025.041806"), s("2025.04.1806")},
        {2026, 12, 7, s("2026.120007"), s("2026.12.0007")},
        {5, 3, 1, s("5.030001"), s("5.03.0001")},
        {2025, 123, 0, s("2025.1230000"), s("2025.123.0000")},
        {2025, 1, 12345, s("2025.0112345"), s("2025.01.12345")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.punkt.toStdString());
        foundation::setVersionFuerTests(row.major, row.minor, row.revision);
        EXPECT_EQ(foundation::VersionText(), row.text);
        EXPECT_EQ(foundation::versionText, row.text);
        EXPECT_EQ(foundation::versionPunkt, row.punkt);
    }
}

TEST_F(Version, ageCountsAMonthAsAThirteenthOfAYear)
{
    struct Row {
        const char* name;
        int major, minor;
        QDate today;
        double age;
    };
    const Row rows[] = {
        {"same month", 2025, 4, QDate(2025, 4, 30), 0.0},
        {"one month later", 2025, 4, QDate(2025, 5, 1), 1.0 / 13},
        {"December to January", 2025, 12, QDate(2026, 1, 1), 2.0 / 13},
        {"December of the next year", 2025, 4, QDate(2026, 12, 31), 1.0 + 8.0 / 13},
        {"clock set back", 2025, 4, QDate(2025, 3, 15), 0.0},
        {"two-digit year", 25, 4, QDate(2026, 4, 1), 1.0},
        {"tiny major counts from 2000", 5, 3, QDate(2006, 3, 1), 1.0},
    };
    FakeClock clock;
    ScopedService guard(platform::setClock, &clock);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        foundation::setVersionFuerTests(row.major, row.minor, 1);
        clock.setNow(QDateTime(row.today, QTime(12, 0)));
        EXPECT_FLOAT_EQ(foundation::ProgrammAlter(), static_cast<float>(row.age));
    }
}

} // namespace
