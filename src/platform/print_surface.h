#pragma once
// The printer: VB's Printer object with its scale, print position, fonts and the list of
// installed printers, on top of a small device (the system's printers, or a recording in tests).
//
//   PrintSurface& p = platform::printer();
//   p.setScaleMode(vbCentimeters);
//   p.setFontName(QStringLiteral("Arial"));
//   p.setCurrentX(2.0);
//   p.Print(QStringLiteral("Seite 1"));                  // with line end
//   p.Print(QStringLiteral("ohne Zeilenende"), LineEnd::No);
//   p.NewPage();
//   if (!p.EndDoc()) ... rt::Err() says what failed
//
// Rules of the print position (all in the units of the current scale):
// - The document begins with the first Print or NewPage, as VB's Printer did; until then
//   nothing is sent. EndDoc sends it; EndDoc without a begun document does nothing.
// - Print draws the text with the top of its line at CurrentY, starting at CurrentX, and moves
//   CurrentX behind it. With a line end, CurrentY moves down one line height of the current font
//   (TextHeight of one line) and CurrentX goes to 0 of the scale.
// - A line break inside the printed text (CR LF, a lone CR or a lone LF) acts as a line end:
//   the text after it continues on the next line at 0 of the scale. A word ending in CR thus
//   ends its line, and two CRs leave an empty line.
// - When a line of text would reach below the printable area, the printer moves to the next
//   page first and prints the line at CurrentY 0 of the scale (CurrentX is kept).
// - NewPage and EndDoc put the print position at 0, 0 of the scale. So a negative ScaleTop or
//   ScaleLeft keeps its margin on every page.
// - Setting ScaleMode to a unit (1 to 7) resets ScaleLeft and ScaleTop to 0, also when the scale
//   already had that unit; setting ScaleLeft, ScaleTop, ScaleWidth or ScaleHeight makes the scale
//   user-defined (ScaleMode 0) in the units it had. The print position stays where it is on the
//   paper.
// - Choosing another printer ends a begun document first (which sends it); scale, font and
//   orientation stay as they were.
//
// Printing never throws. Print, NewPage and EndDoc return false when the output failed; the
// current error record (rt::Err) then holds rt::ErrPrinterError with a German description. The position
// moves on as if the text had been printed, so a caller that goes on lays out the rest the same.
#include <QColor>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace platform {

// ScaleMode values.
inline constexpr int vbUser = 0;
inline constexpr int vbTwips = 1;
inline constexpr int vbPoints = 2;
inline constexpr int vbPixels = 3;
inline constexpr int vbCharacters = 4; // 120 twips wide, 240 twips high
inline constexpr int vbInches = 5;
inline constexpr int vbMillimeters = 6;
inline constexpr int vbCentimeters = 7;

// Orientation values.
inline constexpr int vbPRORPortrait = 1;
inline constexpr int vbPRORLandscape = 2;

enum class LineEnd { No, Yes };

// One entry of the printer list.
struct PrinterInfo {
    QString DeviceName;
    QString Port;
    QString DriverName;

    friend bool operator==(const PrinterInfo&, const PrinterInfo&) = default;
};

// The font members of the printer.
struct PrinterFont {
    QString name = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    friend bool operator==(const PrinterFont&, const PrinterFont&) = default;
};

