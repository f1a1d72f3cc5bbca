#pragma once

#include "sheets/SheetContent.h"
#include "sheets/ZipArchive.h"

namespace sheets {

// The first table of an OpenDocument spreadsheet (.ods): repeated rows and columns, the
// typed values of floats, percentages, currencies, dates and booleans, texts with their
// spaces, tabs and line breaks; notes on cells are not cell text.
SheetContent ReadOds(const ZipArchive& archive, const QString& name);

}  // namespace sheets
