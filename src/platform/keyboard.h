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

// VB's key codes of KeyDown: letters 65-90 (the upper-case letter), digits 48-57, F1-F16
// 112-127, Backspace 8, Tab 9, Enter 13, Shift 16, Ctrl 17, Alt 18, Pause 19, Caps Lock 20,
// Escape 27, Space 32, Page Up 33, Page Down 34, End 35, Home 36, Left 37, Up 38, Right 39,
// Down 40, Insert 45, Delete 46, the keypad's digits 96-105 and * + - . / 106, 107, 109, 110,
// 111, Num Lock 144, Scroll Lock 145. 0 for a key without a code.
int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// VB's shift state: 1 Shift, 2 Ctrl, 4 Alt, added up.
int vbShiftState(Qt::KeyboardModifiers modifiers);

Keyboard& keyboard();
Keyboard* setKeyboard(Keyboard* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
