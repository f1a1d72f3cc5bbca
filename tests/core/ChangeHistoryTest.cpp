// Undo and redo must bring back exactly what a save wrote before and after each step, after
// any mix of commands (those of the differential test's sequences, the rate finder and block
// paste besides), typed edits and failures, and stay within its memory bound.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "commands/CalculationFileCommands.h"
#include "commands/SavedContent.h"
#include "core/BlockPaste.h"
#include "core/ChangeHistory.h"
#include "core/CommandEnding.h"
#include "core/Rates.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "storage/CalculationFile.h"
#include "tests/core/RandomTables.h"

namespace {

// Everything a save writes, plus what the window shows beside it: the totals and the
// current cell.
std::string SavedState(const core::Calculation& calc) {
    QString state = storage::CalculationFileLines(calc).join(QStringLiteral("\r\n"));
    const core::TableTotals& t = calc.totals();
    state += QStringList{t.totalDrawn,   t.totalRepaid,    t.creditBalance, t.totalInterest,
                         t.interestPaid, t.interestUnpaid, t.totalBsmv,     t.totalInterestNumber}
                 .join(QLatin1Char('|'));
    state +=
        QStringLiteral("@%1,%2").arg(calc.table().currentColumn()).arg(calc.table().currentRow());
    return state.toStdString();
}

template <typename Command>
void Guarded(Command command) {
    core::RunCommand(command);
}

TEST(ChangeHistoryTest, UndoAndRedoOfRandomCommandSequencesGiveBackTheSavedBytes) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("hesap.fdr"));
    int undone = 0;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        QFile::remove(path);
        core::RecordingDialogs dialogs(core::DialogButton::Yes);
        core::Calculation calc(dialogs);
        randomtables::Generator generator(seed);
        generator.fill(calc);
        std::mt19937 rng(seed);
        core::ChangeHistory history;
        std::vector<std::string> states{SavedState(calc)};

        for (int step = 0; step < 12; ++step) {
            const auto whole = [&](const char* label, auto command) {
                core::RecordedChange(history, calc, QString::fromLatin1(label),
                                     core::CalculationSnapshot::wholeTable(calc),
                                     [&] { Guarded(command); });
            };
            const int column = 1 + static_cast<int>(rng() % 7);
            const int row = 1 + static_cast<int>(rng() % (calc.table().rowCount() - 1));
            switch (rng() % 12) {
                case 0: {  // a typed cell, committed by moving to another cell
                    const int from = calc.table().currentRow();
                    core::RecordedChange(
                        history, calc, QStringLiteral("Hücre"),
                        core::CalculationSnapshot::someRows(calc, {from, row}), [&] {
                            calc.table().setCell(
                                calc.table().currentColumn() < 8 ? calc.table().currentColumn() : 3,
                                from, QStringLiteral("1.250,5"));
                            Guarded([&] { calc.moveCurrentCell(column, row); });
                        });
                    break;
                }
                case 1:
                    whole("Faiz", [&] { core::ChangeRates(calc); });
                    break;
                case 2:
                    whole("Ekle", [&] { core::InsertRow(calc); });
                    break;
                case 3:
                    whole("Sil", [&] { core::DeleteCurrentRow(calc); });
                    break;
                case 4:
                    whole("Sırala", [&] { core::SortByValueDate(calc); });
                    break;
                case 5:
                    whole("Sıfırla", [&] { core::ResetTable(calc); });
                    break;
                case 6:  // opens the table saved at an earlier step, then saves this one
                    if (QFile::exists(path))
                        whole("Aç", [&] { commands::OpenCommand(calc, path); });
                    ASSERT_TRUE(storage::WriteCalculationFile(calc, path).ok);
                    break;
                case 7:
                    whole("Düzenle", [&] { generator.edit(calc); });
                    break;
                case 8:  // a column dragged in the grid, as the differential test does
                    whole("Sütun", [&] {
                        calc.table().moveColumn(1 + static_cast<int>(rng() % 14),
                                                1 + static_cast<int>(rng() % 14));
                    });
                    break;
                case 9:
                    whole("Faiz Bul", [&] {
                        calc.inputs().targetTotalInterest = QStringLiteral("1.000");
                        core::FindRate(calc);
                    });
                    break;
                case 10: {  // rows of the table pasted back at another place
                    const int bottom = std::min(row + 3, calc.table().rowCount() - 1);
                    const core::CellBlock block =
                        core::CopyBlock(calc.table(), row, bottom,
                                        {core::col::TransactionDate, core::col::ValueDate,
                                         core::col::Description, core::col::Drawn});
                    whole("Yapıştır", [&] { core::PasteBlock(calc, block, 1, column); });
                    break;
                }
                default:
                    whole("Hesapla", [&] { core::RecalculateAll(calc); });
                    break;
            }
            // A step that changed nothing is not kept; the list follows the kept steps.
            if (static_cast<std::size_t>(history.undoCount()) + 1 > states.size()) {
                states.push_back(SavedState(calc));
            } else {
                states.back() = SavedState(calc);
            }
            ASSERT_EQ(static_cast<std::size_t>(history.undoCount()) + 1, states.size());
        }
        const int steps = history.undoCount();
        for (int k = steps - 1; k >= 0; --k) {
            const QString label = history.undoLabel();
            ASSERT_TRUE(history.undo(calc));
            ASSERT_EQ(SavedState(calc), states[k])
                << "seed " << seed << ", undo to " << k << " of " << label.toStdString();
            ++undone;
        }
        EXPECT_FALSE(history.canUndo());
        for (int k = 1; k <= steps; ++k) {
            ASSERT_TRUE(history.redo(calc));
            ASSERT_EQ(SavedState(calc), states[k]) << "seed " << seed << ", redo to " << k;
        }
        EXPECT_FALSE(history.canRedo());
    }
    EXPECT_GT(undone, 1000);
}

