// Word-wrapped text printing, the printer choice and the printer font, on the recording printer:
// at 10 pt a character is 0.2 cm wide and a line 0.5 cm high; the printable area is 20 x 28.7 cm.
// Positions recorded are in cm from the top left of the printable area.
#include "print/text_printing.h"

#include "foundation/error_dialog.h"
#include "platform/print_surface.h"
#include "runtime/error.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"

#include <QLineEdit>
#include <QStringList>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace print;
using Text = RecordingPrintSurface::Text;
using Step = RecordingPrintSurface::Step;

namespace {

constexpr double eps = 1e-9;

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct Placed {
    const char* text;
    double x;
    double y;
};

class TextPrintingTest : public ::testing::Test {
protected:
    TextPrintingTest()
    {
        paper.setScaleMode(platform::vbCentimeters);
        paper.setFontSize(10);
    }
    ~TextPrintingTest() override { foundation::setFehlerBehandlungFuerTests({}); }

    static void expectPlaced(const std::vector<Text>& texts, const std::vector<Placed>& expected)
    {
        ASSERT_EQ(texts.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(texts[i].text, s(expected[i].text));
            EXPECT_NEAR(texts[i].x, expected[i].x, eps);
            EXPECT_NEAR(texts[i].y, expected[i].y, eps);
        }
    }

    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> printerGuard{platform::setPrinter, &paper};
};

// --- TextDrucken ----------------------------------------------------------------------------

TEST_F(TextPrintingTest, textDrucken_laysOutWordsAsTheRulesSay)
{
    struct Row {
        const char* name;
        const char* text;
        double x1, y1, x2, y2;
        std::vector<Placed> printed;
        const char* rest;
        double endX, endY; // the print position afterwards
    };
    const std::vector<Row> rows = {
        {"empty text: nothing", "", 1, 1, 19, 20, {}, "", 1, 1},
        {"two words on one line, the last line not ended", "Ab Cd", 1, 1, 19, 20,
         {{"Ab ", 1, 1}, {"Cd", 1.6, 1}}, "", 2.0, 1},
        {"break characters stay with their word", "a-b:c=d/e&f!g?h i", 0, 0, 19, 20,
         {{"a-", 0, 0}, {"b:", 0.4, 0}, {"c=", 0.8, 0}, {"d/", 1.2, 0}, {"e&", 1.6, 0},
          {"f!", 2.0, 0}, {"g?", 2.4, 0}, {"h ", 2.8, 0}, {"i", 3.2, 0}},
         "", 3.4, 0},
        {"a run of break characters gives one-character words", "a--b", 0, 0, 19, 20,
         {{"a-", 0, 0}, {"-", 0.4, 0}, {"b", 0.6, 0}}, "", 0.8, 0},
        {"CR LF: the LF is dropped, the CR ends the line, the next line starts at x1",
         "Eins\r\nZwei", 2, 1, 19, 20, {{"Eins", 2, 1}, {"Zwei", 2, 1.5}}, "", 2.8, 1.5},
        {"a lone LF is dropped and joins the words", "Ab\nCd", 2, 1, 19, 20, {{"AbCd", 2, 1}},
         "", 2.8, 1},
        {"two CRs leave an empty line", "A\r\rB", 2, 1, 19, 20, {{"A", 2, 1}, {"B", 2, 2}}, "",
         2.2, 2},
        {"word and two blanks just short of x2 stay on the line", "ab cdefg", 0, 1, 2.1, 20,
         {{"ab ", 0, 1}, {"cdefg", 0.6, 1}}, "", 1.6, 1},
        {"word and two blanks reaching x2 exactly go to the next line", "ab cdefg", 0, 1, 2.0,
         20, {{"ab ", 0, 1}, {"cdefg", 0, 1.5}}, "", 1.0, 1.5},
        {"a word too wide for any line is not split: empty line, then past the edge",
         "Donaudampfschifffahrt x", 1, 1, 4, 20,
         {{"Donaudampfschifffahrt ", 1, 1.5}, {"x", 1, 2}}, "", 1.2, 2},
        {"page full after a line end: the word comes back in front of the rest",
         "aa bb cc dd ee", 0, 1, 1.1, 3, {{"aa ", 0, 1}, {"bb ", 0, 1.5}, {"cc ", 0, 2}},
         "dd ee", 0, 2.5},
        {"page full before the first word: everything comes back", "aa bb", 0, 2.5, 19, 3, {},
         "aa bb", 0, 2.5},
        {"the rest keeps the line breaks behind the word that did not fit",
         "aa bb\r\ncc\r\ndd", 0, 2.0, 1.1, 3, {{"aa ", 0, 2}, {"bb", 0.6, 2}}, "cc\r\ndd", 0,
         2.5},
        {"x2 below 0: the right limit is the page width less 1; reaching 19 goes down",
         "abcdefgh", 17, 1, -1, 20, {{"abcdefgh", 17, 1.5}}, "", 18.6, 1.5},
        {"x2 below 0: a word short of 19 stays on the line", "abcdefg", 17, 1, -1, 20,
         {{"abcdefg", 17, 1}}, "", 18.4, 1},
        {"x2 not beyond x1: also the page width less 1", "abcdefgh", 17, 1, 5, 20,
         {{"abcdefgh", 17, 1.5}}, "", 18.6, 1.5},
        {"y2 below 0: the bottom is the page height less two lines (27.7)", "aa bb", 0, 26.9,
         19, -1, {{"aa ", 0, 26.9}, {"bb", 0.6, 26.9}}, "", 1.0, 26.9},
        {"y2 below 0, a line lower: the page is full", "aa bb", 0, 27.0, 19, -1, {}, "aa bb", 0,
         27.0},
        {"y2 not beyond y1: also the default bottom", "aa", 0, 12, 19, 12, {{"aa", 0, 12}}, "",
         0.4, 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setScaleMode(platform::vbCentimeters);
        page.setFontSize(10);

        const QString rest = TextDrucken(s(row.text), row.x1, row.y1, row.x2, row.y2);

        EXPECT_EQ(rest, s(row.rest));
        expectPlaced(page.allTexts(), row.printed);
        EXPECT_NEAR(page.CurrentX(), row.endX, eps);
        EXPECT_NEAR(page.CurrentY(), row.endY, eps);
        EXPECT_LE(page.documents().size(), 1u);
        if (!page.documents().empty()) {
            EXPECT_EQ(page.documents()[0].pages.size(), 1u) << "never starts a page";
            EXPECT_FALSE(page.documents()[0].ended) << "never ends the document";
        }
    }
}

TEST_F(TextPrintingTest, textDrucken_negativeStartKeepsThePosition_soACallContinuesTheLine)
{
    struct Row {
        const char* name;
        double x1, y1;
        std::vector<Placed> printed;
    };
    const std::vector<Row> rows = {
        {"x1 and y1 below 0: both kept", -1, -1, {{"ab ", 3, 2}, {"cd", 3.6, 2}}},
        {"only x1 below 0", -1, 4, {{"ab ", 3, 4}, {"cd", 3.6, 4}}},
        {"only y1 below 0", 5, -1, {{"ab ", 5, 2}, {"cd", 5.6, 2}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setScaleMode(platform::vbCentimeters);
        page.setCurrentX(3);
        page.setCurrentY(2);
        EXPECT_EQ(TextDrucken(s("ab cd"), row.x1, row.y1, 19, 20), QString());
        expectPlaced(page.allTexts(), row.printed);
    }

    // A heading, then the text on the same line at its own left edge.
    EXPECT_EQ(TextDrucken(s("05.03.2024, "), 1, 1, 19, 20), QString());
    EXPECT_EQ(TextDrucken(s("Regen"), 4, -1, 19, 20), QString());
    expectPlaced(paper.allTexts(), {{"05.03.2024, ", 1, 1}, {"Regen", 4, 1}});
}

TEST_F(TextPrintingTest, textDrucken_failingPrinter_goesOnOrGivesUpAsTheUserAnswers)
{
    struct Row {
        const char* name;
        int answer;
        QStringList printed;
        const char* rest;
    };
    const Row rows[] = {
        {"go on: the next words are printed", 5, {s("eins "), s("drei")}, ""},
        {"stop: the rest is given up", 2, {s("eins ")}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setScaleMode(platform::vbCentimeters);
        page.failFrom(Step::Text, 1);
        std::vector<QString> reports;
        foundation::setFehlerBehandlungFuerTests([&](int number, const QString& text) {
            EXPECT_EQ(number, rt::ErrPrinterError);
            reports.push_back(text);
            page.failNothing(); // one word fails
            return row.answer;
        });

        EXPECT_EQ(TextDrucken(s("eins zwei drei"), 1, 1, 19, 20), s(row.rest));

        EXPECT_EQ(reports, std::vector<QString>{s("Fehler beim Textausdruck #1")});
        QStringList printed;
        for (const Text& text : page.allTexts())
            printed.append(text.text);
        EXPECT_EQ(printed, row.printed);
    }
}

// --- Across pages -----------------------------------------------------------------------------

TEST_F(TextPrintingTest, seitenwechsel_everyWordArrivesInOrder_eachPageFromTheTop)
{
    paper.setPrintableSize(QSizeF(20, 5)); // bottom 4: six lines from 0.5 to 3.0
    QStringList words;
    for (int i = 1; i <= 20; ++i)
        words.append(QStringLiteral("w%1").arg(i, 2, 10, QLatin1Char('0')));
    int pageChanges = 0;

    const QString rest = TextDruckenMitSeitenwechsel(words.join(u' '), 1, 0.5, 2.5, -1, [&] {
        ++pageChanges;
        paper.NewPage();
    });

    EXPECT_EQ(rest, QString());
    EXPECT_EQ(pageChanges, 3);
    const auto& pages = paper.documents().at(0).pages;
    ASSERT_EQ(pages.size(), 4u);
    QStringList printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        const auto& texts = pages[p].texts;
        ASSERT_EQ(texts.size(), p < 3 ? 6u : 2u);
        for (std::size_t line = 0; line < texts.size(); ++line) {
            EXPECT_NEAR(texts[line].x, 1, eps);
            EXPECT_NEAR(texts[line].y, 0.5 + 0.5 * double(line), eps);
            printed.append(texts[line].text.trimmed());
        }
    }
    EXPECT_EQ(printed, words);
}

TEST_F(TextPrintingTest, seitenwechsel_noRoomForOneLineOnAFreshPage_givesTheRestBackAtOnce)
{
    struct Row {
        const char* name;
        double top;      // set by the page start of the caller
        double fontSize; // points
    };
    const Row rows[] = {
        {"top margin below the last line", 3.5, 10},
        {"font taller than the page", 0.5, 72},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setPrintableSize(QSizeF(20, 5));
        page.setScaleMode(platform::vbCentimeters);
        page.setFontSize(row.fontSize);
        page.setCurrentY(row.top);
        int pageChanges = 0;

        const QString rest = TextDruckenMitSeitenwechsel(s("kein Platz"), 1, -1, -1, -1, [&] {
            ++pageChanges;
            page.NewPage();
            page.setCurrentY(row.top);
        });

        EXPECT_EQ(rest, s("kein Platz"));
        EXPECT_EQ(pageChanges, 1) << "one fresh page is tried, then the rest comes back";
        EXPECT_TRUE(page.allTexts().empty());
    }
}

TEST_F(TextPrintingTest, messages_pageTooSmall_andThePdfFileOfAPrint)
{
    FakeDialogs dialogs;
    ScopedService dialogsGuard(platform::setDialogs, &dialogs);

    dialogs.expectMsgBox(platform::vbOK, s("keinen Platz für eine einzige Zeile"));
    SeiteZuKleinMelden();

    // No printer installed: the document went to a PDF file, whose path is told.
    paper.setPdfFolder(s("/tmp/Ausdrucke"));
    paper.Print(s("Seite"));
    paper.EndDoc();
    ASSERT_FALSE(paper.lastOutputFile().isEmpty());
    dialogs.expectMsgBox(platform::vbOK, paper.lastOutputFile());
    PdfAusgabeMelden();

    // A printer: nothing to tell.
    RecordingPrintSurface laser;
    ScopedService guard(platform::setPrinter, &laser);
    laser.setPrinters({{s("Laser"), s("ipp://laser"), s("Generic PCL")}});
    laser.Print(s("Seite"));
    laser.EndDoc();
    PdfAusgabeMelden();

    ASSERT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(dialogs.calls()[1].icon, platform::vbInformation);
    EXPECT_EQ(dialogs.calls()[1].title, s("Drucken"));
}

// --- Printer choice and font ----------------------------------------------------------------

TEST_F(TextPrintingTest, druckerWaehlen_matchesWithoutRegardToCase_unknownChangesNothing)
{
    struct Row {
        const char* name;
        const char* wanted;
        bool matched;
        const char* current;
    };
    const Row rows[] = {
        {"exact name", "Tinte", true, "Tinte"},
        {"other case, umlauts too", "LASER BÜRO", true, "Laser Büro"},
        {"every match is visited: the last one stays", "plotter", true, "PLOTTER"},
        {"unknown name", "Fax", false, "Tinte"},
        {"empty name", "", false, "Tinte"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setPrinters({{s("Laser Büro"), s("usb://1"), s("PCL")},
                          {s("Tinte"), s("usb://2"), s("ESC/P")},
                          {s("Plotter"), s("lpd://3"), s("HPGL")},
                          {s("PLOTTER"), s("lpd://4"), s("HPGL")}},
                         1);
        EXPECT_EQ(DruckerWaehlen(s(row.wanted)), row.matched);
        EXPECT_EQ(page.DeviceName(), s(row.current));
    }
}

TEST_F(TextPrintingTest, druckerSchriftSetzen_takesTheFontAndColourOfTheControl)
{
    QLineEdit control;
    QFont font(s("Courier New"));
    font.setPointSizeF(13.5);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    control.setFont(font);
    QPalette colours = control.palette();
    colours.setColor(control.foregroundRole(), QColor(10, 20, 30));
    control.setPalette(colours);

    DruckerSchriftSetzen(control);

    EXPECT_EQ(paper.FontName(), s("Courier New"));
    EXPECT_DOUBLE_EQ(paper.FontSize(), 13.5);
    EXPECT_TRUE(paper.FontBold());
    EXPECT_TRUE(paper.FontItalic());
    EXPECT_TRUE(paper.FontUnderline());
    EXPECT_TRUE(paper.FontStrikethru());
    EXPECT_EQ(paper.ForeColor(), QColor(10, 20, 30));

    control.setFont(QFont(s("Arial"), 9));
    DruckerSchriftSetzen(control);
    EXPECT_EQ(paper.FontName(), s("Arial"));
    EXPECT_FALSE(paper.FontBold());
    EXPECT_FALSE(paper.FontItalic());
    EXPECT_FALSE(paper.FontUnderline());
    EXPECT_FALSE(paper.FontStrikethru());
}

} // namespace
