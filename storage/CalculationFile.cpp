#include "storage/CalculationFile.h"

#include <variant>
#include <vector>

#include "core/DateText.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "files/Cp1254.h"
#include "files/FileMessages.h"
#include "files/Lines.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"
#include "storage/CommaText.h"

namespace storage {
namespace {

using core::TransactionTable;

QString eOrH(bool ticked) { return ticked ? QStringLiteral("E") : QStringLiteral("H"); }

// The header's items in the file's order: eight texts, the two tick boxes, the date.
constexpr core::InputMember kHeaderItems[] = {
    &core::TableInputs::daysInYear,
    &core::TableInputs::annualRate,
    &core::TableInputs::monthlyRate,
    &core::TableInputs::bsmvRate,
    &core::TableInputs::vergi2Rate,
    &core::TableInputs::drawingExtraDays,
    &core::TableInputs::repaymentExtraDays,
    &core::TableInputs::creditLineName,
    &core::TableInputs::moveDrawingsPastHolidays,
    &core::TableInputs::moveRepaymentsPastHolidays,
    &core::TableInputs::calculationDate,
};
constexpr qsizetype kHeaderSize = std::size(kHeaderItems);

// The header items with the names of their fields (for messages).
struct HeaderItem {
    QString label;
    QString text;
};

std::vector<HeaderItem> headerItems(const core::Calculation& calc) {
    const core::TableInputs& in = calc.inputs();
    std::vector<HeaderItem> items;
    items.reserve(kHeaderSize);
    for (const core::InputMember& member : kHeaderItems) {
        QString text;
        if (const auto* field = std::get_if<QString core::TableInputs::*>(&member)) {
            text = in.*(*field);
        } else if (const auto* tick = std::get_if<bool core::TableInputs::*>(&member)) {
            text = eOrH(in.*(*tick));
        } else {
            text = core::DateText(in.*std::get<QDate core::TableInputs::*>(member),
                                  calc.separators().date);
        }
        items.push_back({core::FieldName(core::Field(member)), std::move(text)});
    }
    return items;
}

// Applies one header item to its field; a tick box takes only "E" or "H" and is left as it is
// for any other text, a date is read by position.
LoadFault applyHeaderItem(core::Calculation& calc, const core::InputMember& member,
                          const QString& item) {
    core::TableInputs& in = calc.inputs();
    if (const auto* field = std::get_if<QString core::TableInputs::*>(&member)) {
        try {
            calc.setInputText(*field, item);
        } catch (const core::CommandFailure&) {
            return LoadFault::RateNotNumber;
        }
    } else if (const auto* tick = std::get_if<bool core::TableInputs::*>(&member)) {
        if (item == QLatin1String("E")) in.*(*tick) = true;
        if (item == QLatin1String("H")) in.*(*tick) = false;
    } else {
        const auto date = core::QDateByPosition(item);
        if (!date) return LoadFault::BadDate;
        in.*std::get<QDate core::TableInputs::*>(member) = *date;
    }
    return LoadFault::None;
}

QString columnName(int column) {
    const QString caption = TransactionTable::captions().value(column);
    return caption.isEmpty() ? QStringLiteral("%1. sütun").arg(column)
                             : QLatin1Char('"') + caption + QStringLiteral("\" sütunu");
}

// The lines as any list of texts: the file's own lines are views into its decoded text, so that
// a long file costs no string per line.
template <typename Lines>
LoadFault applyLines(core::Calculation& calc, const Lines& lines) {
    if (lines.size() < 3) return LoadFault::TooFewLines;
    if (lines.size() - 2 > kMaxCalculationRows) return LoadFault::TooManyRows;

    // The header's items in order, as far as the header has them.
    const QStringList header = ReadCommaText(lines.at(0));
    for (qsizetype i = 0; i < kHeaderSize; ++i) {
        if (i >= header.size()) return LoadFault::ShortHeader;
        const LoadFault fault = applyHeaderItem(calc, kHeaderItems[i], header.at(i));
        if (fault != LoadFault::None) return fault;
    }

    // Line 1 (captions) is skipped; line k fills table row k-1; the table
    // gets the file's rows and keeps its 15 columns.
    TransactionTable& table = calc.table();
    const int rowCount = static_cast<int>(lines.size()) - 1;
    table.setRowCount(rowCount);
    for (int k = 2; k < static_cast<int>(lines.size()); ++k) {
        QStringList items = ReadCommaText(lines.at(k));
        if (items.size() > TransactionTable::ColumnCount) {
            if (k == 2) {
                table.clearData();
            } else {
                table.setRowCount(k - 1);
            }
            return LoadFault::LongTableLine;
        }
        TransactionTable::Row row{};
        for (qsizetype j = 0; j < items.size(); ++j) {
            row[static_cast<std::size_t>(j)] = std::move(items[j]);
        }
        table.setRow(k - 1, std::move(row));
    }
    return LoadFault::None;
}

}  // namespace

QStringList CalculationFileLines(const core::Calculation& calc) {
    const TransactionTable& table = calc.table();
    QStringList lines;
    lines.reserve(table.rowCount() + 1);
    QStringList header;
    for (const HeaderItem& item : headerItems(calc)) header.push_back(item.text);
    lines.push_back(WriteCommaText(header));
    QStringList items;
    for (int r = 0; r < table.rowCount(); ++r) {
        items.clear();
        for (int c = 0; c < table.columnCount(); ++c) items.push_back(table.cell(c, r));
        lines.push_back(WriteCommaText(items));
    }
    return lines;
}

LoadFault ApplyCalculationFileLines(core::Calculation& calc, const QStringList& lines) {
    return applyLines(calc, lines);
}

QStringList LinesFromFileBytes(const QByteArray& bytes) {
    return files::SplitLines(files::DecodeCp1254(bytes));
}

LoadFault LoadCalculationFile(core::Calculation& calc, const QString& path) {
    std::optional<QByteArray> bytes = files::ReadWholeFile(path);
    if (!bytes) return LoadFault::Unreadable;
    const QString text = files::DecodeCp1254(*bytes);
    bytes.reset();
    std::vector<QStringView> lines;
    files::ForEachLine(text, [&](QStringView line, QStringView) { lines.push_back(line); });
    return applyLines(calc, lines);
}

std::optional<QByteArray> EncodeCalculationFile(const core::Calculation& calc, QString* problem) {
    const auto refuse = [&](const QString& where, const QString& text) {
        if (problem) *problem = files::UnwritableCharacter(where, text).value_or(QString());
        return std::nullopt;
    };
    const std::vector<HeaderItem> header = headerItems(calc);
    const TransactionTable& table = calc.table();
    // Room for every item quoted with every character a doubled quote: the bytes are
    // written straight into it, without a text per line or for the whole file.
    qsizetype room = 0;
    for (const HeaderItem& item : header) room += 2 * item.text.size() + 3;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) room += 2 * table.cell(c, r).size() + 3;
    }
    QByteArray bytes;
    bytes.reserve(room + 2);
    for (const HeaderItem& item : header) {
        if (&item != &header.front()) bytes += ',';
        if (!AppendEncodedCommaTextItem(bytes, item.text)) {
            return refuse(QLatin1Char('"') + item.label + QStringLiteral("\" alanı"), item.text);
        }
    }
    bytes += "\r\n";
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            if (c > 0) bytes += ',';
            const QString& text = table.cell(c, r);
            if (!AppendEncodedCommaTextItem(bytes, text)) {
                return refuse(QStringLiteral("%1. satır, ").arg(r) + columnName(c), text);
            }
        }
        bytes += "\r\n";
    }
    return bytes;
}

QStringList CalculationFileHeader(const core::Calculation& calc) {
    QStringList header;
    for (HeaderItem& item : headerItems(calc)) header.push_back(std::move(item.text));
    return header;
}

std::optional<QByteArray> EncodeCalculationFileItem(const QString& text) {
    if (!files::IsWritableLineText(text)) return std::nullopt;
    QString item;
    AppendCommaTextItem(item, text);
    return files::EncodeCp1254(item);
}

SaveResult WriteCalculationFile(const core::Calculation& calc, const QString& path) {
    QString problem;
    const std::optional<QByteArray> bytes = EncodeCalculationFile(calc, &problem);
    if (!bytes) return {false, files::CannotSaveMessage(path, problem)};

    if (!files::WriteFileSafely(path, *bytes).ok) return {false, files::CannotSaveMessage(path)};
    return {};
}

}  // namespace storage
