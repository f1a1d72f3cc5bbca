// The core's linear recalculate all and its table commands against the reference reading
// of the row recalculation and of the commands, on seeded random tables: every cell, input,
// total, message, failure text, stop and the current cell must come out the same.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "commands/CalculationFileCommands.h"
#include "core/Calculation.h"
#include "core/CommandEnding.h"
#include "core/DateText.h"
#include "core/Errors.h"
#include "core/FixedWidthText.h"
#include "core/HolidayCalendar.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"
#include "core/Rates.h"
#include "core/RecordingDialogs.h"
#include "core/ShippedHolidays.h"
#include "core/TableCommands.h"
#include "storage/CalculationFile.h"
#include "tests/core/RandomTables.h"
#include "tests/core/ReferenceRecalculation.h"

namespace {

std::string Quoted(const QString& text) { return '"' + text.toStdString() + '"'; }

// Runs one command as the window's handler does, catching the stop and failures.
template <typename Command>
reference::Outcome Guarded(Command command) {
    const core::CommandEnding ending = core::RunCommand(command);
    if (ending.stopped()) return reference::Outcome::stopped();
    if (ending.failed()) return reference::Outcome::failed(ending.error);
    return {};
}

// The grid's move: any change of the current cell recalculates the new current row. The
// computed columns, from 8 on, refuse to become current.
void ReferenceMove(reference::State& state, int column, int row) {
    if (column >= 8) return;
    if (column == state.currentColumn && row == state.currentRow) return;
    state.currentColumn = column;
    state.currentRow = row;
    reference::RecalculateRow(state);
}

void Rethrow(const reference::Outcome& outcome) {
    if (outcome.silentStop) throw core::SilentStop{};
    if (outcome.error) throw core::CommandFailure(*outcome.error);
}

// The table commands, done plainly, on the reference state.
void ReferenceChangeRates(reference::State& state) {
    for (int r = 1; r < state.rowCount(); ++r) state.rows[r][7] = state.inputs.annualRate;
    Rethrow(reference::RecalculateAll(state));
}

void Renumber(reference::State& state) {
    for (int r = 1; r < state.rowCount(); ++r) state.rows[r][0] = QString::number(r);
}

void ReferenceInsertRow(reference::State& state) {
    state.rows.insert(state.rows.begin() + state.currentRow, reference::Row{});
    state.currentRow += 1;
    Renumber(state);
    Rethrow(reference::RecalculateAll(state));
}

void ReferenceRemoveCurrentRow(reference::State& state) {
    const int r = state.currentRow;
    if (r < 1 || r >= state.rowCount()) return;
    if (state.rowCount() == 2) {
        state.rows[1] = reference::Row{};
        return;
    }
    state.rows.erase(state.rows.begin() + r);
    state.currentRow = std::min(r, state.rowCount() - 1);
}

// The delete command with every question answered Yes.
void ReferenceDeleteRow(reference::State& state, QStringList& questions) {
    if (!state.rows[state.currentRow][1].isEmpty()) {
        questions << QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?");
        ReferenceRemoveCurrentRow(state);
    }
    if (state.rows[state.currentRow][1].isEmpty()) ReferenceRemoveCurrentRow(state);
    Renumber(state);
    for (int c : {8, 9, 11, 12, 13}) state.rows[1][c].clear();
    Rethrow(reference::RecalculateAll(state));
}

// The grid's column drag: the column's cells, caption included, leave their place and enter
// at `to`, the columns between closing up; the current column goes where its cells went.
void ReferenceMoveColumn(reference::State& state, int from, int to) {
    const auto move = [&](auto& items) {
        auto moving = items[static_cast<std::size_t>(from)];
        items.erase(items.begin() + from);
        items.insert(items.begin() + to, moving);
    };
    for (reference::Row& row : state.rows) {
        std::vector<QString> cells(row.begin(), row.end());
        move(cells);
        std::copy(cells.begin(), cells.end(), row.begin());
    }
    std::vector<int> columns(reference::Row().size());
    std::iota(columns.begin(), columns.end(), 0);
    move(columns);
    state.currentColumn = static_cast<int>(
        std::find(columns.begin(), columns.end(), state.currentColumn) - columns.begin());
}

// The sort key of a value date: year, month and day, short parts completed as typed dates
// are, nines for a date without digits.
QString ReferenceSortKey(const QString& valueDate) {
    const auto digits = [](const QString& text) { return core::ParseDigits(text); };
    const auto plain = [&](const QString& text) { return core::GeneralText(digits(text)); };
    if (digits(valueDate) <= 0) return QStringLiteral("99999999");
    QString day = core::Substring(valueDate, 1, 2);
    QString month = core::Substring(valueDate, 4, 2);
    QString year = core::Substring(valueDate, 7, 4);
    if (digits(day) < 10) day = QLatin1Char('0') + plain(day);
    if (plain(month).size() < 2) month = QLatin1Char('0') + plain(month);
    if (plain(year).size() == 1 && digits(year) > 0) year = QStringLiteral("200") + plain(year);
    if (plain(year).size() == 2) year = QStringLiteral("20") + plain(year);
    if (plain(year).size() == 3) year = QLatin1Char('1') + plain(year);
    return year + month + day;
}

// Sorting by value date: every row gets its key in column 14, then an exchange sort swaps
// whole rows whose keys stand in the wrong order (compared as text, case aside); row 1 loses
// its period cells, the rows are renumbered and recalculated.
void ReferenceSort(reference::State& state) {
    const int last = state.rowCount() - 1;
    for (int r = 1; r <= last; ++r) state.rows[r][14] = ReferenceSortKey(state.rows[r][2]);
    for (int i = 1; i < last; ++i) {
        for (int j = i + 1; j <= last; ++j) {
            if (state.rows[i][14].compare(state.rows[j][14], Qt::CaseInsensitive) > 0) {
                std::swap(state.rows[i], state.rows[j]);
            }
        }
    }
    for (int c : {8, 9, 11, 12, 13}) state.rows[1][c].clear();
    Renumber(state);
    Rethrow(reference::RecalculateAll(state));
}

// Opening the calculation just saved: every cell and field comes back as it was, both rate
// fields as stored whichever field had the focus (as in a freshly started window, so no rate
// drives the other until the user enters one). Then the hidden drawing options are cleared,
// the totals emptied and all rows recalculated.
void ReferenceOpenSaved(reference::State& state) {
    core::TableInputs& in = state.inputs;
    state.currentRow = 1;
    state.totals = core::TableTotals{};
    state.direction = core::RateDirection::None;
    in.drawingExtraDays.clear();
    in.moveDrawingsPastHolidays = false;
    Rethrow(reference::RecalculateAll(state));
}

std::string Describe(const reference::Outcome& outcome) {
    if (outcome.silentStop) return "silent stop";
    if (outcome.error) return "error " + Quoted(*outcome.error);
    return "normal end";
}

void CompareInputs(const core::TableInputs& got, const core::TableInputs& want,
                   std::ostringstream& out) {
    if (got == want) return;
    out << "inputs differ: annual " << Quoted(got.annualRate) << " vs " << Quoted(want.annualRate)
        << ", monthly " << Quoted(got.monthlyRate) << " vs " << Quoted(want.monthlyRate) << "\n";
}

void CompareTotals(const core::TableTotals& got, const core::TableTotals& want,
                   std::ostringstream& out) {
    const auto one = [&](const char* name, const QString& g, const QString& w) {
        if (g != w) out << "total " << name << ": " << Quoted(g) << " vs " << Quoted(w) << "\n";
    };
    one("sum 4", got.totalDrawn, want.totalDrawn);
    one("sum 5", got.totalRepaid, want.totalRepaid);
    one("balance", got.creditBalance, want.creditBalance);
    one("sum 9", got.totalInterest, want.totalInterest);
    one("sum 6", got.interestPaid, want.interestPaid);
    one("unpaid", got.interestUnpaid, want.interestUnpaid);
    one("sum 12", got.totalBsmv, want.totalBsmv);
    one("sum 13", got.totalInterestNumber, want.totalInterestNumber);
}

void CompareCells(const core::TransactionTable& got, const reference::State& want,
                  std::ostringstream& out) {
    if (got.rowCount() != want.rowCount()) {
        out << "row count " << got.rowCount() << " vs " << want.rowCount() << "\n";
        return;
    }
    int shown = 0;
    for (int r = 0; r < got.rowCount(); ++r) {
        for (int c = 0; c < got.columnCount(); ++c) {
            if (got.cell(c, r) == want.rows[r][c] || ++shown > 8) continue;
            out << "cell (" << c << ", " << r << "): " << Quoted(got.cell(c, r)) << " vs "
                << Quoted(want.rows[r][c]) << "\n";
        }
    }
}

// Every difference between the core's calculation and the reference state, one per line
// (core's value first); empty when they agree.
std::string Differences(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                        const reference::Outcome& got, const reference::State& want,
                        const reference::Outcome& wanted, const QStringList& questions = {},
                        const QStringList& fileErrors = {}) {
    std::ostringstream out;
    if (!(got == wanted)) out << "outcome: " << Describe(got) << " vs " << Describe(wanted) << "\n";
    CompareCells(calc.table(), want, out);
    CompareInputs(calc.inputs(), want.inputs, out);
    CompareTotals(calc.totals(), want.totals, out);
    if (calc.rateDirection() != want.direction) out << "rate direction differs\n";
    const int row = calc.table().currentRow();
    const int column = calc.table().currentColumn();
    if (row != want.currentRow || column != want.currentColumn) {
        out << "current cell (" << column << ", " << row << ") vs (" << want.currentColumn << ", "
            << want.currentRow << ")\n";
    }
    QStringList messages;
    QStringList errors;
    for (const core::Notice& notice : dialogs.notices()) {
        if (notice.caption == commands::kErrorCaption && notice.icon == core::DialogIcon::Error) {
            errors << notice.text;
            continue;
        }
        messages << notice.text;
        if (notice.caption != core::kApplicationTitle || notice.icon != core::DialogIcon::None) {
            out << "message " << Quoted(notice.text) << " not a plain message\n";
        }
    }
    if (messages != want.messages) {
        out << "messages: " << Quoted(messages.join(" | ")) << " vs "
            << Quoted(want.messages.join(" | ")) << "\n";
    }
    if (errors != fileErrors) {
        out << "file errors: " << Quoted(errors.join(" | ")) << " vs "
            << Quoted(fileErrors.join(" | ")) << "\n";
    }
    QStringList asked;
    for (const core::Question& question : dialogs.questions()) asked << question.text;
    if (asked != questions) out << "questions: " << Quoted(asked.join(" | ")) << "\n";
    return out.str();
}

// Which calendar repayments move past on both sides: the program's own table, or the
// official list, which the reference reads and moves past in its own plain way.
enum class Calendar { ProgramTable, Official };

void UseCalendar(Calendar calendar, core::Calculation& calc, reference::State& want) {
    if (calendar == Calendar::ProgramTable) return;
    static const auto official = std::make_shared<const reference::OfficialDays>(
        reference::OfficialDays::read(QString::fromUtf8(core::ShippedHolidayListText())));
    calc.setHolidays(core::HolidayCalendar::ShippedOfficial());
    want.official = official;
}

// Repayment rows whose value date lies after their transaction date although no extra days
// are set: the holiday move did something.
int MovedRepayments(const core::Calculation& calc) {
    if (!calc.inputs().moveRepaymentsPastHolidays) return 0;
    if (!calc.inputs().repaymentExtraDays.isEmpty()) return 0;
    const core::TransactionTable& table = calc.table();
    int moved = 0;
    for (int r = 1; r < table.rowCount(); ++r) {
        const QString& value = table.cell(core::col::ValueDate, r);
        try {
            if (core::ParseDigits(table.cell(core::col::Repaid, r)) > 0 &&
                core::IsValidDateText(value) &&
                value != table.cell(core::col::TransactionDate, r)) {
                ++moved;
            }
        } catch (const core::CommandFailure&) {
        }
    }
    return moved;
}

// One random table, recalculated all by both.
void RecalculateAllMatchesTheReference(Calendar calendar) {
    int stops = 0, errors = 0, normal = 0, moved = 0;
    for (std::uint32_t seed = 1; seed <= 1500; ++seed) {
        core::RecordingDialogs dialogs;
        core::Calculation calc(dialogs);
        randomtables::Generator(seed).fill(calc);
        reference::State want = reference::State::of(calc);
        UseCalendar(calendar, calc, want);

        const reference::Outcome got = Guarded([&] { core::RecalculateAll(calc); });
        const reference::Outcome wanted = reference::RecalculateAll(want);
        const std::string differences = Differences(calc, dialogs, got, want, wanted);
        ASSERT_EQ(differences, "") << "seed " << seed;
        (wanted.silentStop ? stops : wanted.error ? errors : normal) += 1;
        moved += MovedRepayments(calc);
    }
    // The tables must reach every ending, and move repayments, or the comparison proves little.
    EXPECT_GT(stops, 50);
    EXPECT_GT(errors, 50);
    EXPECT_GT(normal, 700);
    EXPECT_GT(moved, 100);
}

TEST(DifferentialTest, RecalculateAllMatchesTheReferenceOnRandomTables) {
    RecalculateAllMatchesTheReference(Calendar::ProgramTable);
}

TEST(DifferentialTest, RecalculateAllMatchesTheReferenceWithTheOfficialCalendar) {
    RecalculateAllMatchesTheReference(Calendar::Official);
}

// Commands one after another on the same calculation, with edits between them, so that
// whatever the core keeps from one command to the next is put to the test too. Column drags
// among them leave the current cell anywhere, a computed column included.
void CommandSequencesMatchTheReference(Calendar calendar) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("hesap.fdr"));
    int columnMoves = 0, sorts = 0, opens = 0, offInputColumns = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        core::RecordingDialogs dialogs(core::DialogButton::Yes);
        core::Calculation calc(dialogs);
        randomtables::Generator generator(seed);
        generator.fill(calc);
        reference::State want = reference::State::of(calc);
        UseCalendar(calendar, calc, want);
        QStringList questions;
        QStringList fileErrors;
        std::mt19937 rng(seed);

        for (int step = 0; step < 10; ++step) {
            reference::Outcome got, wanted;
            const int column = 1 + static_cast<int>(rng() % 8);
            const int row = 1 + static_cast<int>(rng() % (want.rowCount() - 1));
            if (want.currentColumn >= 8) ++offInputColumns;
            switch (rng() % 9) {
                case 0:
                case 1:
                    got = Guarded([&] { calc.moveCurrentCell(column, row); });
                    wanted = Guarded([&] { ReferenceMove(want, column, row); });
                    break;
                case 2:
                    got = Guarded([&] { core::ChangeRates(calc); });
                    wanted = Guarded([&] { ReferenceChangeRates(want); });
                    break;
                case 3:
                    got = Guarded([&] { core::InsertRow(calc); });
                    wanted = Guarded([&] { ReferenceInsertRow(want); });
                    break;
                case 4:
                    got = Guarded([&] { core::DeleteCurrentRow(calc); });
                    wanted = Guarded([&] { ReferenceDeleteRow(want, questions); });
                    break;
                case 5: {
                    // Half the time the column of the current cell is dragged.
                    const int from =
                        rng() % 2 ? want.currentColumn : 1 + static_cast<int>(rng() % 14);
                    const int to = 1 + static_cast<int>(rng() % 14);
                    calc.table().moveColumn(from, to);
                    ReferenceMoveColumn(want, from, to);
                    ++columnMoves;
                    break;
                }
                case 6:
                    got = Guarded([&] { core::SortByValueDate(calc); });
                    wanted = Guarded([&] { ReferenceSort(want); });
                    ++sorts;
                    break;
                case 7:
                    ASSERT_TRUE(storage::WriteCalculationFile(calc, path).ok);
                    got = Guarded([&] { commands::OpenCommand(calc, path); });
                    wanted = Guarded([&] { ReferenceOpenSaved(want); });
                    ++opens;
                    break;
                default:
                    got = Guarded([&] { core::RecalculateAll(calc); });
                    wanted = reference::RecalculateAll(want);
                    break;
            }
            const std::string differences =
                Differences(calc, dialogs, got, want, wanted, questions, fileErrors);
            ASSERT_EQ(differences, "") << "seed " << seed << ", step " << step;

            generator.edit(calc);
            reference::State edited = reference::State::of(calc);
            edited.messages = want.messages;
            edited.official = want.official;
            edited.toldYears = want.toldYears;
            want = edited;
        }
    }
    // The drags must leave the current cell on a computed column now and then.
    EXPECT_GT(columnMoves, 200);
    EXPECT_GT(sorts, 200);
    EXPECT_GT(opens, 200);
    EXPECT_GT(offInputColumns, 50);
}

TEST(DifferentialTest, CommandSequencesMatchTheReference) {
    CommandSequencesMatchTheReference(Calendar::ProgramTable);
}

TEST(DifferentialTest, CommandSequencesMatchTheReferenceWithTheOfficialCalendar) {
    CommandSequencesMatchTheReference(Calendar::Official);
}

}  // namespace
