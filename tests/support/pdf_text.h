#pragma once
// The text of a printed PDF file, page by page, read back with pdftotext (poppler-utils).
#include <QString>
#include <QStringList>

#include <optional>

enum class PdfLayout { Flowing, Kept };

// The pages of the PDF file as text (Kept: pdftotext -layout); nullopt when pdftotext is missing
// or fails.
std::optional<QStringList> pdfPages(const QString& file, PdfLayout layout = PdfLayout::Flowing);
