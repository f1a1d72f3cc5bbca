#include <gtest/gtest.h>

#include <iterator>
#include <optional>

#include "core/CellEntry.h"
#include "core/TransactionTable.h"

namespace {

using core::CellPosition;
using core::TransactionTable;
using namespace core::col;

TEST(CellEntryTest, EnterWalksAcrossTheRowAndOnToTheNext) {
    struct Case {
        int column, row;
        std::optional<CellPosition> target;
    };
    const Case cases[] = {
        {TransactionDate, 1, CellPosition{ValueDate, 1}},
        {InterestPaid, 2, CellPosition{Rate, 2}},
        {Rate, 1, CellPosition{TransactionDate, 2}},
        {Rate, 2, CellPosition{TransactionDate, 2}},  // the last row: stays in it
        {Days, 1, std::nullopt},                      // a column drag can leave it there
        {SortKey, 2, std::nullopt},
    };
    TransactionTable table;
    table.setRowCount(3);
    for (const Case& c : cases) {
        table.setCurrentCellQuietly(c.column, c.row);
        EXPECT_EQ(core::EnterTarget(table), c.target) << c.column << ", " << c.row;
    }
}

TEST(CellEntryTest, OnlyColumnsOneToSevenTakeInput) {
    struct Case {
        int column;
        bool takesInput;
        bool amount;
    };
    const Case cases[] = {
        {Number, false, false},        {TransactionDate, true, false},
        {ValueDate, true, false},      {Description, true, false},
        {Drawn, true, true},           {Repaid, true, true},
        {InterestPaid, true, true},    {Rate, true, true},
        {Days, false, false},          {PeriodInterest, false, false},
        {CreditBalance, false, false}, {InterestBalance, false, false},
        {PeriodTax, false, false},     {InterestNumber, false, false},
        {SortKey, false, false},
    };
    static_assert(std::size(cases) == TransactionTable::ColumnCount);
    for (const Case& c : cases) {
        EXPECT_EQ(core::TakesInput(c.column), c.takesInput) << c.column;
        EXPECT_EQ(core::IsAmountInputColumn(c.column), c.amount) << c.column;
    }
}

// A key in the description of the last row opens a new row once the value date is typed.
TEST(CellEntryTest, EntryRowOpensFromTheLastRowsDescription) {
    struct Case {
        const char* valueDate;
        int column, row;
        bool opens;
    };
    const Case cases[] = {
        {"01.03.2019", Description, 2, true},  {"01.03.19", Description, 2, true},
        {"01.03.1", Description, 2, false},    {"", Description, 2, false},
        {"01.03.2019", Description, 1, false}, {"01.03.2019", Drawn, 2, false},
    };
    for (const Case& c : cases) {
        TransactionTable table;
        table.setRowCount(3);
        table.setCell(ValueDate, c.row, QString::fromUtf8(c.valueDate));
        table.setCurrentCellQuietly(c.column, c.row);
        EXPECT_EQ(core::OpensEntryRow(table), c.opens) << c.valueDate << ", " << c.column;
    }
    TransactionTable table;
    core::AppendEntryRow(table);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.cell(Number, 2), "2");
}

}  // namespace