// A table of `rows` dated drawings, recalculated.
void FillDrawings(core::Calculation& calc, int rows) {
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().daysInYear = QStringLiteral("365");
    calc.table().setRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        calc.table().setCell(0, r, QString::number(r));
        calc.table().setCell(1, r,
                             QStringLiteral("%1.01.2024").arg(1 + r % 28, 2, 10, QLatin1Char('0')));
        calc.table().setCell(4, r, QStringLiteral("1.000,00"));
    }
    core::RecalculateAll(calc);
}

TEST(ChangeHistoryTest, KeepsAHundredCellEditsAndDropsTheOldestWholeTablesBeyondItsBound) {
    core::RecordingDialogs dialogs(core::DialogButton::Yes);
    core::Calculation calc(dialogs);
    FillDrawings(calc, 6500);

    core::ChangeHistory history;
    for (int i = 0; i < 150; ++i) {
        core::RecordedChange(history, calc, QStringLiteral("Hücre"),
                             core::CalculationSnapshot::someRows(calc, {1 + i}),
                             [&] { calc.table().setCell(3, 1 + i, QStringLiteral("x")); });
    }
    EXPECT_EQ(history.undoCount(), 150);
    EXPECT_LT(history.bytes(), std::size_t(1) << 20);

    // Steps that rewrite every row keep the whole table: a hundred of them stay within the
    // default bound; with room for about two, the third pushes out the oldest.
    const auto rewriteAll = [&](core::ChangeHistory& into, int i) {
        core::RecordedChange(into, calc, QStringLiteral("Sıfırla %1").arg(i),
                             core::CalculationSnapshot::wholeTable(calc), [&] {
                                 for (int r = 1; r < calc.table().rowCount(); ++r) {
                                     calc.table().setCell(3, r, QString::number(i));
                                 }
                             });
    };
    core::ChangeHistory full;
    for (int i = 0; i < 100; ++i) rewriteAll(full, i);
    EXPECT_EQ(full.undoCount(), 100);
    const std::size_t table = full.bytes() / 100;
    EXPECT_GT(table, std::size_t(6500 * 20));  // the rows are really there

    core::ChangeHistory small(table * 5 / 2);
    for (int i = 0; i < 4; ++i) rewriteAll(small, 100 + i);
    EXPECT_EQ(small.undoCount(), 2);
    EXPECT_EQ(small.undoLabel(), QStringLiteral("Sıfırla 103"));
    EXPECT_LE(small.bytes(), table * 5 / 2);
    ASSERT_TRUE(small.undo(calc));
    EXPECT_EQ(small.redoLabel(), QStringLiteral("Sıfırla 103"));
    EXPECT_EQ(calc.table().cell(3, 1), QStringLiteral("102"));
    EXPECT_EQ(calc.table().cell(3, 6500), QStringLiteral("102"));
}

