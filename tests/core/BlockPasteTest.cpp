// Blocks of cells from spreadsheets into the grid and out again.

#include <gtest/gtest.h>

#include "core/BlockPaste.h"
#include "core/CellEntry.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"

namespace {

using core::col::Description;
using core::col::Drawn;
using core::col::Rate;
using core::col::TransactionDate;

TEST(BlockPasteTest, CellsAreReadAsTypingWouldLeaveThem) {
    struct Case {
        int column;
        const char* pasted;
        const char* cell;  // nullptr: refused
    };
    const Case cases[] = {
        {TransactionDate, "05.03.2024", "05.03.2024"},
        {TransactionDate, "5.3.24", "05.03.2024"},
        {TransactionDate, "31/12/2024", "31.12.2024"},
        {TransactionDate, "2024-12-31", "31.12.2024"},
        {TransactionDate, "29.02.2023", nullptr},
        {TransactionDate, "12/31/2024", nullptr},  // month first: no 31st month
        {TransactionDate, "Mart", nullptr},
        {TransactionDate, "  ", ""},
        {Drawn, "1.234,56", "1234,56"},
        {Drawn, "1234,56", "1234,56"},
        {Drawn, "1234.56", "1234,56"},  // an English sheet's decimal point
        {Drawn, "12.5", "12,5"},
        {Drawn, "1,234.56", "1234,56"},
        {Drawn, "1.234", "1234"},  // grouped thousands, as here
        {Drawn, "1.234.567", "1234567"},
        {Drawn, "1 234,56", "1234,56"},
        {Drawn, "1\u00a0234,56", "1234,56"},
        {Drawn, "1234.567", "1234,567"},
        {Drawn, "12.34.5", nullptr},
        {Drawn, "-5,00", nullptr},  // a minus cannot be typed either
        {Drawn, "5 TL", nullptr},
        {Drawn, "1,2,3", nullptr},
        {Drawn, "1234567890123456", nullptr},
        {Rate, "24.5", "24,5"},
        {Description, "  Kira\tÖdemesi ", "  Kira\tÖdemesi "},
        {core::col::CreditBalance, "5", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QString> cell =
            core::PastedCellText(c.column, QString::fromUtf8(c.pasted));
        if (c.cell == nullptr) {
            EXPECT_FALSE(cell) << c.pasted << " gave " << cell->toStdString();
        } else {
            ASSERT_TRUE(cell) << c.pasted;
            EXPECT_EQ(*cell, QString::fromUtf8(c.cell)) << c.pasted;
        }
    }
}

TEST(BlockPasteTest, TabSeparatedTextRoundTripsQuotedCells) {
    const core::CellBlock block{{QStringLiteral("a\tb"), QStringLiteral("say \"x\"")},
                                {QStringLiteral("line\nbreak"), QString()}};
    const QString text = core::WriteTabSeparated(block);
    EXPECT_EQ(core::ReadTabSeparated(text, 10, 10), block);
    // CR LF line ends and a last line without its break.
    EXPECT_EQ(core::ReadTabSeparated(QStringLiteral("1\t2\r\n3\t4"), 10, 10),
              (core::CellBlock{{QStringLiteral("1"), QStringLiteral("2")},
                               {QStringLiteral("3"), QStringLiteral("4")}}));
    EXPECT_THROW(core::ReadTabSeparated(QStringLiteral("1\n2\n3\n"), 2, 10), core::CommandFailure);
    EXPECT_THROW(core::ReadTabSeparated(QStringLiteral("1\t2\t3\n"), 10, 2), core::CommandFailure);
}

// What LibreOffice Calc puts on the clipboard for a Turkish sheet of 20 movements: transaction
// date, value date, description, drawn, repaid, interest paid: the displayed texts, tab-separated,
// every line ended by LF.
QString CalcClipboard() {
    QString text;
    for (int i = 1; i <= 20; ++i) {
        const QString date = QStringLiteral("%1.%2.2024")
                                 .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                                 .arg((i - 1) / 2 % 12 + 1, 2, 10, QLatin1Char('0'));
        const bool repayment = i % 4 == 0;
        text +=
            date + QLatin1Char('\t') + QLatin1Char('\t') +
            (repayment ? QStringLiteral("Ödeme %1").arg(i) : QStringLiteral("Kullanım %1").arg(i)) +
            QLatin1Char('\t') + (repayment ? QString() : QStringLiteral("%1.250,75").arg(i)) +
            QLatin1Char('\t') + (repayment ? QStringLiteral("2.000") : QString()) +
            QLatin1Char('\t') + (i % 5 == 0 ? QStringLiteral("12,5") : QString()) +
            QLatin1Char('\n');
    }
    return text;
}

TEST(BlockPasteTest, APastedSheetGivesTheFiguresOfTypingIt) {
    core::RecordingDialogs dialogs;
    core::Calculation pasted(dialogs);
    core::Calculation typed(dialogs);
    for (core::Calculation* calc : {&pasted, &typed}) {
        calc->inputs().annualRate = QStringLiteral("36");
        calc->inputs().daysInYear = QStringLiteral("365");
        calc->inputs().bsmvRate = QStringLiteral("5");
        calc->inputs().repaymentExtraDays = QStringLiteral("1");
    }
    const core::CellBlock block = core::ReadTabSeparated(CalcClipboard(), 100, 100);
    core::PasteBlock(pasted, block, TransactionDate, 1);

    // Typing: the same texts into the same cells, then recalculate all.
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int row = 1 + static_cast<int>(i);
        if (row >= typed.table().rowCount()) core::AppendEntryRow(typed.table());
        for (int c = 0; c < 6; ++c) typed.table().setCell(1 + c, row, block[i][c]);
    }
    core::AppendEntryRow(typed.table());
    core::RecalculateAll(typed);

    ASSERT_EQ(pasted.table().rowCount(), 22);
    for (int r = 0; r < typed.table().rowCount(); ++r) {
        for (int c = 0; c < core::TransactionTable::ColumnCount; ++c) {
            // Pasted amounts lose their grouping on the way in; the recalculation writes
            // both back alike.
            if (c >= 4 && c <= 6) continue;
            EXPECT_EQ(pasted.table().cell(c, r), typed.table().cell(c, r)) << c << "," << r;
        }
    }
    EXPECT_EQ(pasted.totals(), typed.totals());
    EXPECT_NE(pasted.totals().totalInterest, QStringLiteral("0,00"));
}

TEST(BlockPasteTest, ABadCellPastesNothingAndIsNamed) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.table().setCell(Description, 1, QStringLiteral("önceki"));
    const core::CellBlock block = core::ReadTabSeparated(
        QStringLiteral("01.02.2024\t\tKira\t100\n02.02.2024\t\tAidat\t10a0\n"), 10, 10);
    try {
        core::PasteBlock(calc, block, TransactionDate, 1);
        FAIL() << "pasted";
    } catch (const core::CommandFailure& error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Yapıştırılamadı: 2. satırın \"Dorud Tutarı\" hücresine \"10a0\" "
                                 "girilemez."));
    }
    EXPECT_EQ(calc.table().rowCount(), 2);
    EXPECT_EQ(calc.table().cell(Description, 1), QStringLiteral("önceki"));
}

