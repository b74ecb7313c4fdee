// The page footer and the printing of a list, on the recording printer: at 10 pt a line is
// 0.5 cm high and a character 0.2 cm wide, at 6 pt 0.3 cm and 0.12 cm. Positions recorded are in
// cm from the top left of the printable area, whatever scale the code under test used.
#include "textlib/list_jobs.h"
#include "textlib/print_footer.h"

#include "foundation/ini_store.h"
#include "foundation/version.h"
#include "platform/print_surface.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QListWidget>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace textlib;
using Text = RecordingPrintSurface::Text;
using Step = RecordingPrintSurface::Step;

namespace {

constexpr double eps = 1e-9;

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QString footer = QString::fromUtf8("Brisols-Korvanel 2026 · Ausdruck vom 05.03.2024");

class PrintTest : public ::testing::Test {
protected:
    PrintTest()
    {
        foundation::resetVersion();
        foundation::setVersionFuerTests(2026, 12, 1);
    }
    ~PrintTest() override { foundation::resetVersion(); }

    void footerSetting(const char* value)
    {
        foundation::IniSchreiben(QString(), QString(), s("Fusszeile"), s(value));
    }

    const std::vector<Text>& textsOf(std::size_t page) const
    {
        return paper.documents().at(0).pages.at(page).texts;
    }
    QStringList stringsOf(std::size_t page) const
    {
        return paper.documents().at(0).pages.at(page).strings();
    }
    std::size_t pageCount() const
    {
        return paper.documents().empty() ? 0 : paper.documents().at(0).pages.size();
    }

    TempSettingsFolders settings;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 14, 30)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> printerGuard{platform::setPrinter, &paper};
};

// --- The footer -----------------------------------------------------------------------------

TEST_F(PrintTest, fusszeile_printsOneLineInArial6ItalicBlack_andSwitchesItalicOff)
{
    footerSetting("1");
    EXPECT_EQ(FusszeilenText(), footer);
    EXPECT_TRUE(foundation::versionText.isEmpty()) << "the footer builds no version texts";
    paper.setScaleMode(platform::vbCentimeters);
    paper.setFontName(s("Times New Roman"));
    paper.setFontSize(14);
    paper.setFontBold(true);
    paper.setForeColor(Qt::red);

    DruckFusszeile(1.5, false);

    const std::vector<Text> texts = paper.allTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, footer);
    EXPECT_NEAR(texts[0].x, 1.5, eps);
    EXPECT_NEAR(texts[0].y, 27.4, eps); // 28.7 - 2.5 * 0.3 lies below the cap
    EXPECT_EQ(texts[0].font, (platform::PrinterFont{s("Arial"), 6, false, true, false, false}));
    EXPECT_EQ(texts[0].color, QColor(0, 0, 0));
    // No line end; the font stays, only italic goes.
    EXPECT_NEAR(paper.CurrentX(), 1.5 + footer.size() * 0.12, eps);
    EXPECT_NEAR(paper.CurrentY(), 27.4, eps);
    EXPECT_EQ(paper.FontName(), s("Arial"));
    EXPECT_EQ(paper.FontSize(), 6);
    EXPECT_FALSE(paper.FontItalic());
    EXPECT_FALSE(paper.FontBold());
    EXPECT_TRUE(paper.documentOpen()); // the caller ends the document
}

