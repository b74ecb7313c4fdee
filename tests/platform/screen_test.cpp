#include "platform/screen.h"
#include "support/fake_screen.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

namespace {

TEST(Screen, twipsPerPixelFollowTheLogicalResolution)
{
    struct Row {
        double dpi;
        double twips;
    };
    const Row rows[] = {{96, 15}, {120, 12}, {144, 10}, {72, 20}, {192, 7.5}, {0, 15}, {-5, 15}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dpi);
        EXPECT_DOUBLE_EQ(platform::twipsPerPixel(row.dpi), row.twips);
    }
}

TEST(Screen, sizeAndWorkAreaInTwipsUseEachDirectionsOwnResolution)
{
    FakeScreen fake;
    ScopedService guard(platform::setScreen, &fake);
    fake.setPixels(1024, 768);
    fake.setWorkArea(QRect(0, 30, 1024, 700));
    fake.setDpi(96, 120);

    platform::Screen& screen = platform::screen();
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelX(), 15);
    EXPECT_DOUBLE_EQ(screen.twipsPerPixelY(), 12);
    EXPECT_EQ(screen.widthPixels(), 1024);
    EXPECT_EQ(screen.heightPixels(), 768);
    EXPECT_DOUBLE_EQ(screen.widthTwips(), 15360);
    EXPECT_DOUBLE_EQ(screen.heightTwips(), 9216);
    EXPECT_EQ(screen.workAreaTwips(), QRectF(0, 360, 15360, 8400));
}

TEST(Screen, offscreenPlatformGivesUsableMetricsAndSortedFonts)
{
    ScopedService<platform::Screen> real(platform::setScreen, nullptr);
    const platform::ScreenMetrics metrics = platform::screen().metrics();
    EXPECT_GT(metrics.size.width(), 0);
    EXPECT_GT(metrics.size.height(), 0);
    EXPECT_GT(metrics.dpiX, 0);
    EXPECT_GT(metrics.dpiY, 0);
    EXPECT_TRUE(QRect(QPoint(0, 0), metrics.size).contains(metrics.workArea));

    const QStringList fonts = platform::screen().fontFamilies();
    EXPECT_FALSE(fonts.isEmpty());
    QStringList sorted = fonts;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(fonts, sorted);
}

} // namespace
