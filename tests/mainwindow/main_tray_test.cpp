// The main window in the notification area and its status panels' double-clicks, on the real
// window: minimising goes through the window's own resize handler.
#include "main_fixture.h"

#include "mainwindow/editor_keys.h"
#include "mainwindow/program_icon.h"
#include "mainwindow/tray_icon.h"
#include "runtime/strings.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTest>

using MainTray = MainFixture;

namespace {

void minimieren(QWidget& fenster)
{
    fenster.showMinimized();
    QCoreApplication::processEvents();
}

} // namespace

TEST_F(MainTray, minimisedWithMin2TrayTheWindowGoesToTheTrayAndComesBackAsItWas)
{
    foundation::IniSchreiben({}, {}, s("Min2Tray"), s("1"));
    schreiben(s("Info.Abc"), "Mein Tagebuch\r\n");
    oeffnen(s("Abc"), s("05.03.2024"));
    QPixmap bild(16, 16);
    bild.fill(Qt::darkGreen);
    main->setWindowIcon(QIcon(bild));
    ASSERT_NE(main->tray, nullptr);
    main->tray->setTrayVorhanden([] { return true; });

    for (const bool maximiert : {true, false}) {
        SCOPED_TRACE(maximiert ? "maximised" : "normal");
        maximiert ? main->showMaximized() : main->showNormal();
        QCoreApplication::processEvents();
        minimieren(*main);
        EXPECT_FALSE(main->isVisible()); // no taskbar button
        ASSERT_NE(main->tray->icon(), nullptr);
        EXPECT_TRUE(main->tray->icon()->isVisible());
        EXPECT_EQ(main->tray->icon()->toolTip(), s("Mein Tagebuch"));

        emit main->tray->icon()->activated(QSystemTrayIcon::Trigger);
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(main->isMinimized());
        EXPECT_EQ(main->isMaximized(), maximiert);
        EXPECT_FALSE(main->tray->icon()->isVisible());
        EXPECT_EQ(mainwindow::fensterMaximiert, maximiert ? 1 : 0);
    }
    EXPECT_TRUE(fehler.empty());
}

TEST_F(MainTray, withoutMin2TrayOrWithoutATrayTheWindowIsAPlainMinimisedWindow)
{
    struct Fall {
        const char* name;
        const char* min2Tray;
        bool trayDa;
    } faelle[] = {
        {"Min2Tray not set", nullptr, true},
        {"Min2Tray but no notification area", "1", false},
        {"notification area but Min2Tray 0", "0", true},
    };
    laden();
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.name);
        if (fall.min2Tray)
            foundation::IniSchreiben({}, {}, s("Min2Tray"), s(fall.min2Tray));
        main->tray->setTrayVorhanden([&] { return fall.trayDa; });
        main->showNormal();
        QCoreApplication::processEvents();
        minimieren(*main);
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(main->isMinimized());
        EXPECT_TRUE(main->tray->icon() == nullptr || !main->tray->icon()->isVisible());
    }
}

TEST_F(MainTray, doubleClicksOnTheStatusPanelsRunTheirCommands)
{
    mainwindow::resetEditorTasten();
    schreiben(s("Info.Abc"), "Abc\r\n"); // described already: opening asks nothing
    schreiben(s("2024/20240305.Abc"), "Alt.");
    oeffnen(s("Abc"), s("05.03.2024"));
    const auto doppelklick = [&](const char* key) {
        QLabel* feld = main->panels->label(s(key));
        ASSERT_NE(feld, nullptr) << key;
        QTest::mouseDClick(feld, Qt::LeftButton);
    };
    int tagesinfos = 0;
    QObject::connect(main->actions->action(s("mnuDayInf")), &QAction::triggered,
                     [&] { ++tagesinfos; });

    // " * ": the entry is saved and the panel goes blank.
    main->Text->setFocus();
    main->setSelStart(4);
    QTest::keyClicks(main->Text, s(" und neu"));
    ASSERT_EQ(panel("Unsaved"), s(" * "));
    doppelklick("Unsaved");
    EXPECT_EQ(lesen(s("2024/20240305.Abc")), QByteArray("Alt. und neu"));
    EXPECT_EQ(rt::Trim(panel("Unsaved")), QString());
    EXPECT_EQ(store::ungesichert, 0);

    // "txtEinf": overwrite typing, then insert typing again.
    doppelklick("txtEinf");
    EXPECT_EQ(panel("txtEinf"), s("Üb"));
    EXPECT_EQ(mainwindow::ueberschreiben, -1);
    doppelklick("txtEinf");
    EXPECT_EQ(panel("txtEinf"), s("Einf"));
    EXPECT_EQ(mainwindow::ueberschreiben, 0);

    // "Aktuell": the day information.
    doppelklick("Aktuell");
    EXPECT_EQ(tagesinfos, 1);

    // The other panels do nothing.
    const auto vorher = datenordnerInhalt();
    for (const char* key : {"Position", "Bild", "Status", "StatMark", "Datum", "Zeit"})
        doppelklick(key);
    EXPECT_EQ(tagesinfos, 1);
    EXPECT_EQ(mainwindow::ueberschreiben, 0);
    EXPECT_EQ(main->text(), s("Alt. und neu"));
    EXPECT_EQ(datenordnerInhalt(), vorher);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(fehler.empty());
}

// The program's own icon, set on the application at start, is the main window's, a dialog's and
// the notification area's: the tray entry can be told from every other.
TEST_F(MainTray, theProgramsIconShowsOnItsWindowsAndInTheTray)
{
    struct ZurueckSetzen {
        ~ZurueckSetzen() { QApplication::setWindowIcon(QIcon()); }
    } zurueck;
    const QIcon symbol = mainwindow::programmSymbol();
    QList<QSize> groessen;
    for (int groesse : {16, 22, 24, 32, 48, 64, 128, 256})
        groessen.append(QSize(groesse, groesse));
    EXPECT_EQ(symbol.availableSizes(), groessen);
    const QImage gross = symbol.pixmap(256).toImage();
    EXPECT_EQ(gross.pixelColor(128, 128).alpha(), 255) << "the picture itself, not an empty one";
    EXPECT_EQ(gross.pixelColor(2, 2).alpha(), 0) << "transparent around the book";

    mainwindow::ProgrammSymbolSetzen();
    foundation::IniSchreiben({}, {}, s("Min2Tray"), s("1"));
    schreiben(s("Info.Abc"), "Mein Tagebuch\r\n");
    oeffnen(s("Abc"), s("05.03.2024"));
    const auto gleich = [&symbol](const QIcon& icon) {
        return icon.pixmap(32).toImage() == symbol.pixmap(32).toImage();
    };
    EXPECT_TRUE(gleich(main->windowIcon()));
    EXPECT_TRUE(gleich(main->icon())) << "MainPort::icon(), which other windows take over";
    QDialog dialog(main.get());
    EXPECT_TRUE(gleich(dialog.windowIcon()));
    main->tray->setTrayVorhanden([] { return true; });
    minimieren(*main);
    ASSERT_NE(main->tray->icon(), nullptr);
    EXPECT_TRUE(gleich(main->tray->icon()->icon()));
}
