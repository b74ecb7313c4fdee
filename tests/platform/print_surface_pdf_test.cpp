// The printer on Qt, writing PDF files as it does when no printer is installed; the files are
// read back with pdftotext (poppler-utils).
#include "platform/print_surface.h"

#include "runtime/error.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <optional>

using namespace platform;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The text of the PDF file, its pages separated by form feeds; nullopt when pdftotext fails.
std::optional<QString> pdfText(const QString& file)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfPrintSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        rt::clearError();
        surface->setPdfFolder(temp.file(s("Ausdrucke")));
        surface->setScaleMode(vbCentimeters);
    }
    void TearDown() override { rt::clearError(); }

    QStringList pagesOf(const QString& file)
    {
        const std::optional<QString> text = pdfText(file);
        EXPECT_TRUE(text.has_value()) << "pdftotext failed on " << qPrintable(file);
        QStringList pages = text.value_or(QString()).split(QLatin1Char('\f'));
        pages.removeLast(); // after the last form feed
        return pages;
    }

    FakeClock clock; // 05.03.2024 12:00:00
    ScopedService<Clock> clockGuard{setClock, &clock};
    TempFolder temp;
    std::unique_ptr<PrintSurface> surface = makeSystemPrintSurface(true);
};

TEST_F(PdfPrintSurfaceTest, document_arrivesInThePdfFileWithItsPages)
{
    EXPECT_TRUE(surface->Printers().empty());
    EXPECT_EQ(surface->DeviceName(), s("PDF-Datei"));
    EXPECT_EQ(surface->Port(), temp.file(s("Ausdrucke")));
    // A4 less the unprintable edge of 0.5 cm.
    EXPECT_NEAR(surface->ScaleWidth(), 20.0, 1e-6);
    EXPECT_NEAR(surface->ScaleHeight(), 28.7, 1e-6);

    surface->setFontName(s("Arial"));
    surface->setFontSize(12);
    surface->setCurrentX(2);
    surface->setCurrentY(1);
    EXPECT_TRUE(surface->Print(s("Größe und Maß: ÄÖÜ äöü ß")));
    surface->setFontBold(true);
    surface->setForeColor(QColor(0, 0, 160));
    EXPECT_TRUE(surface->Print(s("Zweite Zeile"), LineEnd::No));
    EXPECT_TRUE(surface->NewPage());
    surface->setFontName(s("Courier New"));
    surface->setFontItalic(true);
    EXPECT_TRUE(surface->Print(s("Seite zwei\r\nmit zwei Zeilen")));
    surface->setCurrentY(28.5); // the line does not fit: on to the next page
    surface->setFontName(s("Times New Roman"));
    EXPECT_TRUE(surface->Print(s("Seite drei")));
    EXPECT_TRUE(surface->EndDoc());

    const QString file = surface->lastOutputFile();
    EXPECT_EQ(file, temp.file(s("Ausdrucke/Korvanel-Druck-20240305-120000.pdf")));
    ASSERT_TRUE(QFileInfo::exists(file));
    const QStringList pages = pagesOf(file);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(s("Größe und Maß: ÄÖÜ äöü ß"))) << qPrintable(pages[0]);
    EXPECT_TRUE(pages[0].contains(s("Zweite Zeile"))) << qPrintable(pages[0]);
    EXPECT_TRUE(pages[1].contains(s("Seite zwei"))) << qPrintable(pages[1]);
    EXPECT_TRUE(pages[1].contains(s("mit zwei Zeilen"))) << qPrintable(pages[1]);
    EXPECT_TRUE(pages[2].contains(s("Seite drei"))) << qPrintable(pages[2]);
}

