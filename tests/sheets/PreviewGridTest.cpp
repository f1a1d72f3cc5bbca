#include <gtest/gtest.h>

#include "sheets/PreviewGrid.h"

TEST(PreviewGrid, StartsEmptyAndClearsAllButTheHeaderRow) {
    sheets::PreviewGrid grid;
    EXPECT_EQ(grid.rowCount(), 21);
    EXPECT_EQ(grid.columnCount(), 11);
    sheets::SheetContent sheet;
    sheet.add(3, 2, QStringLiteral("x"));
    grid.show(sheet);
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.columnCount(), 4);
    grid.clearRows();  // "Yeni Dosya"
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.cell(2, 3), QString());
    EXPECT_EQ(grid.cell(0, 3), QString());
    EXPECT_EQ(grid.cell(2, 0), QStringLiteral("2"));
    EXPECT_EQ(grid.cell(50, 50), QString());  // outside the grid reads empty
}

TEST(PreviewGrid, CaptionNamesTheFullPath) {
    EXPECT_EQ(sheets::PreviewCaption(QStringLiteral("/ev/a.xls")),
              QStringLiteral(
                  "Durvex Vovirer Dorud Zizevarev Programı  - Excel Dosya Aktarma - /ev/a.xls - "
                  "Dosyası Aktarıldı"));
}
