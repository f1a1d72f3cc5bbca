#include "core/TransactionTable.h"

#include <algorithm>
#include <utility>

namespace core {

// --- One row ---------------------------------------------------------------------------

TransactionTable::StoredRow::StoredRow(Row row) {
    for (int c = 0; c < ColumnCount; ++c) {
        if (!row[c].isEmpty()) columns_ |= std::uint16_t(1u << c);
    }
    if (columns_ == 0) return;
    capacity_ = static_cast<std::uint8_t>(size());
    cells_ = std::make_shared<QString[]>(capacity_);
    int i = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        if (!row[c].isEmpty()) cells_[i++] = std::move(row[c]);
    }
}

// A copied row reads its amounts again: the copy may serve another reader.
TransactionTable::StoredRow::StoredRow(const StoredRow& other)
    : columns_(other.columns_), capacity_(other.capacity_), cells_(other.cells_) {}

TransactionTable::StoredRow& TransactionTable::StoredRow::operator=(const StoredRow& other) {
    if (this != &other) *this = StoredRow(other);
    return *this;
}

constinit const QString TransactionTable::StoredRow::kEmptyText;

void TransactionTable::StoredRow::ownCells(int capacity) {
    if (capacity == capacity_ && cells_.use_count() == 1) return;
    auto cells = std::make_shared<QString[]>(static_cast<std::size_t>(capacity));
    const int n = size();
    if (cells_.use_count() == 1) {
        std::move(cells_.get(), cells_.get() + n, cells.get());
    } else {
        std::copy(cells_.get(), cells_.get() + n, cells.get());
    }
    cells_ = std::move(cells);
    capacity_ = static_cast<std::uint8_t>(capacity);
}

void TransactionTable::StoredRow::spreadOverAllColumns() {
    auto cells = std::make_shared<QString[]>(ColumnCount);
    const bool own = cells_.use_count() == 1;
    int i = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        if ((columns_ & (1u << c)) == 0) continue;
        cells[c] = own ? std::move(cells_[i]) : cells_[i];
        ++i;
    }
    cells_ = std::move(cells);
    capacity_ = ColumnCount;
    columns_ = kAllColumns;
}

void TransactionTable::StoredRow::setCell(int column, QString&& text) {
    if (isAmountColumn(column)) {
        amountsKnown_ = std::uint16_t(amountsKnown_ & ~(1u << (column - kFirstAmountColumn)));
    }
    if ((columns_ & (1u << column)) != 0) {
        ownCells(capacity_);
        cells_[slot(column)] = std::move(text);
        return;
    }
    if (text.isEmpty()) return;
    // A column gets its first text. The text is this row's own (callers pass a copy of any
    // other cell), so the cells may move.
    QString taken = std::move(text);
    const int n = size();
    if (n == capacity_ && n >= 4) {
        // A full row of four texts or more is a movement the recalculation is about to fill: it
        // gets a place for every column at once, and later writes need not move its cells.
        spreadOverAllColumns();
        cells_[column] = std::move(taken);
        return;
    }
    const int at = slot(column);
    ownCells(n < capacity_ ? capacity_ : std::max(1, 2 * n));
    std::move_backward(cells_.get() + at, cells_.get() + n, cells_.get() + n + 1);
    cells_[at] = std::move(taken);
    columns_ |= std::uint16_t(1u << column);
}

TransactionTable::Row TransactionTable::StoredRow::toRow() const {
    Row row;
    for (int c = 0; c < ColumnCount; ++c) row[c] = cell(c);
    return row;
}

// --- The table ---------------------------------------------------------------------------

TransactionTable::TransactionTable() {
    rows_.resize(2);
    for (int c = 0; c < ColumnCount; ++c) rows_[0].setCell(c, QString(captions()[c]));
    rows_[1].setCell(col::Number, QStringLiteral("1"));
}

TransactionTable::TransactionTable(const TransactionTable& other)
    : rows_(other.rows_), currentColumn_(other.currentColumn_), currentRow_(other.currentRow_) {}

TransactionTable& TransactionTable::operator=(const TransactionTable& other) {
    if (this != &other) *this = TransactionTable(other);
    return *this;
}

TransactionTable& TransactionTable::operator=(TransactionTable&& other) noexcept {
    if (this == &other) return *this;
    announce({TableChange::Kind::Replaced});
    rows_ = std::move(other.rows_);
    amountsChangedFrom_ = other.amountsChangedFrom_;
    numbersChangedFrom_ = other.numbersChangedFrom_;
    currentColumn_ = other.currentColumn_;
    currentRow_ = other.currentRow_;
    report({TableChange::Kind::Replaced});
    return *this;
}

TransactionTable::Replacement::Replacement(TransactionTable& table) : table_(table) {
    table_.announce({TableChange::Kind::Replaced});
    ++table_.replacing_;
}

TransactionTable::Replacement::~Replacement() {
    --table_.replacing_;
    table_.report({TableChange::Kind::Replaced});
}

void TransactionTable::noteChange(int column, int row) {
    if (isAmountColumn(column)) amountsChangedFrom_ = std::min(amountsChangedFrom_, row);
    if (column == col::Number) numbersChangedFrom_ = std::min(numbersChangedFrom_, row);
}

