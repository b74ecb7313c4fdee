#pragma once
// A printer that records what is printed, with text metrics simple enough to compute by hand.
//
//   RecordingPrintSurface paper;
//   ScopedService guard(platform::setPrinter, &paper);
//   ... code under test prints ...
//   const auto& page = paper.documents().at(0).pages.at(0);
//   EXPECT_EQ(page.strings(), QStringList({"Tagesliste, Seite 1", "", ...}));
//   EXPECT_NEAR(page.texts.at(0).x, 1.5, 1e-9);      // positions in cm on the printable area
//
// Metrics: every character is size / 50 cm wide (10 pt: 0.2 cm) and a line is size / 20 cm high
// (10 pt: 0.5 cm), whatever the font name and style. The printable area is 20.0 x 28.7 cm in
// portrait (A4 less 0.5 cm on each side), swapped in landscape; 600 dots per inch.
//
// By default no printer is installed: the current printer is the PDF file and each document
// reports a file name in pdfFolder() (no file is written). failFrom() makes output fail.
#include "platform/print_surface.h"

#include <QColor>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

class RecordingPrintSurface : public platform::PrintSurface {
public:
    struct Text {
        double x = 0; // cm from the left of the printable area
        double y = 0; // cm from its top to the top of the line
        QString text;
        platform::PrinterFont font;
        QColor color;
    };

    struct Page {
        int orientation = platform::vbPRORPortrait;
        std::vector<Text> texts;

        // The texts of the page in the order they were printed.
        QStringList strings() const;
    };

    struct Document {
        QString printer; // device name of the printer it went to
        QString file;    // the PDF file name it reported, or empty
        std::vector<Page> pages;
        bool ended = false; // EndDoc sent it
    };

    // The steps of the device that failFrom() can make fail.
    enum class Step { BeginDoc, Text, NewPage, EndDoc };

    RecordingPrintSurface();

    static double charWidth(double points) { return points / 50; }
    static double lineHeight(double points) { return points / 20; }

    // Every document begun so far, the open one last.
    const std::vector<Document>& documents() const { return documents_; }
    // Every text of every document, in the order printed.
    std::vector<Text> allTexts() const;

    // The printable area in portrait, in cm.
    void setPrintableSize(QSizeF portrait) { portrait_ = portrait; }
    // Installed printers and the index of the current one (an empty list: no printer, PDF).
    void setPrinters(std::vector<platform::PrinterInfo> printers, std::size_t current = 0);
    void setFontCount(int count) { fontCount_ = count; }
    // The step fails every time after it succeeded successesFirst times (counted from now).
    void failFrom(Step step, int successesFirst = 0);
    void failNothing();

    QString pdfFolder() const override { return pdfFolder_; }
    void setPdfFolder(const QString& folder) override { pdfFolder_ = folder; }
    QString lastOutputFile() const override { return lastOutputFile_; }

protected:
    QSizeF printableSize(int orientation) override;
    double dotsPerInch() override { return 600; }
    double textWidthCm(const platform::PrinterFont& font, const QString& line) override;
    double lineHeightCm(const platform::PrinterFont& font) override;
    bool beginDocument(int orientation) override;
    bool drawText(double x, double y, const QString& text, const platform::PrinterFont& font,
                  const QColor& color) override;
    bool startPage(int orientation) override;
    bool endDocument() override;
    std::vector<platform::PrinterInfo> installedPrinters() override { return printers_; }
    platform::PrinterInfo currentPrinter() override;
    bool choosePrinter(const QString& deviceName) override;
    int fontCount() override { return fontCount_; }

private:
    bool fails(Step step);

    std::vector<Document> documents_;
    QSizeF portrait_{20.0, 28.7};
    std::vector<platform::PrinterInfo> printers_;
    std::size_t current_ = 0;
    int fontCount_ = 3;
    QString pdfFolder_; // the temporary folder unless set
    QString lastOutputFile_;
    bool failing_ = false;
    Step failingStep_ = Step::BeginDoc;
    int successesLeft_ = 0;
};
