// The row recalculation: brings the current row up to date from the row above it and
// refreshes the totals. Every computed cell of the table is written here.
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/Calculation.h"
#include "core/DateCompletion.h"
#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/HolidayCalendar.h"
#include "core/NumberReading.h"
#include "core/NumberText.h"

namespace core {

class RowRecalculation {
  public:
    explicit RowRecalculation(Calculation& calc)
        : calc_(calc),
          table_(calc.table_),
          in_(calc.inputs_),
          seps_(calc.seps_),
          numbers_(calc.inputNumbers_),
          r_(table_.currentRow()) {}

    // Whether a second run on the row as this run left it would change nothing.
    bool leftFixedPoint() const {
        if (messageShown_ || amountValueRounded_) return false;
        try {
            if (in_.moveRepaymentsPastHolidays && isRepayment() && !holidayMoveIsSettled()) {
                return false;
            }
            valueOf(col::Rate);  // a stamped rate that does not read fails the rerun
            return isStableDate(cell(col::TransactionDate)) && isStableDate(cell(col::ValueDate));
        } catch (const CommandFailure&) {
            return false;
        }
    }

    void run() {
        if (in_.annualRate.isEmpty()) calc_.setAnnualRateText(QStringLiteral("0"));
        if (valueOf(col::Rate) == 0) set(col::Rate, in_.annualRate);
        if (digitsOf(col::TransactionDate) > 0) completeDate(col::TransactionDate);
        if (digitsOf(col::ValueDate) > 0) completeDate(col::ValueDate);
        defaultDates();
        valueDateFromExtraDays();
        moveValueDateOffHolidays();
        if (generalTextLength(digitsOf(col::ValueDate)) < 6) {
            set(col::ValueDate, QString());
            return;
        }
        if (!IsValidDateText(cell(col::ValueDate))) {
            messageShown_ = true;
            calc_.dialogs().message(cell(col::ValueDate) +
                                    QStringLiteral(" Tarih Girişiniz doğru değil."));
            set(col::ValueDate, QString());
            return;
        }
        creditBalance();
        formatAmounts();
        if (r_ == 1 || cell(col::ValueDate).size() != 10) return;
        periodAndInterest();
        interestBalance();
        calc_.writeTotals();
    }

  private:
    const QString& cell(int column) const { return table_.cell(column, r_); }
    const QString& above(int column) const { return table_.cell(column, r_ - 1); }
    void set(int column, QString text) {
        digitsKnown_ &= ~(1u << column);
        calc_.setSummedCell(column, r_, std::move(text));
    }
    double amount(const QString& text) const { return ParseAmount(text, seps_); }
    // The digits of a cell of this row, read once per text: set() forgets them.
    double digitsOf(int column) const {
        if ((digitsKnown_ >> column & 1u) != 0) return digits_[column];
        const QString& text = cell(column);
        const std::optional<double> date = completedDateDigits(text);
        const double value = date ? *date : ParseDigits(text);
        digits_[column] = value;
        digitsKnown_ |= 1u << column;
        return value;
    }
    // Input fields, read again only when their text changed.
    double amountInput(TextNumberMemo& memo, const QString& text) const {
        return memo.valueOf(text, [&](const QString& t) { return amount(t); });
    }
    double strictInput(TextNumberMemo& memo, const QString& text) const {
        return memo.valueOf(text, [&](const QString& t) { return StrictNumber(t, seps_); });
    }
    double repaymentExtraDays() const {
        return amountInput(numbers_.repaymentExtraDays, in_.repaymentExtraDays);
    }
    // The values of cells, read once per text.
    double valueOf(int column) const { return calc_.amountIn(column, r_); }
    double valueAbove(int column) const { return calc_.amountIn(column, r_ - 1); }
    // Writes an amount cell in its written form and keeps the value that form reads as.
    void setAmount(int column, WrittenAmount written) {
        set(column, std::move(written.text));
        if (written.value) table_.rememberAmount(column, r_, *written.value);
    }
    WrittenAmount fmt(double v) const { return WriteAmount(v, seps_); }
    WrittenAmount fmt15(double v) const { return WriteAmount15(v, seps_); }
    // The value computed for a cell of this row, checked to be a finite number.
    double finite(double value, int column) const {
        return RequireFinite(value, [&] {
            return QStringLiteral("%1. satır, \"%2\" sütunu")
                .arg(r_)
                .arg(TransactionTable::captions().value(column));
        });
    }
    QString text(double v) const { return GeneralText(v, seps_); }
    // The length of text(v), without writing it for a whole number.
    int generalTextLength(double v) const {
        if (v == 0) return 1;
        if (std::fabs(v) < 1e15 && v == std::trunc(v)) {
            auto n = static_cast<long long>(std::fabs(v));
            int length = v < 0 ? 1 : 0;
            for (; n > 0; n /= 10) ++length;
            return length;
        }
        return static_cast<int>(text(v).size());
    }

