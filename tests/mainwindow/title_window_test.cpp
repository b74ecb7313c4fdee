// The title window: the picture of the day, the title display switch, the painted name, and the
// start-up steps of its timer driven tick by tick with the keys the test holds.
#include "mainwindow/title_window.h"

#include "foundation/debug_log.h"
#include "foundation/error_dialog.h"
#include "foundation/folders.h"
#include "foundation/product_info.h"
#include "foundation/ini_store.h"
#include "foundation/statistics.h"
#include "foundation/version.h"
#include "platform/command_line_text.h"
#include "support/fake_clock.h"
#include "support/fake_keyboard.h"
#include "support/fake_screen.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using mainwindow::Titel;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(FeierBild, picksThePictureOfTheDay)
{
    struct Case {
        int jahr, monat, tag;
        std::optional<int> bild;
    };
    const std::vector<Case> cases{
        {2024, 12, 25, 0},        {2020, 12, 21, 5},        // Monday: the second pass wins
        {2020, 12, 20, 6},        {2020, 12, 22, std::nullopt}, // Advent Sunday; Tuesday
        {2017, 4, 18, 9},         {2017, 4, 16, 9},
        {2017, 4, 19, 9},         {2017, 4, 20, std::nullopt},
        {2024, 1, 2, std::nullopt}, {2030, 1, 1, 7},
        {2030, 12, 31, 7},        {2030, 12, 6, 1},         // 6 December, a Friday
        {2030, 11, 29, 8},        {2030, 10, 31, 10},
        {2030, 12, 24, 0},        {2030, 12, 26, 0},
        {2030, 12, 27, std::nullopt}, {2030, 12, 1, 6},     // a Sunday
        {2030, 12, 2, std::nullopt}, {2030, 3, 20, std::nullopt}, // after 2022: no second pass
        {2014, 3, 20, std::nullopt}, {2022, 3, 20, 2},
        {2020, 6, 20, 3},         {2020, 6, 21, std::nullopt},
        {2015, 9, 23, 4},         {2016, 3, 28, 9},
        {2019, 12, 22, 5},        {2015, 12, 20, 6},        // Sunday 20.12.2015
        {2022, 4, 18, 9},         {2018, 4, 3, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1.%2.%3").arg(c.tag).arg(c.monat).arg(c.jahr).toStdString());
        EXPECT_EQ(mainwindow::feierBildNummer(c.jahr, c.monat, c.tag), c.bild);
    }
}

class TitelTest : public ::testing::Test {
protected:
    TitelTest()
    {
        previousHook = mainwindow::setHauptfensterZeigen([this](std::optional<int> status) {
            shown.push_back(status);
            if (duringShow)
                duringShow();
        });
        foundation::setFehlerBehandlungFuerTests([this](int nummer, const QString& text) {
            errors.push_back(QString::number(nummer) + QStringLiteral(" ") + text);
            return errorAnswer;
        });
        foundation::resetDebugLogbuch();
    }
    ~TitelTest() override
    {
        mainwindow::setHauptfensterZeigen(previousHook);
        foundation::setFehlerBehandlungFuerTests({});
        foundation::resetDebugLogbuch();
        foundation::resetVersion();
    }

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            titel->Zeit_Timer();
    }

    TempSettingsFolders settings;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 9, 0)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeKeyboard keys;
    ScopedService<platform::Keyboard> keysGuard{platform::setKeyboard, &keys};
    mainwindow::HauptfensterZeigen previousHook;
    std::vector<std::optional<int>> shown;
    std::function<void()> duringShow;
    std::vector<QString> errors;
    int errorAnswer = 5;
    Titel* titel = nullptr;
};

