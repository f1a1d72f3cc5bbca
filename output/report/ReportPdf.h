#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "output/report/PageLayout.h"

namespace report {

// The whole report as the bytes of a PDF file: every text at its place in the font the window
// draws it in, that font embedded (only the glyphs used), with the characters behind the
// glyphs so that a viewer finds and copies the text. Nothing, and the reason in `problem`,
// when a font cannot be found or read.
std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report, QString* problem = nullptr);

// True when a report can be written as a PDF file here: printing to a file works even where
// the system has no printer, as long as the report's fonts are there.
bool CanWriteReportPdf();

// Writes the whole report as a PDF file, safely: on any failure (a full disk too) the previous
// file is as it was. Returns the failure's text ("Dosya Saklanamıyor:", the path, the reason),
// or nothing.
std::optional<QString> WriteReportPdf(const LaidOutReport& report, const QString& path);

}  // namespace report
