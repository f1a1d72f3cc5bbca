#pragma once

namespace core {

// One change of a transaction table, in table rows and columns (row 0 captions, column 0
// row numbers).
struct TableChange {
    enum class Kind {
        Cells,         // the cells of rows first..last, columns firstColumn..lastColumn
        RowsInserted,  // rows first..last are new
        RowsRemoved,   // rows first..last go
        RowMoved,      // row first goes to position `to`, the rows between shifting by one
        ColumnMoved,   // column firstColumn goes to position `to`, likewise
        Replaced,      // the table as a whole: a file opened, another table assigned
    };
    Kind kind = Kind::Cells;
    int first = 0;
    int last = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    int to = 0;
};

// Told of every change of a table, so a view of it can update exactly what changed. Changes of
// shape (rows inserted, removed or moved, a column moved, the whole table replaced) are
// announced before they are made and reported after; changed cells only after, once per
// cell whose text actually changed.
class TableObserver {
  public:
    virtual void tableAboutToChange(const TableChange& change) = 0;
    virtual void tableChanged(const TableChange& change) = 0;

  protected:
    TableObserver() = default;
    TableObserver(const TableObserver&) = default;
    TableObserver& operator=(const TableObserver&) = default;
    ~TableObserver() = default;
};

}  // namespace core
