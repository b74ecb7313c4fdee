#include "platform/mouse_pointer.h"
#include "support/fake_mouse_pointer.h"
#include "support/scoped_service.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform;

namespace {

// The shape of Qt's override cursor; -1 when there is none.
int overrideShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? static_cast<int>(cursor->shape()) : -1;
}

class RealMousePointer : public ::testing::Test {
protected:
    void TearDown() override
    {
        mousePointer().set(vbDefault);
        EXPECT_EQ(overrideShape(), -1) << "a test left an override cursor behind";
    }

    ScopedService<MousePointer> real_{setMousePointer, nullptr};
};

TEST_F(RealMousePointer, shapeNumbersBecomeOneOverrideCursor)
{
    EXPECT_EQ(mousePointer().get(), vbDefault);
    EXPECT_EQ(overrideShape(), -1);

    mousePointer().set(vbHourglass);
    EXPECT_EQ(mousePointer().get(), vbHourglass);
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);

    mousePointer().set(vbIbeam);
    EXPECT_EQ(overrideShape(), Qt::IBeamCursor);

    mousePointer().set(vbDefault);
    EXPECT_EQ(overrideShape(), -1);
}

TEST_F(RealMousePointer, numberThatIsNoShapeChangesNothing)
{
    mousePointer().set(vbArrowHourglass);
    for (const int wrong : {-1, 16, 98, 100}) {
        SCOPED_TRACE(wrong);
        mousePointer().set(wrong);
        EXPECT_EQ(mousePointer().get(), vbArrowHourglass);
        EXPECT_EQ(overrideShape(), Qt::BusyCursor);
    }
}

TEST_F(RealMousePointer, nestedGuardsEachPutBackWhatTheyFound)
{
    {
        BusyPointer outer;
        EXPECT_EQ(mousePointer().get(), vbHourglass);
        {
            BusyPointer inner(vbArrowHourglass);
            EXPECT_EQ(overrideShape(), Qt::BusyCursor);
            {
                BusyPointer innermost;
                EXPECT_EQ(overrideShape(), Qt::WaitCursor);
            }
            EXPECT_EQ(mousePointer().get(), vbArrowHourglass);
        }
        EXPECT_EQ(mousePointer().get(), vbHourglass);
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(mousePointer().get(), vbDefault);
    EXPECT_EQ(overrideShape(), -1);
}

TEST_F(RealMousePointer, guardRestoresOnTheWayOutOfAnError)
{
    mousePointer().set(vbArrow);
    try {
        BusyPointer busy;
        throw std::runtime_error("Abbruch");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(mousePointer().get(), vbArrow);
    EXPECT_EQ(overrideShape(), Qt::ArrowCursor);
}

TEST(MousePointer, earlyRestoreLeavesLaterChangesAlone)
{
    FakeMousePointer fake;
    ScopedService guard(setMousePointer, &fake);
    {
        BusyPointer busy;
        busy.restore();
        EXPECT_EQ(mousePointer().get(), vbDefault);
        mousePointer().set(vbIbeam); // shown while a message box asks, say
    }
    EXPECT_EQ(mousePointer().get(), vbIbeam);
    EXPECT_EQ(fake.history(), (std::vector<int>{vbHourglass, vbDefault, vbIbeam}));
}

} // namespace
