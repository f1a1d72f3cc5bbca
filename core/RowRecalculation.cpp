// The row recalculation: brings the current row up to date from the row above it and
// refreshes the totals. Every computed cell of the table is written here.
#include <cmath>

#include "core/Calculation.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/HolidayCalendar.h"
#include "core/NumberText.h"
#include "core/TextRoutines.h"

namespace core {

class RowRecalculation {
public:
    explicit RowRecalculation(Calculation& calc)
        : calc_(calc), table_(calc.table_), in_(calc.inputs_), seps_(calc.seps_),
          r_(table_.currentRow()) {}

    void run() {
        if (in_.yillikfaizNetEdit.isEmpty()) calc_.setAnnualRateText(QStringLiteral("0"));
        if (amount(cell(col::Rate)) == 0) set(col::Rate, in_.yillikfaizNetEdit);
        if (ParseDigits(cell(col::TransactionDate)) > 0) completeDate(col::TransactionDate);
        if (ParseDigits(cell(col::ValueDate)) > 0) completeDate(col::ValueDate);
        defaultDates();
        valueDateFromExtraDays();
        moveValueDateOffHolidays();
        if (GeneralText(ParseDigits(cell(col::ValueDate)), seps_).size() < 6) {
            set(col::ValueDate, QString());
            return;
        }
        if (!IsValidDateText(cell(col::ValueDate))) {
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
    void set(int column, const QString& text) { calc_.setSummedCell(column, r_, text); }
    double amount(const QString& text) const { return ParseAmount(text, seps_); }
    QString fmt(double v) const { return FormatAmount(v, seps_); }
    QString text(double v) const { return GeneralText(v, seps_); }

    // Completes a typed date: two-digit day and month, the year of the calculation date
    // when only day and month were typed, a century for short years; out of range ends
    // the whole command.
    void completeDate(int column) {
        const QString original = cell(column);
        QString day = Substring(original, 1, 2);
        QString month = Substring(original, 4, 2);
        QString year = Substring(original, 7, 4);
        if (ParseDigits(day) < 10) day = QLatin1Char('0') + text(ParseDigits(day));
        if (text(ParseDigits(month)).size() < 2) month = QLatin1Char('0') + text(ParseDigits(month));
        if (ParseDigits(year) == 0 && ParseDigits(month) > 0) {
            year = QString::number(in_.DateTimePicker61.year()).rightJustified(4, QLatin1Char('0'));
        }
        if (text(ParseDigits(year)).size() == 1 && ParseDigits(year) > 0) {
            year = QStringLiteral("200") + text(ParseDigits(year));
        }
        if (text(ParseDigits(year)).size() == 2) year = QStringLiteral("20") + text(ParseDigits(year));
        if (text(ParseDigits(year)).size() == 3) year = QStringLiteral("1") + text(ParseDigits(year));
        const QString joined = day + seps_.date + month + seps_.date + year;
        const double y = ParseDigits(year);
        if (ParseDigits(day) >= 1 && ParseDigits(month) >= 1 && y >= 1905 && y <= 2999) {
            set(column, joined);
            return;
        }
        calc_.dialogs().message(QLatin1Char('"') + joined +
                                QStringLiteral("\" tarih girişiniz uygun değil!"));
        set(column, QString());
        throw SilentStop{};
    }

    void defaultDates() {
        if (ParseDigits(cell(col::TransactionDate)) < 1 && cell(col::ValueDate).size() == 10) {
            set(col::TransactionDate, cell(col::ValueDate));
        }
        if (ParseDigits(cell(col::ValueDate)) < 1 && cell(col::TransactionDate).size() == 10) {
            set(col::ValueDate, cell(col::TransactionDate));
        }
    }

    bool isRepayment() const { return ParseDigits(cell(col::Repaid)) > 0; }

    void valueDateFromExtraDays() {
        const double extraDays = amount(in_.kredigeriodemeekEdit);
        if (extraDays > 0 && isRepayment()) {
            const DayNumber date = ReadDateByPosition(cell(col::TransactionDate));
            set(col::ValueDate, ShortDateText(date + static_cast<DayNumber>(extraDays)));
        }
    }

    void moveValueDateOffHolidays() {
        if (in_.CheckBox9 && cell(col::ValueDate).size() == 10 &&
            ParseDigits(cell(col::ValueDate)) > 110 && isRepayment()) {
            const DayNumber date = ReadDateByPosition(cell(col::ValueDate));
            set(col::ValueDate, ShortDateText(MovePastHolidaysAndWeekend(date)));
        }
    }

    void creditBalance() {
        const double movement = amount(cell(col::Drawn)) - amount(cell(col::Repaid));
        if (r_ == 1) {
            set(col::CreditBalance, fmt(movement));
        } else {
            set(col::CreditBalance, fmt(amount(above(col::CreditBalance)) + amount(cell(col::Drawn)) -
                                        amount(cell(col::Repaid))));
        }
    }

    void formatAmounts() {
        if (!cell(col::Drawn).isEmpty()) {
            set(col::Drawn, fmt(amount(cell(col::Drawn))));
            set(col::PeriodInterest, fmt(amount(cell(col::PeriodInterest))));
        }
        if (!cell(col::Repaid).isEmpty()) set(col::Repaid, fmt(amount(cell(col::Repaid))));
        if (!cell(col::InterestPaid).isEmpty()) {
            set(col::InterestPaid, fmt(amount(cell(col::InterestPaid))));
        }
    }

    void periodAndInterest() {
        const DayNumber v = ReadDateByPosition(cell(col::ValueDate));
        const DayNumber p = above(col::ValueDate).size() == 10
                                ? ReadDateByPosition(above(col::ValueDate))
                                : DayNumberOf(in_.DateTimePicker61);
        const double days = static_cast<double>(v - p);
        set(col::Days, text(days));
        const double balance = amount(above(col::CreditBalance));
        if (balance == 0) return;
        const double number = balance * days;
        set(col::InterestNumber, FormatAmount15(number, seps_));
        const double rowRate = amount(above(col::Rate));
        const double rate = rowRate > 0 ? rowRate : StrictNumber(in_.yillikfaizNetEdit, seps_);
        const double yearDays = StrictNumber(in_.yildakigunEdit, seps_);
        if (yearDays * 100 == 0) {
            throw CalcError(QStringLiteral("Sıfıra bölme hatası: \"Yıldaki Gün\" %1")
                                .arg(in_.yildakigunEdit));
        }
        const double interest = rate * number / (yearDays * 100);
        const double bsmv = amount(in_.KKDFNetEdit);
        const double vergi2 = amount(in_.vergi2NetEdit);
        const double tax1 = bsmv > 0 ? bsmv * interest / 100 : 0;
        const double tax2 = vergi2 > 0 ? vergi2 * interest / 100 : 0;
        set(col::PeriodInterest, FormatAmount15(interest, seps_));
        set(col::PeriodTax, FormatAmount15(tax1 + tax2, seps_));
    }

    void interestBalance() {
        set(col::InterestBalance, fmt(amount(above(col::InterestBalance)) +
                                      amount(cell(col::PeriodInterest)) +
                                      amount(cell(col::PeriodTax)) - amount(cell(col::InterestPaid))));
    }

    Calculation& calc_;
    TransactionTable& table_;
    TableInputs& in_;
    const Separators& seps_;
    const int r_;
};

void Calculation::StringGrid3Click() { RowRecalculation(*this).run(); }

}  // namespace core
