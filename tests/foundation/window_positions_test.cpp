#include "foundation/window_positions.h"
#include "platform/command_line_text.h"
#include "platform/form.h"
#include "support/fake_screen.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cmath>

using foundation::Fenster_PosLoad;
using foundation::Fenster_PosSave;
using platform::TwipsGeometry;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList arguments(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(s(item));
    return list;
}

// Stored values of one window; nullptr: the key is missing.
struct Gespeichert {
    const char* hoehe = nullptr;
    const char* weite = nullptr;
    const char* links = nullptr;
    const char* oben = nullptr;
    const char* state = nullptr;
};

// Windows a test leaves loaded are destroyed after it by the test main().
class WindowPositions : public ::testing::Test {
protected:
    // The screen: 1024 x 768 pixels at 96 DPI, 15360 x 11520 twips.
    void SetUp() override { screen.setPixels(1024, 768); }

    // A window as its constructor builds it: 400 x 300 pixels (6000 x 4500 twips) at 7, 9.
    template <class Window = platform::Form>
    Window* fenster(int borderStyle = platform::borderSizable)
    {
        auto* window = new Window;
        window->setObjectName(s("Versuch"));
        window->setBorderStyle(borderStyle);
        window->move(7, 9);
        window->resize(400, 300);
        return window;
    }

    // Brisol.ini holding the values of the window "Suche" in the program's section.
    void speichern(const Gespeichert& werte) const
    {
        QByteArray ini = "[Korvanel]\r\n";
        const auto zeile = [&ini](const char* schluessel, const char* wert) {
            if (wert)
                ini += QByteArray(schluessel) + "Suche=" + wert + "\r\n";
        };
        zeile("Form_H\xF6he", werte.hoehe);
        zeile("Form_Weite", werte.weite);
        zeile("Form_Links", werte.links);
        zeile("Form_Oben", werte.oben);
        zeile("Form_State", werte.state);
        folders.writeSettingsFile(s("Brisol.ini"), ini);
    }

    // Where a window of that geometry in twips lies, in pixels.
    QRect pixel(const TwipsGeometry& twips)
    {
        const double x = screen.twipsPerPixelX();
        const double y = screen.twipsPerPixelY();
        const auto runden = [](double wert) { return static_cast<int>(std::lround(wert)); };
        return {runden(twips.left / x), runden(twips.top / y), runden(twips.width / x),
                runden(twips.height / y)};
    }

    static QRect lage(const QWidget* window) { return {window->pos(), window->size()}; }

    QByteArray brisolIni() const { return folders.settingsFile(s("Brisol.ini")); }

    TempSettingsFolders folders;
    FakeScreen screen;
    ScopedService<platform::Screen> screenGuard{platform::setScreen, &screen};
};

