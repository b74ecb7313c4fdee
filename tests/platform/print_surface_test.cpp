// The printer's rules (scale, print position, line ends, pages, fonts, printers, failures) on the
// recording surface, whose metrics are simple: at 10 pt a character is 0.2 cm wide and a line
// 0.5 cm high; the printable area is 20.0 x 28.7 cm.
#include "platform/print_surface.h"

#include "runtime/error.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

using namespace platform;
using Text = RecordingPrintSurface::Text;
using Step = RecordingPrintSurface::Step;

namespace {

constexpr double eps = 1e-9;

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void expectText(const Text& text, const char* expected, double x, double y)
{
    EXPECT_EQ(text.text, s(expected));
    EXPECT_NEAR(text.x, x, eps) << qPrintable(text.text);
    EXPECT_NEAR(text.y, y, eps) << qPrintable(text.text);
}

class PrintSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rt::clearError();
        paper.setScaleMode(vbCentimeters);
    }
    void TearDown() override { rt::clearError(); }

    const RecordingPrintSurface::Page& page(std::size_t index, std::size_t document = 0)
    {
        return paper.documents().at(document).pages.at(index);
    }

    RecordingPrintSurface paper;
};

TEST_F(PrintSurfaceTest, printWithoutLineEnd_movesCurrentXBehindTheText)
{
    paper.setCurrentX(2);
    paper.setCurrentY(1);
    EXPECT_TRUE(paper.Print(s("ab"), LineEnd::No));
    EXPECT_NEAR(paper.CurrentX(), 2.4, eps);
    EXPECT_NEAR(paper.CurrentY(), 1, eps);
    EXPECT_TRUE(paper.Print(s("cde")));
    // The line end goes to the left of the scale, one line lower.
    EXPECT_NEAR(paper.CurrentX(), 0, eps);
    EXPECT_NEAR(paper.CurrentY(), 1.5, eps);
    EXPECT_TRUE(paper.Print());
    EXPECT_NEAR(paper.CurrentY(), 2, eps);

    ASSERT_EQ(page(0).texts.size(), 2u);
    expectText(page(0).texts[0], "ab", 2, 1);
    expectText(page(0).texts[1], "cde", 2.4, 1);
}