TEST_F(TitelTest, load_showsVersionAuthorAndOnlyThePictureOfTheDay)
{
    foundation::setVersionFuerTests(2027, 3, 12);
    for (const auto& [tag, bild] : std::vector<std::pair<rt::VbDate, int>>{
             {rt::dateTimeOf(2024, 12, 25, 8), 0},
             {rt::dateTimeOf(2017, 4, 18, 8), 9},
             {rt::dateTimeOf(2024, 1, 2, 8), -1}}) {
        clock.setNow(tag);
        titel = Titel::starten();
        SCOPED_TRACE(bild);
        EXPECT_TRUE(titel->isVisible());
        EXPECT_EQ(titel->bezInfoDo->text(), s("Lade Programm Version 2027.03.0012"));
        EXPECT_EQ(titel->BezAutor->text(), s("Copyright © 2026-2027 Brisols-Programme"));
        EXPECT_TRUE(titel->Emblem[0]->isVisible());
        for (int i = 0; i <= 10; ++i)
            EXPECT_EQ(titel->ImageFeier[static_cast<std::size_t>(i)]->isVisible(), i == bild) << i;
        if (bild >= 0) {
            // In the lower right corner, inside the window.
            const QLabel* picture = titel->ImageFeier[static_cast<std::size_t>(bild)];
            EXPECT_EQ(picture->x() + picture->width(), titel->width() - 7);
            EXPECT_EQ(picture->y() + picture->height(), titel->height() - 8);
        }
        EXPECT_TRUE(titel->Zeit->isActive());
        EXPECT_EQ(titel->Zeit->interval(), 200);
        titel->unload();
    }
}

TEST_F(TitelTest, titelAus_hidesTheWindowUnlessCtrlIsHeld_theStartUpRunsEitherWay)
{
    struct Case {
        const char* titelAus;
        bool ctrl;
        bool visible;
    };
    for (const Case& c : {Case{"0", false, true}, Case{"1", false, false}, Case{"1", true, true},
                          Case{"1.0", false, false}, Case{"2", false, true}}) {
        SCOPED_TRACE(std::string(c.titelAus) + (c.ctrl ? " Strg" : ""));
        foundation::IniSchreiben(QString(), QString(), s("TitelAus"), s(c.titelAus));
        keys.hold(c.ctrl ? Qt::ControlModifier : Qt::NoModifier);
        shown.clear();
        titel = Titel::starten();
        EXPECT_EQ(titel->titelAnzeige(), c.visible);
        EXPECT_EQ(titel->isVisible(), c.visible);
        keys.releaseAll();
        tick();
        EXPECT_EQ(shown.size(), 1u);
        tick();
        EXPECT_TRUE(titel->isUnloaded());
    }
}

TEST_F(TitelTest, paintedName_spansTheWidthLessTheMargin_upTo36Points_centredOnTheScreen)
{
    FakeScreen screen;
    ScopedService<platform::Screen> screenGuard(platform::setScreen, &screen);
    // At 96 DPI the window is wide enough for a name of 36 points; at 48 DPI (30 twips per
    // pixel) the name is fitted into the narrower window.
    for (const double dpi : {96.0, 48.0}) {
        SCOPED_TRACE(dpi);
        screen.setDpi(dpi);
        titel = Titel::starten();
        const double twipsPerPixel = 1440 / dpi;
        EXPECT_EQ(titel->x(), (1024 - titel->width()) / 2);
        EXPECT_EQ(titel->y(), (768 - titel->height()) / 2);
        const QImage bild = titel->grab().toImage();
        int links = bild.width();
        int rechts = -1;
        // The band at the top (the emblem below has orange in it too).
        for (int y = 0; y < 1200 / twipsPerPixel; ++y) {
            for (int x = 0; x < bild.width(); ++x) {
                if (bild.pixelColor(x, y) == QColor(255, 153, 51)) {
                    links = std::min(links, x);
                    rechts = std::max(rechts, x);
                }
            }
        }
        ASSERT_GE(rechts, 0) << "no orange name painted";
        const double frei = 900 / twipsPerPixel;
        const double breite = QFontMetricsF(titel->titelSchrift())
                                  .horizontalAdvance(foundation::produktName());
        const double punkte = titel->titelSchrift().pointSizeF();
        if (dpi == 96.0) {
            EXPECT_EQ(punkte, 36.0);
            EXPECT_LT(breite, titel->width() - frei);
        } else {
            EXPECT_LT(punkte, 36.0);
            EXPECT_NEAR(breite, titel->width() - frei, 3);
        }
        // Glyph edges lie a few pixels inside the advance.
        EXPECT_NEAR(rechts - links + 1, breite, 8);
        EXPECT_NEAR(links, (titel->width() - breite) / 2 - 2, 5);
        titel->unload();
    }
}