TEST_F(PdfPrintSurfaceTest, metrics_comeFromTheMetricCompatibleFonts)
{
    // Courier New: every character is 0.6 em wide, 10 pt = 0.3528 cm.
    surface->setFontName(s("Courier New"));
    surface->setFontSize(10);
    EXPECT_NEAR(surface->TextWidth(s("iiiiiiiiii")), 2.117, 0.01);
    EXPECT_NEAR(surface->TextWidth(s("MMMMMMMMMM")), 2.117, 0.01);

    surface->setFontName(s("Arial"));
    EXPECT_LT(surface->TextWidth(s("iiiiiiiiii")), surface->TextWidth(s("MMMMMMMMMM")));
    const double line = surface->TextHeight(s("Ay"));
    EXPECT_GT(line, 0.35);
    EXPECT_LT(line, 0.5);
    EXPECT_NEAR(surface->TextHeight(s("a\r\nb")), 2 * line, 1e-9);
    surface->setFontSize(20);
    EXPECT_NEAR(surface->TextHeight(s("Ay")), 2 * line, 0.02 * line);

    // The line end moves down by exactly that height.
    surface->setFontSize(10);
    surface->setCurrentY(1);
    surface->Print(s("x"));
    EXPECT_NEAR(surface->CurrentY(), 1 + line, 1e-9);
    surface->EndDoc();
}

TEST_F(PdfPrintSurfaceTest, measuringAlone_writesNoFile)
{
    surface->TextWidth(s("Ay"));
    surface->setCurrentY(3);
    EXPECT_TRUE(surface->EndDoc());
    EXPECT_TRUE(surface->lastOutputFile().isEmpty());
    EXPECT_FALSE(temp.exists(s("Ausdrucke")));
}

TEST_F(PdfPrintSurfaceTest, documentsInTheSameSecond_getFilesOfTheirOwn)
{
    surface->Print(s("Erster Auftrag"));
    surface->EndDoc();
    const QString first = surface->lastOutputFile();
    surface->Print(s("Zweiter Auftrag"));
    surface->EndDoc();
    const QString second = surface->lastOutputFile();

    EXPECT_EQ(second, temp.file(s("Ausdrucke/Korvanel-Druck-20240305-120000-2.pdf")));
    const QStringList firstPages = pagesOf(first);
    const QStringList secondPages = pagesOf(second);
    ASSERT_EQ(firstPages.size(), 1);
    ASSERT_EQ(secondPages.size(), 1);
    EXPECT_TRUE(firstPages[0].contains(s("Erster Auftrag")));
    EXPECT_TRUE(secondPages[0].contains(s("Zweiter Auftrag")));
    EXPECT_FALSE(secondPages[0].contains(s("Erster")));
}

TEST_F(PdfPrintSurfaceTest, documentLeftOpen_isWrittenWhenTheSurfaceGoes)
{
    surface->Print(s("Nicht abgeschlossen"));
    const QString file = surface->lastOutputFile();
    surface.reset();
    const QStringList pages = pagesOf(file);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(s("Nicht abgeschlossen")));
}

TEST_F(PdfPrintSurfaceTest, folderThatCannotBeCreated_failsWithAPrinterError)
{
    temp.write(s("Datei"), "kein Ordner");
    surface->setPdfFolder(temp.file(s("Datei/Ausdrucke")));
    EXPECT_FALSE(surface->Print(s("x")));
    EXPECT_EQ(rt::Err().number, rt::ErrPrinterError);
    EXPECT_TRUE(rt::Err().description.contains(temp.file(s("Datei/Ausdrucke"))))
        << qPrintable(rt::Err().description);
    EXPECT_FALSE(surface->documentOpen());
    EXPECT_TRUE(surface->EndDoc());
    EXPECT_TRUE(surface->lastOutputFile().isEmpty());

    // A usable folder afterwards works again.
    surface->setPdfFolder(temp.file(s("Ausdrucke/")));
    EXPECT_EQ(surface->pdfFolder(), temp.file(s("Ausdrucke")));
    EXPECT_TRUE(surface->Print(s("x")));
    EXPECT_TRUE(surface->EndDoc());
    EXPECT_TRUE(QFileInfo::exists(surface->lastOutputFile()));
}

} // namespace
