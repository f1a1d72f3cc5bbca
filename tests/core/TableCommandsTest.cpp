#include <gtest/gtest.h>

#include <QDate>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/Errors.h"
#include "core/Rates.h"
#include "core/TableCommands.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;
using coretest::CalculationTest;

class TableCommandsTest : public CalculationTest {
  protected:
    // Column `column` of every data row, top to bottom.
    QStringList column(int column) {
        QStringList texts;
        for (int r = 1; r < table().rowCount(); ++r) texts << cell(column, r);
        return texts;
    }

    bool rowHasNoPeriod(int row) {
        for (int c : {Days, PeriodInterest, InterestBalance, PeriodTax, InterestNumber}) {
            if (!cell(c, row).isEmpty()) return false;
        }
        return true;
    }
};

TEST_F(TableCommandsTest, RecalculateAllLeavesASingleRowAlone) {
    setRows({{{TransactionDate, "1.3.19"}, {Drawn, "100"}}});
    calc.totals().totalBsmv = "old";
    const core::TableTotals totals = calc.totals();
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(TransactionDate, 1), "1.3.19");
    EXPECT_EQ(cell(Drawn, 1), "100");
    EXPECT_TRUE(calc.totals() == totals);
}

TEST_F(TableCommandsTest, ResetAsksAndEmptiesTableAndTotals) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}});
    core::RecalculateAll(calc);
    const core::TableInputs inputs = calc.inputs();

    dialogs.queueAnswer(core::DialogButton::No);
    core::ResetTable(calc);
    EXPECT_EQ(table().rowCount(), 3);
    EXPECT_EQ(calc.totals().totalBsmv, "0,10");

    dialogs.queueAnswer(core::DialogButton::Yes);
    core::ResetTable(calc);
    ASSERT_EQ(dialogs.questions().size(), 2u);
    const core::Question& question = dialogs.questions().back();
    EXPECT_EQ(question.text, "Dosyayı Boşaltmak istediğinizden eminmisiniz?");
    EXPECT_EQ(question.caption, core::kApplicationTitle);
    EXPECT_EQ(question.buttons, int(core::DialogButton::Yes) | int(core::DialogButton::No));
    EXPECT_EQ(question.icon, core::DialogIcon::None);
    ASSERT_EQ(table().rowCount(), 2);
    EXPECT_EQ(column(Number), QStringList{"1"});
    for (int c = 1; c < core::TransactionTable::ColumnCount; ++c) EXPECT_EQ(cell(c, 1), "");
    EXPECT_TRUE(calc.totals() == core::TableTotals{});
    EXPECT_TRUE(calc.inputs() == inputs);
}

// The inserted row carries only the rate; the row below it counts from the calculation
// date and gets no interest.
TEST_F(TableCommandsTest, InsertAboveTheFirstRow) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}});
    core::InsertRow(calc);
    ASSERT_EQ(table().rowCount(), 4);
    EXPECT_EQ(column(Number), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(ValueDate), QStringList({"", "01.03.2019", "31.03.2019"}));
    EXPECT_EQ(column(Rate), QStringList({"24", "24", "24"}));
    EXPECT_EQ(cell(Days, 2), "-106");
    EXPECT_EQ(cell(PeriodInterest, 2), "0,00");
    EXPECT_EQ(cell(InterestNumber, 2), "");
    EXPECT_EQ(cell(PeriodInterest, 3), "2,00");
    EXPECT_EQ(table().currentRow(), 3);
}

TEST_F(TableCommandsTest, InsertInTheMiddleMovesTheCurrentRowDown) {
    setRows({{{Description, "a"}},
             {{Description, "b"}, {InterestNumber, "hidden"}},
             {{Description, "c"}}});
    table().setCurrentCellQuietly(Description, 2);
    core::InsertRow(calc);
    EXPECT_EQ(column(Description), QStringList({"a", "", "b", "c"}));
    EXPECT_EQ(column(InterestNumber), QStringList({"", "", "hidden", ""}));
    EXPECT_EQ(column(Number), QStringList({"1", "2", "3", "4"}));
}

