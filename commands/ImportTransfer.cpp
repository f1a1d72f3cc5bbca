#include "commands/ImportTransfer.h"

#include <optional>

#include "core/DateText.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/FixedWidthText.h"
#include "core/NumberReading.h"

namespace commands {
namespace {

// More rows than the two five-digit row fields can ask for.
constexpr qint64 kMaxTransferRows = 99999;

const QString kNotTransferred = QStringLiteral("Aktarım yapılmadı; tablo değişmedi.");

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
std::optional<QString> missingField(const core::ImportSettings& f) {
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

Columns convert(const core::ImportSettings& f) {
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

std::optional<int> integerIn(const QString& text) {
    try {
        return core::StrictInteger(text);
    } catch (const core::CommandFailure&) {
        return std::nullopt;
    }
}

// The date of a dd.mm.yyyy text of plain digits, the form every sheet reader writes, read
// without cutting the text into parts; none for any other text.
std::optional<core::CivilDate> plainDate(const QString& cell) {
    if (cell.size() != 10) return std::nullopt;
    const int day = core::DigitsAt(cell, 0, 2);
    const int month = core::DigitsAt(cell, 3, 2);
    const int year = core::DigitsAt(cell, 6, 4);
    if (day < 0 || month < 0 || year < 0) return std::nullopt;
    return core::CivilDate{year, month, day};
}

bool isTableDate(const core::CivilDate& d) {
    return d.year > core::kFirstDateYear && d.year <= core::kLastDateYear && d.month >= 1 &&
           d.month <= 12 && d.day >= 1 && d.day <= core::DaysInMonth(d.year, d.month);
}

// The table date a sheet cell gives: its parts joined with the date separator, when they
// make a real date in the years the table takes; none otherwise. Every date checked here
// passes the row recalculation without a message or a stop.
std::optional<QString> tableDate(const QString& cell, QChar separator) {
    if (const auto date = plainDate(cell)) {
        if (!isTableDate(*date)) return std::nullopt;
        if (cell[2] == separator && cell[5] == separator) return cell;
        return core::DateText(date->day, date->month, date->year, separator);
    }
    const DateParts parts = DateParts::of(cell);
    const auto day = integerIn(parts.day);
    const auto month = integerIn(parts.month);
    const auto year = integerIn(parts.year);
    if (!day || !month || !year) return std::nullopt;
    if (*year <= core::kFirstDateYear || *year > core::kLastDateYear) return std::nullopt;
    const QString joined = parts.joined(separator);
    if (!core::IsValidDateText(joined)) return std::nullopt;
    return joined;
}

// The first cell of the rows that would stop the transfer, and the rows it leaves out.
struct CellFault {
    enum class Kind { NoDate, NoNumber, NoValueDateAtAll };
    Kind kind;
    int row;
    int column;
    QString core::ImportSettings::*field;
    QString text;
};

struct RowsCheck {
    std::optional<CellFault> fault;
    int emptyValueDates = 0;
    int firstEmptyValueDateRow = 0;
};

std::optional<CellFault> rowFault(const sheets::PreviewGrid& preview, const Columns& c,
                                  bool ownTransactionDate, int s, const core::Separators& seps) {
    using Settings = core::ImportSettings;
    const QString valueDate = preview.cell(c.valueDate, s);
    if (!tableDate(valueDate, seps.date)) {
        return CellFault{CellFault::Kind::NoDate, s, c.valueDate, &Settings::valueDateColumn,
                         valueDate};
    }
    if (ownTransactionDate) {
        const QString transactionDate = preview.cell(c.transaction, s);
        if (!transactionDate.isEmpty() && !tableDate(transactionDate, seps.date)) {
            return CellFault{CellFault::Kind::NoDate, s, c.transaction,
                             &Settings::transactionDateColumn, transactionDate};
        }
    }
    const std::pair<int, QString Settings::*> amounts[] = {{c.drawn, &Settings::drawingColumn},
                                                           {c.repaid, &Settings::repaymentColumn}};
    for (const auto& [column, field] : amounts) {
        if (column <= 0) continue;
        const QString text = preview.cell(column, s);
        try {
            core::ParseAmount(text, seps);
        } catch (const core::CommandFailure&) {
            return CellFault{CellFault::Kind::NoNumber, s, column, field, text};
        }
    }
    return std::nullopt;
}

// Reads every row before the table is touched: a row without a value date is left out, a
// cell the recalculation could not take stops the whole transfer.
RowsCheck checkRows(const sheets::PreviewGrid& preview, const Columns& c, bool ownTransactionDate,
                    const core::Separators& seps) {
    RowsCheck check;
    for (int s = c.first; s <= c.last; ++s) {
        if (preview.cell(c.valueDate, s).isEmpty()) {
            if (check.emptyValueDates++ == 0) check.firstEmptyValueDateRow = s;
            continue;
        }
        if (auto fault = rowFault(preview, c, ownTransactionDate, s, seps)) {
            check.fault = std::move(fault);
            return check;
        }
    }
    const qint64 rows = qint64(c.last) - c.first + 1;
    if (rows > 0 && check.emptyValueDates == rows) {
        check.fault = CellFault{CellFault::Kind::NoValueDateAtAll, c.first, c.valueDate,
                                &core::ImportSettings::valueDateColumn, QString()};
    }
    return check;
}

// The date form a value date must have, with the date separator in force.
QString dateFormatMessage(const core::Separators& seps) {
    return QStringLiteral("Tarih formatı gg") + seps.date + QStringLiteral("aa") + seps.date +
           QStringLiteral("yyyy") + seps.date + QStringLiteral(" şeklinde olmalıdır.");
}

QString cellPlace(int row, int column, QString core::ImportSettings::*field) {
    return QStringLiteral("%1. satır, %2. sütun (%3)")
        .arg(row)
        .arg(column)
        .arg(core::Label(core::Field(field)));
}

QString faultMessage(const CellFault& fault, const Columns& c, const core::Separators& seps) {
    QString message = cellPlace(fault.row, fault.column, fault.field) + QStringLiteral(": ");
    switch (fault.kind) {
        case CellFault::Kind::NoDate:
            message += QStringLiteral("\"%1\" geçerli bir tarih değil. ").arg(fault.text) +
                       dateFormatMessage(seps);
            break;
        case CellFault::Kind::NoNumber:
            message += QStringLiteral("\"%1\" geçerli bir sayı değil.").arg(fault.text);
            break;
        case CellFault::Kind::NoValueDateAtAll:
            message += QStringLiteral(
                           "boş. %1. satırdan %2. satıra kadar hiçbir satırda valör "
                           "tarihi yok.")
                           .arg(c.first)
                           .arg(c.last);
            break;
    }
    return message + QLatin1Char('\n') + kNotTransferred;
}

QString leftOutMessage(const RowsCheck& check, const Columns& c) {
    return cellPlace(check.firstEmptyValueDateRow, c.valueDate,
                     &core::ImportSettings::valueDateColumn) +
           QStringLiteral(": boş. Valör tarihi boş olan %1 satır aktarılmadı.")
               .arg(check.emptyValueDates);
}

void clearTable(core::TransactionTable& table) {
    const core::TransactionTable::Row empty{};
    for (int r = 1; r < table.rowCount(); ++r) table.setRow(r, empty);
}

}  // namespace

TransferOutcome TransferToTable(const sheets::PreviewGrid& preview,
                                const core::ImportSettings& fields, core::Calculation& calc,
                                const std::function<bool()>& mayReplaceTable) {
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

    const bool ownTransactionDate = !fields.valueDateIsTransactionDate && c.transaction > 0;
    const RowsCheck check = checkRows(preview, c, ownTransactionDate, calc.separators());
    if (check.fault) {
        calc.dialogs().message(faultMessage(*check.fault, c, calc.separators()));
        return TransferOutcome::Refused;
    }
    if (mayReplaceTable && !mayReplaceTable()) return TransferOutcome::Cancelled;

    core::TransactionTable& table = calc.table();
    const QChar separator = calc.separators().date;
    clearTable(table);
    // The totals shown belong to the new table, even where its rows compute none.
    calc.totals() = core::TableTotals{};
    table.setRowCount(static_cast<int>(rows) + 3);

    int target = 1;
    for (int s = c.first; s <= c.last; ++s, ++target) {
        const QString valueDateCell = preview.cell(c.valueDate, s);
        if (valueDateCell.isEmpty()) continue;  // left out, and told once below
        const QString valueDate = *tableDate(valueDateCell, separator);
        table.setCell(core::col::ValueDate, target, valueDate);
        QString transactionDate = valueDate;
        if (ownTransactionDate) {
            // An empty one gives the separators alone, which the recalculation completes
            // from the value date.
            const QString cell = preview.cell(c.transaction, s);
            transactionDate =
                cell.isEmpty() ? QString(separator) + separator : *tableDate(cell, separator);
        }
        table.setCell(core::col::TransactionDate, target, transactionDate);
        if (c.drawn > 0) table.setCell(core::col::Drawn, target, preview.cell(c.drawn, s));
        if (c.repaid > 0) table.setCell(core::col::Repaid, target, preview.cell(c.repaid, s));
        if (c.description > 0) {
            table.setCell(core::col::Description, target, preview.cell(c.description, s));
        }
    }
    if (check.emptyValueDates > 0) calc.dialogs().message(leftOutMessage(check, c));
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

}  // namespace commands
