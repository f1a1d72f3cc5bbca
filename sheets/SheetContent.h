#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

namespace sheets {

// The preview shows at most this many sheet rows and columns. Rows: the import window's
// limit. Columns: those of the older binary workbooks; the column fields take two digits.
constexpr int kMaxRows = 6500;
constexpr int kMaxColumns = 256;
// The most characters a spreadsheet cell holds; a longer text (only a hostile file has one)
// is cut there.
constexpr int kMaxCellText = 32'767;
// Far beyond any spreadsheet's rows and columns: hostile counts and indexes read from a file
// are held to it, so arithmetic on them stays in range.
constexpr qint64 kIndexCeiling = qint64(1) << 24;

// The first sheet of a workbook as the readers give it: the texts of the used cells within
// the limits above, and the last row and column that hold a value anywhere on the sheet
// (0 for an empty sheet). Rows and columns count from 1.
struct SheetContent {
    struct Cell {
        int row;
        int column;
        QString text;
    };
    std::vector<Cell> cells;
    int lastRow = 0;
    int lastColumn = 0;

    // Records a cell that holds a value; repeated cells give the count of copies. Cells
    // beyond the limits only move the used area.
    void add(qint64 row, qint64 column, const QString& text, qint64 repeatedColumns = 1);
    // The same for one cell, taking the text over.
    void add(qint64 row, qint64 column, QString&& text);
};

// A workbook that cannot be read; the message names the file and says why.
class ReadError : public std::runtime_error {
  public:
    explicit ReadError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// Ends a read with the message every reader gives: "Dosya Okunamıyor:", the file's name and
// why.
[[noreturn]] void FailReading(const QString& name, const QString& why);

}  // namespace sheets