TEST_F(TableCommandsTest, DeleteAsksForRowsWithATransactionDate) {
    struct Case {
        const char* what;
        int current;
        core::DialogButton answer;
        QStringList left;  // descriptions of the rows left
        bool asked;
    };
    const Case cases[] = {
        {"empty entry row", 3, core::DialogButton::Yes, {"a", "b"}, false},
        {"last movement and the entry row", 2, core::DialogButton::Yes, {"a"}, true},
        {"not confirmed", 2, core::DialogButton::No, {"a", "b", ""}, true},
        {"cancelled", 1, core::DialogButton::Cancel, {"a", "b", ""}, true},
        {"first movement", 1, core::DialogButton::Yes, {"b", ""}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.clear();
        setRows({{{TransactionDate, "01.03.2019"}, {Description, "a"}, {Drawn, "100"}},
                 {{TransactionDate, "31.03.2019"}, {Description, "b"}},
                 {}});
        table().setCurrentCellQuietly(Description, c.current);
        dialogs.setDefaultAnswer(c.answer);
        core::DeleteCurrentRow(calc);
        EXPECT_EQ(column(Description), c.left);
        ASSERT_EQ(dialogs.questions().size(), c.asked ? 1u : 0u);
        if (!c.asked) continue;
        const core::Question& question = dialogs.questions().front();
        EXPECT_EQ(question.text, "Kaydı Silmek istediğinizden eminmisiniz?");
        EXPECT_EQ(question.caption, core::kProgramCaption);
        EXPECT_EQ(question.buttons, int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                        int(core::DialogButton::Cancel));
        EXPECT_EQ(question.icon, core::DialogIcon::Question);
    }
}

TEST_F(TableCommandsTest, DeleteOnTheOnlyEmptyRowLeavesOneEmptyRow) {
    core::DeleteCurrentRow(calc);
    ASSERT_EQ(table().rowCount(), 2);
    EXPECT_EQ(cell(Number, 1), "1");
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(TableCommandsTest, DeleteRowKeepsAtLeastOneDataRow) {
    setRows({{{Description, "a"}}, {{Description, "b"}}, {{Description, "c"}}});
    table().setCurrentCellQuietly(Description, 0);
    core::DeleteRow(table());
    EXPECT_EQ(column(Description), QStringList({"a", "b", "c"}));

    table().setCurrentCellQuietly(Description, 3);
    core::DeleteRow(table());
    EXPECT_EQ(column(Description), QStringList({"a", "b"}));
    EXPECT_EQ(table().currentRow(), 2);

    table().setCurrentCellQuietly(Description, 1);
    core::DeleteRow(table());
    core::DeleteRow(table());
    EXPECT_EQ(table().rowCount(), 2);
    EXPECT_EQ(cell(Description, 1), "");
}

// Row 1 never keeps a period from the position it had before.
TEST_F(TableCommandsTest, DeleteAndSortClearTheFirstRowsPeriod) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}});
    core::RecalculateAll(calc);
    table().setCurrentCellQuietly(TransactionDate, 1);
    dialogs.queueAnswer(core::DialogButton::Yes);
    core::DeleteCurrentRow(calc);
    EXPECT_TRUE(rowHasNoPeriod(1));

    setRows({{{ValueDate, "31.03.2019"}}, {{TransactionDate, "01.03.2019"}, {InterestPaid, "5"}}});
    core::RecalculateAll(calc);
    ASSERT_FALSE(rowHasNoPeriod(2));
    core::SortByValueDate(calc);
    EXPECT_TRUE(rowHasNoPeriod(1));
    EXPECT_EQ(cell(Days, 2), "30");
}

TEST_F(TableCommandsTest, SortOrdersByValueDateWithEmptyDatesLast) {
    setRows({{{ValueDate, "15.06.2019"}, {Description, "a"}},
             {{ValueDate, "01.03.2019"}, {Description, "b"}},
             {{Description, "c"}}});
    core::SortByValueDate(calc);
    EXPECT_EQ(column(Description), QStringList({"b", "a", "c"}));
    EXPECT_EQ(column(Number), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(SortKey), QStringList({"20190301", "20190615", "99999999"}));
    EXPECT_EQ(table().currentRow(), 3);
}

// The exchange sort is not stable: equal keys before a smaller one end up reversed.
TEST_F(TableCommandsTest, SortIsNotStable) {
    setRows({{{ValueDate, "15.06.2019"}, {Description, "first"}},
             {{ValueDate, "15.06.2019"}, {Description, "second"}},
             {{ValueDate, "01.03.2019"}, {Description, "third"}}});
    core::SortByValueDate(calc);
    EXPECT_EQ(column(Description), QStringList({"third", "second", "first"}));
}