TEST_F(TitelTest, plainStart_showsTheMainWindowOnTheFirstTickAndUnloadsOnTheSecond)
{
    titel = Titel::starten();
    EXPECT_TRUE(shown.empty());
    tick();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::optional<int>(platform::vbNormal));
    EXPECT_FALSE(titel->isUnloaded());
    tick();
    EXPECT_TRUE(titel->isUnloaded());
    EXPECT_FALSE(titel->Zeit->isActive());
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(foundation::debugModus, 0);
}

TEST_F(TitelTest, startState_isHandedToTheMainWindowUnlessNoWinStateSet)
{
    struct Case {
        int start;
        const char* noWinStateSet;
        std::optional<int> handed;
    };
    for (const Case& c : {Case{platform::vbMaximized, "0", platform::vbMaximized},
                          Case{platform::vbMinimized, "", platform::vbMinimized},
                          Case{platform::vbNormal, "0", platform::vbNormal},
                          Case{platform::vbMaximized, "1", std::nullopt},
                          Case{platform::vbMaximized, "1 ", std::nullopt}, // trimmed: "1"
                          Case{platform::vbMaximized, "01", platform::vbMaximized}}) {
        SCOPED_TRACE(QStringLiteral("%1 '%2'").arg(c.start).arg(s(c.noWinStateSet)).toStdString());
        foundation::IniSchreiben(QString(), QString(), s("NoWinStateSet"), s(c.noWinStateSet));
        shown.clear();
        titel = new Titel;
        titel->setWindowStateVb(c.start);
        titel->show();
        EXPECT_EQ(titel->startFensterStatus(), c.start);
        EXPECT_EQ(titel->windowStateVb(), platform::vbNormal);
        // Later resizes change nothing.
        titel->setWindowStateVb(platform::vbMaximized);
        titel->setWindowStateVb(platform::vbNormal);
        EXPECT_EQ(titel->startFensterStatus(), c.start);
        tick();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], c.handed);
        titel->unload();
    }
}

TEST_F(TitelTest, ctrlAlone_showsTheUsageStatisticsAndWaitsUntilReleased)
{
    foundation::IniSchreiben(QString(), QString(), s("Stat_StartFirst"), s("05.02.2024"));
    foundation::IniSchreiben(QString(), QString(), s("Stat_Starts"), s("62"));
    foundation::IniSchreiben(QString(), QString(), s("Stat_RunMinutes"), s("600"));
    titel = Titel::starten();
    keys.hold(Qt::ControlModifier);
    tick(5);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(titel->zeitTicks(), 0);
    EXPECT_EQ(titel->bezInfoDo->text(), foundation::NutzungsStatistikText(2));
    EXPECT_TRUE(titel->bezInfoDo->text().contains(s("pro Tag")));
    EXPECT_FALSE(titel->bezInfoGroß->isVisible());

    // Ctrl with Shift or Alt is not the statistics.
    keys.hold(Qt::ControlModifier | Qt::ShiftModifier);
    tick();
    EXPECT_EQ(shown.size(), 1u);
    keys.releaseAll();
    tick();
    EXPECT_TRUE(titel->isUnloaded());
}

TEST_F(TitelTest, ctrlAlt_showsTheFoldersInUseAndWaitsUntilReleased)
{
    for (const auto held : {Qt::ControlModifier | Qt::AltModifier,
                            Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier}) {
        SCOPED_TRACE(static_cast<int>(held));
        shown.clear();
        titel = Titel::starten();
        keys.hold(held);
        tick(3);
        EXPECT_TRUE(shown.empty());
        EXPECT_FALSE(titel->Emblem[0]->isVisible());
        EXPECT_TRUE(titel->bezInfoGroß->isVisible());
        EXPECT_EQ(titel->bezInfoGroß->x(), 8);
        EXPECT_EQ(titel->bezInfoGroß->width(), titel->width() - 16);
        EXPECT_EQ(titel->bezInfoGroß->text(),
                  s("Im welchem Ordner wird was erwartet:\r\n\r\n- Programm:\r\n   ")
                      + settings.programFolder() + s("\r\n\r\n- Daten:\r\n   ")
                      + foundation::ordnerDat + s("\r\n"));
        EXPECT_FALSE(foundation::ordnerDat.isEmpty());
        keys.releaseAll();
        tick();
        EXPECT_EQ(shown.size(), 1u);
        titel->unload();
    }
}

