#pragma once

// The reference recalculation of a row and of the whole table, kept apart from the core's
// own and deliberately plain: every total is summed again over every counted row each time a row
// reaches the totals, so recalculating an n-row table costs n² number readings. The
// differential test holds the core's linear recalculation to it, and the benchmark
// measures the two side by side.

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "core/Calculation.h"
#include "core/DayNumber.h"
#include "core/TableInputs.h"

namespace reference {

using Row = std::array<QString, 15>;

// The official holiday list, read plainly on its own: the days of single years, the days of
// every year (from a first year on), and the years that list days of their own.
struct OfficialDays {
    struct EveryYear {
        unsigned month;
        unsigned day;
        int fromYear;
    };
    std::set<core::DayNumber> days;
    std::vector<EveryYear> everyYear;
    std::set<int> announcedYears;

    static OfficialDays read(const QString& listText);
};

// Everything the recalculation reads and writes: the cells (row 0 holds the captions),
// the current cell, the table inputs, the totals, the rate edit direction and the
// messages shown so far.
struct State {
    std::vector<Row> rows;
    int currentColumn = 1;
    int currentRow = 1;
    core::TableInputs inputs;
    core::TableTotals totals;
    core::RateDirection direction = core::RateDirection::None;
    QStringList messages;
    // With the official calendar, repayments move to the next working day, and each year it
    // does not hold is told of once.
    std::shared_ptr<const OfficialDays> official;
    std::set<int> toldYears;

    // A copy of a calculation's table, inputs, totals and direction (no messages, and the
    // program's own holiday table).
    static State of(const core::Calculation& calc);
    int rowCount() const { return static_cast<int>(rows.size()); }
};

// How recalculate all ended: normally, by a silent stop, or by a failure with its text.
struct Outcome {
    bool silentStop = false;
    std::optional<QString> error;

    static Outcome stopped() { return Outcome{true, std::nullopt}; }
    static Outcome failed(const QString& text) { return Outcome{false, text}; }

    bool operator==(const Outcome&) const = default;
};

// The text of the failure when the days in the year read as zero.
QString DivisionByZeroText(const QString& daysInYearText);

// The row recalculation of the current row. Throws core::SilentStop or core::CommandFailure.
void RecalculateRow(State& state);

// Makes `row` the current row; an actual change recalculates it, as the grid's click does.
void MoveToRow(State& state, int row);

// Recalculate all, catching the silent stop and failures into the outcome.
Outcome RecalculateAll(State& state);

}  // namespace reference
