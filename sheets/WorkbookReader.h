#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "sheets/PreviewGrid.h"
#include "sheets/SheetContent.h"
#include "sheets/XlsContainment.h"

namespace sheets {

// The first sheet of the workbook at `path`, told by its contents rather than by its name:
// a zip holding an Office Open XML workbook (.xlsx) or an OpenDocument spreadsheet (.ods),
// an older binary workbook (.xls), or else text read as comma-separated values (.csv).
// Throws ReadError naming `path` when the file cannot be read. With `containment`, an .xls
// is read by the reader program in a child process (XlsContainment.h).
SheetContent ReadWorkbook(const QString& path,
                          const std::optional<XlsContainment>& containment = std::nullopt);

// The same for a workbook held in memory (not the older binary kind); `name` for messages.
SheetContent ReadWorkbookBytes(const QByteArray& bytes, const QString& name);

// "Excel Dosyası Aç" once the file is chosen: empties the preview, reads the first sheet of
// the workbook into it and returns the new caption. Throws ReadError naming the file; the
// preview then stays empty.
QString ReadIntoPreview(PreviewGrid& preview, const QString& path,
                        const std::optional<XlsContainment>& containment = std::nullopt);

}  // namespace sheets
