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

Keyboard& keyboard()
{
    return slot().get();
}

Keyboard* setKeyboard(Keyboard* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
