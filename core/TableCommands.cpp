#include "core/TableCommands.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <vector>

#include "core/DateCompletion.h"
#include "core/DateText.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"

namespace core {
namespace {

// The cells the recalculation never computes for row 1; cleared after rows change places.
void clearPeriodCellsOfFirstRow(TransactionTable& table) {
    for (const int c : {col::Days, col::PeriodInterest, col::InterestBalance, col::PeriodTax,
                        col::InterestNumber}) {
        table.setCell(c, 1, QString());
    }
}

// A month part with its leading zero, as typed dates get it.
QString monthWithLeadingZero(const QString& month) {
    const QString plain = GeneralText(ParseDigits(month));
    return plain.size() < 2 ? QLatin1Char('0') + plain : month;
}

// The key of a ten-character date whose day, month and year places hold digits and whose
// year has no leading zero: its parts as they stand, which is what completing them gives.
// Empty for any other text.
QString wholeDateKey(const QString& date) {
    if (date.size() != 10) return {};
    for (const int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (date[i] < QLatin1Char('0') || date[i] > QLatin1Char('9')) return {};
    }
    if (date[6] == QLatin1Char('0')) return {};
    const QChar key[] = {date[6], date[7], date[8], date[9], date[3], date[4], date[0], date[1]};
    return QString(key, 8);
}

// Each key's place among the distinct keys, compared without regard to case: comparing the
// ranks gives what comparing the keys gives, at the cost of an integer comparison.
std::vector<int> RanksOf(const std::vector<QString>& keys) {
    const auto less = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    std::vector<QString> distinct(keys.begin(), keys.end());
    std::sort(distinct.begin(), distinct.end(), less);
    distinct.erase(std::unique(distinct.begin(), distinct.end(),
                               [&](const QString& a, const QString& b) { return !less(a, b); }),
                   distinct.end());
    std::vector<int> ranks(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ranks[i] = static_cast<int>(
            std::lower_bound(distinct.begin(), distinct.end(), keys[i], less) - distinct.begin());
    }
    return ranks;
}

// The ranks the exchange sort below works on, with the least of every range at hand, so each
// pass goes straight to the rows it exchanges instead of looking at every row after its own. A
// table nearly in date order, the usual case, so sorts in about one look at each row.
class RankTree {
  public:
    explicit RankTree(const std::vector<int>& ranks) {
        while (leaves_ < ranks.size()) leaves_ *= 2;
        least_.assign(2 * leaves_, std::numeric_limits<int>::max());
        std::copy(ranks.begin(), ranks.end(),
                  least_.begin() + static_cast<std::ptrdiff_t>(leaves_));
        for (std::size_t node = leaves_ - 1; node >= 1; --node) update(node);
    }

    void set(std::size_t index, int rank) {
        std::size_t node = leaves_ + index;
        least_[node] = rank;
        for (node /= 2; node >= 1; node /= 2) update(node);
    }

    // The first index from `from` on whose rank is below `limit`, or none.
    std::optional<std::size_t> firstBelow(std::size_t from, int limit) const {
        return firstBelow(1, 0, leaves_, from, limit);
    }

  private:
    void update(std::size_t node) {
        least_[node] = std::min(least_[2 * node], least_[2 * node + 1]);
    }

    // The same within the node that covers [begin, end).
    std::optional<std::size_t> firstBelow(std::size_t node, std::size_t begin, std::size_t end,
                                          std::size_t from, int limit) const {
        if (end <= from || least_[node] >= limit) return std::nullopt;
        if (end - begin == 1) return begin;
        const std::size_t middle = begin + (end - begin) / 2;
        if (auto found = firstBelow(2 * node, begin, middle, from, limit)) return found;
        return firstBelow(2 * node + 1, middle, end, from, limit);
    }

