#pragma once

#include <QImage>
#include <QMap>
#include <QString>

namespace guide {

// Pictures for the guide, keyed by the names its Markdown refers to ("anapencere.png").
using Pictures = QMap<QString, QImage>;

// Lays the guide's Markdown out on A4 pages and writes the PDF: a title page with the
// contents, each chapter ("# Title") from a new page, numbered, with a running header and
// "Sayfa N / M" below. Placeholders: {{SURUM}} the version line, {{ICINDEKILER}} the
// contents, {{AKTARIM_RESMI}} the import window's picture when there is one. Returns the
// number of pages; throws std::runtime_error when the file cannot be written.
int WriteGuidePdf(const QString& markdown, const Pictures& pictures, const QString& pdfPath);

}  // namespace guide
