#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <QString>
#include <initializer_list>
#include <ostream>
#include <utility>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"
#include "core/TransactionTable.h"

// Lets GoogleTest print QStrings in its failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace coretest {

using Cells = std::initializer_list<std::pair<int, QString>>;

// A calculation with the worked example's inputs (annual rate 24, 360 days, BSMV 5) and a
// calculation date of 15.06.2019, answering questions from a recorder.
class CalculationTest : public ::testing::Test {
  protected:
    CalculationTest() { resetInputs(); }

    void resetInputs() {
        core::TableInputs& in = calc.inputs();
        in = core::TableInputs{};
        in.calculationDate = QDate(2019, 6, 15);
        in.annualRate = QStringLiteral("24");
        in.monthlyRate = QStringLiteral("2");
        in.daysInYear = QStringLiteral("360");
        in.bsmvRate = QStringLiteral("5");
    }

    core::TransactionTable& table() { return calc.table(); }
    const QString& cell(int column, int row) { return calc.table().cell(column, row); }

    // Data rows 1..n numbered, with the given cells; the first row is current.
    void setRows(std::initializer_list<Cells> rows) {
        table().clearData();
        table().setRowCount(static_cast<int>(rows.size()) + 1);
        int r = 1;
        for (const Cells& cells : rows) {
            table().setCell(core::col::Number, r, QString::number(r));
            for (const auto& [column, text] : cells) table().setCell(column, r, text);
            ++r;
        }
        table().setCurrentCellQuietly(core::col::TransactionDate, 1);
    }

    // The row recalculation of one row, as a click on it does.
    void recalculateRow(int row) {
        table().setCurrentCellQuietly(core::col::TransactionDate, row);
        calc.recalculateCurrentRow();
    }

    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};
};

}  // namespace coretest