TEST_F(TitelTest, debugSwitch_byKeysOrCommandLine_startsTheLogEmptyOnce)
{
    struct Case {
        const char* name;
        Qt::KeyboardModifiers keys;
        QStringList arguments;
        bool on;
    };
    const std::vector<Case> cases{
        {"Strg+Umschalt", Qt::ControlModifier | Qt::ShiftModifier, {}, true},
        {"#debug", Qt::NoModifier, {s("Datum=1.1.2024"), s("#DEBUG")}, true},
        {"Umschalt allein", Qt::ShiftModifier, {s("#debu")}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        foundation::resetDebugLogbuch();
        platform::setCommandLine(c.arguments);
        shown.clear();
        titel = Titel::starten();
        const QString log = foundation::debugDatei;
        ASSERT_FALSE(log.isEmpty());
        {
            QFile old(log);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("alter Lauf\r\n");
        }
        keys.hold(c.keys);
        tick();
        EXPECT_EQ(QFile::exists(log), !c.on);
        EXPECT_EQ(foundation::debugModus == 1, c.on);
        // The main window is shown on the first tick, the log being on or not.
        EXPECT_EQ(shown.size(), 1u);
        if (c.on) {
            EXPECT_EQ(titel->bezInfoDo->text(), s("Das Debug-Logbuch ist aktiviert:\r\n") + log);
            EXPECT_TRUE(titel->bezInfoDo->font().bold());
            EXPECT_EQ(titel->bezInfoDo->palette().color(QPalette::WindowText),
                      QColor(255, 64, 64));
            // What the main window's load writes meanwhile stays.
            foundation::DebugLogbuch(s("Hauptfenster geladen"));
            ASSERT_TRUE(QFile::exists(log));
            keys.hold(c.keys);
            tick();
            EXPECT_TRUE(QFile::exists(log));
            EXPECT_TRUE(titel->isUnloaded());
        } else {
            EXPECT_EQ(titel->bezInfoDo->text(), s("Lade Programm Version ") + foundation::versionPunkt);
            EXPECT_FALSE(titel->bezInfoDo->font().bold());
            titel->unload();
            QFile::remove(log);
        }
        keys.releaseAll();
    }
    platform::resetCommandLine();
    EXPECT_TRUE(errors.empty());
}

TEST_F(TitelTest, debugLogThatCannotBeDeleted_isReportedOnce_andTheStartUpGoesOn)
{
    for (const int answer : {5, 2}) {
        SCOPED_TRACE(answer);
        errors.clear();
        shown.clear();
        errorAnswer = answer;
        foundation::resetDebugLogbuch();
        titel = Titel::starten();
        // A folder in the log's place cannot be deleted as a file.
        ASSERT_TRUE(QDir().mkpath(foundation::debugDatei + QStringLiteral("/inhalt")));
        keys.hold(Qt::ControlModifier | Qt::ShiftModifier);
        tick();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0],
                  s("75 Es ist ein Fehler beim Aufbau des Titelbildes aufgetreten #1"));
        // Going on shows the main window in the same tick; stopping ends the tick, and the main
        // window comes on the next one.
        EXPECT_EQ(shown.size(), answer == 5 ? 1u : 0u);
        tick();
        EXPECT_EQ(shown.size(), 1u);
        tick();
        EXPECT_TRUE(titel->isUnloaded());
        EXPECT_EQ(errors.size(), 1u);
        keys.releaseAll();
        QDir(foundation::debugDatei).removeRecursively();
    }
}

TEST_F(TitelTest, ticksDuringTheMainWindowsLoad_areLeftOut)
{
    titel = Titel::starten();
    int nested = 0;
    duringShow = [&] {
        // The main window's load pumps events and shows dialogs; the timer fires meanwhile.
        tick(3);
        ++nested;
        EXPECT_FALSE(titel->isUnloaded());
        EXPECT_EQ(titel->zeitTicks(), 1);
    };
    tick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(shown.size(), 1u);
    duringShow = nullptr;
    tick();
    EXPECT_TRUE(titel->isUnloaded());
}

TEST_F(TitelTest, mainWindowThatUnloadsTheTitleWindow_endsTheTicks)
{
    titel = Titel::starten();
    duringShow = [&] { titel->unload(); };
    tick();
    EXPECT_TRUE(titel->isUnloaded());
    EXPECT_FALSE(titel->Zeit->isActive());
    EXPECT_EQ(shown.size(), 1u);
}

} // namespace
