#pragma once

#include <QByteArray>
#include <QString>

#include "sheets/Sheet.h"

namespace sheets {

// The first sheet of the workbook at `path`, told by its contents rather than by its name:
// a zip holding an Office Open XML workbook (.xlsx) or an OpenDocument spreadsheet (.ods),
// an older binary workbook (.xls), or else text read as comma-separated values (.csv).
// Throws ReadError naming `path` when the file cannot be read.
Sheet ReadWorkbook(const QString& path);

// The same for a workbook held in memory (not the older binary kind); `name` for messages.
Sheet ReadWorkbookBytes(const QByteArray& bytes, const QString& name);

}  // namespace sheets
