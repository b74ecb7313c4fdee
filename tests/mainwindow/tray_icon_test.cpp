#include "timers_fixture.h"

#include "mainwindow/tray_icon.h"
#include "platform/actions.h"

#include <QAction>
#include <QPixmap>
#include <QSystemTrayIcon>

using mainwindow::TrayIcon;

class Tray : public TimersFixture {
protected:
    Tray()
    {
        QPixmap bild(16, 16);
        bild.fill(Qt::darkGreen);
        main.window().setWindowIcon(QIcon(bild));
        main.window().setWindowTitle(s("Korvanel - Abc"));
    }
};

TEST_F(Tray, roundTripRestoresAMaximisedWindowInFront)
{
    for (const bool maximiert : {true, false}) {
        SCOPED_TRACE(maximiert ? "maximised" : "normal");
        QWidget& fenster = main.window();
        maximiert ? fenster.showMaximized() : fenster.showNormal();
        TrayIcon tray(&fenster, [&] { return maximiert; }, [] { return true; });
        fenster.showMinimized();
        ASSERT_TRUE(tray.trayStart());
        EXPECT_FALSE(fenster.isVisible()); // no taskbar button
        ASSERT_NE(tray.icon(), nullptr);
        EXPECT_TRUE(tray.icon()->isVisible());
        EXPECT_EQ(tray.icon()->toolTip(), s("Korvanel - Abc"));
        EXPECT_TRUE(tray.imTray());

        emit tray.icon()->activated(QSystemTrayIcon::Trigger);
        EXPECT_TRUE(fenster.isVisible());
        EXPECT_FALSE(fenster.isMinimized());
        EXPECT_EQ(fenster.isMaximized(), maximiert);
        EXPECT_FALSE(tray.icon()->isVisible());
        EXPECT_FALSE(tray.imTray());
        tray.setParent(nullptr);
    }
}

TEST_F(Tray, aWindowWithoutAnIconIsStillShownByAPictureInTheNotificationArea)
{
    QWidget fenster;
    fenster.setWindowTitle(s("Korvanel - Abc"));
    ASSERT_TRUE(fenster.windowIcon().isNull());
    fenster.showNormal();
    TrayIcon tray(&fenster, [] { return false; }, [] { return true; });
    fenster.showMinimized();
    ASSERT_TRUE(tray.trayStart());
    ASSERT_NE(tray.icon(), nullptr);
    EXPECT_FALSE(tray.icon()->icon().isNull()) << "an empty icon cannot be seen or clicked";
    tray.trayStopp();
    EXPECT_TRUE(fenster.isVisible());
    tray.setParent(nullptr);
}

TEST_F(Tray, withoutANotificationAreaTheWindowStaysAPlainMinimisedWindow)
{
    QWidget& fenster = main.window();
    fenster.showNormal();
    TrayIcon tray(&fenster, [] { return false; }, [] { return false; });
    fenster.showMinimized();
    EXPECT_FALSE(tray.trayStart());
    EXPECT_TRUE(fenster.isVisible());
    EXPECT_EQ(tray.icon(), nullptr);
    EXPECT_FALSE(tray.imTray());
    tray.setParent(nullptr);
}

TEST_F(Tray, panelDoubleClicksRunTheirCommands)
{
    struct Fall {
        const char* panel;
        QString befehl;
    } faelle[] = {
        {"Aktuell", s("Tagesinfo")},  {"txtEinf", s("Einfügen")},
        {"TXTEINF", s("Einfügen")},   {"Unsaved", s("Sichern")},
        {"Position", QString()},      {"Bild", QString()},
        {"Status", QString()},        {"", QString()},
    };
    QStringList befehle;
    mainwindow::mainHooks().tagInfo = [&] { befehle.append(s("Tagesinfo")); };
    mainwindow::mainHooks().einfuegenUmschalten = [&] { befehle.append(s("Einfügen")); };
    mainwindow::mainHooks().eintragSichern = [&] { befehle.append(s("Sichern")); };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.panel);
        befehle.clear();
        mainwindow::StatusBar_Feldklick(s(fall.panel));
        EXPECT_EQ(befehle, fall.befehl.isEmpty() ? QStringList() : QStringList{fall.befehl});
    }
}

TEST_F(Tray, panelDoubleClickWithoutHookRunsTheRegisteredAction)
{
    // The panel " * " saves the entry through the menu command of the window.
    auto* actions = new platform::ActionRegistry(&main.window());
    auto* sichern = new QAction(&main.window());
    actions->registerAction(s("mnuEintragSichern"), sichern);
    auto* info = new QAction(&main.window());
    actions->registerAction(s("mnuDayInf"), info);
    int gesichert = 0;
    int infos = 0;
    QObject::connect(sichern, &QAction::triggered, [&] { ++gesichert; });
    QObject::connect(info, &QAction::triggered, [&] { ++infos; });
    mainwindow::StatusBar_Feldklick(s("Unsaved"));
    mainwindow::StatusBar_Feldklick(s("aktuell"));
    EXPECT_EQ(gesichert, 1);
    EXPECT_EQ(infos, 1);
}
