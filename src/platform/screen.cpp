#include "screen.h"

#include "service.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

constexpr double defaultDpi = 96.0;

class PrimaryScreen final : public Screen {
public:
    ScreenMetrics metrics() override
    {
        const QScreen* primary = primaryScreen();
        if (!primary)
            return {QSize(0, 0), QRect(), defaultDpi, defaultDpi};
        return {primary->geometry().size(), primary->availableGeometry(),
                primary->logicalDotsPerInchX(), primary->logicalDotsPerInchY()};
    }

    QStringList fontFamilies() override
    {
        if (!primaryScreen())
            return {};
        QStringList families = QFontDatabase::families();
        families.sort(Qt::CaseInsensitive);
        return families;
    }

private:
    // Without a GUI application (a console tool, a test of the core) there is no screen.
    static const QScreen* primaryScreen()
    {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return nullptr;
        return QGuiApplication::primaryScreen();
    }
};

ServiceSlot<Screen>& slot()
{
    static ServiceSlot<Screen> instance([]() -> std::unique_ptr<Screen> {
        return std::make_unique<PrimaryScreen>();
    });
    return instance;
}

} // namespace

double twipsPerPixel(double dpi)
{
    return twipsPerInch / (dpi > 0 ? dpi : defaultDpi);
}

double Screen::twipsPerPixelX()
{
    return twipsPerPixel(metrics().dpiX);
}

double Screen::twipsPerPixelY()
{
    return twipsPerPixel(metrics().dpiY);
}

int Screen::widthPixels()
{
    return metrics().size.width();
}

int Screen::heightPixels()
{
    return metrics().size.height();
}

double Screen::widthTwips()
{
    const ScreenMetrics m = metrics();
    return m.size.width() * twipsPerPixel(m.dpiX);
}

double Screen::heightTwips()
{
    const ScreenMetrics m = metrics();
    return m.size.height() * twipsPerPixel(m.dpiY);
}

QRectF Screen::workAreaTwips()
{
    const ScreenMetrics m = metrics();
    const double x = twipsPerPixel(m.dpiX);
    const double y = twipsPerPixel(m.dpiY);
    return {m.workArea.x() * x, m.workArea.y() * y, m.workArea.width() * x,
            m.workArea.height() * y};
}

Screen& screen()
{
    return slot().get();
}

Screen* setScreen(Screen* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
