#pragma once

#include <QByteArray>
#include <QString>

#include "output/workbook/Worksheet.h"

namespace output {

// Writes the sheet as the only worksheet of a new .xlsx workbook at `path`. The workbook
// is put together in a private temporary folder and then replaces `path` in one step, so a
// failure leaves whatever was at `path` as it was. Throws core::CommandFailure naming the path
// and the reason when anything of it fails.
void WriteXlsxFile(const Worksheet& sheet, const QString& path);

// The two halves of WriteXlsxFile, for a workbook made ahead of its writing: the file's bytes
// (`path` only names the file in a failure's message), and their safe writing to `path`.
QByteArray XlsxFileBytes(const Worksheet& sheet, const QString& path);
void WriteXlsxFileBytes(const QByteArray& bytes, const QString& path);

// The name of the workbook's worksheet.
inline const QString kWorksheetName = QStringLiteral("Sayfa1");

}  // namespace output
