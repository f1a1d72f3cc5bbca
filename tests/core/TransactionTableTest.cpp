#include <gtest/gtest.h>

#include <QStringList>
#include <array>
#include <random>
#include <string>

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

// A dragged column takes its cells and caption along; the current column follows its
// contents, onto a computed column too.
TEST(TransactionTableTest, ColumnMoveCarriesCellsCaptionAndCurrentColumn) {
    struct Case {
        int from, to, current, currentAfter;
    };
    const Case cases[] = {
        {3, 5, 3, 5},  {3, 5, 4, 3},   {3, 5, 5, 4},  {3, 5, 6, 6}, {3, 5, 2, 2},   {10, 7, 7, 8},
        {10, 1, 1, 2}, {7, 12, 7, 12}, {12, 7, 7, 8}, {5, 5, 5, 5}, {1, 14, 1, 14}, {14, 1, 14, 1},
    };
    for (const Case& c : cases) {
        TransactionTable table;
        table.setRowCount(3);
        std::array<QStringList, 3> before;
        for (int r = 1; r < 3; ++r) {
            for (int col = 0; col < TransactionTable::ColumnCount; ++col) {
                table.setCell(col, r, QStringLiteral("%1/%2").arg(col).arg(r));
            }
        }
        for (int r = 0; r < 3; ++r) {
            for (int col = 0; col < TransactionTable::ColumnCount; ++col) {
                before[r] << table.cell(col, r);
            }
        }
        table.setCurrentCellQuietly(c.current, 2);
        table.moveColumn(c.from, c.to);
        const std::string name = std::to_string(c.from) + " to " + std::to_string(c.to) +
                                 ", current " + std::to_string(c.current);
        for (int r = 0; r < 3; ++r) {
            QStringList want = before[r];
            want.move(c.from, c.to);
            QStringList got;
            for (int col = 0; col < TransactionTable::ColumnCount; ++col) got << table.cell(col, r);
            EXPECT_EQ(got, want) << name << ", row " << r;
        }
        EXPECT_EQ(table.currentColumn(), c.currentAfter) << name;
        EXPECT_EQ(table.currentRow(), 2) << name;
    }
}

}  // namespace