// Many rows of few distinct dates, some empty: the rows come out exactly where the exchange
// sort on the key texts puts them, whether the table is scattered, already in order (equal
// dates included), or in order up to a few rows entered late.
TEST_F(TableCommandsTest, SortGivesTheExchangeSortsOrder) {
    const int rows = 300;
    struct Case {
        const char* name;
        std::function<int(int)> pick;  // 0: no date; otherwise the date's step from 1 January
    };
    const Case cases[] = {
        {"scattered", [](int r) { return (r * 7919) % 23; }},
        {"in order", [](int r) { return 1 + r / 20; }},
        {"in order, early rows last", [](int r) { return r > rows - 3 ? 1 + r % 3 : 2 + r / 20; }},
        {"in order, then scattered", [](int r) { return r < 200 ? 1 + r / 20 : (r * 7919) % 23; }},
        {"in order, an empty date first", [](int r) { return r == 1 ? 0 : 1 + r / 20; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table().clearData();
        table().setRowCount(rows + 1);
        std::vector<QString> keys(rows + 1);
        std::vector<int> expected(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            const int pick = c.pick(r);
            const QString date =
                pick == 0
                    ? QString()
                    : QDate(2019, 1, 1).addDays(pick * 11).toString(QStringLiteral("dd.MM.yyyy"));
            table().setCell(Number, r, QString::number(r));
            table().setCell(ValueDate, r, date);
            table().setCell(Description, r, QString::number(r));
            keys[r] = core::SortKeyOf(date);
            expected[r] = r;
        }
        for (int i = 1; i < rows; ++i) {
            for (int j = i + 1; j <= rows; ++j) {
                if (keys[i].compare(keys[j], Qt::CaseInsensitive) > 0) {
                    std::swap(keys[i], keys[j]);
                    std::swap(expected[i], expected[j]);
                }
            }
        }
        table().setCurrentCellQuietly(TransactionDate, 1);
        core::SortByValueDate(calc);
        QStringList order;
        for (int r = 1; r <= rows; ++r) order << QString::number(expected[r]);
        EXPECT_EQ(column(Description), order);
    }
}

// Only a move to another cell recalculates, and the computed columns cannot be entered.
TEST_F(TableCommandsTest, MovingTheCurrentCellRecalculatesTheRowEntered) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}});
    EXPECT_FALSE(calc.moveCurrentCell(Days, 2));
    EXPECT_EQ(table().currentRow(), 1);
    EXPECT_EQ(cell(CreditBalance, 1), "");

    EXPECT_TRUE(calc.moveCurrentCell(Drawn, 1));
    EXPECT_EQ(cell(CreditBalance, 1), "100,00");
    EXPECT_TRUE(calc.moveCurrentCell(Drawn, 2));
    EXPECT_EQ(cell(PeriodInterest, 2), "2,00");
    EXPECT_EQ(table().currentColumn(), Drawn);
}

// A column drag can leave the current cell on a computed column, which the user can never
// enter; the commands still walk every row.
TEST_F(TableCommandsTest, EveryCommandWalksAllRowsWhateverTheCurrentColumn) {
    const std::pair<const char*, void (*)(core::Calculation&)> commands[] = {
        {"recalculate all", core::RecalculateAll}, {"insert", core::InsertRow},
        {"delete", core::DeleteCurrentRow},        {"sort", core::SortByValueDate},
        {"change rates", core::ChangeRates},
    };
    for (const auto& [name, command] : commands) {
        setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "1000"}},
                 {{TransactionDate, "15.03.2019"}, {Repaid, "400"}},
                 {{ValueDate, "31.03.2019"}}});
        table().setCurrentCellQuietly(Rate, 1);
        // "Dorud Bakiye" dropped before "Yıllık Faiz": the rate's cells, and the current
        // cell with them, move on to column 8.
        table().moveColumn(CreditBalance, Rate);
        ASSERT_EQ(table().currentColumn(), Days);
        dialogs.queueAnswer(core::DialogButton::Yes);
        command(calc);
        const int last = table().rowCount() - 1;
        EXPECT_EQ(table().currentRow(), last) << name;
        EXPECT_EQ(table().currentColumn(), Days) << name;
        // Every dated row was recalculated: its value date is written.
        for (int r = 1; r <= last; ++r) {
            if (!cell(TransactionDate, r).isEmpty()) {
                EXPECT_EQ(cell(ValueDate, r), cell(TransactionDate, r)) << name << ", row " << r;
            }
        }
    }
    // Recalculated all, the balances run down the rows.
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "1000"}},
             {{TransactionDate, "15.03.2019"}, {Repaid, "400"}},
             {{ValueDate, "31.03.2019"}}});
    table().setCurrentCellQuietly(Rate, 1);
    table().moveColumn(CreditBalance, Rate);
    core::RecalculateAll(calc);
    EXPECT_EQ(column(CreditBalance), QStringList({"1.000,00", "600,00", "600,00"}));
    EXPECT_EQ(column(PeriodInterest), QStringList({"0,00", "9,33", "6,40"}));
    EXPECT_EQ(calc.totals().creditBalance, "600,00");
    EXPECT_EQ(calc.totals().totalInterest, "15,73");
}

TEST_F(TableCommandsTest, SortKeyCompletesShortDatesWithoutValidating) {
    const std::pair<const char*, const char*> cases[] = {
        {"05.03.2019", "20190305"}, {"", "99999999"},           {"  .  .    ", "99999999"},
        {" 5. 3.  19", "20190305"}, {"05.03.  99", "20990305"}, {"05.03. 987", "19870305"},
        {"31.02.2019", "20190231"}, {"05.03.    ", "    0305"},
    };
    for (const auto& [date, key] : cases) {
        EXPECT_EQ(core::SortKeyOf(QString::fromUtf8(date)), QString::fromUtf8(key)) << date;
    }
}

}  // namespace
