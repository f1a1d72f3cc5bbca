#include <gtest/gtest.h>

#include <functional>

#include "core/Errors.h"
#include "core/TableCommands.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;
using coretest::CalculationTest;

class RowRecalculationTest : public CalculationTest {};

// A drawing of 100 on 01.03.2019 and a date row on 31.03.2019 at 24 % over 360 days with
// 5 % BSMV: 2,00 interest and 0,10 tax for 30 days.
TEST_F(RowRecalculationTest, WorkedExample) {
    setRows({{{TransactionDate, "01.03.2019"}, {ValueDate, "01.03.2019"}, {Drawn, "100"}},
             {{ValueDate, "31.03.2019"}}});
    core::RecalculateAll(calc);

    const QString row1[] = {"1", "01.03.2019", "01.03.2019", "", "100,00", "", "", "24",
                            "",  "0,00",       "100,00",     "", "",       "", ""};
    const QString row2[] = {"2",  "31.03.2019", "31.03.2019", "",     "",     "",         "", "24",
                            "30", "2,00",       "100,00",     "2,10", "0,10", "3.000,00", ""};
    for (int c = 0; c < core::TransactionTable::ColumnCount; ++c) {
        EXPECT_EQ(cell(c, 1), row1[c]) << "row 1, column " << c;
        EXPECT_EQ(cell(c, 2), row2[c]) << "row 2, column " << c;
    }
    const core::TableTotals& t = calc.totals();
    EXPECT_EQ(t.totalDrawn, "100,00");
    EXPECT_EQ(t.totalRepaid, "0,00");
    EXPECT_EQ(t.creditBalance, "100,00");
    EXPECT_EQ(t.totalInterest, "2,00");
    EXPECT_EQ(t.interestPaid, "0,00");
    EXPECT_EQ(t.interestUnpaid, "2,10");
    EXPECT_EQ(t.totalBsmv, "0,10");
    EXPECT_EQ(t.totalInterestNumber, "3.000,00");
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(table().currentRow(), 2);
}

struct DateCase {
    const char* typed;
    const char* completed;  // empty: the out-of-range message follows
    const char* message;
};

// Typed dates are completed by position; the calculation date (2019) gives a missing year.
TEST_F(RowRecalculationTest, CompletesTypedDates) {
    const DateCase cases[] = {
        {" 5. 3.    ", "05.03.2019", ""},
        {" 5.3 .    ", "05.03.2019", ""},
        {"05.03.   5", "05.03.2005", ""},
        {"05.03.19  ", "05.03.2019", ""},
        {"05.03.  99", "05.03.2099", ""},
        {"05.03. 987", "05.03.1987", ""},
        {"05.03.0019", "05.03.2019", ""},
        {"05.03.1905", "05.03.1905", ""},
        {"05.03.2999", "05.03.2999", ""},
        {"5/3/2020", "05.02.2020", ""},  // by position: month "/2", year "20"
        {"1.1.19", "01.01.2019", ""},
        {"05.03.1904", "", "\"05.03.1904\" tarih girişiniz uygun değil!"},
        {"05.03.3000", "", "\"05.03.3000\" tarih girişiniz uygun değil!"},
        {" 5.  .    ", "", "\"05.00.    \" tarih girişiniz uygun değil!"},
        {"00.03.2019", "", "\"00.03.2019\" tarih girişiniz uygun değil!"},
        {"  .  .2019", "", "\"00.00.2019\" tarih girişiniz uygun değil!"},
    };
    for (const DateCase& c : cases) {
        for (int column : {TransactionDate, ValueDate}) {
            SCOPED_TRACE(std::string(c.typed) + (column == ValueDate ? " as value date" : ""));
            dialogs.clear();
            setRows({{{column, QString::fromUtf8(c.typed)}}});
            const QString completed = QString::fromUtf8(c.completed);
            if (completed.isEmpty()) {
                EXPECT_THROW(recalculateRow(1), core::SilentStop);
                EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(c.message)});
                EXPECT_EQ(cell(column, 1), QString());
            } else {
                recalculateRow(1);
                EXPECT_EQ(cell(column, 1), completed);
            }
        }
    }
}

