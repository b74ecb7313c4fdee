// The fake main window that the tests of the other windows use behaves as the interface says.
#include "platform/actions.h"
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "support/fake_main_port.h"
#include "support/qt_print.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace platform;

TEST(FakeMainPort, changeOfDaySavesTheShownEntryAndLoadsTheNext)
{
    MainPort* before = mainPort();
    {
        FakeMainPort main;
        EXPECT_EQ(mainPort(), &main);
        main.days[u"05.03.2024"_qs] = u"Zeile 1\r\nZeile 2"_qs;

        main.setDateCaption(u"5.3.24"_qs);
        EXPECT_EQ(main.dateCaption(), u"05.03.2024"_qs);
        EXPECT_EQ(main.shownDays, QStringList{u"05.03.2024"_qs});
        EXPECT_EQ(main.text(), u"Zeile 1\r\nZeile 2"_qs);
        EXPECT_FALSE(main.unsaved()) << "loading a day is no edit";

        main.setSelStart(9);
        main.setSelLength(5);
        EXPECT_EQ(main.selText(), u"Zeile"_qs);
        main.setSelText(u"Satz"_qs);
        EXPECT_TRUE(main.unsaved());

        main.setDateCaption(u"06.03.2024"_qs);
        EXPECT_EQ(main.days[u"05.03.2024"_qs], u"Zeile 1\r\nSatz 2"_qs);
        EXPECT_EQ(main.text(), QString());
        EXPECT_FALSE(main.unsaved());
        main.setDateCaption(u"06.03.2024"_qs);
        EXPECT_EQ(main.shownDays.size(), 2) << "the same caption again changes nothing";

        main.setPanelText(u"Status"_qs, u"Suchen..."_qs);
        EXPECT_EQ(main.panelText(u"Status"_qs), u"Suchen..."_qs);
        main.setMousePointer(vbHourglass);
        main.setMousePointer(vbDefault);
        EXPECT_EQ(main.pointerHistory(), (std::vector<int>{vbHourglass, vbDefault}));
        EXPECT_EQ(main.mousePointer(), vbDefault);
    }
    EXPECT_EQ(mainPort(), before);
}

TEST(FakeMainPort, recordsInsertionsAndMenuRunsAndActsAsTheMainWindow)
{
    FakeMainPort main;
    main.days[u"05.03.2024"_qs] = u"Heute Hafen."_qs;
    main.setDateCaption(u"05.03.2024"_qs);
    auto* actions = new ActionRegistry(&main.window());
    QMenu* menu = actions->addMenu(main.window().menuBar(), u"PulWechseln"_qs, u"&Wechseln"_qs);
    int gelaufen = 0;
    QObject::connect(actions->addAction(menu, u"mnuGeheZu"_qs, u"&Gehe zu..."_qs),
                     &QAction::triggered, [&gelaufen] { ++gelaufen; });

    main.setSelStart(6);
    EXPECT_TRUE(main.insertText(u"am "_qs));
    EXPECT_EQ(main.text(), u"Heute am Hafen."_qs);
    EXPECT_EQ(main.selStart(), 9);
    EXPECT_TRUE(main.unsaved());
    EXPECT_FALSE(main.insertText(QString()));
    main.textBox().setLocked(true); // read-only mode
    EXPECT_FALSE(main.insertText(u"x"_qs));
    EXPECT_EQ(main.text(), u"Heute am Hafen."_qs);
    EXPECT_EQ(main.insertions, (QStringList{u"am "_qs, QString(), u"x"_qs}));

    EXPECT_TRUE(main.runMenuEntry(u"mnuGeheZu"_qs));
    actions->setEnabled(u"PulWechseln"_qs, false);
    EXPECT_FALSE(main.runMenuEntry(u"mnuGeheZu"_qs));
    EXPECT_FALSE(main.runMenuEntry(u"mnuFehlt"_qs));
    EXPECT_EQ(gelaufen, 1);
    EXPECT_EQ(main.menuRuns, (QStringList{u"mnuGeheZu"_qs, u"mnuGeheZu"_qs, u"mnuFehlt"_qs}));
}
