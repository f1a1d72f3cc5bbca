#include <gtest/gtest.h>

#include <QStringList>
#include <array>
#include <functional>
#include <random>
#include <string>

#include "core/TransactionTable.h"
#include "tests/core/CalculationFixture.h"

namespace {

using core::TransactionTable;

// The table keeps only the cells a row was given; it must still behave exactly as fifteen
// cells a row, also when a cell is set from another cell of its own row. Copies share their
// rows' texts: a copy taken on the way must keep what the table held then.
TEST(TransactionTableTest, RowsBehaveAsFifteenCellsWhateverTheOrderOfWrites) {
    std::mt19937 rng(14);
    TransactionTable table;
    table.setRowCount(6);
    std::vector<TransactionTable::Row> model(6);
    model[0] = table.row(0);
    model[1][0] = QStringLiteral("1");
    const QString texts[] = {QString(), QStringLiteral("a"), QStringLiteral("24"),
                             QStringLiteral("01.03.2019")};
    std::vector<std::pair<TransactionTable, std::vector<TransactionTable::Row>>> copies;
    for (int step = 0; step < 20000; ++step) {
        // Often while the rows are still filling up, then now and then.
        if ((step < 400 ? step % 4 : step % 400) == 0) copies.emplace_back(table, model);
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
    for (const auto& [earlier, itsModel] : copies) {
        for (int row = 0; row < 6; ++row) ASSERT_EQ(earlier.row(row), itsModel[row]);
    }
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

// Records what an observer hears, one line a notice.
class ObserverLog : public core::TableObserver {
  public:
    void tableAboutToChange(const core::TableChange& change) override {
        lines.push_back("before " + describe(change));
    }
    void tableChanged(const core::TableChange& change) override {
        lines.push_back(describe(change));
    }
    std::vector<std::string> lines;

  private:
    static std::string describe(const core::TableChange& change) {
        using Kind = core::TableChange::Kind;
        const auto span = [](int a, int b) { return std::to_string(a) + "-" + std::to_string(b); };
        switch (change.kind) {
            case Kind::Cells:
                return "cells " + span(change.first, change.last) + " columns " +
                       span(change.firstColumn, change.lastColumn);
            case Kind::RowsInserted:
                return "inserted " + span(change.first, change.last);
            case Kind::RowsRemoved:
                return "removed " + span(change.first, change.last);
            case Kind::RowMoved:
                return "row " + std::to_string(change.first) + " to " + std::to_string(change.to);
            case Kind::ColumnMoved:
                return "column " + std::to_string(change.firstColumn) + " to " +
                       std::to_string(change.to);
            case Kind::Replaced:
                return "replaced";
        }
        return "?";
    }
};

// Each change is heard once, shape changes before and after; an unchanged text is not
// heard; a fill inside a replacement is heard as one replacement.
TEST(TransactionTableTest, ObserverHearsWhatChanged) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* name;
        std::function<void(TransactionTable&)> change;
        Lines heard;
    };
    const Case cases[] = {
        {"same text", [](TransactionTable& t) { t.setCell(0, 1, QStringLiteral("1")); }, {}},
        {"new text",
         [](TransactionTable& t) { t.setCell(4, 3, QStringLiteral("5")); },
         {"cells 3-3 columns 4-4"}},
        {"grow",
         [](TransactionTable& t) { t.setRowCount(7); },
         {"before inserted 5-6", "inserted 5-6"}},
        {"shrink",
         [](TransactionTable& t) { t.setRowCount(3); },
         {"before removed 3-4", "removed 3-4"}},
        {"remove a row",
         [](TransactionTable& t) { t.removeRow(2); },
         {"before removed 2-2", "removed 2-2"}},
        {"move a row",
         [](TransactionTable& t) { t.moveRow(1, 3); },
         {"before row 1 to 3", "row 1 to 3"}},
        {"move a column",
         [](TransactionTable& t) { t.moveColumn(3, 5); },
         {"before column 3 to 5", "column 3 to 5"}},
        {"clear",
         [](TransactionTable& t) { t.clearData(); },
         {"before removed 2-4", "removed 2-4", "cells 1-1 columns 0-14"}},
        {"replacement",
         [](TransactionTable& t) {
             const TransactionTable::Replacement replacement(t);
             t.clearData();
             t.setRowCount(9);
             t.setCell(3, 8, QStringLiteral("x"));
         },
         {"before replaced", "replaced"}},
        {"assignment",
         [](TransactionTable& t) { t = TransactionTable(); },
         {"before replaced", "replaced"}},
        {"a copy changed",
         [](TransactionTable& t) {
             TransactionTable copy(t);
             copy.setCell(3, 1, QStringLiteral("y"));
         },
         {}},
    };
    for (const Case& c : cases) {
        TransactionTable table;
        table.setRowCount(5);
        table.renumber();
        ObserverLog log;
        table.setObserver(&log);
        c.change(table);
        EXPECT_EQ(log.lines, c.heard) << c.name;
    }
}

}  // namespace
