#pragma once

#include <vector>

#include "core/DayNumber.h"

namespace core {

// The non-working days a repayment's value date is moved past: holidays on the same day
// every year, holidays of single years (the religious ones move each year), and weekends.
class HolidayCalendar {
  public:
    struct MonthDay {
        int month;
        int day;
    };
    struct YearHolidays {
        int year;
        std::vector<MonthDay> days;
    };

    HolidayCalendar(std::vector<MonthDay> everyYear, std::vector<YearHolidays> singleYears);

    // The program's own table of Turkish public holidays.
    static const HolidayCalendar& Default();

    // Moves a date past the holidays (each tested once, in calendar order, against the date
    // as the earlier tests left it) and then off a weekend.
    DayNumber movePastHolidaysAndWeekend(DayNumber date) const;

  private:
    std::vector<MonthDay> everyYear_;
    std::vector<YearHolidays> singleYears_;
};

// The move with the default calendar.
DayNumber MovePastHolidaysAndWeekend(DayNumber date);

}  // namespace core
