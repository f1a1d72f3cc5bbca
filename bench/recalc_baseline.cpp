// Recalculate all and the sort of recalc_bench.cpp, run by the core as it stood before these
// commands were reworked for long tables, so that both are measured in the same run. Compiled
// with `core` standing for another namespace name, against that earlier core's own sources.

#include <benchmark/benchmark.h>

#include "TableFill.h"
#include "core/TableCommands.h"

namespace {

void before_recalc_all_fast(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    const core::Calculation pristine = fixture.calc;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.calc = pristine;
        state.ResumeTiming();
        core::RecalculateAll(fixture.calc);
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
    if (!fixture.dialogs.texts().isEmpty()) state.SkipWithError("the table gave a message");
}

void before_sort_by_value_date(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Fixture fixture(rows);
    SetBackwardValueDates(fixture.calc, rows);
    core::RecalculateAll(fixture.calc);
    const core::Calculation pristine = fixture.calc;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.calc = pristine;
        state.ResumeTiming();
        core::SortByValueDate(fixture.calc);
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
    if (!fixture.dialogs.texts().isEmpty()) state.SkipWithError("the table gave a message");
}

}  // namespace

BENCHMARK(before_sort_by_value_date)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(before_recalc_all_fast)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
