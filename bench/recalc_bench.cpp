// The table commands on one generated table shape at several lengths: recalculate all by the
// core (linear) and by the reference reading that sums every total over every row at each row
// (quadratic); a row move (the row recalculation of the row entered and the totals), whose
// cost must not grow much with the table; sorting by value date; the rate finder answered Yes.
// Beside recalculate all, its floor: the same reading and writing of the same cells with
// none of the table's rules, which recalculate all should stay within twice of. Where the
// build has it, the core as it stood before the rework of these commands runs beside them
// (recalc_baseline.cpp).

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/TableFill.h"
#include "core/DateText.h"
#include "core/NumberText.h"
#include "core/Rates.h"
#include "core/TableCommands.h"
#include "core/TextRoutines.h"
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

// What recalculate all cannot do without on the same table: each row's dates read by position,
// its amounts and rate read from their texts, and the six figures it computes written as text
// (days, interest number, period interest, tax, both balances), into a table of texts.
void recalc_floor(benchmark::State& state) {
    using namespace core::col;
    const int rows = static_cast<int>(state.range(0));
    Fixture fixture(rows);
    const core::TransactionTable& table = fixture.calc.table();
    std::vector<std::array<QString, 6>> written(static_cast<size_t>(rows) + 1);
    for (auto _ : state) {
        double credit = 0;
        double interestBalance = 0;
        double rate = 24;
        core::DayNumber previous = core::ReadDateByPosition(table.cell(TransactionDate, 1));
        for (int r = 1; r <= rows; ++r) {
            const core::DayNumber date = core::ReadDateByPosition(table.cell(TransactionDate, r));
            const double days = static_cast<double>(date - previous);
            const double number = credit * days;
            const double interest = rate * number / 36500;
            const double tax = interest * 5 / 100 + interest * 1 / 100;
            credit +=
                core::ParseAmount(table.cell(Drawn, r)) - core::ParseAmount(table.cell(Repaid, r));
            interestBalance += interest + tax - core::ParseAmount(table.cell(InterestPaid, r));
            if (const double typed = core::ParseAmount(table.cell(Rate, r)); typed > 0)
                rate = typed;
            auto& out = written[static_cast<size_t>(r)];
            out[0] = core::GeneralText(days);
            out[1] = core::WriteAmount15(number).text;
            out[2] = core::WriteAmount15(interest).text;
            out[3] = core::WriteAmount15(tax).text;
            out[4] = core::WriteAmount(credit).text;
            out[5] = core::WriteAmount(interestBalance).text;
            previous = date;
        }
        benchmark::DoNotOptimize(written.data());
    }
}

// "FAİZ ORANINI BUL" answered Yes: the rate that gives a total interest, put into every row,
// and the table recalculated with it.
void rate_finder_apply(benchmark::State& state) {
    Fixture fixture(static_cast<int>(state.range(0)));
    fixture.calc.inputs().targetTotalInterest = QStringLiteral("150.000");
    fixture.dialogs.setDefaultAnswer(core::DialogButton::Yes);
    const core::Calculation pristine = fixture.calc;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.calc = pristine;
        fixture.dialogs.clear();
        state.ResumeTiming();
        if (!core::FindRate(fixture.calc)) state.SkipWithError("no rate found");
        benchmark::DoNotOptimize(fixture.calc.totals());
    }
}

}  // namespace

BENCHMARK(row_move)->Arg(65)->Arg(6500)->Unit(benchmark::kMicrosecond);
BENCHMARK(sort_by_value_date)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(recalc_floor)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(recalc_all_fast)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(rate_finder_apply)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(recalc_all_reference)->Arg(650)->Arg(6500)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
