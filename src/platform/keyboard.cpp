#include "keyboard.h"

#include "service.h"

#include <QGuiApplication>

namespace platform {

namespace {

class SystemKeyboard final : public Keyboard {
public:
    Qt::KeyboardModifiers modifiers() override
    {
        // Without a GUI application (a console tool, a test of the core) no key is held.
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return Qt::NoModifier;
        return QGuiApplication::queryKeyboardModifiers();
    }
};

ServiceSlot<Keyboard>& slot()
{
    static ServiceSlot<Keyboard> instance([]() -> std::unique_ptr<Keyboard> {
        return std::make_unique<SystemKeyboard>();
    });
    return instance;
}

} // namespace

int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? 96 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    default:
        break;
    }
    if (keypad) {
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break;
        }
    }
    return 0;
}

int vbShiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0)
        + (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0)
        + (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

Keyboard& keyboard()
{
    return slot().get();
}

Keyboard* setKeyboard(Keyboard* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
