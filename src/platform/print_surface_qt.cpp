// The print surface on the system's printers (CUPS through QPrinterInfo) with QPrinter and
// QPainter; with no printer installed, every document becomes a PDF file.
#include "print_surface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace platform {

namespace {

class QtPrintSurface;

// Surfaces that still hold Qt objects; they let go of them before the application object ends.
// Never destroyed, since the printer service itself lives until the very end of the program.
std::vector<QtPrintSurface*>& liveSurfaces()
{
    static auto* surfaces = new std::vector<QtPrintSurface*>;
    return *surfaces;
}

void releaseLiveSurfaces();

class QtPrintSurface final : public PrintSurface {
public:
    explicit QtPrintSurface(bool pdfOnly) : pdfOnly_(pdfOnly)
    {
        static const bool registered = [] {
            qAddPostRoutine(releaseLiveSurfaces);
            return true;
        }();
        Q_UNUSED(registered);
        liveSurfaces().push_back(this);
    }

    ~QtPrintSurface() override
    {
        release();
        auto& surfaces = liveSurfaces();
        surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), this), surfaces.end());
    }

    // A document still open is sent, as at the end of the program.
    void release()
    {
        if (painter_ && painter_->isActive())
            painter_->end();
        painter_.reset();
        printer_.reset();
    }

    QString pdfFolder() const override
    {
        return pdfFolder_.isEmpty() ? QDir::tempPath() : pdfFolder_;
    }

    void setPdfFolder(const QString& folder) override
    {
        pdfFolder_ = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    }

    QString lastOutputFile() const override { return lastOutputFile_; }

protected:
    QSizeF printableSize(int orientation) override
    {
        QPageLayout layout = device().pageLayout();
        layout.setOrientation(qtOrientation(orientation));
        const QRectF area = layout.paintRect(QPageLayout::Millimeter);
        return {area.width() / 10, area.height() / 10};
    }

    double dotsPerInch() override { return device().resolution(); }

    double textWidthCm(const PrinterFont& font, const QString& line) override
    {
        const QFontMetricsF metrics(qtFont(font), &device());
        return metrics.horizontalAdvance(line) / device().logicalDpiX() * 2.54;
    }

    double lineHeightCm(const PrinterFont& font) override
    {
        const QFontMetricsF metrics(qtFont(font), &device());
        return metrics.lineSpacing() / device().logicalDpiY() * 2.54;
    }

    bool beginDocument(int orientation) override
    {
        QPrinter& target = device();
        target.setPageOrientation(qtOrientation(orientation));
        QString file;
        if (toPdf()) {
            const QString folder = pdfFolder();
            if (!QDir().mkpath(folder)) {
                return fail(QStringLiteral("Der Ordner \"%1\" für die PDF-Datei kann nicht "
                                           "angelegt werden.")
                                .arg(folder));
            }
            file = newPdfFileName(folder);
            target.setOutputFileName(file);
        }
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&target)) {
            painter_.reset();
            if (toPdf())
                return fail(QStringLiteral("Die PDF-Datei \"%1\" kann nicht angelegt werden.")
                                .arg(file));
            return fail(QStringLiteral("Der Drucker \"%1\" ist nicht bereit.").arg(deviceName_));
        }
        lastOutputFile_ = file;
        return true;
    }

    bool drawText(double x, double y, const QString& text, const PrinterFont& font,
                  const QColor& color) override
    {
        if (!painter_ || !painter_->isActive())
            return fail(QStringLiteral("Es ist kein Druckauftrag offen."));
        const QFont qfont = qtFont(font);
        const QFontMetricsF metrics(qfont, &device());
        painter_->setFont(qfont);
        painter_->setPen(color);
        const double dotsX = device().logicalDpiX() / 2.54;
        const double dotsY = device().logicalDpiY() / 2.54;
        painter_->drawText(QPointF(x * dotsX, y * dotsY + metrics.ascent()), text);
        return true;
    }

    bool startPage(int orientation) override
    {
        if (!painter_ || !painter_->isActive())
            return fail(QStringLiteral("Es ist kein Druckauftrag offen."));
        device().setPageOrientation(qtOrientation(orientation));
        if (!device().newPage())
            return fail(QStringLiteral("Die nächste Seite kann nicht begonnen werden."));
        return true;
    }

    bool endDocument() override
    {
        const bool ended = painter_ && painter_->end();
        painter_.reset();
        if (!ended || device().printerState() == QPrinter::Error) {
            if (toPdf())
                return fail(QStringLiteral("Die PDF-Datei \"%1\" konnte nicht geschrieben "
                                           "werden.")
                                .arg(lastOutputFile_));
            return fail(QStringLiteral("Der Druckauftrag konnte nicht an den Drucker \"%1\" "
                                       "übergeben werden.")
                            .arg(deviceName_));
        }
        return true;
    }

    std::vector<PrinterInfo> installedPrinters() override
    {
        std::vector<PrinterInfo> printers;
        if (pdfOnly_)
            return printers;
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            printers.push_back(infoOf(info));
        return printers;
    }

    PrinterInfo currentPrinter() override
    {
        if (toPdf())
            return {pdfDeviceName(), pdfFolder(), QStringLiteral("PDF")};
        return infoOf(QPrinterInfo::printerInfo(deviceName_));
    }

    bool choosePrinter(const QString& deviceName) override
    {
        deviceName_ = deviceName;
        chosen_ = true;
        printer_.reset();
        return true;
    }

    int fontCount() override { return int(QFontDatabase::families().size()); }

