#include "platform/keyboard.h"
#include "support/fake_keyboard.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

namespace {

TEST(Keyboard, offscreenPlatformHoldsNoKey)
{
    platform::Keyboard& keyboard = platform::keyboard();
    EXPECT_FALSE(keyboard.shiftHeld());
    EXPECT_FALSE(keyboard.ctrlHeld());
    EXPECT_FALSE(keyboard.altHeld());
}

TEST(Keyboard, eachModifierIsToldApart)
{
    FakeKeyboard fake;
    ScopedService guard(platform::setKeyboard, &fake);
    fake.hold(Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_TRUE(platform::keyboard().shiftHeld());
    EXPECT_FALSE(platform::keyboard().ctrlHeld());
    EXPECT_TRUE(platform::keyboard().altHeld());
    fake.hold(Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_FALSE(platform::keyboard().shiftHeld());
    EXPECT_TRUE(platform::keyboard().ctrlHeld());
    EXPECT_FALSE(platform::keyboard().altHeld());
}

} // namespace