TEST_F(PrintTest, fusszeile_onlyWhenTheSettingIsNotZeroAndNotSuppressed)
{
    struct Row {
        const char* name;
        const char* setting; // nullptr: missing
        bool ohne;
        bool printed;
    };
    const Row rows[] = {
        {"setting missing", nullptr, false, false},
        {"setting 0", "0", false, false},
        {"setting 1", "1", false, true},
        {"any other value", "ja", false, true},
        {"suppressed by the caller", "1", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        settings.writeSettingsFile(s("Brisol.ini"), "[Korvanel]\r\nAndere=0\r\n");
        if (row.setting)
            footerSetting(row.setting);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setScaleMode(platform::vbCentimeters);
        page.setFontItalic(false);

        DruckFusszeile(2, row.ohne);

        EXPECT_EQ(FusszeileEingeschaltet(), row.setting && QByteArray(row.setting) != "0");
        EXPECT_EQ(page.allTexts().size(), row.printed ? 1u : 0u);
        // Suppressed or not: the font and the position are set all the same.
        EXPECT_EQ(page.FontName(), s("Arial"));
        EXPECT_EQ(page.FontSize(), 6);
        EXPECT_FALSE(page.FontItalic());
        EXPECT_NEAR(page.CurrentY(), 27.4, eps);
        if (!row.printed) {
            EXPECT_NEAR(page.CurrentX(), 2, eps);
        }
    }
}

TEST_F(PrintTest, fusszeile_liesTwoAndAHalfLinesAboveTheBottom_neverBelow27_4)
{
    footerSetting("1");
    struct Row {
        const char* name;
        double printableHeight;
        double scaleTop; // a top margin of the caller
        double onPaper;  // cm below the top of the printable area
    };
    const Row rows[] = {
        {"A4: the cap", 28.7, 0, 27.4},
        {"short page", 10, 0, 9.25},
        {"just above the cap", 27.0, 0, 26.25},
        {"A4 with a top margin", 28.7, -2, 27.4},
        {"short page with a top margin", 10, -2, 9.25},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setPrintableSize(QSizeF(20, row.printableHeight));
        page.setScaleMode(platform::vbCentimeters);
        if (row.scaleTop != 0)
            page.setScaleTop(row.scaleTop);
        page.setFontName(s("Courier New"));

        EXPECT_NEAR(FusszeileOben(), row.onPaper + row.scaleTop, eps);
        EXPECT_EQ(page.FontName(), s("Courier New")); // measuring changes no font
        DruckFusszeile(1, false);

        ASSERT_EQ(page.allTexts().size(), 1u);
        EXPECT_NEAR(page.allTexts()[0].y, row.onPaper, eps);
        EXPECT_NEAR(page.CurrentY(), row.onPaper + row.scaleTop, eps);
        EXPECT_EQ(page.documents().at(0).pages.size(), 1u); // never pushed onto a new page
    }
}

// --- Printing a list --------------------------------------------------------------------------

class ListPrintTest : public PrintTest {
protected:
    // Pages of 5 cm: header at 0.5, its line to 1.0, an empty line, entries from 1.5 on.
    ListPrintTest() { paper.setPrintableSize(QSizeF(20, 5)); }

    void fillNumbered(int count)
    {
        list.clear();
        for (int i = 1; i <= count; ++i)
            list.addItem(QStringLiteral("Eintrag %1").arg(i));
    }

    // The entries printed, over every page.
    QStringList printedEntries() const
    {
        QStringList printed;
        for (const Text& text : paper.allTexts()) {
            if (text.text.startsWith(u"Eintrag"))
                printed.append(text.text);
        }
        return printed;
    }

    QListWidget list;
};

TEST_F(ListPrintTest, everyPageBeginsWithTheHeader_andTheEntriesFillThePage)
{
    fillNumbered(15);
    ListeDrucken(&list, s("Seite &[Seite] von &[Datum]"), s("Arial"), 10, 1.5);

    ASSERT_EQ(paper.documents().size(), 1u);
    EXPECT_TRUE(paper.documents()[0].ended);
    ASSERT_EQ(pageCount(), 3u);
    const std::size_t perPage[] = {7, 7, 1}; // 1.5 .. 4.5 cm
    int number = 1;
    for (std::size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const std::vector<Text> texts = textsOf(p);
        ASSERT_EQ(texts.size(), perPage[p] + 1);
        EXPECT_EQ(texts[0].text, QStringLiteral("Seite %1 von 05.03.2024").arg(p + 1));
        EXPECT_TRUE(texts[0].font.bold);
        EXPECT_NEAR(texts[0].x, 1.5, eps);
        EXPECT_NEAR(texts[0].y, 0.5, eps);
        for (std::size_t i = 1; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, QStringLiteral("Eintrag %1").arg(number++));
            EXPECT_FALSE(texts[i].font.bold);
            EXPECT_NEAR(texts[i].x, 1.5, eps);
            EXPECT_NEAR(texts[i].y, 1.5 + 0.5 * double(i - 1), eps);
        }
    }
    EXPECT_EQ(number, 16);
    EXPECT_FALSE(paper.documentOpen());
}