TEST_F(PrintSurfaceTest, lineBreaksInsideTheText_actAsLineEnds)
{
    struct Row {
        const char* name;
        const char* text;
        std::vector<const char*> printed; // one line each, from the top
        double x;                         // CurrentX afterwards
        double y;                         // CurrentY afterwards
    };
    const Row rows[] = {
        {"CR LF", "ab\r\ncd", {"ab", "cd"}, 0.4, 0.5},
        {"lone CR", "ab\rcd", {"ab", "cd"}, 0.4, 0.5},
        {"lone LF", "ab\ncd", {"ab", "cd"}, 0.4, 0.5},
        {"word ending in CR", "Ende\r", {"Ende"}, 0, 0.5},
        {"two CRs leave an empty line", "Tag\r\r", {"Tag"}, 0, 1.0},
        {"LF CR is two breaks", "a\n\rb", {"a", "b"}, 0.2, 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface fresh;
        fresh.setScaleMode(vbCentimeters);
        fresh.setCurrentX(2);
        EXPECT_TRUE(fresh.Print(s(row.text), LineEnd::No));
        EXPECT_NEAR(fresh.CurrentX(), row.x, eps);
        EXPECT_NEAR(fresh.CurrentY(), row.y, eps);
        const auto& texts = fresh.documents().at(0).pages.at(0).texts;
        ASSERT_EQ(texts.size(), row.printed.size());
        expectText(texts[0], row.printed[0], 2, 0);
        if (row.printed.size() > 1) {
            EXPECT_NEAR(texts[1].x, 0, eps);
        }
    }
}

TEST_F(PrintSurfaceTest, scaleModes_showTheSamePlaceInTheirUnits)
{
    paper.setCurrentX(2.54);
    paper.setCurrentY(2.54);
    struct Row {
        int mode;
        double x;
        double y;
        double width; // ScaleWidth of 20 cm
    };
    const Row rows[] = {
        {vbTwips, 1440, 1440, 20 / 2.54 * 1440},
        {vbPoints, 72, 72, 20 / 2.54 * 72},
        {vbPixels, 600, 600, 20 / 2.54 * 600},
        {vbCharacters, 12, 6, 20 / 2.54 * 12},
        {vbInches, 1, 1, 20 / 2.54},
        {vbMillimeters, 25.4, 25.4, 200},
        {vbCentimeters, 2.54, 2.54, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        paper.setScaleMode(row.mode);
        EXPECT_EQ(paper.ScaleMode(), row.mode);
        EXPECT_NEAR(paper.CurrentX(), row.x, 1e-6);
        EXPECT_NEAR(paper.CurrentY(), row.y, 1e-6);
        EXPECT_NEAR(paper.ScaleWidth(), row.width, 1e-6);
    }
    paper.setScaleMode(vbMillimeters);
    EXPECT_NEAR(paper.ScaleHeight(), 287, 1e-9);
    EXPECT_NEAR(paper.TextHeight(s("Ay")), 5, 1e-9);
    paper.setScaleMode(vbTwips);
    EXPECT_NEAR(paper.TextWidth(s("Ay")), 0.4 / 2.54 * 1440, 1e-6);

    paper.setScaleMode(99);
    EXPECT_EQ(paper.ScaleMode(), vbTwips);
}

TEST_F(PrintSurfaceTest, negativeScaleOrigin_keepsItsMarginOnEveryLineAndPage)
{
    paper.setScaleLeft(-1.5);
    paper.setScaleTop(-2);
    EXPECT_EQ(paper.ScaleMode(), vbUser); // the units stay centimetres
    EXPECT_NEAR(paper.ScaleWidth(), 20, eps);

    paper.setCurrentX(0);
    paper.setCurrentY(0);
    paper.Print(s("Kopf"));
    paper.Print(s("Zeile"));
    paper.NewPage();
    EXPECT_NEAR(paper.CurrentX(), 0, eps);
    EXPECT_NEAR(paper.CurrentY(), 0, eps);
    paper.Print(s("Seite 2"));

    expectText(page(0).texts[0], "Kopf", 1.5, 2);
    expectText(page(0).texts[1], "Zeile", 1.5, 2.5);
    expectText(page(1).texts[0], "Seite 2", 1.5, 2);

    // A unit again puts the origin back on the corner; the position stays on the paper.
    paper.setScaleMode(vbCentimeters);
    EXPECT_NEAR(paper.ScaleLeft(), 0, eps);
    EXPECT_NEAR(paper.ScaleTop(), 0, eps);
    EXPECT_NEAR(paper.CurrentX(), 1.5, eps);
    EXPECT_NEAR(paper.CurrentY(), 2.5, eps);
}

TEST_F(PrintSurfaceTest, userScaleWidthAndHeight_divideThePrintableArea)
{
    paper.setScaleWidth(100);
    paper.setScaleHeight(-287); // upwards
    EXPECT_EQ(paper.ScaleMode(), vbUser);
    paper.setCurrentX(50);
    paper.setCurrentY(-10);
    paper.Print(s("x"), LineEnd::No);
    expectText(page(0).texts[0], "x", 10, 1);
    EXPECT_NEAR(paper.TextWidth(s("abcde")), 5, eps); // 1 cm in fifths of a centimetre
    EXPECT_NEAR(paper.TextHeight(s("a")), 5, eps);    // heights stay positive

    paper.setScaleWidth(0);
    EXPECT_NEAR(paper.ScaleWidth(), 100, eps);
}

TEST_F(PrintSurfaceTest, textWidthAndHeight_measureLinesInTheCurrentFont)
{
    struct Row {
        const char* text;
        double width;
        double height;
    };
    const Row rows[] = {
        {"", 0, 0.5},
        {"abc", 0.6, 0.5},
        {"ab\r\nabcd", 0.8, 1.0},
        {"a\r", 0.2, 1.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_NEAR(paper.TextWidth(s(row.text)), row.width, eps);
        EXPECT_NEAR(paper.TextHeight(s(row.text)), row.height, eps);
    }
    paper.setFontSize(20);
    EXPECT_NEAR(paper.TextWidth(s("abc")), 1.2, eps);
    EXPECT_NEAR(paper.TextHeight(s("Ay")), 1.0, eps);
}

TEST_F(PrintSurfaceTest, document_beginsWithTheFirstOutputAndEndsWithEndDoc)
{
    paper.setFontName(s("Courier New"));
    paper.TextWidth(s("Ay"));
    paper.setCurrentY(3);
    EXPECT_TRUE(paper.documents().empty());
    EXPECT_FALSE(paper.documentOpen());

    EXPECT_TRUE(paper.EndDoc()); // nothing to end
    EXPECT_TRUE(paper.documents().empty());

    paper.Print(s(" "), LineEnd::No); // the usual way to begin the document
    ASSERT_EQ(paper.documents().size(), 1u);
    EXPECT_TRUE(paper.documentOpen());
    EXPECT_FALSE(paper.documents()[0].ended);

    EXPECT_TRUE(paper.EndDoc());
    EXPECT_TRUE(paper.documents()[0].ended);
    EXPECT_NEAR(paper.CurrentX(), 0, eps);
    EXPECT_NEAR(paper.CurrentY(), 0, eps);
    EXPECT_TRUE(paper.EndDoc());
    EXPECT_EQ(paper.documents().size(), 1u);

    // An empty line with line end begins a document too.
    paper.Print();
    ASSERT_EQ(paper.documents().size(), 2u);
    EXPECT_TRUE(paper.documents()[1].pages[0].texts.empty());

    // A NewPage on an idle printer begins the document and leaves its first page empty.
    paper.EndDoc();
    paper.NewPage();
    ASSERT_EQ(paper.documents().size(), 3u);
    EXPECT_EQ(paper.documents()[2].pages.size(), 2u);
}

TEST_F(PrintSurfaceTest, callerLoopWithPageBreaks_putsEachLineWhereTheCallerMeasured)
{
    // As a list print does: a new page when the next line would pass the printable height.
    for (int i = 0; i < 100; ++i) {
        const double height = paper.TextHeight(s("Ay"));
        if (i > 0 && paper.CurrentY() + height > paper.ScaleHeight())
            paper.NewPage();
        paper.setCurrentX(1.5);
        paper.Print(QStringLiteral("Zeile %1").arg(i + 1));
    }
    paper.EndDoc();

    const auto& pages = paper.documents().at(0).pages;
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(pages[0].texts.size(), 57u); // 28.7 cm hold 57 lines of 0.5 cm
    ASSERT_EQ(pages[1].texts.size(), 43u);
    expectText(pages[0].texts.back(), "Zeile 57", 1.5, 28.0);
    expectText(pages[1].texts.front(), "Zeile 58", 1.5, 0);
    expectText(pages[1].texts.back(), "Zeile 100", 1.5, 21.0);
}

TEST_F(PrintSurfaceTest, lineBelowThePrintableArea_goesToTheNextPageByItself)
{
    for (int i = 0; i < 58; ++i)
        paper.Print(QStringLiteral("Zeile %1").arg(i + 1));
    ASSERT_EQ(page(0).texts.size(), 57u);
    ASSERT_EQ(paper.documents()[0].pages.size(), 2u);
    expectText(page(1).texts[0], "Zeile 58", 0, 0);
    EXPECT_NEAR(paper.CurrentY(), 0.5, eps);

    // The column is kept, and a top margin of the scale holds on the new page.
    paper.setScaleTop(-2);
    paper.setCurrentY(26.5); // 28.5 cm on the paper
    paper.setCurrentX(3);
    paper.Print(s("Spalte"), LineEnd::No);
    ASSERT_EQ(paper.documents()[0].pages.size(), 3u);
    expectText(page(2).texts[0], "Spalte", 3, 2);

    // Empty lines below the page do not start a page.
    paper.setCurrentY(40);
    paper.Print();
    paper.Print(s(""), LineEnd::No);
    EXPECT_EQ(paper.documents()[0].pages.size(), 3u);
}

TEST_F(PrintSurfaceTest, fontAndColour_areRecordedWithEachTextAndStayAcrossPages)
{
    paper.setFontName(s("Times New Roman"));
    paper.setFontSize(12);
    paper.setFontBold(true);
    paper.setForeColor(QColor(200, 0, 0));
    paper.Print(s("Überschrift"));
    paper.setFontBold(false);
    paper.setFontItalic(true);
    paper.setFontUnderline(true);
    paper.setFontStrikethru(true);
    paper.NewPage();
    paper.Print(s("Text"));
    paper.EndDoc();
    paper.setFontName(s("")); // ignored
    paper.setFontSize(0);     // ignored
    paper.setFontSize(-3);    // ignored
    paper.Print(s("neu"));

    const Text& heading = page(0).texts.at(0);
    EXPECT_EQ(heading.font, (PrinterFont{s("Times New Roman"), 12, true, false, false, false}));
    EXPECT_EQ(heading.color, QColor(200, 0, 0));
    const Text& text = page(1).texts.at(0);
    EXPECT_EQ(text.font, (PrinterFont{s("Times New Roman"), 12, false, true, true, true}));
    EXPECT_EQ(text.color, QColor(200, 0, 0));
    EXPECT_NEAR(text.y, 0, eps);
    EXPECT_EQ(paper.documents().at(1).pages.at(0).texts.at(0).font, text.font);
    EXPECT_EQ(paper.FontName(), s("Times New Roman"));
    EXPECT_DOUBLE_EQ(paper.FontSize(), 12);
}

TEST_F(PrintSurfaceTest, defaults_areTwipsAndArialTenInBlack)
{
    RecordingPrintSurface fresh;
    EXPECT_EQ(fresh.ScaleMode(), vbTwips);
    EXPECT_EQ(fresh.FontName(), s("Arial"));
    EXPECT_DOUBLE_EQ(fresh.FontSize(), 10);
    EXPECT_FALSE(fresh.FontBold() || fresh.FontItalic() || fresh.FontUnderline() ||
                 fresh.FontStrikethru());
    EXPECT_EQ(fresh.ForeColor(), QColor(Qt::black));
    EXPECT_EQ(fresh.Orientation(), vbPRORPortrait);
}

TEST_F(PrintSurfaceTest, landscape_swapsThePageAndAppliesFromTheNextPage)
{
    paper.setOrientation(vbPRORLandscape);
    EXPECT_NEAR(paper.ScaleWidth(), 28.7, eps);
    EXPECT_NEAR(paper.ScaleHeight(), 20, eps);
    paper.Print(s("quer"));
    paper.setOrientation(vbPRORPortrait);
    paper.NewPage();
    paper.setOrientation(7); // ignored
    EXPECT_EQ(paper.Orientation(), vbPRORPortrait);
    EXPECT_EQ(page(0).orientation, vbPRORLandscape);
    EXPECT_EQ(page(1).orientation, vbPRORPortrait);
}

TEST_F(PrintSurfaceTest, selectPrinter_takesAnInstalledNameAndEndsABegunDocument)
{
    paper.setPrinters({{s("Büro"), s("usb://Buero"), s("Laser 5")},
                       {s("Keller"), s("ipp://keller"), s("Tinte 2")}});
    EXPECT_EQ(paper.Printers().size(), 2u);
    EXPECT_EQ(paper.DeviceName(), s("Büro"));

    paper.Print(s("für Büro"));
    EXPECT_FALSE(paper.selectPrinter(s("keller"))); // names are exact here
    EXPECT_FALSE(paper.selectPrinter(s("Dachboden")));
    EXPECT_EQ(paper.DeviceName(), s("Büro"));
    EXPECT_TRUE(paper.documentOpen());

    EXPECT_TRUE(paper.selectPrinter(s("Keller")));
    EXPECT_EQ(paper.DeviceName(), s("Keller"));
    EXPECT_EQ(paper.Port(), s("ipp://keller"));
    EXPECT_EQ(paper.DriverName(), s("Tinte 2"));
    EXPECT_FALSE(paper.documentOpen());
    paper.Print(s("für Keller"));
    paper.EndDoc();

    ASSERT_EQ(paper.documents().size(), 2u);
    EXPECT_EQ(paper.documents()[0].printer, s("Büro"));
    EXPECT_TRUE(paper.documents()[0].ended);
    EXPECT_EQ(paper.documents()[1].printer, s("Keller"));
    EXPECT_TRUE(paper.documents()[0].file.isEmpty());
    EXPECT_TRUE(paper.lastOutputFile().isEmpty());
}

TEST_F(PrintSurfaceTest, noPrinterInstalled_printsToAPdfFileInTheChosenFolder)
{
    FakeClock clock(rt::fromQDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 15))));
    ScopedService clockGuard(setClock, &clock);
    ScopedService printerGuard(setPrinter, &paper);

    PrintSurface& p = printer();
    EXPECT_TRUE(p.Printers().empty());
    EXPECT_EQ(p.DeviceName(), s("PDF-Datei"));
    EXPECT_FALSE(p.selectPrinter(s("PDF-Datei")));
    p.setPdfFolder(s("/home/anna/Ausdrucke"));
    EXPECT_EQ(p.Port(), s("/home/anna/Ausdrucke"));
    p.Print(s("x"));
    p.EndDoc();
    EXPECT_EQ(p.lastOutputFile(), s("/home/anna/Ausdrucke/Korvanel-Druck-20240305-143015.pdf"));
}

