#include <gtest/gtest.h>

#include <random>

#include "core/TransactionTable.h"
#include "tests/core/CalculationFixture.h"

namespace {

using core::TransactionTable;

// The table keeps only the cells a row was given; it must still behave exactly as fifteen
// cells a row, also when a cell is set from another cell of its own row.
TEST(TransactionTableTest, RowsBehaveAsFifteenCellsWhateverTheOrderOfWrites) {
    std::mt19937 rng(14);
    TransactionTable table;
    table.setRowCount(6);
    std::vector<TransactionTable::Row> model(6);
    model[0] = table.row(0);
    model[1][0] = QStringLiteral("1");
    const QString texts[] = {QString(), QStringLiteral("a"), QStringLiteral("24"),
                             QStringLiteral("01.03.2019")};
    for (int step = 0; step < 20000; ++step) {
        const int r = 1 + static_cast<int>(rng() % 5);
        const int c = static_cast<int>(rng() % TransactionTable::ColumnCount);
        switch (rng() % 4) {
            case 0: {  // a text from another cell of the same row
                const int from = static_cast<int>(rng() % TransactionTable::ColumnCount);
                table.setCell(c, r, table.cell(from, r));
                model[r][c] = model[r][from];
                break;
            }
            case 1: {
                const int other = 1 + static_cast<int>(rng() % 5);
                table.moveRow(r, other);
                const TransactionTable::Row moving = model[r];
                model.erase(model.begin() + r);
                model.insert(model.begin() + other, moving);
                break;
            }
            default: {
                const QString& text = texts[rng() % 4];
                table.setCell(c, r, text);
                model[r][c] = text;
                break;
            }
        }
        for (int row = 0; row < 6; ++row) ASSERT_EQ(table.row(row), model[row]) << step;
    }
    const TransactionTable copy = table;
    for (int row = 0; row < 6; ++row) EXPECT_EQ(copy.row(row), model[row]);
}

}  // namespace
