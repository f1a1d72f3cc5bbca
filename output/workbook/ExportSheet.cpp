#include "output/workbook/ExportSheet.h"

#include <array>
#include <span>

#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/NumberReading.h"

namespace output {
namespace {

using namespace core::col;

// The table columns each layout exports, in sheet column order from A.
constexpr std::array kExportColumns{TransactionDate, ValueDate,    Description, Drawn,
                                    Repaid,          InterestPaid, Rate,        CreditBalance,
                                    InterestBalance};
constexpr std::array kMailColumns{TransactionDate, ValueDate,    Description, Drawn,
                                  Repaid,          InterestPaid, Rate};

// Sheet column numbers.
constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9, J = 10, R = 18;
// Columns up to IV: the width of a worksheet in the older spreadsheet format, which the
// header rows' fonts cover.
constexpr int IV = 256;

constexpr int kCaptionRow = 3;
constexpr int kFirstDataRow = 4;

std::span<const int> ExportedColumns(WorkbookLayout layout) {
    if (layout == WorkbookLayout::Mail) return kMailColumns;
    return kExportColumns;
}

bool IsTextColumn(int tableColumn) {
    return tableColumn == TransactionDate || tableColumn == ValueDate || tableColumn == Description;
}

// Sheet rows, from the table's row count (caption row included).
int TotalRow(const core::TransactionTable& table) { return table.rowCount() + 5; }
int LastSummedRow(const core::TransactionTable& table) { return table.rowCount() + 3; }

QString SumFormula(int column, int lastRow) {
    const QString letter = ColumnLetters(column);
    return QStringLiteral("SUM(%1%2:%1%3)").arg(letter).arg(kFirstDataRow).arg(lastRow);
}

double ColumnSum(const Worksheet& sheet, int column, int lastRow) {
    double sum = 0;
    for (int row = kFirstDataRow; row <= lastRow; ++row) {
        const SheetCell& cell = sheet.cell(row, column);
        if (cell.kind == SheetCell::Kind::Number) sum += cell.number;
    }
    return sum;
}

void WriteHeader(Worksheet& sheet, const core::Calculation& calc) {
    const core::TableInputs& in = calc.inputs();
    const core::Separators& seps = calc.separators();
    sheet.setText(1, A,
                  core::Label(&core::TableInputs::creditLineName) + QStringLiteral(" : ") +
                      in.creditLineName);
    sheet.setText(2, A, QStringLiteral("Hesap Tarihi :"));
    sheet.setText(2, B, core::DateText(in.calculationDate, seps.date));
    sheet.setText(2, C, core::Label(&core::TableInputs::daysInYear) + QStringLiteral(" :"));
    sheet.setText(2, D, in.daysInYear);
    sheet.setText(2, E, core::Label(&core::TableInputs::annualRate) + QStringLiteral(" :"));
    sheet.setNumber(2, F, core::ParseAmount(in.annualRate, seps));
    sheet.setText(2, G, core::Label(&core::TableInputs::monthlyRate) + QStringLiteral(" :"));
    sheet.setNumber(2, H, core::ParseAmount(in.monthlyRate, seps));

    sheet.setBold(CellRange::single(1, A));
    sheet.setLarge(CellRange::single(1, A));
    sheet.setBold(CellRange::single(2, A));
    sheet.setLarge({2, A, 3, IV});
    sheet.setBold({1, A, 3, IV});
}

// The summary words the totals its own way (shorter, in its own order), so it does not take
// the window's labels.
void WriteSummary(Worksheet& sheet, const core::Calculation& calc, int totalRow) {
    const core::TableTotals& t = calc.totals();
    struct Line {
        int offset;
        const char* label;
        const QString& value;
    };
    const Line lines[] = {
        {3, "Dorud Toplam Tutarı:", t.totalDrawn},
        {4, "Ödeme Toplam Tutarı:", t.totalRepaid},
        {5, "Bakiye Tutarı:", t.creditBalance},
        {7, "Toplam Faiz:", t.totalInterest},
        {8, "Toplam BSMV:", t.totalBsmv},
        {9, "Ödenen Faiz+BSMV:", t.interestPaid},
        {10, "Ödenmemiş Faiz+BSMV:", t.interestUnpaid},
    };
    for (const Line& line : lines) {
        const int row = totalRow + line.offset;
        sheet.setText(row, C, QString::fromUtf8(line.label));
        sheet.setNumber(row, D, core::ParseAmount(line.value, calc.separators()));
        sheet.setAmountFormat(CellRange::single(row, D));
    }
}

}  // namespace

QString AmountFormatCode(const core::Separators& seps) {
    if (seps.decimal == QLatin1Char(',') || seps.decimal == QLatin1Char('.')) {
        return QStringLiteral("#,##0.00");
    }
    return QStringLiteral("###000");
}

void WriteTableRows(Worksheet& sheet, const core::Calculation& calc, WorkbookLayout layout) {
    const core::TransactionTable& table = calc.table();
    const std::span<const int> columns = ExportedColumns(layout);
    // Every row down to the summary's last, as wide as the amount format reaches.
    sheet.reserve(TotalRow(table) + 10, layout == WorkbookLayout::Export ? J : F);
    for (int row = 0; row < table.rowCount(); ++row) {
        const int sheetRow = kCaptionRow + row;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int sheetColumn = static_cast<int>(i) + 1;
            const QString& text = table.cell(columns[i], row);
            if (row == 0 || IsTextColumn(columns[i])) {
                sheet.setText(sheetRow, sheetColumn, text);
            } else if (const double value = calc.amountIn(columns[i], row); value != 0) {
                sheet.setNumber(sheetRow, sheetColumn, value);
            }
        }
    }
}

void WriteHeaderAndTotals(Worksheet& sheet, const core::Calculation& calc, WorkbookLayout layout) {
    const core::TransactionTable& table = calc.table();
    const int totalRow = TotalRow(table);
    const int lastSummed = LastSummedRow(table);
    try {
        WriteHeader(sheet, calc);
        sheet.setText(totalRow, C, QStringLiteral("TOPLAM"));
        WriteSummary(sheet, calc, totalRow);
        for (const int column : {D, E, F}) {
            sheet.setFormula(totalRow, column, SumFormula(column, lastSummed),
                             ColumnSum(sheet, column, lastSummed));
        }
        sheet.setBold({totalRow, A, totalRow, R});
        sheet.setAmountFormat({kFirstDataRow, D, totalRow, F});
        if (layout == WorkbookLayout::Export)
            sheet.setAmountFormat({kFirstDataRow, H, totalRow, J});
    } catch (const core::CommandFailure&) {
        // The workbook keeps what was written; the user sees it and the figures on screen.
    }
    // The title in A1 runs on over the empty cells beside it; column A is as wide as the
    // dates and labels under it.
    sheet.fitColumns({A, A, 2});
    sheet.fitColumns({B, R, 1});
}

}  // namespace output
