#include "foundation/addon_library.h"
#include "support/fake_keyboard.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

namespace {

TEST(AddonLibrary, shiftKeyAndCtrlKeyFollowTheKeysHeldNow)
{
    struct Row {
        const char* name;
        Qt::KeyboardModifiers held;
        bool shift;
        bool ctrl;
    };
    const Row rows[] = {
        {"none", Qt::NoModifier, false, false},
        {"shift", Qt::ShiftModifier, true, false},
        {"ctrl", Qt::ControlModifier, false, true},
        {"both", Qt::ShiftModifier | Qt::ControlModifier, true, true},
        {"alt only", Qt::AltModifier, false, false},
    };
    FakeKeyboard keys;
    ScopedService guard(platform::setKeyboard, &keys);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        keys.hold(row.held);
        EXPECT_EQ(foundation::ShiftKey() != 0, row.shift);
        EXPECT_EQ(foundation::CtrlKey() != 0, row.ctrl);
    }
}

} // namespace
