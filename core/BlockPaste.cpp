#include "core/BlockPaste.h"

#include <QRegularExpression>
#include <algorithm>

#include "core/CellEntry.h"
#include "core/DateCompletion.h"
#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/TableCommands.h"

namespace core {
namespace {

// More integer digits than an amount can be typed with.
constexpr int kMaxIntegerDigits = 15;

std::optional<QString> pastedDate(const QString& text, const Separators& seps) {
    static const QRegularExpression dayFirst(
        QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{1,4})$"));
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    int day = 0, month = 0, year = 0;
    if (const auto m = yearFirst.match(text); m.hasMatch()) {
        year = m.captured(1).toInt();
        month = m.captured(2).toInt();
        day = m.captured(3).toInt();
    } else if (const auto d = dayFirst.match(text); d.hasMatch()) {
        day = d.captured(1).toInt();
        month = d.captured(2).toInt();
        year = YearWithCentury(d.captured(3)).toInt();
    } else {
        return std::nullopt;
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return DateText(day, month, year, seps.date);
}

bool allDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// Digits grouped by threes, the first group of one to three digits.
bool groupedByThrees(const QStringList& groups) {
    if (groups.first().size() > 3) return false;
    return std::all_of(groups.begin() + 1, groups.end(),
                       [](const QString& g) { return g.size() == 3; });
}

std::optional<QString> pastedAmount(QString text, const Separators& seps) {
    text.remove(QLatin1Char(' '));
    text.remove(QChar(0x00A0));  // spreadsheets group thousands with no-break spaces too
    text.remove(QChar(0x202F));
    const qsizetype lastPoint = text.lastIndexOf(QLatin1Char('.'));
    const qsizetype lastComma = text.lastIndexOf(QLatin1Char(','));
    QString whole = text;
    QString fraction;
    bool hasFraction = false;
    QChar grouping;
    if (lastPoint >= 0 && lastComma >= 0) {
        const qsizetype at = std::max(lastPoint, lastComma);
        grouping = at == lastPoint ? QLatin1Char(',') : QLatin1Char('.');
        whole = text.left(at);
        fraction = text.mid(at + 1);
        hasFraction = true;
    } else if (lastComma >= 0) {
        if (text.count(QLatin1Char(',')) == 1) {
            whole = text.left(lastComma);
            fraction = text.mid(lastComma + 1);
            hasFraction = true;
        } else {
            grouping = QLatin1Char(',');
        }
    } else if (lastPoint >= 0) {
        const QStringList parts = text.split(QLatin1Char('.'));
        if (parts.size() == 2 && !groupedByThrees(parts)) {
            whole = parts.at(0);
            fraction = parts.at(1);
            hasFraction = true;
        } else {
            grouping = QLatin1Char('.');
        }
    }
    if (!grouping.isNull()) {
        const QStringList groups = whole.split(grouping);
        if (!groupedByThrees(groups)) return std::nullopt;
        whole = groups.join(QString());
    }
    if (whole.isEmpty() && hasFraction) whole = QStringLiteral("0");
    if (!allDigits(whole) || (hasFraction && !allDigits(fraction))) return std::nullopt;
    if (whole.size() > kMaxIntegerDigits) return std::nullopt;
    return hasFraction ? whole + seps.decimal + fraction : whole;
}

QString refusal(int row, int column, const QString& text) {
    return QStringLiteral("Yapıştırılamadı: %1. satırın \"%2\" hücresine \"%3\" girilemez.")
        .arg(row)
        .arg(TransactionTable::captions().value(column), text);
}

}  // namespace

const std::vector<int>& ShownColumns() {
    static const std::vector<int> kShown{
        col::Number,        col::TransactionDate, col::ValueDate,    col::Description,
        col::Drawn,         col::Repaid,          col::InterestPaid, col::Rate,
        col::CreditBalance, col::InterestBalance};
    return kShown;
}

std::optional<QString> PastedCellText(int column, const QString& text, const Separators& seps) {
    const QString trimmed = text.trimmed();
    if (column == col::Description) return text;
    if (trimmed.isEmpty()) return QString();
    if (column == col::TransactionDate || column == col::ValueDate) {
        return pastedDate(trimmed, seps);
    }
    if (IsAmountInputColumn(column)) return pastedAmount(trimmed, seps);
    return std::nullopt;
}

void PasteBlock(Calculation& calc, const CellBlock& block, int column, int row) {
    const std::vector<int>& shown = ShownColumns();
    const auto first = std::find(shown.begin(), shown.end(), column);
    if (block.empty() || first == shown.end() || row < 1) return;

    struct Write {
        int column;
        int row;
        QString text;
    };
    std::vector<Write> writes;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const int target = row + static_cast<int>(i);
        auto at = first;
        for (const QString& text : block[i]) {
            if (at == shown.end()) break;
            const int c = *at++;
            if (!TakesInput(c)) continue;
            const std::optional<QString> cell = PastedCellText(c, text, calc.separators());
            if (!cell) throw CommandFailure(refusal(target, c, text));
            writes.push_back({c, target, *cell});
        }
    }

    TransactionTable& table = calc.table();
    const int lastRow = row + static_cast<int>(block.size()) - 1;
    while (table.rowCount() <= lastRow) AppendEntryRow(table);
    for (const Write& write : writes) table.setCell(write.column, write.row, write.text);
    // A dated last row gets a fresh entry row below it, as typing its description would.
    const int last = table.rowCount() - 1;
    if (table.cell(col::ValueDate, last).size() >= 8 ||
        table.cell(col::TransactionDate, last).size() >= 8) {
        AppendEntryRow(table);
    }
    RecalculateAll(calc);
}

CellBlock CopyBlock(const TransactionTable& table, int top, int bottom,
                    const std::vector<int>& columns) {
    CellBlock block;
    for (int r = std::max(top, 0); r <= bottom && r < table.rowCount(); ++r) {
        QStringList cells;
        for (const int c : columns) cells << table.cell(c, r);
        block.push_back(std::move(cells));
    }
    return block;
}

}  // namespace core
