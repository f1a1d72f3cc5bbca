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
#include "core/NumberReading.h"
#include "core/NumberText.h"
#include "core/Rates.h"
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

// What recalculate all cannot do without on the same table: each row's transaction date read
// by position and written as its value date, its amounts and rate read from their texts, the
// typed amounts written back in the amount form, the annual rate written where the row has
// none, and the six figures computed written as text (days, interest number, period interest,
// tax, both balances), into the rows' texts; none of the table's rules (date completion,
// holidays, the totals, the checks that a row needs no second run).
void recalc_floor(benchmark::State& state) {
    using namespace core::col;
    const int rows = static_cast<int>(state.range(0));
    Fixture fixture(rows);
    const core::TransactionTable& table = fixture.calc.table();
    std::vector<core::TransactionTable::Row> texts(static_cast<size_t>(rows) + 1);
    const auto fresh = [&] {
        for (int r = 1; r <= rows; ++r) {
            for (int c = 0; c < core::TransactionTable::ColumnCount; ++c)
                texts[static_cast<size_t>(r)][static_cast<size_t>(c)] = table.cell(c, r);
        }
    };
    const QString annualRate = fixture.calc.inputs().annualRate;
    for (auto _ : state) {
        state.PauseTiming();
        fresh();
        state.ResumeTiming();
        double credit = 0;
        double interestBalance = 0;
        double rate = 24;
        core::DayNumber previous = core::ReadDateByPosition(texts[1][TransactionDate]);
        for (int r = 1; r <= rows; ++r) {
            auto& row = texts[static_cast<size_t>(r)];
            const core::DayNumber date = core::ReadDateByPosition(row[TransactionDate]);
            row[ValueDate] = row[TransactionDate];
            const double days = static_cast<double>(date - previous);
            const double number = credit * days;
            const double interest = rate * number / 36500;
            const double tax = interest * 5 / 100 + interest * 1 / 100;
            double amounts[3] = {};
            for (int c = Drawn; c <= InterestPaid; ++c) {
                if (row[c].isEmpty()) continue;
                amounts[c - Drawn] = core::ParseAmount(row[c]);
                row[c] = core::WriteAmount(amounts[c - Drawn]).text;
            }
            credit += amounts[0] - amounts[1];
            interestBalance += interest + tax - amounts[2];
            if (const double typed = core::ParseAmount(row[Rate]); typed > 0) {
                rate = typed;
            } else {
                row[Rate] = annualRate;
            }
            row[Days] = core::GeneralText(days);
            row[InterestNumber] = core::WriteAmount15(number).text;
            row[PeriodInterest] = core::WriteAmount15(interest).text;
            row[PeriodTax] = core::WriteAmount15(tax).text;
            row[CreditBalance] = core::WriteAmount(credit).text;
            row[InterestBalance] = core::WriteAmount(interestBalance).text;
            previous = date;
        }
        benchmark::DoNotOptimize(texts.data());
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
