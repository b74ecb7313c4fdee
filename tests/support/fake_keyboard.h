#pragma once
// The keys the test says are held.
//
//   FakeKeyboard keys;
//   ScopedService guard(platform::setKeyboard, &keys);
//   keys.hold(Qt::ShiftModifier);
#include "platform/keyboard.h"

class FakeKeyboard : public platform::Keyboard {
public:
    Qt::KeyboardModifiers modifiers() override { return held_; }

    void hold(Qt::KeyboardModifiers keys) { held_ = keys; }
    void releaseAll() { held_ = Qt::NoModifier; }

private:
    Qt::KeyboardModifiers held_ = Qt::NoModifier;
};
