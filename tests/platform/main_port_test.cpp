// The fake main window that the tests of the other windows use behaves as the interface says.
#include "platform/main_port.h"
#include "platform/mouse_pointer.h"
#include "support/fake_main_port.h"
#include "support/qt_print.h"

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
