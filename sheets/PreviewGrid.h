#pragma once

#include <QString>
#include <vector>

#include "sheets/SheetContent.h"

namespace sheets {

// The import window's preview: a grid of texts with a header row and column. Rows and
// columns hold the sheet's row and column numbers, so cell (c, r) is sheet cell (c, r).
class PreviewGrid {
  public:
    static constexpr int kInitialColumns = 11;
    static constexpr int kInitialRows = 21;

    PreviewGrid();

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    // Cells outside the grid read as empty text.
    QString cell(int column, int row) const;
    // Cells outside the grid are not kept.
    void setCell(int column, int row, const QString& text);

    // "Yeni Dosya", and the first step of every read: every cell of rows 1 to the last is
    // emptied; the header row and the size stay.
    void clearRows();

    // Shows a sheet read: its used area and one more row and column (at most kMaxRows
    // rows and kMaxColumns columns), an empty row below, and the numbers in the headers.
    void show(const SheetContent& sheet);

  private:
    int rows_ = kInitialRows;
    int columns_ = kInitialColumns;
    std::vector<QString> cells_;
};

// The window's caption once a workbook has been read.
QString PreviewCaption(const QString& path);
// The caption before any read.
inline const QString kImportWindowCaption =
    QStringLiteral("Durvex Vovirer Dorud Zizevarev Excel'den Veri Aktarma");
// The message after a read.
inline const QString kSheetReadMessage = QStringLiteral("Tablo aktarıldı!");

}  // namespace sheets
