// The generated tables of the recalculation benchmarks. Written against the names of the core
// only, so the same text also builds the tables of an earlier core compiled under another
// namespace name for comparison.
#pragma once

#include <benchmark/benchmark.h>

#include <QDate>
#include <QString>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"

namespace {

// An imported statement of a long credit line: one movement per row, in turn a drawing, a
// repayment and an interest payment, each with its description; a new rate every fiftieth
// row; BSMV, Vergi2 and the holiday roll on. The inputs are those of the long credit lines of
// bench/support, written out here so that the earlier core's build takes them too.
inline void FillTable(core::Calculation& calc, int rows) {
    using namespace core::col;
    core::TableInputs& inputs = calc.inputs();
    inputs.calculationDate = QDate(2016, 1, 1);
    inputs.annualRate = QStringLiteral("24");
    inputs.bsmvRate = QStringLiteral("5");
    inputs.vergi2Rate = QStringLiteral("1");
    inputs.daysInYear = QStringLiteral("365");
    inputs.moveRepaymentsPastHolidays = true;

    core::TransactionTable& table = calc.table();
    table.setRowCount(rows + 1);
    QDate date(2016, 1, 4);
    const QString amounts[] = {QStringLiteral("1.000"), QStringLiteral("400,5"),
                               QStringLiteral("25")};
    const QString descriptions[] = {QStringLiteral("Kullanım"), QStringLiteral("Geri ödeme"),
                                    QStringLiteral("Faiz ödemesi")};
    for (int r = 1; r <= rows; ++r) {
        date = date.addDays(1 + r % 2);
        table.setCell(Number, r, QString::number(r));
        table.setCell(TransactionDate, r, date.toString(QStringLiteral("dd.MM.yyyy")));
        table.setCell(Description, r, descriptions[r % 3]);
        table.setCell(Drawn + r % 3, r, amounts[r % 3]);
        if (r % 50 == 0) table.setCell(Rate, r, QString::number(18 + r % 13));
    }
    table.setCurrentCellQuietly(TransactionDate, rows);
}

// Value dates that run backwards in blocks, with many equal dates: the table the sort
// benchmark starts from, before its first recalculation.
inline void SetBackwardValueDates(core::Calculation& calc, int rows) {
    core::TransactionTable& table = calc.table();
    for (int r = 1; r <= rows; ++r) {
        const QDate date = QDate(2016, 1, 1).addDays((rows - r) / 3 + (r % 7 == 0 ? 40 : 0));
        table.setCell(core::col::TransactionDate, r, date.toString(QStringLiteral("dd.MM.yyyy")));
    }
}

struct Fixture {
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    explicit Fixture(int rows) { FillTable(calc, rows); }
};

// Times `command` on a fresh copy of the fixture's table, made outside the timing before each run.
template <typename Command>
void TimeOnFreshCopies(benchmark::State& state, Fixture& fixture, Command command) {
    const core::Calculation pristine = fixture.calc;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.calc = pristine;
        state.ResumeTiming();
        command(fixture.calc);
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
    if (!fixture.dialogs.texts().isEmpty()) state.SkipWithError("the table gave a message");
}

// Recalculate all on the generated table of state.range(0) rows.
inline void TimeRecalculateAll(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    TimeOnFreshCopies(state, fixture, [](core::Calculation& calc) { core::RecalculateAll(calc); });
}

// Sorting a recalculated table whose value dates run backwards in blocks, with many equal
// dates, followed by the recalculation of all rows the sort ends with.
inline void TimeSortByValueDate(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Fixture fixture(rows);
    SetBackwardValueDates(fixture.calc, rows);
    core::RecalculateAll(fixture.calc);
    TimeOnFreshCopies(state, fixture, [](core::Calculation& calc) { core::SortByValueDate(calc); });
}

}  // namespace
