#pragma once
// The screen as the program sees it: its size, the work area left free by panels, the twips
// that stored window geometry is measured in, and the fonts installed for the screen.
//
// A twip is 1/1440 inch; twips per pixel are 1440 / the logical resolution (15 at 96 DPI, 12 at
// 120 DPI), separately for the horizontal and the vertical. Pixels are Qt's device-independent
// pixels, the unit of widget geometry, so a window's pixels times twips per pixel are its twips.
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QStringList>

namespace platform {

inline constexpr double twipsPerInch = 1440.0;

struct ScreenMetrics {
    QSize size{1024, 768}; // the whole primary screen in pixels
    QRect workArea{0, 0, 1024, 768}; // the part not taken by panels and task bars, in pixels
    double dpiX = 96.0; // logical dots per inch
    double dpiY = 96.0;
};

class Screen {
public:
    virtual ~Screen() = default;

    virtual ScreenMetrics metrics() = 0;
    // The font families the screen can show, sorted by name.
    virtual QStringList fontFamilies() = 0;

    double twipsPerPixelX();
    double twipsPerPixelY();
    int widthPixels();
    int heightPixels();
    double widthTwips();
    double heightTwips();
    // The work area in twips (left, top, width, height).
    QRectF workAreaTwips();
};

Screen& screen();
Screen* setScreen(Screen* replacement); // returns the one it replaces (nullptr: the real one)

// 1440 / dpi; a resolution of 0 or less (no screen) counts as 96 DPI.
double twipsPerPixel(double dpi);

} // namespace platform