    // Completes a typed date: two-digit day and month, the year of the calculation date
    // when only day and month were typed, a century for short years; out of range ends
    // the whole command.
    void completeDate(int column) {
        if (isCompletedDate(cell(column))) return;  // completion would give the same text
        auto [day, month, year] = DatePartsByPosition(cell(column));
        // Each part's digits are read again only after the part has changed.
        double dayDigits = ParseDigits(day);
        if (dayDigits < 10) {
            day = QLatin1Char('0') + text(dayDigits);
            dayDigits = ParseDigits(day);
        }
        double monthDigits = ParseDigits(month);
        if (const QString plain = text(monthDigits); plain.size() < 2) {
            month = QLatin1Char('0') + plain;
            monthDigits = ParseDigits(month);
        }
        double yearDigits = ParseDigits(year);
        if (yearDigits == 0 && monthDigits > 0) {
            year = QString::number(in_.calculationDate.year()).rightJustified(4, QLatin1Char('0'));
            yearDigits = ParseDigits(year);
        }
        if (const QString completed = YearWithCentury(year); completed != year) {
            year = completed;
            yearDigits = ParseDigits(year);
        }
        const QString joined = day + seps_.date + month + seps_.date + year;
        if (dayDigits >= 1 && monthDigits >= 1 && yearDigits >= kFirstDateYear &&
            yearDigits <= kLastDateYear) {
            set(column, joined);
            return;
        }
        calc_.dialogs().message(QLatin1Char('"') + joined +
                                QStringLiteral("\" tarih girişiniz uygun değil!"));
        set(column, QString());
        throw SilentStop{};
    }

    void defaultDates() {
        if (digitsOf(col::TransactionDate) < 1 && cell(col::ValueDate).size() == 10) {
            set(col::TransactionDate, cell(col::ValueDate));
        }
        if (digitsOf(col::ValueDate) < 1 && cell(col::TransactionDate).size() == 10) {
            set(col::ValueDate, cell(col::TransactionDate));
        }
    }

    bool isRepayment() const { return digitsOf(col::Repaid) > 0; }

    void valueDateFromExtraDays() {
        const double extraDays = repaymentExtraDays();
        if (extraDays > 0 && isRepayment()) {
            const DayNumber date = ReadDateByPosition(cell(col::TransactionDate));
            set(col::ValueDate, ShortDateText(AddDays(date, extraDays, in_.repaymentExtraDays)));
        }
    }

    // Whether a rerun leaves the value date of a repayment where this run moved it: it is
    // either computed afresh from the transaction date with the extra days and moved as this
    // run moved it, or moved from where it stands now, which must then be no holiday.
    bool holidayMoveIsSettled() const {
        if (repaymentExtraDays() > 0) return true;
        const QString& valueDate = cell(col::ValueDate);
        if (valueDate.size() != 10 || digitsOf(col::ValueDate) <= 110) return true;
        const DayNumber date = ReadDateByPosition(valueDate);
        // The move writes the date in its short form: the text stays only if it has that
        // form and the date does not move.
        return HasShortDateForm(valueDate) &&
               calc_.holidays().movePastHolidaysAndWeekend(date) == date;
    }

    void moveValueDateOffHolidays() {
        if (in_.moveRepaymentsPastHolidays && cell(col::ValueDate).size() == 10 &&
            digitsOf(col::ValueDate) > 110 && isRepayment()) {
            const DayNumber date = ReadDateByPosition(cell(col::ValueDate));
            const DayNumber moved = calc_.holidays().movePastHolidaysAndWeekend(date);
            tellOfUnannouncedYears(date, moved);
            if (moved != date || !HasShortDateForm(cell(col::ValueDate))) {
                set(col::ValueDate, ShortDateText(moved));
            }
        }
    }

    // The official calendar knows the religious holidays only of the years announced; a move
    // that looked at days of another year may change once its dates are known.
    void tellOfUnannouncedYears(DayNumber from, DayNumber to) {
        const OfficialHolidays* official = calc_.holidays().official();
        if (!official) return;
        for (int year = CivilFromDays(from).year; year <= CivilFromDays(to).year; ++year) {
            if (!official->announced(year) && calc_.tellOfMissingHolidayYear(year)) {
                messageShown_ = true;
            }
        }
    }

    // Operands are read one statement at a time: the order decides which bad text a
    // conversion error names.
    void creditBalance() {
        const double before = r_ == 1 ? 0.0 : valueAbove(col::CreditBalance);
        const double drawn = valueOf(col::Drawn);
        const double repaid = valueOf(col::Repaid);
        setAmount(col::CreditBalance, fmt(finite(r_ == 1 ? drawn - repaid : before + drawn - repaid,
                                                 col::CreditBalance)));
    }

    // The credit balance was computed from the amounts as typed; note when writing them
    // rounded changes their value, since a second run would then compute another balance.
    void formatMovement(int column) {
        if (IsWrittenAmount(cell(column), seps_)) return;  // already its own written form
        const double typed = valueOf(column);
        setAmount(column, fmt(typed));
        if (valueOf(column) != typed) amountValueRounded_ = true;
    }

