#pragma once

#include "sheets/SheetContent.h"
#include "sheets/ZipArchive.h"

namespace sheets {

// The first worksheet of an Office Open XML workbook (.xlsx, .xlsm): shared and inline
// strings, formula results as cached, date cells by their number format, the 1904 date
// system, parts addressed by relative or absolute paths. `name` names the file in messages.
SheetContent ReadXlsx(const ZipArchive& archive, const QString& name);

}  // namespace sheets
