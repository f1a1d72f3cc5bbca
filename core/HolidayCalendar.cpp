#include "core/HolidayCalendar.h"

#include <utility>

#include "core/HolidayListText.h"
#include "core/ShippedHolidays.h"

namespace core {
namespace {

// A date being moved day by day, with its calendar date worked out again only after a move.
class MovingDate {
  public:
    explicit MovingDate(DayNumber date) : date_(date), civil_(CivilFromDays(date)) {}

    DayNumber date() const { return date_; }
    int year() const { return civil_.year; }
    // Each holiday is tested once against the date as the earlier tests left it.
    void skipIfOn(const HolidayCalendar::MonthDay& holiday) {
        if (civil_.month != holiday.month || civil_.day != holiday.day) return;
        ++date_;
        civil_ = CivilFromDays(date_);
    }

  private:
    DayNumber date_;
    CivilDate civil_;
};

}  // namespace

HolidayCalendar::HolidayCalendar(std::vector<MonthDay> everyYear,
                                 std::vector<YearHolidays> singleYears)
    : everyYear_(std::move(everyYear)), singleYears_(std::move(singleYears)) {}

HolidayCalendar::HolidayCalendar(OfficialHolidays official)
    : official_(std::make_shared<const OfficialHolidays>(std::move(official))) {}

const HolidayCalendar& HolidayCalendar::Default() {
    static const HolidayCalendar calendar(
        {{1, 1}, {4, 23}, {5, 1}, {5, 19}, {8, 30}, {10, 29}},
        {
            {2016, {{7, 5}, {7, 6}, {7, 7}, {9, 12}, {9, 13}, {9, 14}, {9, 15}}},
            {2017, {{6, 25}, {6, 26}, {6, 27}, {9, 1}, {9, 2}, {9, 3}, {9, 4}}},
            {2018, {{6, 15}, {6, 16}, {6, 17}, {8, 21}, {8, 22}, {8, 23}, {8, 24}}},
            {2019, {{6, 5}, {6, 6}, {6, 7}, {8, 11}, {8, 12}, {8, 13}, {8, 14}}},
        });
    return calendar;
}

const HolidayCalendar& HolidayCalendar::ShippedOfficial() {
    static const HolidayCalendar calendar(
        ReadHolidayList(QString::fromUtf8(ShippedHolidayListText())).holidays);
    return calendar;
}

DayNumber HolidayCalendar::movePastHolidaysAndWeekend(DayNumber date) const {
    if (official_) return official_->nextWorkingDay(date);
    MovingDate moving(date);
    for (const MonthDay& h : everyYear_) moving.skipIfOn(h);
    for (const YearHolidays& y : singleYears_) {
        if (moving.year() != y.year) continue;
        for (const MonthDay& h : y.days) moving.skipIfOn(h);
    }
    date = moving.date();
    switch (IsoWeekday(date)) {
        case 7:
            return date + 1;
        case 6:
            return date + 2;
        default:
            return date;
    }
}

DayNumber MovePastHolidaysAndWeekend(DayNumber date) {
    return HolidayCalendar::Default().movePastHolidaysAndWeekend(date);
}

}  // namespace core
