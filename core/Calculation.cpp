#include "core/Calculation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "core/CellEntry.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"

namespace core {
namespace {

constexpr std::array<int, 6> kSummedColumns{col::Drawn,        col::Repaid,
                                            col::InterestPaid, col::PeriodInterest,
                                            col::PeriodTax,    col::InterestNumber};

constexpr unsigned kSummedColumnBits = [] {
    unsigned bits = 0;
    for (const int c : kSummedColumns) bits |= 1u << c;
    return bits;
}();

bool isSummedColumn(int column) { return (kSummedColumnBits >> column & 1u) != 0; }

// Far enough below the largest double that a million such values still sum finitely.
constexpr double kHugeAmount = 1e290;

// Formatted amounts of that size have about 290 digits: a cheap test of a written text.
bool looksHuge(const QString& text) { return text.size() > 250; }

QString totalOf(int column) {
    return QLatin1Char('"') + TransactionTable::captions().value(column) +
           QStringLiteral("\" sütununun toplamı");
}

}  // namespace

Calculation::Calculation(UserDialogs& dialogs, Separators seps) : dialogs_(&dialogs), seps_(seps) {
    inputs_.calculationDate = QDate::currentDate();
}

void Calculation::setAnnualRateText(const QString& text) {
    inputs_.annualRate = text;
    if (rateDirection_ != RateDirection::AnnualDrives) return;
    QString plain = text;
    plain.remove(QLatin1Char(' '));
    const double value = plain.isEmpty() ? 0.0 : StrictNumber(plain, seps_);
    inputs_.monthlyRate = GeneralText(value / 12, seps_);  // never larger than the value
}

void Calculation::setMonthlyRateText(const QString& text) {
    inputs_.monthlyRate = text;
    if (rateDirection_ != RateDirection::MonthlyDrives) return;
    QString plain = text;
    plain.remove(QLatin1Char(' '));
    const double value = plain.isEmpty() ? 0.0 : StrictNumber(plain, seps_);
    inputs_.annualRate = GeneralText(
        RequireFinite(value * 12, [] { return QuotedFieldName(&TableInputs::annualRate); }), seps_);
}

void Calculation::setInputText(QString TableInputs::*member, const QString& text) {
    if (member == &TableInputs::annualRate) {
        setAnnualRateText(text);
    } else if (member == &TableInputs::monthlyRate) {
        setMonthlyRateText(text);
    } else {
        inputs_.*member = text;
    }
}

bool Calculation::moveCurrentCell(int column, int row) {
    return TakesInput(column) && moveTo(column, row);
}

bool Calculation::setCurrentRow(int row) { return moveTo(table_.currentColumn(), row); }

bool Calculation::tellOfMissingHolidayYear(int year) {
    if (!toldMissingHolidayYears_.insert(year).second) return false;
    const OfficialHolidays* official = holidays_.official();
    dialogs_->message(MissingHolidayYearNotice(
        year, official && !official->additionsFile().isEmpty() ? official->additionsFile()
                                                               : QStringLiteral("tatiller.txt")));
    return true;
}

bool Calculation::moveTo(int column, int row) {
    if (row < 1 || row >= table_.rowCount()) return false;
    if (column == table_.currentColumn() && row == table_.currentRow()) return true;
    table_.setCurrentCellQuietly(column, row);
    recalculateCurrentRow();
    return true;
}

double Calculation::amountIn(int column, int row) const {
    if (!TransactionTable::isAmountColumn(column))
        return ParseAmount(table_.cell(column, row), seps_);
    if (const double* known = table_.knownAmount(column, row)) return *known;
    const QString& text = table_.cell(column, row);
    const double value = text.isEmpty() ? 0.0 : ParseAmount(text, seps_);
    table_.rememberAmount(column, row, value);
    return value;
}

std::optional<double> Calculation::readAmount(int column, int row) const {
    try {
        return amountIn(column, row);
    } catch (const CommandFailure&) {
        return std::nullopt;
    }
}

// --- Totals ---------------------------------------------------------------------------

// The rows the totals cover: from row 1 down to the first row without a row number.
int Calculation::countedRows() {
    const int changed = table_.numbersChangedFrom();
    if (changed <= countedRows_ + 1) countedRows_ = std::max(0, changed - 1);
    countedRows_ = std::min(countedRows_, table_.rowCount() - 1);
    while (countedRows_ + 1 < table_.rowCount() &&
           !table_.cell(col::Number, countedRows_ + 1).isEmpty()) {
        ++countedRows_;
    }
    return countedRows_;
}

// The sums are formed row by row from row 1, as one pass down the table would form them;
// only the rows from the first changed one on are added again.
void Calculation::computeTotalsNow() {
    const int n = countedRows();
    summedRows_ = std::min({summedRows_, std::max(0, table_.amountsChangedFrom() - 1), n});
    table_.forgetChanges();
    if (runningSums_.size() < static_cast<std::size_t>(n) + 1) {
        runningSums_.resize(static_cast<std::size_t>(n) + 1);
    }
    while (summedRows_ < n) {
        const int r = summedRows_ + 1;
        std::array<double, 6> next = runningSums_[static_cast<std::size_t>(r - 1)];
        for (std::size_t i = 0; i < kSummedColumns.size(); ++i) {
            next[i] += amountIn(kSummedColumns[i], r);
        }
        runningSums_[static_cast<std::size_t>(r)] = next;
        summedRows_ = r;
    }
    const std::array<double, 6> sums = runningSums_[static_cast<std::size_t>(n)];
    for (std::size_t i = 0; i < kSummedColumns.size(); ++i) {
        RequireFinite(sums[i], [&] { return totalOf(kSummedColumns[i]); });
    }
    const auto [s4, s5, s6, s9, s12, s13] = sums;
    RequireFinite(s4 - s5, [] { return totalOf(col::CreditBalance); });
    RequireFinite(s9 + s12 - s6, [] { return totalOf(col::InterestBalance); });
    totals_.totalDrawn = FormatAmount(s4, seps_);
    totals_.totalRepaid = FormatAmount(s5, seps_);
    totals_.creditBalance = FormatAmount(s4 - s5, seps_);
    totals_.totalInterest = FormatAmount(s9, seps_);
    totals_.interestPaid = FormatAmount(s6, seps_);
    totals_.interestUnpaid = FormatAmount(s9 + s12 - s6, seps_);
    totals_.totalBsmv = FormatAmount(s12, seps_);
    totals_.totalInterestNumber = FormatAmount(s13, seps_);
}

void Calculation::writeTotals() {
    if (batchDepth_ == 0 || unreadableSummedCells_ > 0 || hugeSummedValues_) {
        // Computed at once: outside a batch, and whenever a summed cell would make the
        // summation fail, so the error comes at exactly this row.
        computeTotalsNow();
        totalsPending_ = false;
        changedSincePending_.clear();
        return;
    }
    totalsPending_ = true;
    changedSincePending_.clear();
}

void Calculation::setSummedCell(int column, int row, QString text) {
    const QString& old = table_.cell(column, row);
    if (old == text) return;
    if (batchDepth_ > 0 && isSummedColumn(column) && row <= countedRowsInBatch_) {
        // The recalculation writes only formatted amounts into summed columns, and those
        // always read back; only the text they replace can have been unreadable.
        if (!old.isEmpty() && !readAmount(column, row)) --unreadableSummedCells_;
        if (totalsPending_) {
            const bool logged =
                std::any_of(changedSincePending_.begin(), changedSincePending_.end(),
                            [&](const OldValue& v) { return v.column == column && v.row == row; });
            if (!logged) changedSincePending_.push_back({column, row, old});
        }
    }
    if (batchDepth_ > 0 && isSummedColumn(column) && looksHuge(text)) hugeSummedValues_ = true;
    table_.setCell(column, row, std::move(text));
}

void Calculation::beginBatch() {
    if (batchDepth_++ > 0) return;
    totalsPending_ = false;
    changedSincePending_.clear();
    countedRowsInBatch_ = countedRows();
    unreadableSummedCells_ = 0;
    hugeSummedValues_ = false;
    for (int r = 1; r < table_.rowCount(); ++r) {
        for (const int c : kSummedColumns) {
            const QString& text = table_.cell(c, r);
            if (text.isEmpty()) continue;
            const std::optional<double> value = readAmount(c, r);
            if (!value && r <= countedRowsInBatch_) ++unreadableSummedCells_;
            if (value && std::fabs(*value) >= kHugeAmount) hugeSummedValues_ = true;
        }
    }
}

void Calculation::endBatch() {
    if (--batchDepth_ > 0) return;
    materializePendingTotals();
}

// Writes the totals the last pending summation would have written: the current cells,
// with the few changed since then read at their values of that moment.
void Calculation::materializePendingTotals() {
    if (!totalsPending_) return;
    totalsPending_ = false;
    std::vector<OldValue> current;
    current.reserve(changedSincePending_.size());
    for (const OldValue& v : changedSincePending_) {
        current.push_back({v.column, v.row, table_.cell(v.column, v.row)});
        table_.setCell(v.column, v.row, v.text);
    }
    computeTotalsNow();
    for (const OldValue& v : current) table_.setCell(v.column, v.row, v.text);
    changedSincePending_.clear();
}

Calculation::TotalsBatch::TotalsBatch(Calculation& calculation) : calculation_(calculation) {
    calculation_.beginBatch();
}

Calculation::TotalsBatch::~TotalsBatch() {
    try {
        calculation_.endBatch();
    } catch (...) {
        // Pending totals only ever cover cells that read as numbers; nothing to report.
    }
}

}  // namespace core
