// The table commands on one generated table shape at several lengths: recalculate all by the
// core (linear) and by the reference reading that sums every total over every row at each row
// (quadratic); a row move (the row recalculation of the row entered and the totals), whose
// cost must not grow much with the table; sorting by value date. Where the build has it, the
// core as it stood before the rework of these commands runs beside them (recalc_baseline.cpp).

#include <benchmark/benchmark.h>

#include "bench/TableFill.h"
#include "core/TableCommands.h"
#include "tests/core/ReferenceRecalculation.h"

namespace {

void recalc_all_fast(benchmark::State& state) { TimeRecalculateAll(state); }

void recalc_all_reference(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    const reference::State pristine = reference::State::of(fixture.calc);
    reference::State table = pristine;
    for (auto _ : state) {
        state.PauseTiming();
        table = pristine;
        state.ResumeTiming();
        const reference::Outcome outcome = reference::RecalculateAll(table);
        if (!(outcome == reference::Outcome{})) state.SkipWithError("the table stopped");
        benchmark::DoNotOptimize(table.totals);
    }
}

// Up and Down in turn in the middle of a recalculated table: each move recalculates the row
// entered and refreshes the totals.
void row_move(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Fixture fixture(rows);
    core::RecalculateAll(fixture.calc);
    const int middle = rows / 2;
    fixture.calc.moveCurrentCell(core::col::Drawn, middle);
    int next = middle + 1;
    for (auto _ : state) {
        fixture.calc.moveCurrentCell(core::col::Drawn, next);
        next = next == middle ? middle + 1 : middle;
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
    if (!fixture.dialogs.texts().isEmpty()) state.SkipWithError("the table gave a message");
}

void sort_by_value_date(benchmark::State& state) { TimeSortByValueDate(state); }

}  // namespace

BENCHMARK(row_move)->Arg(65)->Arg(6500)->Unit(benchmark::kMicrosecond);
BENCHMARK(sort_by_value_date)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(recalc_all_fast)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(recalc_all_reference)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