TEST_F(ListPrintTest, footer_onlyOnTheLastPage_andItsBandStaysFree)
{
    footerSetting("1");
    fillNumbered(15);
    ListeDrucken(&list, s("Liste"), s("Arial"), 10, 2);

    // The footer starts at 5 - 2.5 * 0.3 = 4.25 cm, so an entry ends by then: 5 per page.
    ASSERT_EQ(pageCount(), 3u);
    for (std::size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(p + 1);
        const std::vector<Text> texts = textsOf(p);
        const bool last = p == 2;
        ASSERT_EQ(texts.size(), last ? 7u : 6u);
        EXPECT_EQ(texts[0].text, s("Liste"));
        for (std::size_t i = 1; i <= 5; ++i)
            EXPECT_LE(texts[i].y + 0.5, 4.25 + eps) << qPrintable(texts[i].text);
        EXPECT_EQ(stringsOf(p).contains(footer), last);
    }
    const Text& foot = textsOf(2).back();
    EXPECT_EQ(foot.text, footer);
    EXPECT_NEAR(foot.x, 2, eps);
    EXPECT_NEAR(foot.y, 4.25, eps);
    EXPECT_TRUE(foot.font.italic);
    EXPECT_EQ(printedEntries().size(), 15);
}

TEST_F(ListPrintTest, font_fallsBackToArialAnd10_andIsNeverBoldOrItalicForEntries)
{
    struct Row {
        const char* name;
        const char* font;
        double size;
        const char* usedFont;
        double usedSize;
    };
    const Row rows[] = {
        {"empty name", "", 12, "Arial", 12},
        {"size 4", "Courier New", 4, "Courier New", 10},
        {"size below 4", "Courier New", 3.5, "Courier New", 10},
        {"size 0 and no name", "", 0, "Arial", 10},
        {"negative size", "Arial", -1, "Arial", 10},
        {"just above 4", "Arial", 4.5, "Arial", 4.5},
        {"as given", "Times New Roman", 12, "Times New Roman", 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.setFontName(s("Symbol"));
        page.setFontBold(true);
        page.setFontItalic(true);
        fillNumbered(2);

        ListeDrucken(&list, s("Kopf"), s(row.font), row.size, 1);

        const std::vector<Text> texts = page.allTexts();
        ASSERT_EQ(texts.size(), 3u);
        for (const Text& text : texts) {
            EXPECT_EQ(text.font.name, s(row.usedFont)) << qPrintable(text.text);
            EXPECT_EQ(text.font.size, row.usedSize) << qPrintable(text.text);
            EXPECT_FALSE(text.font.italic) << qPrintable(text.text);
            EXPECT_EQ(text.font.bold, text.text == u"Kopf");
        }
    }
}

TEST_F(ListPrintTest, header_placeholdersInAnyCase)
{
    fillNumbered(1);
    ListeDrucken(&list, s("&[seite]/&[DATUM] &[Zeit] &[Seite]."), s("Arial"), 10, 1);
    ASSERT_EQ(pageCount(), 1u);
    EXPECT_EQ(stringsOf(0).at(0), s("1/05.03.2024 14:30 1."));
}

TEST_F(ListPrintTest, emptyList_printsNoHeader_onlyTheFooterWhenEnabled)
{
    ListeDrucken(&list, s("Seite &[Seite]"), s("Arial"), 10, 1);
    EXPECT_TRUE(paper.documents().empty()); // nothing was begun, nothing sent

    footerSetting("1");
    ListeDrucken(&list, s("Seite &[Seite]"), s("Arial"), 10, 1);
    ASSERT_EQ(paper.documents().size(), 1u);
    EXPECT_TRUE(paper.documents()[0].ended);
    ASSERT_EQ(pageCount(), 1u);
    EXPECT_EQ(stringsOf(0), QStringList{footer});
    EXPECT_NEAR(textsOf(0)[0].y, 4.25, eps); // at the bottom, also in a caller's twips scale
}

TEST_F(ListPrintTest, topMarginOfTheCaller_isKeptOnEveryPage)
{
    footerSetting("1");
    struct Row {
        const char* name;
        std::function<void(platform::PrintSurface&)> scale;
        double margin; // cm
    };
    const Row rows[] = {
        {"no scale set", [](platform::PrintSurface&) {}, 0},
        {"centimetres, top -2",
         [](platform::PrintSurface& p) {
             p.setScaleMode(platform::vbCentimeters);
             p.setScaleTop(-2);
         },
         2},
        {"millimetres, top -20",
         [](platform::PrintSurface& p) {
             p.setScaleMode(platform::vbMillimeters);
             p.setScaleTop(-20);
         },
         2},
        {"twips, top -567 (1 cm)",
         [](platform::PrintSurface& p) { p.setScaleTop(-1440 / 2.54); }, 1},
        {"origin above the paper is no margin",
         [](platform::PrintSurface& p) {
             p.setScaleMode(platform::vbCentimeters);
             p.setScaleTop(1);
         },
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        page.setPrintableSize(QSizeF(20, 8));
        ScopedService guard(platform::setPrinter, &page);
        row.scale(page);
        fillNumbered(20);

        ListeDrucken(&list, s("Kopf &[Seite]"), s("Arial"), 10, 1);

        const auto& pages = page.documents().at(0).pages;
        ASSERT_GE(pages.size(), 2u);
        const double footerTop = 8 - 2.5 * 0.3;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            SCOPED_TRACE(p + 1);
            const std::vector<Text>& texts = pages[p].texts;
            ASSERT_FALSE(texts.empty());
            EXPECT_EQ(texts[0].text, QStringLiteral("Kopf %1").arg(p + 1));
            EXPECT_NEAR(texts[0].y, row.margin + 0.5, eps);
            EXPECT_NEAR(texts.at(1).y, row.margin + 1.5, eps);
            for (const Text& text : texts) {
                if (text.text != footer) {
                    EXPECT_LE(text.y + 0.5, footerTop + eps) << qPrintable(text.text);
                }
            }
        }
        EXPECT_EQ(pages.back().texts.back().text, footer);
        EXPECT_NEAR(pages.back().texts.back().y, footerTop, eps);
        QStringList printed;
        for (const Text& text : page.allTexts()) {
            if (text.text.startsWith(u"Eintrag"))
                printed.append(text.text);
        }
        EXPECT_EQ(printed.size(), 20);
        EXPECT_EQ(printed.first(), s("Eintrag 1"));
        EXPECT_EQ(printed.last(), s("Eintrag 20"));
    }
}

TEST_F(ListPrintTest, failingPrinter_runsThroughWithoutAMessage)
{
    footerSetting("1");
    fillNumbered(15);
    struct Row {
        const char* name;
        Step step;
        int successesFirst;
    };
    const Row rows[] = {
        {"document cannot begin", Step::BeginDoc, 0},
        {"texts fail after two", Step::Text, 2},
        {"new pages fail", Step::NewPage, 0},
        {"sending fails", Step::EndDoc, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingPrintSurface page;
        ScopedService guard(platform::setPrinter, &page);
        page.failFrom(row.step, row.successesFirst);

        ListeDrucken(&list, s("Kopf"), s("Arial"), 10, 1); // the strict dialogs fail on any box

        EXPECT_FALSE(page.documentOpen());
        EXPECT_EQ(page.FontName(), s("Arial")); // it went on to the footer
        EXPECT_EQ(page.FontSize(), 6);
    }
}

} // namespace