TEST_F(RowRecalculationTest, BlankYearTakesTheCalculationYear) {
    calc.inputs().calculationDate = QDate(2021, 2, 1);
    setRows({{{TransactionDate, " 5. 3.    "}}, {{TransactionDate, "1.1.19"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(TransactionDate, 1), "05.03.2021");
    EXPECT_EQ(cell(TransactionDate, 2), "01.01.2021");
}

// 31.02 passes the completion; as a value date it is refused and emptied, and the
// recalculation of the table goes on with the next row.
TEST_F(RowRecalculationTest, UnrealValueDateIsRefusedAndTheTableGoesOn) {
    setRows({{{TransactionDate, "01.02.2019"}, {Drawn, "100"}},
             {{TransactionDate, "31.02.2019"}, {Drawn, "50"}},
             {{ValueDate, "03.03.2019"}}});
    core::RecalculateAll(calc);
    // Row 2 is recalculated twice, the second time after the row above it.
    const QString refused = "31.02.2019 Tarih Girişiniz doğru değil.";
    EXPECT_EQ(dialogs.texts(), QStringList({refused, refused}));
    EXPECT_EQ(cell(TransactionDate, 2), "31.02.2019");
    EXPECT_EQ(cell(ValueDate, 2), "");
    EXPECT_EQ(cell(CreditBalance, 2), "");
    EXPECT_EQ(cell(Drawn, 2), "50");
    // Row 3's period starts at the calculation date: its row above has no value date.
    EXPECT_EQ(cell(Days, 3), "-104");
    EXPECT_EQ(table().currentRow(), 3);
}

TEST_F(RowRecalculationTest, OneDateIsCopiedIntoTheOther) {
    setRows({{{TransactionDate, "01.03.2019"}}, {{ValueDate, "02.03.2019"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "01.03.2019");
    EXPECT_EQ(cell(TransactionDate, 2), "02.03.2019");
}

// A row carries the rate in the field when first reached; its own rate charges the period
// that ends at the next row.
TEST_F(RowRecalculationTest, RowRatesChargeTheFollowingPeriod) {
    calc.inputs().annualRate = "24,5";
    calc.inputs().bsmvRate = "";
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "36.000"}, {Rate, "30"}},
             {{TransactionDate, "02.03.2019"}},
             {{TransactionDate, "03.03.2019"}, {Rate, "0"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(Rate, 1), "30");
    EXPECT_EQ(cell(Rate, 2), "24,5");
    EXPECT_EQ(cell(Rate, 3), "24,5");
    EXPECT_EQ(cell(PeriodInterest, 2), "30,00");
    EXPECT_EQ(cell(PeriodInterest, 3), "24,50");
    EXPECT_EQ(cell(PeriodTax, 3), "0,00");
}

// An empty annual rate field becomes "0"; a row then charges nothing, but charges all the same.
TEST_F(RowRecalculationTest, EmptyAnnualRateBecomesZero) {
    calc.inputs().annualRate = "";
    calc.setRateDirection(core::RateDirection::AnnualDrives);
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(calc.inputs().annualRate, "0");
    EXPECT_EQ(calc.inputs().monthlyRate, "0");
    EXPECT_EQ(cell(Rate, 1), "0");
    EXPECT_EQ(cell(InterestNumber, 2), "3.000,00");
    EXPECT_EQ(cell(PeriodInterest, 2), "0,00");
}

TEST_F(RowRecalculationTest, ZeroBalanceAboveLeavesTheInterestCellsAlone) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}, {Repaid, "100"}},
             {{TransactionDate, "31.03.2019"},
              {PeriodInterest, "7,00"},
              {PeriodTax, "0,35"},
              {InterestNumber, "9"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(CreditBalance, 1), "0,00");
    EXPECT_EQ(cell(Days, 2), "30");
    EXPECT_EQ(cell(PeriodInterest, 2), "7,00");
    EXPECT_EQ(cell(PeriodTax, 2), "0,35");
    EXPECT_EQ(cell(InterestNumber, 2), "9");
    EXPECT_EQ(cell(InterestBalance, 2), "7,35");
}

TEST_F(RowRecalculationTest, NegativeBalanceBearsNegativeInterest) {
    setRows({{{TransactionDate, "01.03.2019"}, {Repaid, "100"}},
             {{TransactionDate, "31.03.2019"}, {InterestPaid, "5"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(CreditBalance, 1), "-100,00");
    EXPECT_EQ(cell(InterestNumber, 2), "-3.000,00");
    EXPECT_EQ(cell(PeriodInterest, 2), "-2,00");
    EXPECT_EQ(cell(InterestBalance, 2), "-7,10");
    EXPECT_EQ(calc.totals().interestUnpaid, "-7,10");
}

// -8.965.297.374,25 for 2153 days is exactly -19.302.285.246.760,25.
TEST_F(RowRecalculationTest, HalfwayInterestNumberRoundsAwayFromZero) {
    setRows({{{TransactionDate, "01.01.2010"}, {Repaid, "8.965.297.374,25"}},
             {{TransactionDate, "24.11.2015"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(Days, 2), "2153");
    EXPECT_EQ(cell(InterestNumber, 2), "-19.302.285.246.760,30");
    EXPECT_EQ(calc.totals().totalInterestNumber, "-19.302.285.246.760,30");
}

TEST_F(RowRecalculationTest, RowOneAloneNeverTouchesTheTotals) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}, {InterestPaid, "3"}}});
    calc.totals().totalDrawn = "old";
    const core::TableTotals before = calc.totals();
    recalculateRow(1);
    EXPECT_EQ(cell(CreditBalance, 1), "100,00");
    EXPECT_TRUE(calc.totals() == before);
}

TEST_F(RowRecalculationTest, TotalsStopAtTheFirstRowWithoutNumber) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}},
             {{TransactionDate, "31.03.2019"}, {Drawn, "50"}},
             {{TransactionDate, "01.04.2019"}, {Drawn, "1.000"}},
             {{TransactionDate, "02.04.2019"}, {Drawn, "7"}}});
    table().setCell(Number, 3, "");
    core::RecalculateAll(calc);
    EXPECT_EQ(calc.totals().totalDrawn, "150,00");
    EXPECT_EQ(cell(CreditBalance, 4), "1.157,00");
}

