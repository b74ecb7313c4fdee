// A long text printed for real: the Qt printer writes a PDF file, as it does when no printer is
// installed, and pdftotext (poppler-utils) reads it back.
#include "print/text_printing.h"

#include "platform/print_surface.h"
#include "support/qt_print.h"
#include "support/pdf_text.h"
#include "support/scoped_service.h"
#include "support/temp_folder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}


TEST(TextPrintingPdfTest, multiPageText_everyWordArrivesInOrder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempFolder folder;
    std::unique_ptr<platform::PrintSurface> pdf = platform::makeSystemPrintSurface(true);
    pdf->setPdfFolder(folder.file(s("Ausdrucke")));
    ScopedService printerGuard(platform::setPrinter, pdf.get());
    platform::PrintSurface& p = *pdf;
    p.setScaleMode(platform::vbCentimeters);
    p.setFontName(s("Arial"));
    p.setFontSize(11);

    // Paragraphs with CR LF, words of every break character, umlauts.
    const int count = 1500;
    QString text;
    for (int i = 1; i <= count; ++i) {
        text += QStringLiteral("Wort%1").arg(i, 4, 10, QLatin1Char('0'));
        text += i % 97 == 0 ? QStringLiteral("\r\n") : i % 13 == 0 ? QStringLiteral("-")
                                                   : i % 17 == 0 ? s(" Grüße/")
                                                                 : QStringLiteral(" ");
    }
    int pageChanges = 0;
    const QString rest = print::TextDruckenMitSeitenwechsel(text, 2, 1.5, 18, 26, [&] {
        ++pageChanges;
        p.NewPage();
    });
    EXPECT_EQ(rest, QString());
    ASSERT_TRUE(p.EndDoc());

    const QString file = p.lastOutputFile();
    ASSERT_TRUE(QFileInfo::exists(file)) << qPrintable(file);
    const std::optional<QStringList> pages = pdfPages(file);
    ASSERT_TRUE(pages.has_value());
    EXPECT_EQ(pages->size(), pageChanges + 1);
    EXPECT_GE(pages->size(), 3);

    int next = 1;
    const QRegularExpression word(QStringLiteral("Wort(\\d{4})"));
    for (qsizetype page = 0; page < pages->size(); ++page) {
        SCOPED_TRACE(page + 1);
        const QString& content = pages->at(page);
        EXPECT_FALSE(content.trimmed().isEmpty());
        for (const QRegularExpressionMatch& match : word.globalMatch(content)) {
            ASSERT_EQ(match.captured(1).toInt(), next) << "a word lost or out of order";
            ++next;
        }
    }
    EXPECT_EQ(next, count + 1);
    EXPECT_TRUE(pages->join(QString()).contains(s("Grüße/")));
}

} // namespace
