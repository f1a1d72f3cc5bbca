#include "core/CalculationSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <optional>

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

// Above this many rows a restore replaces the table for its observers in one go instead of
// row by row.
constexpr std::size_t kRowsRestoredOneByOne = 64;

void appendLength(QByteArray& out, std::uint32_t length) {
    while (length >= 0x80) {
        out.append(char((length & 0x7f) | 0x80));
        length >>= 7;
    }
    out.append(char(length));
}

std::uint32_t readLength(const char*& at) {
    std::uint32_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= std::uint32_t(byte & 0x7f) << shift;
        if ((byte & 0x80) == 0) return length;
    }
}

void appendText(QByteArray& out, const QString& text) {
    // Most cells are numbers and dates: plain ASCII is its own UTF-8, without a copy.
    const qsizetype size = text.size();
    const char16_t* units = QStringView(text).utf16();
    if (std::all_of(units, units + size, [](char16_t u) { return u < 0x80; })) {
        appendLength(out, static_cast<std::uint32_t>(size));
        const qsizetype at = out.size();
        out.resize(at + size);
        std::transform(units, units + size, out.data() + at,
                       [](char16_t u) { return static_cast<char>(u); });
        return;
    }
    const QByteArray bytes = text.toUtf8();
    appendLength(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes);
}

void appendRow(QByteArray& out, const TransactionTable::Row& row) {
    for (const QString& text : row) appendText(out, text);
}

void appendTableRow(QByteArray& out, const TransactionTable& table, int r) {
    for (int c = 0; c < table.columnCount(); ++c) appendText(out, table.cell(c, r));
}

TransactionTable::Row readRow(const char*& at) {
    TransactionTable::Row row;
    for (QString& text : row) {
        const std::uint32_t length = readLength(at);
        if (length > 0) text = QString::fromUtf8(at, qsizetype(length));
        at += length;
    }
    return row;
}

bool rowEquals(const TransactionTable& table, int r, const TransactionTable::Row& row) {
    if (r >= table.rowCount()) return false;
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.cell(c, r) != row[std::size_t(c)]) return false;
    }
    return true;
}

bool sameRow(const TransactionTable& kept, const TransactionTable& now, int r) {
    if (r >= now.rowCount()) return false;
    if (now.sharesRow(kept, r)) return true;
    for (int c = 0; c < now.columnCount(); ++c) {
        if (now.cell(c, r) != kept.cell(c, r)) return false;
    }
    return true;
}

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
    std::vector<int> rows = packedRows_;
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
    } else if (compacted_) {
        restorePacked(table);
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

void CalculationSnapshot::restorePacked(TransactionTable& table) const {
    std::optional<TransactionTable::Replacement> quietly;
    if (packedRows_.size() > kRowsRestoredOneByOne) quietly.emplace(table);
    table.setRowCount(rowCount_);
    const char* at = packed_.constData();
    for (const int r : packedRows_) table.setRow(r, readRow(at));
}

void CalculationSnapshot::compact(const Calculation& now) {
    if (compacted_) return;
    const TransactionTable& current = now.table();
    QByteArray packed;
    std::vector<int> kept;
    const auto keep = [&](int r, const TransactionTable::Row& row) {
        if (rowEquals(current, r, row)) return;
        kept.push_back(r);
        appendRow(packed, row);
    };
    if (table_) {
        // Most rows of a long table stay as they were: compared in place, not copied out.
        for (int r = 0; r < rowCount_; ++r) {
            if (sameRow(*table_, current, r)) continue;
            kept.push_back(r);
            appendTableRow(packed, *table_, r);
        }
    } else {
        for (const auto& [index, row] : rows_) keep(index, row);
    }
    packed.squeeze();
    kept.shrink_to_fit();
    packed_ = std::move(packed);
    packedRows_ = std::move(kept);
    table_.reset();
    rows_.clear();
    rows_.shrink_to_fit();
    compacted_ = true;
    bytes_ = sizeof(CalculationSnapshot) + inputBytes(inputs_) + 8 * sizeof(QString) + 256 +
             std::size_t(packed_.size()) + packedRows_.size() * sizeof(int);
}

bool CalculationSnapshot::commonMatches(const Calculation& calc) const {
    return calc.inputs() == inputs_ && calc.totals() == totals_ &&
           calc.rateDirection() == direction_ && calc.table().rowCount() == rowCount_;
}

bool CalculationSnapshot::matches(const Calculation& calc) const {
    if (!commonMatches(calc)) return false;
    const TransactionTable& table = calc.table();
    if (table_) {
        for (int r = 0; r < rowCount_; ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                if (table.cell(c, r) != table_->cell(c, r)) return false;
            }
        }
        return true;
    }
    if (compacted_) {
        const char* at = packed_.constData();
        return std::all_of(packedRows_.begin(), packedRows_.end(),
                           [&](int r) { return rowEquals(table, r, readRow(at)); });
    }
    return std::all_of(rows_.begin(), rows_.end(),
                       [&](const auto& kept) { return rowEquals(table, kept.first, kept.second); });
}

}  // namespace core
