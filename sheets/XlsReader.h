#pragma once

#include "sheets/SheetContent.h"

namespace sheets {

// The first worksheet of an older binary workbook (.xls, BIFF 2 to 8) through FreeXL. The
// used area is found from the cells that hold values: the sheet's own dimensions also count
// blank cells that only carry a format.
SheetContent ReadXls(const QString& path, const QString& name);

}  // namespace sheets
