// Undo and block paste on a long statement, beside a bare recalculate all of the same table in
// the same run: undoing SIFIRLA puts the whole table back, a paste of every row reads, checks
// and writes each cell, then recalculates all.

#include <benchmark/benchmark.h>

#include "bench/TableFill.h"
#include "core/BlockPaste.h"
#include "core/ChangeHistory.h"

namespace {

void recalc_all(benchmark::State& state) { TimeRecalculateAll(state); }

void undo_reset(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    fixture.dialogs.setDefaultAnswer(core::DialogButton::Yes);
    core::RecalculateAll(fixture.calc);
    core::ChangeHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        core::RecordedChange(history, fixture.calc, QStringLiteral("SIFIRLA"),
                             core::CalculationSnapshot::wholeTable(fixture.calc),
                             [&] { core::ResetTable(fixture.calc); });
        state.ResumeTiming();
        history.undo(fixture.calc);
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
    if (fixture.calc.table().rowCount() != state.range(0) + 1) state.SkipWithError("not undone");
    // What the history keeps for one SIFIRLA of this table, and how many such steps its
    // default bound holds.
    core::ChangeHistory one;
    core::RecordedChange(one, fixture.calc, QStringLiteral("SIFIRLA"),
                         core::CalculationSnapshot::wholeTable(fixture.calc),
                         [&] { core::ResetTable(fixture.calc); });
    state.counters["step_KiB"] = double(one.bytes()) / 1024;
    state.counters["steps_in_bound"] =
        double(core::ChangeHistory::kDefaultByteLimit) / double(one.bytes());
}

// The input columns of the generated table as a spreadsheet's clipboard holds them, pasted
// into an empty table with the same inputs.
void paste_block(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Fixture source(rows);
    const std::vector<int> inputs{core::col::TransactionDate,
                                  core::col::ValueDate,
                                  core::col::Description,
                                  core::col::Drawn,
                                  core::col::Repaid,
                                  core::col::InterestPaid,
                                  core::col::Rate};
    const QString clipboard =
        core::WriteTabSeparated(core::CopyBlock(source.calc.table(), 1, rows, inputs));
    Fixture target(0);
    target.calc.inputs() = source.calc.inputs();
    const core::Calculation empty = target.calc;
    for (auto _ : state) {
        state.PauseTiming();
        target.calc = empty;
        state.ResumeTiming();
        const core::CellBlock block = core::ReadTabSeparated(clipboard, 1'000'000, 64);
        core::PasteBlock(target.calc, block, core::col::TransactionDate, 1);
        benchmark::DoNotOptimize(target.calc.totals());
    }
    if (!target.dialogs.texts().isEmpty()) state.SkipWithError("the table gave a message");
}

}  // namespace

BENCHMARK(recalc_all)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(undo_reset)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(paste_block)->Arg(6500)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
