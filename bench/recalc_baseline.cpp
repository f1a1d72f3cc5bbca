// Recalculate all and the sort of recalc_bench.cpp, run by the core as it stood before these
// commands were reworked for long tables, so that both are measured in the same run. Compiled
// with `core` standing for another namespace name, against that earlier core's own sources.

#include <benchmark/benchmark.h>

#include "TableFill.h"

namespace {

void before_recalc_all_fast(benchmark::State& state) { TimeRecalculateAll(state); }

void before_sort_by_value_date(benchmark::State& state) { TimeSortByValueDate(state); }

}  // namespace

BENCHMARK(before_sort_by_value_date)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(before_recalc_all_fast)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
