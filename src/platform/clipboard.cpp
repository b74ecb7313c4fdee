#include "clipboard.h"

#include "service.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

namespace {

// Without a GUI application (a console tool) there is no clipboard: text is "" and the rest
// does nothing.
QClipboard* systemClipboard()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::clipboard();
}

class SystemClipboard final : public Clipboard {
public:
    QString text() override
    {
        QClipboard* board = systemClipboard();
        return board ? board->text(QClipboard::Clipboard) : QString();
    }

    void setText(const QString& text) override
    {
        if (QClipboard* board = systemClipboard())
            board->setText(text, QClipboard::Clipboard);
    }

    void clear() override
    {
        if (QClipboard* board = systemClipboard())
            board->clear(QClipboard::Clipboard);
    }
};

ServiceSlot<Clipboard>& slot()
{
    static ServiceSlot<Clipboard> instance([]() -> std::unique_ptr<Clipboard> {
        return std::make_unique<SystemClipboard>();
    });
    return instance;
}

} // namespace

Clipboard& clipboard()
{
    return slot().get();
}

Clipboard* setClipboard(Clipboard* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
