#pragma once

#include <memory>
#include <vector>

#include "core/DayNumber.h"
#include "core/OfficialHolidays.h"

namespace core {

// The non-working days a repayment's value date is moved past. Either the program's own
// table (holidays on the same day every year, holidays of single years, each tested once in
// table order, then the weekend), kept exactly as files calculated with it expect, or the
// official calendar, where a date moves in one step to the next working day.
class HolidayCalendar {
  public:
    enum class Kind { ProgramTable, Official };

    struct MonthDay {
        int month;
        int day;
    };
    struct YearHolidays {
        int year;
        std::vector<MonthDay> days;
    };

    HolidayCalendar(std::vector<MonthDay> everyYear, std::vector<YearHolidays> singleYears);
    explicit HolidayCalendar(OfficialHolidays official);

    // The program's own table of Turkish public holidays.
    static const HolidayCalendar& Default();
    // The official calendar as the program ships it.
    static const HolidayCalendar& ShippedOfficial();

    Kind kind() const { return official_ ? Kind::Official : Kind::ProgramTable; }
    // The official holidays; null for the program's table.
    const OfficialHolidays* official() const { return official_.get(); }

    // Moves a date off holidays and weekends. With the program's table each holiday is
    // tested once, in table order, against the date as the earlier tests left it, and then
    // the weekend, so a move may end on a holiday; with the official calendar the result is
    // the next working day.
    DayNumber movePastHolidaysAndWeekend(DayNumber date) const;

  private:
    std::vector<MonthDay> everyYear_;
    std::vector<YearHolidays> singleYears_;
    // Shared: calendars are copied with every calculation, the list never changes.
    std::shared_ptr<const OfficialHolidays> official_;
};

// The move with the default calendar.
DayNumber MovePastHolidaysAndWeekend(DayNumber date);

}  // namespace core