    void formatAmounts() {
        if (!cell(col::Drawn).isEmpty()) {
            formatMovement(col::Drawn);
            rewrite(col::PeriodInterest);
        }
        if (!cell(col::Repaid).isEmpty()) formatMovement(col::Repaid);
        if (!cell(col::InterestPaid).isEmpty()) rewrite(col::InterestPaid);
    }

    // Writes an amount cell in the written form of its value.
    void rewrite(int column) {
        if (IsWrittenAmount(cell(column), seps_)) return;  // writing it would change nothing
        setAmount(column, fmt(valueOf(column)));
    }

    void periodAndInterest() {
        const DayNumber v = ReadDateByPosition(cell(col::ValueDate));
        const DayNumber p = above(col::ValueDate).size() == 10
                                ? ReadDateByPosition(above(col::ValueDate))
                                : DayNumberOf(in_.calculationDate);
        const double days = static_cast<double>(v - p);
        set(col::Days, text(days));
        const double balance = valueAbove(col::CreditBalance);
        if (balance == 0) return;
        const double number = finite(balance * days, col::InterestNumber);
        setAmount(col::InterestNumber, fmt15(number));
        const double rowRate = valueAbove(col::Rate);
        const double rate =
            rowRate > 0 ? rowRate : strictInput(numbers_.annualRate, in_.annualRate);
        const double yearDays = strictInput(numbers_.daysInYear, in_.daysInYear);
        if (yearDays * 100 == 0) {
            throw CommandFailure(
                QStringLiteral("Sıfıra bölme hatası: %1 %2")
                    .arg(QuotedFieldName(&TableInputs::daysInYear), in_.daysInYear));
        }
        const double interest = finite(rate * number / (yearDays * 100), col::PeriodInterest);
        const double bsmv = amountInput(numbers_.bsmvRate, in_.bsmvRate);
        const double vergi2 = amountInput(numbers_.vergi2Rate, in_.vergi2Rate);
        const double tax1 = bsmv > 0 ? bsmv * interest / 100 : 0;
        const double tax2 = vergi2 > 0 ? vergi2 * interest / 100 : 0;
        setAmount(col::PeriodInterest, fmt15(interest));
        setAmount(col::PeriodTax, fmt15(finite(tax1 + tax2, col::PeriodTax)));
    }

    void interestBalance() {
        const double before = valueAbove(col::InterestBalance);
        const double interest = valueOf(col::PeriodInterest);
        const double tax = valueOf(col::PeriodTax);
        const double paid = valueOf(col::InterestPaid);
        setAmount(col::InterestBalance,
                  fmt(finite(before + interest + tax - paid, col::InterestBalance)));
    }

    // The digits of a dd.mm.yyyy text as ParseDigits reads them, without its general path: the
    // date cells are read on every row.
    std::optional<double> completedDateDigits(const QString& text) const {
        const QChar separator = seps_.date;
        if (text.size() != 10 || text[2] != separator || text[5] != separator) return std::nullopt;
        if (separator >= QLatin1Char('0') && separator <= QLatin1Char('9')) return std::nullopt;
        std::int64_t digits = 0;
        for (const int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9') return std::nullopt;
            digits = digits * 10 + (c - u'0');
        }
        return static_cast<double>(digits);
    }

    // A date cell that completion leaves as it is: no digits at all, or already
    // dd.mm.yyyy with the date separator, a day and month from 1 and a year in range.
    bool isStableDate(const QString& text) const {
        return isCompletedDate(text) || ParseDigits(text) == 0;
    }

    // dd.mm.yyyy with the date separator, a day and month from 1 and a year in range: what
    // completion writes and leaves as it is.
    bool isCompletedDate(const QString& text) const {
        if (text.size() != 10 || text[2] != seps_.date || text[5] != seps_.date) return false;
        int parts[3] = {0, 0, 0};
        for (const int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9') return false;
            int& part = parts[i < 2 ? 0 : i < 5 ? 1 : 2];
            part = part * 10 + (c - u'0');
        }
        const auto [day, month, year] = parts;
        return day >= 1 && month >= 1 && year >= kFirstDateYear && year <= kLastDateYear;
    }

    bool messageShown_ = false;
    bool amountValueRounded_ = false;
    Calculation& calc_;
    TransactionTable& table_;
    TableInputs& in_;
    const Separators& seps_;
    Calculation::InputNumbers& numbers_;
    const int r_;
    mutable unsigned digitsKnown_ = 0;  // bit c: digits_[c] holds the digits of column c
    mutable std::array<double, TransactionTable::ColumnCount> digits_{};
};

void Calculation::recalculateCurrentRow() {
    fixedPointRow_ = 0;
    RowRecalculation recalculation(*this);
    recalculation.run();
    if (recalculation.leftFixedPoint()) fixedPointRow_ = table_.currentRow();
}

}  // namespace core