TEST(ChangeHistoryTest, ANewStepAfterAnUndoClearsTheRedoSteps) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    core::ChangeHistory history;
    const auto edit = [&](const QString& text) {
        core::RecordedChange(history, calc, text, core::CalculationSnapshot::someRows(calc, {1}),
                             [&] { calc.table().setCell(3, 1, text); });
    };
    edit(QStringLiteral("a"));
    edit(QStringLiteral("a"));  // no change, no step
    edit(QStringLiteral("b"));
    EXPECT_EQ(history.undoCount(), 2);
    history.undo(calc);
    edit(QStringLiteral("c"));
    EXPECT_FALSE(history.canRedo());
    history.undo(calc);
    EXPECT_EQ(calc.table().cell(3, 1), QStringLiteral("a"));
}

TEST(SavedContentTest, ChangedExactlyWhenASaveWouldWriteOtherBytes) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    commands::SavedContent saved;
    saved.remember(calc);
    EXPECT_FALSE(saved.differs(calc));

    core::ChangeHistory history;
    core::RecordedChange(history, calc, QStringLiteral("Hücre"),
                         core::CalculationSnapshot::someRows(calc, {1}),
                         [&] { calc.table().setCell(3, 1, QStringLiteral("Kira")); });
    EXPECT_TRUE(saved.differs(calc));
    history.undo(calc);
    EXPECT_FALSE(saved.differs(calc));

    calc.table().setCell(3, 1, QStringLiteral("日本"));  // cannot be written: counts as changed
    EXPECT_TRUE(saved.differs(calc));
}

// Whatever a save would write differently counts, wherever it is; what a save writes the
// same does not, also for totals the file does not hold.
TEST(SavedContentTest, EveryPartOfTheFileCountsAndNothingElse) {
    struct Case {
        const char* name;
        std::function<void(core::Calculation&)> change;
        bool differs;
    };
    const std::vector<Case> cases = {
        {"header text", [](auto& c) { c.inputs().creditLineName = QStringLiteral("Kredi, 2"); },
         true},
        {"header tick", [](auto& c) { c.inputs().moveRepaymentsPastHolidays ^= true; }, true},
        {"header date", [](auto& c) { c.inputs().calculationDate = QDate(2024, 2, 29); }, true},
        {"field the file does not hold",
         [](auto& c) { c.inputs().companyName = QStringLiteral("日本"); }, false},
        {"row appended", [](auto& c) { c.table().setRowCount(c.table().rowCount() + 1); }, true},
        {"quoted cell", [](auto& c) { c.table().setCell(3, 1, QStringLiteral("\"a\", b")); }, true},
        {"line break", [](auto& c) { c.inputs().creditLineName = QStringLiteral("a\nb"); }, true},
        {"total only", [](auto& c) { c.totals().totalDrawn = QStringLiteral("12,00"); }, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        core::RecordingDialogs dialogs;
        core::Calculation calc(dialogs);
        calc.inputs().calculationDate = QDate(2024, 1, 31);
        calc.table().setCell(3, 1, QStringLiteral("Kira"));
        commands::SavedContent saved;
        saved.remember(calc);
        commands::SavedContent savedBytes;  // as a recovered copy is compared, by its bytes
        QString problem;
        savedBytes.rememberBytes(storage::EncodeCalculationFile(calc, &problem));
        test.change(calc);
        EXPECT_EQ(saved.differs(calc), test.differs);
        EXPECT_EQ(savedBytes.differs(calc), test.differs);
    }
}

}  // namespace
