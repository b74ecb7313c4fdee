#pragma once
// The state of the modifier keys at the moment of the question (not from a queued key event).
#include <Qt>

namespace platform {

class Keyboard {
public:
    virtual ~Keyboard() = default;

    virtual Qt::KeyboardModifiers modifiers() = 0;

    bool shiftHeld() { return modifiers().testFlag(Qt::ShiftModifier); }
    bool ctrlHeld() { return modifiers().testFlag(Qt::ControlModifier); }
    bool altHeld() { return modifiers().testFlag(Qt::AltModifier); }
};

Keyboard& keyboard();
Keyboard* setKeyboard(Keyboard* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