TEST(BlockPasteTest, ComputedColumnsAreSkippedAndACopyPastesBackAsItWas) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().daysInYear = QStringLiteral("360");
    core::PasteBlock(calc,
                     core::ReadTabSeparated(QStringLiteral("01.01.2024\t\tA\t1.000\n"
                                                           "01.02.2024\t\tB\t500,5\n"),
                                            10, 10),
                     TransactionDate, 1);
    const std::vector<int> columns(core::ShownColumns().begin() + 1, core::ShownColumns().end());
    const QString copied = core::WriteTabSeparated(core::CopyBlock(calc.table(), 1, 2, columns));
    EXPECT_TRUE(copied.startsWith(QStringLiteral("01.01.2024\t01.01.2024\tA\t1.000,00\t")));

    // Pasted back a row lower: the balances in the block do not overwrite the computed ones.
    core::Calculation other(dialogs);
    other.inputs() = calc.inputs();
    core::PasteBlock(other, core::ReadTabSeparated(copied, 10, 20), TransactionDate, 1);
    for (int c = 0; c < core::TransactionTable::ColumnCount; ++c) {
        EXPECT_EQ(other.table().cell(c, 2), calc.table().cell(c, 2)) << c;
    }
    EXPECT_EQ(other.totals(), calc.totals());
}

}  // namespace
