#pragma once

#include "sheets/PreviewGrid.h"
#include "sheets/SheetContent.h"
#include "tests/fuzz/FuzzCheck.h"

namespace fuzzing {

// What every reader promises: cells inside the limits and inside the used area, never an
// empty text kept as a cell; the preview of it has the used area plus one row and column.
inline void checkSheet(const sheets::SheetContent& sheet) {
    for (const sheets::SheetContent::Cell& c : sheet.cells) {
        check(c.row >= 1 && c.row <= sheets::kMaxRows, "cell row within the limit");
        check(c.column >= 1 && c.column <= sheets::kMaxColumns, "cell column within the limit");
        check(c.row <= sheet.lastRow && c.column <= sheet.lastColumn, "cell inside the used area");
    }
    sheets::PreviewGrid grid;
    grid.show(sheet);
    check(grid.rowCount() >= 4 && grid.rowCount() <= sheets::kMaxRows + 2, "preview rows");
    check(grid.columnCount() >= 3 && grid.columnCount() <= sheets::kMaxColumns + 1,
          "preview columns");
    if (sheet.lastRow < sheets::kMaxRows)
        check(grid.rowCount() == sheet.lastRow + 3 || (sheet.lastRow == 0 && grid.rowCount() == 4),
              "one row more than the used area, and an empty row");
}

}  // namespace fuzzing