class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    PrintSurface(const PrintSurface&) = delete;
    PrintSurface& operator=(const PrintSurface&) = delete;

    // --- Printers ---------------------------------------------------------------------------
    // The installed printers in the system's order; empty when none is installed.
    std::vector<PrinterInfo> Printers() { return installedPrinters(); }
    // The current printer. With no printer installed it is the PDF file (DeviceName
    // "PDF-Datei", Port the folder of the file).
    QString DeviceName() { return currentPrinter().DeviceName; }
    QString Port() { return currentPrinter().Port; }
    QString DriverName() { return currentPrinter().DriverName; }
    // Makes the installed printer with exactly this device name the current one; false (and
    // nothing changes) when there is none. Also false, with rt::Err set, when the document
    // begun on the former printer could not be ended; the new printer is current all the same.
    bool selectPrinter(const QString& deviceName);
    // The number of fonts the current printer offers.
    int FontCount() { return fontCount(); }

    // Where a document goes when no printer is installed: a PDF file in this folder (created
    // when missing). The temporary folder unless set.
    virtual QString pdfFolder() const = 0;
    virtual void setPdfFolder(const QString& folder) = 0;
    // The PDF file of the last document that went to a file; empty when it went to a printer
    // or when none was begun.
    virtual QString lastOutputFile() const = 0;

    // --- Page and scale ---------------------------------------------------------------------
    int Orientation() const { return orientation_; }
    // vbPRORPortrait or vbPRORLandscape (other values are ignored); a begun document gets it
    // from its next page on.
    void setOrientation(int orientation);

    int ScaleMode() const { return mode_; }
    void setScaleMode(int mode); // 0 to 7; other values are ignored
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth();
    double ScaleHeight();
    void setScaleLeft(double left);
    void setScaleTop(double top);
    void setScaleWidth(double width);   // 0 is ignored
    void setScaleHeight(double height); // 0 is ignored

    double CurrentX() const;
    double CurrentY() const;
    void setCurrentX(double x);
    void setCurrentY(double y);

    // --- Font ---------------------------------------------------------------------------------
    QString FontName() const { return font_.name; }
    double FontSize() const { return font_.size; }
    bool FontBold() const { return font_.bold; }
    bool FontItalic() const { return font_.italic; }
    bool FontUnderline() const { return font_.underline; }
    bool FontStrikethru() const { return font_.strikethru; }
    QColor ForeColor() const { return foreColor_; }
    void setFontName(const QString& name); // an empty name is ignored
    void setFontSize(double points);       // 0 or less is ignored
    void setFontBold(bool on) { font_.bold = on; }
    void setFontItalic(bool on) { font_.italic = on; }
    void setFontUnderline(bool on) { font_.underline = on; }
    void setFontStrikethru(bool on) { font_.strikethru = on; }
    void setForeColor(const QColor& color) { foreColor_ = color; }

    // Width of the widest line and height of all lines of the text in the current font, in
    // the units of the scale. An empty text is 0 wide and one line high.
    double TextWidth(const QString& text);
    double TextHeight(const QString& text);

    // --- Output -------------------------------------------------------------------------------
    bool Print(const QString& text = {}, LineEnd end = LineEnd::Yes);
    bool NewPage();
    bool EndDoc();
    // Whether a document has been begun and not yet ended.
    bool documentOpen() const { return documentOpen_; }

protected:
    PrintSurface() = default;

    // The device, in centimetres from the top left corner of the printable area.
    // Size of the printable area of a page in this orientation.
    virtual QSizeF printableSize(int orientation) = 0;
    virtual double dotsPerInch() = 0;
    virtual double textWidthCm(const PrinterFont& font, const QString& line) = 0;
    virtual double lineHeightCm(const PrinterFont& font) = 0;
    // Each returns false after fail() on failure.
    virtual bool beginDocument(int orientation) = 0;
    virtual bool drawText(double x, double y, const QString& text, const PrinterFont& font,
                          const QColor& color) = 0;
    virtual bool startPage(int orientation) = 0;
    virtual bool endDocument() = 0;
    virtual std::vector<PrinterInfo> installedPrinters() = 0;
    virtual PrinterInfo currentPrinter() = 0;
    virtual bool choosePrinter(const QString& deviceName) = 0;
    virtual int fontCount() = 0;

    // Fills the current error record with rt::ErrPrinterError and the description; returns
    // false.
    static bool fail(const QString& description);

private:
    bool ensureDocument();
    void setUnitsOfMode();
    void toScaleOrigin();
    void lineEnd();
    bool printLine(const QString& line);

    int orientation_ = vbPRORPortrait;
    int mode_ = vbTwips;
    double unitX_ = 1440 / 2.54; // units of the scale per centimetre (for every mode)
    double unitY_ = 1440 / 2.54;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double x_ = 0; // print position in cm from the top left of the printable area
    double y_ = 0;
    PrinterFont font_;
    QColor foreColor_ = Qt::black;
    bool documentOpen_ = false;
};

// The printer in use.
PrintSurface& printer();
PrintSurface* setPrinter(PrintSurface* replacement); // returns the one it replaces

// The surface on the system's printers through Qt. With pdfOnly the installed printers are not
// offered and every document goes to a PDF file (for tests on machines with printers).
std::unique_ptr<PrintSurface> makeSystemPrintSurface(bool pdfOnly = false);

// A new PDF file name in folder: "Korvanel-Druck-yyyymmdd-hhmmss.pdf" at the clock's now, with
// "-2", "-3" ... before ".pdf" when that file exists already.
QString newPdfFileName(const QString& folder);

// The device name that stands for the PDF file when no printer is installed.
QString pdfDeviceName();

} // namespace platform
