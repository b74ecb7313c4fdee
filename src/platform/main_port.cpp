#include "main_port.h"

#include <QApplication>

namespace platform {

namespace {

MainPort*& current()
{
    static MainPort* port = nullptr;
    return port;
}

} // namespace

QPalette MainPort::textPalette() const
{
    return QApplication::palette();
}

bool replaceEntryText(MainPort& main, const QString& text)
{
    main.setSelStart(0);
    main.setSelLength(static_cast<int>(main.text().size()));
    return main.insertText(text);
}

MainPort* mainPort()
{
    return current();
}

MainPort* setMainPort(MainPort* port)
{
    MainPort* previous = current();
    current() = port;
    return previous;
}

} // namespace platform