private:
    static PrinterInfo infoOf(const QPrinterInfo& info)
    {
        return {info.printerName(), info.location(), info.makeAndModel()};
    }

    static QPageLayout::Orientation qtOrientation(int orientation)
    {
        return orientation == vbPRORLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    }

    static QFont qtFont(const PrinterFont& font)
    {
        QFont qfont(font.name);
        qfont.setPointSizeF(font.size);
        qfont.setBold(font.bold);
        qfont.setItalic(font.italic);
        qfont.setUnderline(font.underline);
        qfont.setStrikeOut(font.strikethru);
        qfont.setHintingPreference(QFont::PreferNoHinting);
        return qfont;
    }

    // The system's default printer, else the first installed one, else the PDF file.
    void chooseFirstPrinter()
    {
        if (chosen_)
            return;
        chosen_ = true;
        if (pdfOnly_)
            return;
        const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
        if (!standard.isNull()) {
            deviceName_ = standard.printerName();
            return;
        }
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (!printers.isEmpty())
            deviceName_ = printers.first().printerName();
    }

    bool toPdf()
    {
        chooseFirstPrinter();
        return deviceName_.isEmpty();
    }

    QPrinter& device()
    {
        if (printer_)
            return *printer_;
        if (toPdf()) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            // A4 with the unprintable edge of a common office printer.
            printer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        } else {
            printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(deviceName_),
                                                  QPrinter::HighResolution);
            const QPageLayout layout = printer_->pageLayout();
            printer_->setPageMargins(layout.minimumMargins(), layout.units());
        }
        printer_->setFullPage(false);
        printer_->setDocName(QStringLiteral("Korvanel"));
        printer_->setCreator(QStringLiteral("Korvanel"));
        return *printer_;
    }

    bool pdfOnly_;
    bool chosen_ = false;
    QString deviceName_; // empty: the PDF file
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QString pdfFolder_;
    QString lastOutputFile_;
};

void releaseLiveSurfaces()
{
    for (QtPrintSurface* surface : liveSurfaces())
        surface->release();
}

} // namespace

std::unique_ptr<PrintSurface> makeSystemPrintSurface(bool pdfOnly)
{
    return std::make_unique<QtPrintSurface>(pdfOnly);
}

} // namespace platform
