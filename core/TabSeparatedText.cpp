#include "core/TabSeparatedText.h"

#include "core/Errors.h"

namespace core {
namespace {

[[noreturn]] void tooLarge(int rows, int columns) {
    throw CommandFailure(QStringLiteral("Yapıştırılan blok çok büyük: en çok %1 satır ve %2 sütun "
                                        "yapıştırılabilir.")
                             .arg(rows)
                             .arg(columns));
}

bool needsQuotes(const QString& cell) {
    return cell.contains(QLatin1Char('\t')) || cell.contains(QLatin1Char('\n')) ||
           cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('"'));
}

}  // namespace

CellBlock ReadTabSeparated(const QString& text, int maxRows, int maxColumns) {
    CellBlock block;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool cellStarted = false;
    const auto endCell = [&] {
        if (row.size() >= maxColumns) tooLarge(maxRows, maxColumns);
        row << cell;
        cell.clear();
        cellStarted = false;
    };
    const auto endRow = [&] {
        endCell();
        if (static_cast<int>(block.size()) >= maxRows) tooLarge(maxRows, maxColumns);
        block.push_back(std::move(row));
        row = QStringList();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch != QLatin1Char('"')) {
                cell += ch;
            } else if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                cell += ch;
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (ch == QLatin1Char('\t')) {
            endCell();
        } else if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            endRow();
        } else {
            cell += ch;
            cellStarted = true;
        }
    }
    if (cellStarted || !row.isEmpty() || !cell.isEmpty()) endRow();
    return block;
}

QString WriteTabSeparated(const CellBlock& block) {
    QString text;
    for (const QStringList& row : block) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) text += QLatin1Char('\t');
            const QString& cell = row.at(c);
            if (!needsQuotes(cell)) {
                text += cell;
                continue;
            }
            QString inner = cell;
            inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            text += QLatin1Char('"') + inner + QLatin1Char('"');
        }
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace core
