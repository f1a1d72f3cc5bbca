#pragma once

#include <array>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/HolidayCalendar.h"
#include "core/Separators.h"
#include "core/TableInputs.h"
#include "core/TextNumberMemo.h"
#include "core/TransactionTable.h"
#include "core/UserDialogs.h"

namespace core {

// Which of the two coupled rate fields rewrites the other when its text changes.
enum class RateDirection { None, AnnualDrives, MonthlyDrives };

// One open calculation: the transaction table, the table inputs, the totals and the rate
// edit direction, with the row recalculation that keeps them consistent. Every message
// and question goes through the dialogs it was given.
class Calculation {
  public:
    explicit Calculation(UserDialogs& dialogs, Separators seps = Separators::turkish());
    // A copy whose messages and questions go to `dialogs`: to work on it unseen.
    Calculation(const Calculation& other, UserDialogs& dialogs) : Calculation(other) {
        dialogs_ = &dialogs;
    }

    TransactionTable& table() { return table_; }
    const TransactionTable& table() const { return table_; }
    TableInputs& inputs() { return inputs_; }
    const TableInputs& inputs() const { return inputs_; }
    TableTotals& totals() { return totals_; }
    const TableTotals& totals() const { return totals_; }
    UserDialogs& dialogs() { return *dialogs_; }
    const Separators& separators() const { return seps_; }
    // The calendar repayments are moved past; the program's own table unless set.
    const HolidayCalendar& holidays() const { return holidays_; }
    void setHolidays(HolidayCalendar holidays) {
        holidays_ = std::move(holidays);
        toldMissingHolidayYears_.clear();
    }

    RateDirection rateDirection() const { return rateDirection_; }
    void setRateDirection(RateDirection direction) { rateDirection_ = direction; }

    // Set a rate field's text as any change of it does: the field that drives at the
    // moment rewrites the other. Throws CommandFailure when a driving text is not a number
    // (the field keeps the new text, the other its old one).
    void setAnnualRateText(const QString& text);
    void setMonthlyRateText(const QString& text);
    // Sets a text input as the user's typing does: a rate text goes through the setters
    // above; the others are set as they are.
    void setInputText(QString TableInputs::*member, const QString& text);

    // Changes the current cell as the user does: a cell of a column that takes no input is
    // refused; any actual change runs the row recalculation for the new current row.
    // Returns false when the move was refused.
    bool moveCurrentCell(int column, int row);
    // Makes `row` the current row for a walk over the rows; the current column stays
    // whatever it is, even one a column drag left on a computed column. An actual change
    // runs the row recalculation. Returns false for a row that is not a data row.
    bool setCurrentRow(int row);

    // The row recalculation of the current row (the grid's click event). May throw
    // SilentStop or CommandFailure.
    void recalculateCurrentRow();

    // True when the last row recalculation ran on the current row and running it again
    // would change nothing and show nothing: it ended normally without a message, its
    // dates and amounts were already in their written form, and a holiday move would leave
    // the value date where it is.
    bool currentRowIsFixedPoint() const { return fixedPointRow_ == table_.currentRow(); }
    void forgetFixedPoint() { fixedPointRow_ = 0; }

    // While a batch is open, the totals that row recalculations would write are kept
    // pending and written once when the batch closes, with exactly the values the last of
    // them would have written. Makes recalculating all rows linear.
    class TotalsBatch {
      public:
        explicit TotalsBatch(Calculation& calculation);
        ~TotalsBatch();
        TotalsBatch(const TotalsBatch&) = delete;
        TotalsBatch& operator=(const TotalsBatch&) = delete;

      private:
        Calculation& calculation_;
    };

    // The value of an amount cell's text, read once and kept beside it. Throws CommandFailure
    // when the text does not read as an amount.
    double amountIn(int column, int row) const;

  private:
    friend class RowRecalculation;

    bool moveTo(int column, int row);
    // Shows the notice of a year the official calendar does not hold, once per year for as
    // long as the calendar is in use. True when it was shown now.
    bool tellOfMissingHolidayYear(int year);
    std::optional<double> readAmount(int column, int row) const;  // none: not an amount
    int countedRows();
    void writeTotals();
    void computeTotalsNow();
    void setSummedCell(int column, int row, QString text);
    void beginBatch();
    void endBatch();
    void materializePendingTotals();

    UserDialogs* dialogs_;
    Separators seps_;
    HolidayCalendar holidays_ = HolidayCalendar::Default();
    std::set<int> toldMissingHolidayYears_;
    TransactionTable table_;
    TableInputs inputs_;
    TableTotals totals_;
    RateDirection rateDirection_ = RateDirection::None;

    int fixedPointRow_ = 0;

    // The numbers of the input fields the row recalculation reads at every row.
    struct InputNumbers {
        TextNumberMemo repaymentExtraDays, bsmvRate, vergi2Rate, annualRate, daysInYear;
    };
    InputNumbers inputNumbers_;

    // Running sums of the summed columns down the counted rows, in row order, so the totals
    // after a change of one row add only the rows from there on. runningSums_[r] holds the
    // sums of rows 1 to r, valid for r up to summedRows_.
    std::vector<std::array<double, 6>> runningSums_{std::array<double, 6>{}};
    int summedRows_ = 0;
    int countedRows_ = 0;  // valid unless the row numbers changed at or above countedRows_ + 1

    // Totals batch state.
    int batchDepth_ = 0;
    bool totalsPending_ = false;
    struct OldValue {
        int column;
        int row;
        QString text;
    };
    std::vector<OldValue> changedSincePending_;
    // Summed cells that do not read as numbers; while there are any, totals are computed
    // at once so the conversion error comes exactly where it would.
    int unreadableSummedCells_ = 0;
    // A summed value so large that a sum may overflow; totals are then computed at once too,
    // so the overflow is reported at the row where it happens.
    bool hugeSummedValues_ = false;
    int countedRowsInBatch_ = 0;
};

}  // namespace core
