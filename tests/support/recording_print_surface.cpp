#include "recording_print_surface.h"

#include <QDir>

QStringList RecordingPrintSurface::Page::strings() const
{
    QStringList strings;
    for (const Text& text : texts)
        strings.append(text.text);
    return strings;
}

RecordingPrintSurface::RecordingPrintSurface() : pdfFolder_(QDir::tempPath())
{
}

std::vector<RecordingPrintSurface::Text> RecordingPrintSurface::allTexts() const
{
    std::vector<Text> texts;
    for (const Document& document : documents_) {
        for (const Page& page : document.pages)
            texts.insert(texts.end(), page.texts.begin(), page.texts.end());
    }
    return texts;
}

void RecordingPrintSurface::setPrinters(std::vector<platform::PrinterInfo> printers,
                                        std::size_t current)
{
    printers_ = std::move(printers);
    current_ = current < printers_.size() ? current : 0;
}

void RecordingPrintSurface::failFrom(Step step, int successesFirst)
{
    failing_ = true;
    failingStep_ = step;
    successesLeft_ = successesFirst;
}

void RecordingPrintSurface::failNothing()
{
    failing_ = false;
}

bool RecordingPrintSurface::fails(Step step)
{
    if (!failing_ || step != failingStep_)
        return false;
    if (successesLeft_ > 0) {
        --successesLeft_;
        return false;
    }
    return true;
}

QSizeF RecordingPrintSurface::printableSize(int orientation)
{
    return orientation == platform::vbPRORLandscape ? portrait_.transposed() : portrait_;
}

double RecordingPrintSurface::textWidthCm(const platform::PrinterFont& font, const QString& line)
{
    return double(line.size()) * charWidth(font.size);
}

double RecordingPrintSurface::lineHeightCm(const platform::PrinterFont& font)
{
    return lineHeight(font.size);
}

bool RecordingPrintSurface::beginDocument(int orientation)
{
    if (fails(Step::BeginDoc))
        return fail(QStringLiteral("Der Drucker ist nicht bereit (Test)."));
    Document document;
    document.printer = currentPrinter().DeviceName;
    if (printers_.empty())
        document.file = platform::newPdfFileName(pdfFolder_);
    document.pages.push_back(Page{orientation, {}});
    documents_.push_back(document);
    lastOutputFile_ = document.file;
    return true;
}

bool RecordingPrintSurface::drawText(double x, double y, const QString& text,
                                     const platform::PrinterFont& font, const QColor& color)
{
    if (fails(Step::Text))
        return fail(QStringLiteral("Der Text kann nicht gedruckt werden (Test)."));
    documents_.back().pages.back().texts.push_back(Text{x, y, text, font, color});
    return true;
}

bool RecordingPrintSurface::startPage(int orientation)
{
    if (fails(Step::NewPage))
        return fail(QStringLiteral("Die nächste Seite kann nicht begonnen werden (Test)."));
    documents_.back().pages.push_back(Page{orientation, {}});
    return true;
}

bool RecordingPrintSurface::endDocument()
{
    if (fails(Step::EndDoc))
        return fail(QStringLiteral("Der Druckauftrag kann nicht abgeschlossen werden (Test)."));
    documents_.back().ended = true;
    return true;
}

platform::PrinterInfo RecordingPrintSurface::currentPrinter()
{
    if (printers_.empty())
        return {platform::pdfDeviceName(), pdfFolder_, QStringLiteral("PDF")};
    return printers_.at(current_);
}

bool RecordingPrintSurface::choosePrinter(const QString& deviceName)
{
    for (std::size_t i = 0; i < printers_.size(); ++i) {
        if (printers_[i].DeviceName == deviceName) {
            current_ = i;
            return true;
        }
    }
    return false;
}