TEST_F(PrintSurfaceTest, failingOutput_reportsAPrinterErrorAndKeepsTheLayoutGoing)
{
    struct Row {
        const char* name;
        Step step;
        int successesFirst;
        std::size_t texts;  // recorded
        bool printOk;       // the third Print
        bool endOk;
    };
    const Row rows[] = {
        {"no printer ready", Step::BeginDoc, 0, 0, false, true},
        {"third text fails", Step::Text, 2, 2, false, true},
        {"new page fails", Step::NewPage, 0, 4, true, true},
        {"end fails", Step::EndDoc, 0, 4, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rt::clearError();
        RecordingPrintSurface fresh;
        fresh.setScaleMode(vbCentimeters);
        fresh.failFrom(row.step, row.successesFirst);
        fresh.Print(s("eins"));
        fresh.Print(s("zwei"));
        EXPECT_EQ(fresh.Print(s("drei")), row.printOk);
        EXPECT_NEAR(fresh.CurrentY(), 1.5, eps); // the layout went on
        const bool pageOk = fresh.NewPage();
        EXPECT_EQ(pageOk, row.step != Step::NewPage && row.step != Step::BeginDoc);
        fresh.Print(s("vier"));
        EXPECT_EQ(fresh.EndDoc(), row.endOk);
        EXPECT_FALSE(fresh.documentOpen());
        EXPECT_EQ(fresh.allTexts().size(), row.texts);
        EXPECT_EQ(rt::Err().number, rt::ErrPrinterError);
        EXPECT_FALSE(rt::Err().description.isEmpty());
    }
}

} // namespace