    std::size_t leaves_ = 1;
    std::vector<int> least_;
};

// Moves row order[r] to position r for every data row, by exchanges of whole rows, so each
// row keeps whatever it holds beside its texts.
void PutRowsInOrder(TransactionTable& table, const std::vector<int>& order) {
    const int count = static_cast<int>(order.size());
    std::vector<int> holding(order.size());  // holding[p]: the row, by first place, now at p
    std::vector<int> place(order.size());    // place[row]: where the row first at `row` is now
    std::iota(holding.begin(), holding.end(), 0);
    std::iota(place.begin(), place.end(), 0);
    for (int r = 1; r < count; ++r) {
        const int wanted = order[static_cast<std::size_t>(r)];
        const int from = place[static_cast<std::size_t>(wanted)];
        if (from == r) continue;
        table.swapRows(r, from);
        const int displaced = holding[static_cast<std::size_t>(r)];
        holding[static_cast<std::size_t>(from)] = displaced;
        place[static_cast<std::size_t>(displaced)] = from;
        holding[static_cast<std::size_t>(r)] = wanted;
        place[static_cast<std::size_t>(wanted)] = r;
    }
}

}  // namespace

void RecalculateAll(Calculation& calc) {
    Calculation::TotalsBatch batch(calc);
    TransactionTable& table = calc.table();
    calc.forgetFixedPoint();
    calc.setCurrentRow(1);
    if (table.rowCount() < 3) return;
    const int passes = table.rowCount() - 2;
    for (int i = 0; i < passes; ++i) {
        // Each row is recalculated once more after the move onto it; skipped where that
        // second run is known to change nothing.
        if (!calc.currentRowIsFixedPoint()) calc.recalculateCurrentRow();
        calc.setCurrentRow(table.currentRow() + 1);
    }
}

bool ConfirmReset(Calculation& calc) {
    Question question{QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?")};
    question.icon = DialogIcon::None;
    return calc.dialogs().ask(question) == DialogButton::Yes;
}

void EmptyTable(Calculation& calc) {
    calc.table().clearData();
    calc.totals() = TableTotals{};
}

void ResetTable(Calculation& calc) {
    if (ConfirmReset(calc)) EmptyTable(calc);
}

void InsertRow(Calculation& calc) {
    TransactionTable& table = calc.table();
    table.setRowCount(table.rowCount() + 1);
    table.moveRow(table.rowCount() - 1, table.currentRow());
    table.renumber();
    RecalculateAll(calc);
}

void DeleteRow(TransactionTable& table) { table.removeRow(table.currentRow()); }

void DeleteCurrentRow(Calculation& calc) {
    TransactionTable& table = calc.table();
    if (!table.cell(col::TransactionDate, table.currentRow()).isEmpty()) {
        Question question{
            QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"), kProgramCaption,
            int(DialogButton::Yes) | int(DialogButton::No) | int(DialogButton::Cancel),
            DialogIcon::Question};
        if (calc.dialogs().ask(question) == DialogButton::Yes) DeleteRow(table);
    }
    if (table.cell(col::TransactionDate, table.currentRow()).isEmpty()) DeleteRow(table);
    table.renumber();
    clearPeriodCellsOfFirstRow(table);
    RecalculateAll(calc);
}

QString SortKeyOf(const QString& valueDate) {
    if (const QString key = wholeDateKey(valueDate); !key.isEmpty()) return key;
    QString day = QStringLiteral("99");
    QString month = QStringLiteral("99");
    QString year = QStringLiteral("9999");
    if (ParseDigits(valueDate) > 0) {
        const DateTextParts parts = DatePartsByPosition(valueDate);
        day = parts.day;
        if (ParseDigits(day) < 10) day = QLatin1Char('0') + GeneralText(ParseDigits(day));
        month = monthWithLeadingZero(parts.month);
        year = YearWithCentury(parts.year);
    }
    return year + month + day;
}

void SortByValueDate(Calculation& calc) {
    TransactionTable& table = calc.table();
    const int last = table.rowCount() - 1;
    std::vector<QString> keys(static_cast<std::size_t>(last + 1));
    for (int r = 1; r <= last; ++r) {
        keys[r] = SortKeyOf(table.cell(col::ValueDate, r));
        table.setCell(col::SortKey, r, keys[r]);
    }
    // The exchange sort on the keys' ranks, then the rows are put in the order it found; it is
    // not stable, and rows of equal dates come out as it leaves them.
    std::vector<int> ranks = RanksOf(keys);
    std::vector<int> order(static_cast<std::size_t>(last + 1));
    std::iota(order.begin(), order.end(), 0);
    // Each pass walks the rows after its own and exchanges whenever one ranks below the least
    // it holds; the tree finds those rows, in the same order, without looking at the others.
    RankTree tree(ranks);
    for (int i = 1; i < last; ++i) {
        int least = ranks[i];
        for (auto j = tree.firstBelow(std::size_t(i) + 1, least); j;
             j = tree.firstBelow(*j + 1, least)) {
            std::swap(least, ranks[*j]);
            tree.set(*j, ranks[*j]);
            std::swap(order[i], order[*j]);
        }
        ranks[i] = least;
        tree.set(std::size_t(i), least);
    }
    PutRowsInOrder(table, order);
    clearPeriodCellsOfFirstRow(table);
    table.renumber();
    RecalculateAll(calc);
}

}  // namespace core
