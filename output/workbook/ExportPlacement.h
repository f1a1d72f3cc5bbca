#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace output {

// Where an exported workbook goes before the spreadsheet program shows it.
//
// A program that can open a file as the template of a new document (LibreOffice) gets a
// temporary file: the user sees a new, unsaved workbook, and Save asks where. Any other
// program gets the file itself, so it is written under a clear name in the user's documents
// folder and the user is told where.

// A new, empty temporary export in `folder`; its name begins with kTemporaryExportPrefix.
// Throws core::CommandFailure naming the folder when none can be made.
QString NewTemporaryExport(const QString& folder);
inline const QString kTemporaryExportPrefix = QStringLiteral("Vovirer-");

// Removes the temporary exports in `folder` last written before `before`: the spreadsheet
// program has read them long since. Other files are left alone.
void RemoveTemporaryExportsOlderThan(const QString& folder, const QDateTime& before);

// How long a temporary export is kept for the spreadsheet program to read it.
constexpr int kTemporaryExportLifetimeSecs = 10 * 60;

// "Vovirer Dökümü dd.mm.yyyy.xlsx" in `folder` (created when missing), or the first of
// "... (2).xlsx", "... (3).xlsx" that is free. Throws core::CommandFailure naming the folder when
// it cannot be made.
QString NamedExport(const QString& folder, const QDate& day);

}  // namespace output
