#include "support/pdf_text.h"

#include <QProcess>
#include <QStandardPaths>

std::optional<QStringList> pdfPages(const QString& file, PdfLayout layout)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty())
        return std::nullopt;
    QStringList arguments{QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")};
    if (layout == PdfLayout::Kept)
        arguments.prepend(QStringLiteral("-layout"));
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return std::nullopt;
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // after the last form feed
    return pages;
}
