#include <gtest/gtest.h>

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
    for (int column = 0; column < TransactionTable::ColumnCount; ++column) {
        EXPECT_EQ(core::TakesInput(column), column >= TransactionDate && column <= Rate) << column;
        EXPECT_EQ(core::IsAmountInputColumn(column), column >= Drawn && column <= Rate) << column;
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
