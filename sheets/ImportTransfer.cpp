#include "sheets/ImportTransfer.h"

#include "core/DateText.h"
#include "core/Errors.h"
#include "core/TextRoutines.h"

namespace sheets {
namespace {

// More rows than the two five-digit row fields can ask for.
constexpr qint64 kMaxTransferRows = 99999;

struct Columns {
    int first;        // S
    int last;         // E
    int valueDate;    // V
    int transaction;  // T, 0 for none
    int drawn;        // K
    int repaid;       // O
    int description;  // A, 0 for none
};

// The first empty required field's message, or nothing.
std::optional<QString> missingField(const storage::ImportSettings& f) {
    const std::pair<const QString*, const char*> required[] = {
        {&f.firstRow, "Başlangıç satırını boş geçemezsiniz!"},
        {&f.lastRow, "Bitiş satırını boş geçemezsiniz!"},
        {&f.valueDateColumn, "Vade tarihi sütununu boş geçemezsiniz!"},
        {&f.drawingColumn, "Dorud kullanım sütununu boş geçemezsiniz!"},
        {&f.repaymentColumn, "Dorud ödeme sütununu boş geçemezsiniz!"},
    };
    for (const auto& [text, message] : required) {
        if (text->isEmpty()) return QString::fromUtf8(message);
    }
    return std::nullopt;
}

int optionalColumn(const QString& text) { return text.isEmpty() ? 0 : core::StrictInteger(text); }

Columns convert(const storage::ImportSettings& f) {
    return {core::StrictInteger(f.firstRow),        core::StrictInteger(f.lastRow),
            core::StrictInteger(f.valueDateColumn), optionalColumn(f.transactionDateColumn),
            core::StrictInteger(f.drawingColumn),   core::StrictInteger(f.repaymentColumn),
            optionalColumn(f.descriptionColumn)};
}

// The date parts as cut: the first two characters, the fourth and fifth, the last four (all
// of a shorter text).
struct DateParts {
    QString day;
    QString month;
    QString year;

    static DateParts of(const QString& text) {
        return {core::Substring(text, 1, 2), core::Substring(text, 4, 2),
                text.size() < 4 ? text : text.right(4)};
    }
    QString joined(QChar separator) const { return day + separator + month + separator + year; }
};

void clearTable(core::TransactionTable& table) {
    const core::TransactionTable::Row empty{};
    for (int r = 1; r < table.rowCount(); ++r) table.setRow(r, empty);
}

}  // namespace

QString DateFormatMessage(const core::Separators& seps) {
    return QStringLiteral("Tarih formatı gg") + seps.date + QStringLiteral("aa") + seps.date +
           QStringLiteral("yyyy") + seps.date + QStringLiteral(" şeklinde olmalıdır.");
}

TransferOutcome TransferToTable(const PreviewGrid& preview, const storage::ImportSettings& fields,
                                core::Calculation& calc) {
    if (const auto message = missingField(fields)) {
        calc.dialogs().message(*message);
        return TransferOutcome::Refused;
    }
    const Columns c = convert(fields);
    const qint64 rows = qint64(c.last) - c.first + 1;
    if (rows < -1 || rows > kMaxTransferRows) {
        // Fewer than none would leave the table without its open row; more than the row
        // fields can hold is no statement.
        calc.dialogs().message(
            QStringLiteral(
                "Bitiş satırı %1, başlama satırı %2 ile aktarılacak satır aralığı geçersiz: "
                "bitiş satırı başlama satırından en çok iki satır önce olabilir, en "
                "çok %3 satır aktarılabilir.")
                .arg(fields.lastRow, fields.firstRow)
                .arg(kMaxTransferRows));
        return TransferOutcome::Refused;
    }

    core::TransactionTable& table = calc.table();
    const QChar separator = calc.separators().date;
    clearTable(table);
    table.setRowCount(static_cast<int>(rows) + 3);

    int target = 1;
    for (int s = c.first; s <= c.last; ++s, ++target) {
        const QString valueDate = preview.cell(c.valueDate, s);
        if (valueDate.isEmpty()) {
            calc.dialogs().message(DateFormatMessage(calc.separators()));
            continue;
        }
        const DateParts parts = DateParts::of(valueDate);
        const int day = core::StrictInteger(parts.day);
        const int month = core::StrictInteger(parts.month);
        const int year = core::StrictInteger(parts.year);
        if (!(day < 32 && month < 13 && year > core::kFirstDateYear)) continue;

        table.setCell(core::col::ValueDate, target, parts.joined(separator));
        const bool ownTransactionDate = !fields.valueDateIsTransactionDate && c.transaction > 0;
        table.setCell(core::col::TransactionDate, target,
                      ownTransactionDate
                          ? DateParts::of(preview.cell(c.transaction, s)).joined(separator)
                          : parts.joined(separator));
        if (c.drawn > 0) table.setCell(core::col::Drawn, target, preview.cell(c.drawn, s));
        if (c.repaid > 0) table.setCell(core::col::Repaid, target, preview.cell(c.repaid, s));
        if (c.description > 0) {
            table.setCell(core::col::Description, target, preview.cell(c.description, s));
        }
    }
    NumberAndRecalculate(calc);
    return TransferOutcome::Done;
}

void NumberAndRecalculate(core::Calculation& calc) {
    core::Calculation::TotalsBatch batch(calc);
    core::TransactionTable& table = calc.table();
    calc.forgetFixedPoint();
    calc.setCurrentRow(1);
    const int last = table.rowCount() - 2;
    for (int i = 1; i <= last; ++i) {
        table.setCell(core::col::Number, i, QString::number(i));
        // The move onto this row recalculated it already; a second run is skipped where it
        // is known to change nothing.
        if (!calc.currentRowIsFixedPoint()) calc.recalculateCurrentRow();
        calc.setCurrentRow(i + 1);
    }
    const int numbered = table.rowCount() < 3 ? 1 : table.rowCount() - 1;
    table.setCell(core::col::Number, numbered, QString::number(numbered));
}

}  // namespace sheets