TEST_F(WindowPositions, storedGeometryIsKeptOnTheScreen)
{
    struct Row {
        const char* name;
        Gespeichert werte;
        TwipsGeometry erwartet; // left, top, width, height
    };
    const Row rows[] = {
        {"nothing stored: designed size, centred", {}, {4680, 3510, 6000, 4500}},
        {"stored values that fit", {"4500", "7200", "1500", "750", "0"}, {1500, 750, 7200, 4500}},
        {"height below 2000", {"1000", "6000", "1500", "1500"}, {1500, 1500, 6000, 2000}},
        {"width below 2000", {"4500", "900", "1500", "1500"}, {1500, 1500, 2000, 4500}},
        {"wider than the screen: screen width at left 0", {"4500", "20000", "3000", "1500"},
         {0, 1500, 15360, 4500}},
        {"right edge past the screen: moved left", {"4500", "6000", "12000", "1500"},
         {9360, 1500, 6000, 4500}},
        {"bottom within 733 twips of the screen's bottom: moved up",
         {"4500", "6000", "1500", "7000"}, {1500, 6287, 6000, 4500}},
        {"higher than the screen less 733 twips: top 0", {"11000", "6000", "1500", "500"},
         {1500, 0, 6000, 11000}},
        {"higher than the screen: screen height", {"20000", "6000", "1500", "500"},
         {1500, 0, 6000, 11520}},
        {"negative left and top", {"4500", "6000", "-500", "-300"}, {0, 0, 6000, 4500}},
        {"values that are no numbers read as 0", {"hoch", "", "x1", "-"}, {0, 0, 2000, 2000}},
        {"leading numbers with a decimal point", {"4500 Twips", "7200.6", "1507,9", "750.4"},
         {1507, 750.4, 7200.6, 4500}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        speichern(row.werte);
        platform::Form* window = fenster();
        Fenster_PosLoad(*window, s("Suche"));
        EXPECT_EQ(lage(window), pixel(row.erwartet));
        EXPECT_EQ(window->windowStateVb(), platform::vbNormal);
        window->show();
        EXPECT_EQ(lage(window), pixel(row.erwartet));
    }
}

TEST_F(WindowPositions, windowOfFixedSizeKeepsItsSizeButTakesThePosition)
{
    // The stored width would leave room at left 12000; the window's own width does not.
    speichern({"9000", "2000", "12000", "1500"});
    platform::Form* window = fenster(platform::borderFixedDialog);
    Fenster_PosLoad(*window, s("Suche"));
    EXPECT_EQ(lage(window), pixel({9360, 1500, 6000, 4500}));
    window->show();
    EXPECT_EQ(lage(window), pixel({9360, 1500, 6000, 4500}));
    EXPECT_EQ(window->maximumSize(), QSize(400, 300));
}

TEST_F(WindowPositions, commandLineOptionOverridesTheStoredGeometry)
{
    struct Row {
        const char* name;
        QStringList argumente;
        double dpiX, dpiY;
        TwipsGeometry erwartet;
    };
    const Row rows[] = {
        {"four negative fields: percentages of the screen, centred",
         arguments({"fenster=-50,-50,-1,-1"}), 96, 96, {3840, 2880, 7680, 5760}},
        {"two positive fields: top left corner", arguments({"fenster=800,600"}), 96, 96,
         {0, 0, 12000, 9000}},
        {"any case, behind a slash, among other options",
         arguments({"readonly", "/FENSTER=640,480,100,50", "#debug"}), 96, 96,
         {1500, 750, 9600, 7200}},
        {"double quotes in the arguments around it",
         arguments({"Notiz=er sagte \"hallo", "fenster=640,480,100,50", "/home/anna/12\" Platte"}),
         96, 96, {1500, 750, 9600, 7200}},
        {"pixels converted separately for width and height, fifth field ignored",
         arguments({"Fenster=640,480,10,20,999"}), 96, 120, {150, 240, 9600, 5760}},
        {"percentages of width and height separately", arguments({"fenster=-50,-25,-1,-1"}),
         96, 120, {3840, 3456, 7680, 2304}},
        {"centred by the size asked for, then made 2000 twips at least",
         arguments({"fenster=100,100,-1,-1"}), 96, 96, {6930, 5010, 2000, 2000}},
    };
    speichern({"4500", "7200", "1500", "750", "0"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        screen.setDpi(row.dpiX, row.dpiY);
        platform::setCommandLine(row.argumente);
        platform::Form* window = fenster();
        Fenster_PosLoad(*window, s("Suche"));
        window->show();
        EXPECT_EQ(lage(window), pixel(row.erwartet));
    }
}

TEST_F(WindowPositions, storedStateNeedsTheTitleButtonForIt)
{
    struct Row {
        const char* name;
        const char* state;
        bool minButton, maxButton;
        QStringList argumente;
        int erwartet;
    };
    const Row rows[] = {
        {"maximised", "2", false, true, {}, platform::vbMaximized},
        {"maximised, though the command line gives a geometry", "2", false, true,
         arguments({"fenster=640,480"}), platform::vbMaximized},
        {"maximised without a maximise button", "2", true, false, {}, platform::vbNormal},
        {"minimised", "1", true, false, {}, platform::vbMinimized},
        {"minimised without a minimise button", "1", false, true, {}, platform::vbNormal},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        speichern({"4500", "7200", "1500", "750", row.state});
        platform::setCommandLine(row.argumente);
        platform::Form* window = fenster();
        window->setMinButton(row.minButton);
        window->setMaxButton(row.maxButton);
        Fenster_PosLoad(*window, s("Suche"));
        // A state is set instead of the geometry; the normal state comes with the stored one.
        EXPECT_EQ(lage(window), row.erwartet == platform::vbNormal
                                    ? pixel({1500, 750, 7200, 4500})
                                    : QRect(7, 9, 400, 300));
        window->show();
        EXPECT_EQ(window->windowStateVb(), row.erwartet);
    }

    speichern({"4500", "7200", "1500", "750", "2"});
    auto* main = fenster<platform::MainForm>();
    Fenster_PosLoad(*main, s("Suche"));
    main->show();
    EXPECT_TRUE(main->isMaximized());
}

TEST_F(WindowPositions, savedInTwipsWithADecimalPointAndRestored)
{
    screen.setDpi(128); // 11.25 twips per pixel
    auto* main = fenster<platform::MainForm>();
    main->move(110, 2);
    main->resize(480, 320);
    main->show();
    Fenster_PosSave(*main, s("Main"));
    EXPECT_TRUE(brisolIni().endsWith("\r\nForm_H\xF6heMain=3600\r\n"
                                     "Form_WeiteMain=5400\r\n"
                                     "Form_LinksMain=1237.5\r\n"
                                     "Form_ObenMain=22.5\r\n"
                                     "Form_StateMain=0\r\n"))
        << brisolIni().toStdString();

    auto* again = fenster<platform::MainForm>();
    Fenster_PosLoad(*again, s("Main"));
    again->show();
    EXPECT_EQ(lage(again), QRect(110, 2, 480, 320));
}

TEST_F(WindowPositions, minimisedWindowStoresNothingMaximisedStoresItsMaximisedGeometry)
{
    speichern({"4500", "7200", "1500", "750", "0"});
    const QByteArray vorher = brisolIni();
    platform::Form* window = fenster();
    window->setMinButton(true);
    window->setMaxButton(true);
    window->show();
    window->setWindowStateVb(platform::vbMinimized);
    Fenster_PosSave(*window, s("Suche"));
    EXPECT_EQ(brisolIni(), vorher);

    window->setWindowStateVb(platform::vbMaximized);
    QCoreApplication::processEvents(); // the window system's answer: the maximised geometry
    const TwipsGeometry maximiert = window->geometryTwips();
    ASSERT_NE(maximiert, (TwipsGeometry{105, 135, 6000, 4500}));
    Fenster_PosSave(*window, s("Suche"));

    const auto zahl = [](double wert) { return QByteArray::number(wert); };
    EXPECT_TRUE(brisolIni().startsWith("[Korvanel]\r\nForm_H\xF6heSuche="
                                       + zahl(maximiert.height) + "\r\nForm_WeiteSuche="
                                       + zahl(maximiert.width) + "\r\nForm_LinksSuche="
                                       + zahl(maximiert.left) + "\r\nForm_ObenSuche="
                                       + zahl(maximiert.top) + "\r\nForm_StateSuche=2\r\n"))
        << brisolIni().toStdString();
}

} // namespace
