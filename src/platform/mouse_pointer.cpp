#include "mouse_pointer.h"

#include "service.h"

#include <QCursor>
#include <QGuiApplication>
#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

const char* const widgetPointerProperty = "MousePointer";

Qt::CursorShape qtShape(int pointer)
{
    switch (pointer) {
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbSizePointer:
    case vbSizeAll:
        return Qt::SizeAllCursor;
    case vbSizeNESW:
        return Qt::SizeBDiagCursor;
    case vbSizeNS:
        return Qt::SizeVerCursor;
    case vbSizeNWSE:
        return Qt::SizeFDiagCursor;
    case vbSizeWE:
        return Qt::SizeHorCursor;
    case vbUpArrow:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Keeps at most one override cursor of its own on Qt's stack: set while the shape is not 0.
class OverrideCursorPointer final : public MousePointer {
public:
    int get() override { return pointer_; }

    void set(int pointer) override
    {
        if (!isMousePointerShape(pointer))
            return;
        pointer_ = pointer;
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        if (pointer == vbDefault) {
            if (pushed_)
                QGuiApplication::restoreOverrideCursor();
            pushed_ = false;
        } else if (pushed_) {
            QGuiApplication::changeOverrideCursor(QCursor(qtShape(pointer)));
        } else {
            QGuiApplication::setOverrideCursor(QCursor(qtShape(pointer)));
            pushed_ = true;
        }
    }

private:
    int pointer_ = vbDefault;
    bool pushed_ = false;
};

ServiceSlot<MousePointer>& slot()
{
    static ServiceSlot<MousePointer> instance([]() -> std::unique_ptr<MousePointer> {
        return std::make_unique<OverrideCursorPointer>();
    });
    return instance;
}

} // namespace

bool isMousePointerShape(int pointer)
{
    return (pointer >= vbDefault && pointer <= vbSizeAll) || pointer == vbCustom;
}

MousePointer& mousePointer()
{
    return slot().get();
}

MousePointer* setMousePointer(MousePointer* replacement)
{
    return slot().set(replacement);
}

int widgetMousePointer(const QWidget* widget)
{
    return widget ? widget->property(widgetPointerProperty).toInt() : vbDefault;
}

void setWidgetMousePointer(QWidget* widget, int pointer)
{
    if (!widget || !isMousePointerShape(pointer))
        return;
    widget->setProperty(widgetPointerProperty, pointer);
    if (pointer == vbDefault)
        widget->unsetCursor();
    else
        widget->setCursor(QCursor(qtShape(pointer)));
}

BusyPointer::BusyPointer(int shape) : previous_(mousePointer().get())
{
    mousePointer().set(shape);
}

BusyPointer::~BusyPointer()
{
    restore();
}

void BusyPointer::restore()
{
    if (restored_)
        return;
    restored_ = true;
    mousePointer().set(previous_);
}

} // namespace platform
