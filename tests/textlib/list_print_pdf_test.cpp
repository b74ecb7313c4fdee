// A list printed for real: the Qt printer writes a PDF file, as it does when no printer is
// installed, and pdftotext (poppler-utils) reads it back.
#include "textlib/list_jobs.h"
#include "textlib/print_footer.h"

#include "foundation/ini_store.h"
#include "foundation/version.h"
#include "platform/print_surface.h"
#include "support/fake_clock.h"
#include "support/pdf_text.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFileInfo>
#include <QListWidget>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace textlib;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}


TEST(ListPrintPdfTest, pagesWithHeaders_andTheFooterOnlyOnTheLast)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempSettingsFolders settings;
    foundation::IniSchreiben(QString(), QString(), s("Fusszeile"), s("1"));
    foundation::setVersionFuerTests(2026, 12, 1);
    FakeClock clock(rt::dateTimeOf(2024, 3, 5, 14, 30));
    ScopedService clockGuard(platform::setClock, &clock);
    std::unique_ptr<platform::PrintSurface> pdf = platform::makeSystemPrintSurface(true);
    pdf->setPdfFolder(settings.temp().file(s("Ausdrucke")));
    ScopedService printerGuard(platform::setPrinter, pdf.get());

    QListWidget list;
    const int count = 130; // more than two A4 pages of 10 pt lines
    for (int i = 1; i <= count; ++i)
        list.addItem(QStringLiteral("Eintrag %1 für Größe").arg(i, 3, 10, QLatin1Char('0')));

    ListeDrucken(&list, s("Tagesliste, Seite &[Seite] vom &[Datum] um &[Zeit]"), s("Arial"), 10,
                 2);
    foundation::resetVersion();

    const QString file = pdf->lastOutputFile();
    ASSERT_TRUE(QFileInfo::exists(file)) << qPrintable(file);
    const std::optional<QStringList> pages = pdfPages(file, PdfLayout::Kept);
    ASSERT_TRUE(pages.has_value());
    ASSERT_GE(pages->size(), 3);

    const QString footer = s("Brisols-Korvanel 2026 · Ausdruck vom 05.03.2024");
    int next = 1;
    for (qsizetype p = 0; p < pages->size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QString& page = pages->at(p);
        const QString header =
            QStringLiteral("Tagesliste, Seite %1 vom 05.03.2024 um 14:30").arg(p + 1);
        EXPECT_TRUE(page.trimmed().startsWith(header)) << qPrintable(page.left(200));
        EXPECT_EQ(page.contains(footer), p == pages->size() - 1) << qPrintable(page.right(300));
        // The entries follow each other in order, without a gap between the pages.
        while (next <= count) {
            const QString entry =
                QStringLiteral("Eintrag %1 für Größe").arg(next, 3, 10, QLatin1Char('0'));
            if (!page.contains(entry))
                break;
            ++next;
        }
    }
    EXPECT_EQ(next, count + 1) << "entry " << next << " is missing";
    // The footer is the last line of the last page: no entry below it.
    const QStringList lastLines = pages->last().trimmed().split(u'\n');
    EXPECT_TRUE(lastLines.last().trimmed().endsWith(footer)) << qPrintable(lastLines.last());
}

} // namespace
