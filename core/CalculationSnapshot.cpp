#include "core/CalculationSnapshot.h"

#include <algorithm>

namespace core {
namespace {

// A text's share of memory: the string object, its header and its UTF-16 characters.
std::size_t textBytes(const QString& text) {
    return sizeof(QString) + (text.isEmpty() ? 0 : 16 + 2 * std::size_t(text.size()));
}

std::size_t inputBytes(const TableInputs& in) {
    return sizeof(TableInputs) + textBytes(in.creditLineName) + textBytes(in.companyName) +
           textBytes(in.annualRate) + textBytes(in.monthlyRate) + textBytes(in.bsmvRate) +
           textBytes(in.vergi2Rate) + textBytes(in.daysInYear) + textBytes(in.repaymentExtraDays) +
           textBytes(in.drawingExtraDays) + textBytes(in.targetTotalInterest);
}

constexpr std::size_t kRowOverhead = 64;

std::size_t rowBytes(const TransactionTable& table, int row) {
    std::size_t bytes = kRowOverhead;
    for (int c = 0; c < table.columnCount(); ++c) bytes += textBytes(table.cell(c, row));
    return bytes;
}

}  // namespace

void CalculationSnapshot::takeCommon(const Calculation& calc) {
    inputs_ = calc.inputs();
    totals_ = calc.totals();
    direction_ = calc.rateDirection();
    currentColumn_ = calc.table().currentColumn();
    currentRow_ = calc.table().currentRow();
    rowCount_ = calc.table().rowCount();
    bytes_ = sizeof(CalculationSnapshot) + inputBytes(inputs_) + 8 * sizeof(QString) + 256;
}

void CalculationSnapshot::addRow(const TransactionTable& table, int row) {
    rows_.emplace_back(row, table.row(row));
    bytes_ += rowBytes(table, row) + sizeof(int);
}

CalculationSnapshot CalculationSnapshot::wholeTable(const Calculation& calc) {
    CalculationSnapshot snapshot;
    snapshot.takeCommon(calc);
    const TransactionTable& table = calc.table();
    snapshot.table_ = table;
    for (int r = 0; r < table.rowCount(); ++r) snapshot.bytes_ += rowBytes(table, r);
    return snapshot;
}

CalculationSnapshot CalculationSnapshot::someRows(const Calculation& calc, std::vector<int> rows) {
    CalculationSnapshot snapshot;
    snapshot.takeCommon(calc);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int r : rows) {
        if (r >= 0 && r < calc.table().rowCount()) snapshot.addRow(calc.table(), r);
    }
    return snapshot;
}

CalculationSnapshot CalculationSnapshot::sameExtentNow(const Calculation& calc) const {
    if (table_) return wholeTable(calc);
    std::vector<int> rows;
    rows.reserve(rows_.size());
    for (const auto& kept : rows_) rows.push_back(kept.first);
    for (int r = std::min(rowCount_, calc.table().rowCount()); r < calc.table().rowCount(); ++r) {
        rows.push_back(r);
    }
    return someRows(calc, std::move(rows));
}

void CalculationSnapshot::restore(Calculation& calc) const {
    TransactionTable& table = calc.table();
    if (table_) {
        table = *table_;
    } else {
        table.setRowCount(rowCount_);
        for (const auto& [index, row] : rows_) table.setRow(index, row);
    }
    table.setCurrentCellQuietly(currentColumn_, currentRow_);
    calc.inputs() = inputs_;
    calc.totals() = totals_;
    calc.setRateDirection(direction_);
    calc.forgetFixedPoint();
}

bool CalculationSnapshot::matches(const Calculation& calc) const {
    const TransactionTable& table = calc.table();
    if (!(calc.inputs() == inputs_) || !(calc.totals() == totals_) ||
        calc.rateDirection() != direction_ || table.currentColumn() != currentColumn_ ||
        table.currentRow() != currentRow_ || table.rowCount() != rowCount_) {
        return false;
    }
    if (table_) {
        for (int r = 0; r < rowCount_; ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                if (table.cell(c, r) != table_->cell(c, r)) return false;
            }
        }
        return true;
    }
    return std::all_of(rows_.begin(), rows_.end(),
                       [&](const auto& kept) { return table.row(kept.first) == kept.second; });
}

}  // namespace core
