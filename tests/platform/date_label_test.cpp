#include "platform/date_label.h"
#include "support/qt_print.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(DateLabel, changedRunsAtOnceAndOnlyOnARealChange)
{
    DateLabel label;
    label.setCaption(u"00.00.0000"_qs);
    QStringList seen;
    QObject::connect(&label, &DateLabel::changed, [&] { seen.append(label.caption()); });

    label.setCaption(u"05.03.2024"_qs);
    EXPECT_EQ(seen, QStringList{u"05.03.2024"_qs}) << "before setCaption returned";
    label.setCaption(u"05.03.2024"_qs);
    EXPECT_EQ(seen.size(), 1) << "the same text again";
    label.setCaption(u""_qs);
    label.setCaption(u"<b>1.1.24</b>"_qs);
    EXPECT_EQ(seen, (QStringList{u"05.03.2024"_qs, u""_qs, u"<b>1.1.24</b>"_qs}));
    EXPECT_EQ(label.text(), u"<b>1.1.24</b>"_qs) << "shown as plain text";
}

TEST(DateLabel, aHandlerThatSetsTheCaptionAgainNests)
{
    // The way the main window's change of day works: the handler writes the caption back in
    // its normal form (a nested change), and a year out of range is clamped (nested again).
    // Each run ends after its nested one, and every run sees the final caption afterwards.
    DateLabel label;
    QStringList log;
    QObject::connect(&label, &DateLabel::changed, [&] {
        const QString entered = label.caption();
        log.append(u"ein "_qs + entered);
        if (entered == u"5.3.1324")
            label.setCaption(u"05.03.1324"_qs);
        else if (entered == u"05.03.1324")
            label.setCaption(u"01.01.1500"_qs);
        log.append(u"aus "_qs + entered + u" -> "_qs + label.caption());
    });
    int secondHandler = 0;
    QObject::connect(&label, &DateLabel::changed, [&] { ++secondHandler; });

    label.setCaption(u"5.3.1324"_qs);
    EXPECT_EQ(log, (QStringList{u"ein 5.3.1324"_qs, u"ein 05.03.1324"_qs, u"ein 01.01.1500"_qs,
                                u"aus 01.01.1500 -> 01.01.1500"_qs,
                                u"aus 05.03.1324 -> 01.01.1500"_qs,
                                u"aus 5.3.1324 -> 01.01.1500"_qs}));
    EXPECT_EQ(label.caption(), u"01.01.1500"_qs);
    EXPECT_EQ(secondHandler, 3) << "every connected handler runs for every change";
}

TEST(DateLabel, doubleClickIsReported)
{
    DateLabel label;
    label.setCaption(u"05.03.2024"_qs);
    label.show();
    int clicks = 0;
    QObject::connect(&label, &DateLabel::doubleClicked, [&] { ++clicks; });
    QTest::mouseDClick(&label, Qt::LeftButton);
    QTest::mouseDClick(&label, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
}
