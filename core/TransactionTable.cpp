#include "core/TransactionTable.h"

#include <algorithm>
#include <utility>

namespace core {

TransactionTable::TransactionTable() {
    rows_.resize(2);
    for (int c = 0; c < ColumnCount; ++c) rows_[0][c] = captions()[c];
    rows_[1][col::Number] = QStringLiteral("1");
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

bool TransactionTable::isHiddenColumn(int column) {
    return column == col::Days || column == col::PeriodInterest || column == col::PeriodTax ||
           column == col::InterestNumber || column == col::SortKey;
}

int TransactionTable::columnWidth(int column) {
    if (isHiddenColumn(column)) return -1;
    switch (column) {
        case col::Number:
            return 30;
        case col::Description:
            return 200;
        case col::Rate:
            return 60;
        default:
            return 80;
    }
}

void TransactionTable::setRowCount(int count) {
    rows_.resize(static_cast<std::size_t>(std::max(count, 2)));
    currentRow_ = std::min(currentRow_, rowCount() - 1);
}

void TransactionTable::setCurrentCellQuietly(int column, int row) {
    currentColumn_ = column;
    currentRow_ = row;
}

void TransactionTable::moveRow(int from, int to) {
    if (from == to) return;
    const Row moving = std::move(rows_[from]);
    if (from < to) {
        std::move(rows_.begin() + from + 1, rows_.begin() + to + 1, rows_.begin() + from);
    } else {
        std::move_backward(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
    }
    rows_[to] = moving;
    // The current row follows its contents.
    if (currentRow_ == from) {
        currentRow_ = to;
    } else if (from < to && currentRow_ > from && currentRow_ <= to) {
        --currentRow_;
    } else if (from > to && currentRow_ >= to && currentRow_ < from) {
        ++currentRow_;
    }
}

void TransactionTable::swapRows(int a, int b) { std::swap(rows_[a], rows_[b]); }

void TransactionTable::removeRow(int index) {
    if (index < 1 || index >= rowCount()) return;
    if (rowCount() == 2) {
        rows_[1] = Row{};
        return;
    }
    rows_.erase(rows_.begin() + index);
    currentRow_ = std::min(currentRow_, rowCount() - 1);
}

void TransactionTable::renumber() {
    for (int r = 1; r < rowCount(); ++r) rows_[r][col::Number] = QString::number(r);
}

void TransactionTable::clearData() {
    rows_.resize(2);
    rows_[1] = Row{};
    rows_[1][col::Number] = QStringLiteral("1");
    currentRow_ = 1;
}

}  // namespace core
