#include <gtest/gtest.h>

#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/HolidayCalendar.h"
#include "core/TableCommands.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;
using coretest::CalculationTest;

struct MoveCase {
    int year, month, day;
    int toYear, toMonth, toDay;
};

// Each holiday is tested once, in calendar order, then the weekend.
TEST(HolidayCalendarTest, MovesPastHolidaysAndWeekendsOnce) {
    const MoveCase cases[] = {
        {2016, 7, 5, 2016, 7, 8},     // three holidays in a row
        {2018, 8, 21, 2018, 8, 27},   // four holidays, then Saturday
        {2017, 6, 25, 2017, 6, 28},   // a Sunday holiday
        {2016, 4, 23, 2016, 4, 25},   // Saturday holiday, then Sunday
        {2019, 8, 10, 2019, 8, 12},   // Saturday onto a holiday that is not tested again
        {2016, 12, 31, 2017, 1, 2},   // Saturday onto 1 January, not tested again
        {2019, 6, 12, 2019, 6, 12},   // a plain Wednesday
        {2020, 5, 1, 2020, 5, 4},     // fixed holidays in every year
        {2021, 10, 29, 2021, 11, 1},  // Friday holiday, then the weekend
        {2020, 6, 5, 2020, 6, 5},     // a 2019 holiday date means nothing in 2020
        {2019, 8, 30, 2019, 9, 2},   {2019, 8, 31, 2019, 9, 2},
    };
    for (const MoveCase& c : cases) {
        const core::DayNumber from = core::DaysFromCivil(c.year, c.month, c.day);
        const core::DayNumber to = core::DaysFromCivil(c.toYear, c.toMonth, c.toDay);
        EXPECT_EQ(core::MovePastHolidaysAndWeekend(from), to)
            << c.day << "." << c.month << "." << c.year;
    }
}

class ValueDateRulesTest : public CalculationTest {};

// The calculation moves repayments past the calendar it was given, not the built-in table.
TEST_F(ValueDateRulesTest, MovesPastTheCalendarItWasGiven) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    calc.setHolidays(core::HolidayCalendar({{6, 12}}, {{2019, {{6, 13}}}}));
    setRows({{{TransactionDate, "12.06.2019"}, {Repaid, "50"}},
             {{TransactionDate, "14.08.2019"}, {Repaid, "50"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "14.06.2019");  // two holidays of its own
    EXPECT_EQ(cell(ValueDate, 2), "14.08.2019");  // a holiday only of the default table
}

// Extra days rebuild a repayment's value date from its transaction date every time; other
// rows keep theirs.
TEST_F(ValueDateRulesTest, ExtraDaysSetARepaymentsValueDate) {
    calc.inputs().repaymentExtraDays = "2";
    setRows({{{TransactionDate, "10.06.2019"}, {ValueDate, "11.06.2019"}, {Drawn, "100"}},
             {{TransactionDate, "10.06.2019"}, {ValueDate, "20.06.2019"}, {Repaid, "50"}},
             {{TransactionDate, "10.06.2019"}, {ValueDate, "20.06.2019"}, {InterestPaid, "5"}},
             {{TransactionDate, "10.06.2019"}, {Repaid, "0"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "11.06.2019");
    EXPECT_EQ(cell(ValueDate, 2), "12.06.2019");
    EXPECT_EQ(cell(ValueDate, 3), "20.06.2019");
    EXPECT_EQ(cell(ValueDate, 4), "10.06.2019");
}

TEST_F(ValueDateRulesTest, RepaymentWithoutTransactionDateFailsWithExtraDays) {
    calc.inputs().repaymentExtraDays = "2";
    setRows({{{Repaid, "50"}}});
    EXPECT_THROW(recalculateRow(1), core::CommandFailure);
}

// The holiday move works on the value date as the previous run left it, so a second run
// completes a move that landed on a holiday.
TEST_F(ValueDateRulesTest, HolidayMoveContinuesOnTheNextRun) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    setRows({{{TransactionDate, "10.08.2019"}, {Repaid, "50"}}});
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "12.08.2019");
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "15.08.2019");
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "15.08.2019");
    EXPECT_EQ(cell(TransactionDate, 1), "10.08.2019");
}

TEST_F(ValueDateRulesTest, HolidayMoveLeavesOtherRowsAlone) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    setRows({{{TransactionDate, "10.08.2019"}, {Drawn, "50"}},
             {{TransactionDate, "11.08.2019"}, {InterestPaid, "1"}},
             {{TransactionDate, "17.08.2019"}, {Repaid, "0,00"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "10.08.2019");
    EXPECT_EQ(cell(ValueDate, 2), "11.08.2019");
    EXPECT_EQ(cell(ValueDate, 3), "17.08.2019");
}

// Extra days first, then the move: 03.06.2019 + 2 is the first of three holidays, then a
// Saturday.
TEST_F(ValueDateRulesTest, ExtraDaysThenHolidays) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    calc.inputs().repaymentExtraDays = "2";
    setRows({{{TransactionDate, "03.06.2019"}, {Repaid, "50"}}});
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "10.06.2019");
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "10.06.2019");
}

// Recalculate all runs a repayment's row a second time where the move landed on a holiday,
// and only there: a Saturday before a holiday Monday ends on the Thursday after it.
TEST_F(ValueDateRulesTest, RecalculateAllMovesOnFromAHolidayItLandedOn) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    setRows({{{TransactionDate, "01.08.2019"}, {Drawn, "1.000"}},
             {{TransactionDate, "10.08.2019"}, {Repaid, "50"}},
             {{TransactionDate, "17.08.2019"}, {Repaid, "50"}},
             {{TransactionDate, "21.08.2019"}, {Repaid, "50"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 2), "15.08.2019");
    EXPECT_EQ(cell(ValueDate, 3), "19.08.2019");
    EXPECT_EQ(cell(ValueDate, 4), "21.08.2019");
    EXPECT_EQ(cell(Days, 3), "4");
}

// Row 1 is recalculated twice by recalculate all when it was not current, so the second
// run moves it on.
TEST_F(ValueDateRulesTest, RecalculateAllRunsTheFirstRowTwiceFromElsewhere) {
    calc.inputs().moveRepaymentsPastHolidays = true;
    setRows({{{TransactionDate, "10.08.2019"}, {Repaid, "50"}}, {{TransactionDate, "20.08.2019"}}});
    table().setCurrentCellQuietly(TransactionDate, 2);
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "15.08.2019");
    EXPECT_EQ(cell(Days, 2), "5");

    setRows({{{TransactionDate, "10.08.2019"}, {Repaid, "50"}}, {{TransactionDate, "20.08.2019"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "12.08.2019");
    EXPECT_EQ(cell(Days, 2), "8");
}

}  // namespace