void TransactionTable::noteRowsChanged(int fromRow) {
    amountsChangedFrom_ = std::min(amountsChangedFrom_, fromRow);
    numbersChangedFrom_ = std::min(numbersChangedFrom_, fromRow);
}

void TransactionTable::setCell(int column, int row, const QString& text) {
    setCell(column, row, QString(text));  // shared, so the text may be a cell of the row
}

void TransactionTable::setCell(int column, int row, QString&& text) {
    StoredRow& stored = rows_[row];
    if (stored.cell(column) == text) return;
    noteChange(column, row);
    stored.setCell(column, std::move(text));
    report({TableChange::Kind::Cells, row, row, column, column, 0});
}

void TransactionTable::setRow(int index, Row row) {
    rows_[index] = StoredRow(std::move(row));
    noteRowsChanged(index);
    reportRowChanged(index);
}

const QStringList& TransactionTable::captions() {
    static const QStringList kCaptions = {
        QString(),
        QStringLiteral("İşlem Tarihi"),
        QStringLiteral("Valör Tarihi"),
        QStringLiteral("Açıklama"),
        QStringLiteral("Dorud Tutarı"),
        QStringLiteral("Dorud Ödeme"),
        QStringLiteral("Faiz Ödeme"),
        QStringLiteral("Yıllık Faiz"),
        QStringLiteral("Gün"),
        QStringLiteral("Dönem Faizi"),
        QStringLiteral("Dorud Bakiye"),
        QStringLiteral("Faiz Bakiye"),
        QStringLiteral("Dönem BSMV"),
        QStringLiteral("Adat"),
        QStringLiteral("Index"),
    };
    return kCaptions;
}

void TransactionTable::setRowCount(int count) {
    const int old = rowCount();
    const int wanted = std::max(count, 2);
    if (wanted == old) return;
    noteRowsChanged(std::min(old, wanted));
    const TableChange change{
        wanted > old ? TableChange::Kind::RowsInserted : TableChange::Kind::RowsRemoved,
        std::min(old, wanted), std::max(old, wanted) - 1};
    announce(change);
    rows_.resize(static_cast<std::size_t>(wanted));
    currentRow_ = std::min(currentRow_, rowCount() - 1);
    report(change);
}

void TransactionTable::setCurrentCellQuietly(int column, int row) {
    currentColumn_ = column;
    currentRow_ = row;
}

void TransactionTable::moveRow(int from, int to) {
    if (from == to) return;
    noteRowsChanged(std::min(from, to));
    const TableChange change{TableChange::Kind::RowMoved, from, from, 0, 0, to};
    announce(change);
    StoredRow moving = std::move(rows_[from]);
    if (from < to) {
        std::move(rows_.begin() + from + 1, rows_.begin() + to + 1, rows_.begin() + from);
    } else {
        std::move_backward(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
    }
    rows_[to] = std::move(moving);
    // The current row follows its contents.
    if (currentRow_ == from) {
        currentRow_ = to;
    } else if (from < to && currentRow_ > from && currentRow_ <= to) {
        --currentRow_;
    } else if (from > to && currentRow_ >= to && currentRow_ < from) {
        ++currentRow_;
    }
    report(change);
}

void TransactionTable::moveColumn(int from, int to) {
    if (from == to) return;
    noteRowsChanged(0);
    const TableChange change{TableChange::Kind::ColumnMoved, 0, 0, from, from, to};
    announce(change);
    for (StoredRow& stored : rows_) {
        Row row = stored.toRow();
        if (from < to) {
            std::rotate(row.begin() + from, row.begin() + from + 1, row.begin() + to + 1);
        } else {
            std::rotate(row.begin() + to, row.begin() + from, row.begin() + from + 1);
        }
        stored = StoredRow(row);
    }
    if (currentColumn_ == from) {
        currentColumn_ = to;
    } else if (from < currentColumn_ && currentColumn_ <= to) {
        --currentColumn_;
    } else if (to <= currentColumn_ && currentColumn_ < from) {
        ++currentColumn_;
    }
    report(change);
}

void TransactionTable::swapRows(int a, int b) {
    noteRowsChanged(std::min(a, b));
    std::swap(rows_[a], rows_[b]);
    reportRowChanged(a);
    reportRowChanged(b);
}

void TransactionTable::removeRow(int index) {
    if (index < 1 || index >= rowCount()) return;
    noteRowsChanged(index);
    if (rowCount() == 2) {
        rows_[1] = StoredRow();
        reportRowChanged(1);
        return;
    }
    const TableChange change{TableChange::Kind::RowsRemoved, index, index};
    announce(change);
    rows_.erase(rows_.begin() + index);
    currentRow_ = std::min(currentRow_, rowCount() - 1);
    report(change);
}

void TransactionTable::renumber() {
    for (int r = 1; r < rowCount(); ++r) setCell(col::Number, r, QString::number(r));
}

void TransactionTable::clearData() {
    setRowCount(2);
    noteRowsChanged(1);
    rows_[1] = StoredRow();
    rows_[1].setCell(col::Number, QStringLiteral("1"));
    currentRow_ = 1;
    reportRowChanged(1);
}

}  // namespace core
