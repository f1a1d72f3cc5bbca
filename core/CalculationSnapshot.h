#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "core/Calculation.h"

namespace core {

// What one change of a calculation may touch, kept so that it can be put back exactly: the
// table inputs, the totals, the rate direction, the current cell, and either the whole
// table or only some of its rows (with the row count, so rows appended after it go again).
// Taken, it holds the table's own texts (shared, so taking it is cheap); compacted, only the
// rows that differ from a later state, packed as UTF-8, which is what the history keeps.
class CalculationSnapshot {
  public:
    // For commands that may rewrite, insert or remove any row.
    static CalculationSnapshot wholeTable(const Calculation& calc);
    // For changes confined to these rows that may append rows but never remove any.
    static CalculationSnapshot someRows(const Calculation& calc, std::vector<int> rows);

    // The same extent taken from the calculation as it stands now, so that restoring it
    // undoes a restore of this one. Rows beyond this snapshot's row count are included.
    CalculationSnapshot sameExtentNow(const Calculation& calc) const;

    // Puts the kept state back; a whole table is replaced, single rows are rewritten.
    void restore(Calculation& calc) const;

    // Keeps of the table only the rows that differ from what `now` holds (rows `now` lacks
    // count as differing), packed; restoring gives back the same state as before, provided
    // it is restored onto `now`.
    void compact(const Calculation& now);

    // True when the calculation holds exactly what this snapshot kept, in its extent; where
    // the current cell stands does not count, as moving it is no change to take back.
    bool matches(const Calculation& calc) const;

    // An upper estimate of the memory this snapshot holds, in bytes.
    std::size_t bytes() const { return bytes_; }

  private:
    CalculationSnapshot() = default;
    void takeCommon(const Calculation& calc);
    void addRow(const TransactionTable& table, int row);
    bool commonMatches(const Calculation& calc) const;
    void restorePacked(TransactionTable& table) const;

    TableInputs inputs_;
    TableTotals totals_;
    RateDirection direction_ = RateDirection::None;
    int currentColumn_ = 0;
    int currentRow_ = 0;
    int rowCount_ = 0;
    std::optional<TransactionTable> table_;                    // whole-table extent
    std::vector<std::pair<int, TransactionTable::Row>> rows_;  // row extent
    bool compacted_ = false;
    std::vector<int> packedRows_;  // compacted: the rows kept, ascending
    QByteArray packed_;            // their cells, each a length and its UTF-8 bytes
    std::size_t bytes_ = 0;
};

}  // namespace core
