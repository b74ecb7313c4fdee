#include "print_surface.h"

#include "clock.h"
#include "runtime/error.h"
#include "runtime/lines.h"
#include "service.h"

#include <QDateTime>
#include <QFileInfo>

#include <cmath>

namespace platform {

namespace {

constexpr double twipsPerCm = 1440 / 2.54;

// Splits a text at its line breaks: CR LF, a lone CR and a lone LF each end a line, and a line
// break at the end leaves an empty last line.
QStringList linesOf(const QString& text)
{
    return rt::unifyLineEnds(text, QStringLiteral("\n")).split(u'\n');
}

} // namespace

bool PrintSurface::selectPrinter(const QString& deviceName)
{
    bool installed = false;
    for (const PrinterInfo& info : installedPrinters()) {
        if (info.DeviceName == deviceName)
            installed = true;
    }
    if (!installed)
        return false;
    const bool ended = !documentOpen_ || EndDoc();
    if (!choosePrinter(deviceName))
        return false;
    if (mode_ == vbPixels)
        setUnitsOfMode();
    return ended;
}

void PrintSurface::setOrientation(int orientation)
{
    if (orientation == vbPRORPortrait || orientation == vbPRORLandscape)
        orientation_ = orientation;
}

void PrintSurface::setScaleMode(int mode)
{
    if (mode < vbUser || mode > vbCentimeters)
        return;
    mode_ = mode;
    if (mode == vbUser)
        return;
    setUnitsOfMode();
    scaleLeft_ = 0;
    scaleTop_ = 0;
}

void PrintSurface::setUnitsOfMode()
{
    switch (mode_) {
    case vbTwips:
        unitX_ = unitY_ = twipsPerCm;
        break;
    case vbPoints:
        unitX_ = unitY_ = 72 / 2.54;
        break;
    case vbPixels:
        unitX_ = unitY_ = dotsPerInch() / 2.54;
        break;
    case vbCharacters:
        unitX_ = twipsPerCm / 120;
        unitY_ = twipsPerCm / 240;
        break;
    case vbInches:
        unitX_ = unitY_ = 1 / 2.54;
        break;
    case vbMillimeters:
        unitX_ = unitY_ = 10;
        break;
    case vbCentimeters:
        unitX_ = unitY_ = 1;
        break;
    default:
        break;
    }
}

double PrintSurface::ScaleWidth()
{
    return printableSize(orientation_).width() * unitX_;
}

double PrintSurface::ScaleHeight()
{
    return printableSize(orientation_).height() * unitY_;
}

void PrintSurface::setScaleLeft(double left)
{
    scaleLeft_ = left;
    mode_ = vbUser;
}

void PrintSurface::setScaleTop(double top)
{
    scaleTop_ = top;
    mode_ = vbUser;
}

void PrintSurface::setScaleWidth(double width)
{
    const double cm = printableSize(orientation_).width();
    if (width == 0 || cm <= 0)
        return;
    unitX_ = width / cm;
    mode_ = vbUser;
}

void PrintSurface::setScaleHeight(double height)
{
    const double cm = printableSize(orientation_).height();
    if (height == 0 || cm <= 0)
        return;
    unitY_ = height / cm;
    mode_ = vbUser;
}

double PrintSurface::CurrentX() const
{
    return scaleLeft_ + x_ * unitX_;
}

double PrintSurface::CurrentY() const
{
    return scaleTop_ + y_ * unitY_;
}

void PrintSurface::setCurrentX(double x)
{
    x_ = (x - scaleLeft_) / unitX_;
}

void PrintSurface::setCurrentY(double y)
{
    y_ = (y - scaleTop_) / unitY_;
}

void PrintSurface::setFontName(const QString& name)
{
    if (!name.isEmpty())
        font_.name = name;
}

void PrintSurface::setFontSize(double points)
{
    if (points > 0)
        font_.size = points;
}

double PrintSurface::TextWidth(const QString& text)
{
    double widest = 0;
    for (const QString& line : linesOf(text))
        widest = std::max(widest, textWidthCm(font_, line));
    return widest * std::abs(unitX_);
}

double PrintSurface::TextHeight(const QString& text)
{
    return double(linesOf(text).size()) * lineHeightCm(font_) * std::abs(unitY_);
}

bool PrintSurface::Print(const QString& text, LineEnd end)
{
    bool ok = ensureDocument();
    const QStringList lines = linesOf(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            lineEnd();
        if (!printLine(lines.at(i)))
            ok = false;
    }
    if (end == LineEnd::Yes)
        lineEnd();
    return ok;
}

bool PrintSurface::printLine(const QString& line)
{
    if (line.isEmpty())
        return true;
    const double width = textWidthCm(font_, line);
    bool ok = documentOpen_;
    if (documentOpen_) {
        const double bottom = printableSize(orientation_).height();
        if (y_ + lineHeightCm(font_) > bottom + 1e-9) {
            const double keptX = x_;
            if (!startPage(orientation_))
                ok = false;
            toScaleOrigin();
            x_ = keptX;
        }
        if (!drawText(x_, y_, line, font_, foreColor_))
            ok = false;
    }
    x_ += width;
    return ok;
}

void PrintSurface::lineEnd()
{
    y_ += lineHeightCm(font_);
    x_ = -scaleLeft_ / unitX_;
}

void PrintSurface::toScaleOrigin()
{
    x_ = -scaleLeft_ / unitX_;
    y_ = -scaleTop_ / unitY_;
}

bool PrintSurface::ensureDocument()
{
    if (documentOpen_)
        return true;
    documentOpen_ = beginDocument(orientation_);
    return documentOpen_;
}

bool PrintSurface::NewPage()
{
    bool ok = ensureDocument();
    if (ok && !startPage(orientation_))
        ok = false;
    toScaleOrigin();
    return ok;
}

bool PrintSurface::EndDoc()
{
    toScaleOrigin();
    if (!documentOpen_)
        return true;
    documentOpen_ = false;
    return endDocument();
}

bool PrintSurface::fail(const QString& description)
{
    rt::raiseError(rt::ErrPrinterError, description);
    return false;
}

QString newPdfFileName(const QString& folder)
{
    const QString stamp =
        rt::toQDateTime(clock().now()).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = folder + QStringLiteral("/Korvanel-Druck-") + stamp;
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n) + QStringLiteral(".pdf");
    return name;
}

QString pdfDeviceName()
{
    return QStringLiteral("PDF-Datei");
}

namespace {

ServiceSlot<PrintSurface>& slot()
{
    static ServiceSlot<PrintSurface> instance([]() { return makeSystemPrintSurface(); });
    return instance;
}

} // namespace

PrintSurface& printer()
{
    return slot().get();
}

PrintSurface* setPrinter(PrintSurface* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