// A date out of range stops the whole recalculation where it stands.
TEST_F(RowRecalculationTest, OutOfRangeDateStopsRecalculateAllSilently) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}},
             {{TransactionDate, "01.01.1904"}},
             {{TransactionDate, "31.03.2019"}, {Drawn, "5"}}});
    EXPECT_THROW(core::RecalculateAll(calc), core::SilentStop);
    EXPECT_EQ(dialogs.texts(), QStringList{"\"01.01.1904\" tarih girişiniz uygun değil!"});
    EXPECT_EQ(table().currentRow(), 2);
    EXPECT_EQ(cell(TransactionDate, 2), "");
    EXPECT_EQ(cell(Drawn, 3), "5");
    EXPECT_EQ(cell(CreditBalance, 3), "");
}

struct FailureCase {
    const char* what;
    std::function<void(core::Calculation&)> arrange;
    const char* named;  // the text the message names
};

// Failures end the recalculation with a message naming the text; the days and the
// interest number written before stay.
TEST_F(RowRecalculationTest, FailuresCarryTheirText) {
    const FailureCase cases[] = {
        {"days in year empty", [](auto& c) { c.inputs().daysInYear = ""; }, "\"\""},
        {"days in year a comma", [](auto& c) { c.inputs().daysInYear = ","; }, "\",\""},
        {"days in year zero", [](auto& c) { c.inputs().daysInYear = "0"; }, "Gün"},
        {"annual rate a comma",
         [](auto& c) {
             c.inputs().annualRate = ",";
             c.table().setCell(Rate, 1, "0");
         },
         "\",\""},
        {"amount 1,2,3", [](auto& c) { c.table().setCell(Drawn, 2, "1,2,3"); }, "\"1,2,3\""},
        {"repayment -", [](auto& c) { c.table().setCell(Repaid, 2, "-"); }, "\"-\""},
        {"repayment days past the last date",
         [](auto& c) {
             c.inputs().repaymentExtraDays = "99999999999999999999";
             c.table().setCell(Repaid, 2, "10");
         },
         "\"99999999999999999999\" gün"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        resetInputs();
        setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}, {Rate, "24"}},
                 {{TransactionDate, "31.03.2019"}}});
        c.arrange(calc);
        recalculateRow(1);
        try {
            recalculateRow(2);
            ADD_FAILURE() << "no failure";
        } catch (const core::CommandFailure& error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.named)))
                << error.message().toStdString();
        }
    }
}

TEST_F(RowRecalculationTest, DivisionFailureComesAfterDaysAndInterestNumber) {
    calc.inputs().daysInYear = "0";
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}},
             {{TransactionDate, "31.03.2019"}, {PeriodInterest, "old"}}});
    EXPECT_THROW(core::RecalculateAll(calc), core::CommandFailure);
    EXPECT_EQ(cell(Days, 2), "30");
    EXPECT_EQ(cell(InterestNumber, 2), "3.000,00");
    EXPECT_EQ(cell(PeriodInterest, 2), "old");
}

}  // namespace
