#pragma once
// A screen with the metrics the test gives: 1024 x 768 pixels at 96 DPI (15 twips per pixel),
// all of it work area, and three fonts, unless the test says otherwise.
//
//   FakeScreen screen;
//   ScopedService guard(platform::setScreen, &screen);
//   screen.setPixels(640, 480);
//   screen.setDpi(120);            // 12 twips per pixel
#include "platform/screen.h"

class FakeScreen : public platform::Screen {
public:
    platform::ScreenMetrics metrics() override { return metrics_; }
    QStringList fontFamilies() override { return fonts_; }

    void setMetrics(const platform::ScreenMetrics& metrics) { metrics_ = metrics; }
    // The whole screen and its work area.
    void setPixels(int width, int height)
    {
        metrics_.size = QSize(width, height);
        metrics_.workArea = QRect(0, 0, width, height);
    }
    void setWorkArea(const QRect& pixels) { metrics_.workArea = pixels; }
    void setDpi(double dpi) { setDpi(dpi, dpi); }
    void setDpi(double dpiX, double dpiY)
    {
        metrics_.dpiX = dpiX;
        metrics_.dpiY = dpiY;
    }
    void setFonts(const QStringList& families) { fonts_ = families; }

private:
    platform::ScreenMetrics metrics_;
    QStringList fonts_{QStringLiteral("Arial"), QStringLiteral("Courier New"),
                       QStringLiteral("Times New Roman")};
};
