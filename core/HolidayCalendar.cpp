#include "core/HolidayCalendar.h"

#include <array>

namespace core {
namespace {

struct MonthDay {
    int month;
    int day;
};

constexpr std::array<MonthDay, 6> kFixedHolidays{
    {{1, 1}, {4, 23}, {5, 1}, {5, 19}, {8, 30}, {10, 29}}};

struct YearHolidays {
    int year;
    std::array<MonthDay, 7> days;
};

// Religious holidays, which move every year, for the years the calendar knows.
constexpr std::array<YearHolidays, 4> kYearHolidays{{
    {2016, {{{7, 5}, {7, 6}, {7, 7}, {9, 12}, {9, 13}, {9, 14}, {9, 15}}}},
    {2017, {{{6, 25}, {6, 26}, {6, 27}, {9, 1}, {9, 2}, {9, 3}, {9, 4}}}},
    {2018, {{{6, 15}, {6, 16}, {6, 17}, {8, 21}, {8, 22}, {8, 23}, {8, 24}}}},
    {2019, {{{6, 5}, {6, 6}, {6, 7}, {8, 11}, {8, 12}, {8, 13}, {8, 14}}}},
}};

// Each holiday is tested once against the date as the earlier tests left it.
DayNumber skipIfOn(DayNumber date, int month, int day) {
    const CivilDate c = CivilFromDays(date);
    return c.month == month && c.day == day ? date + 1 : date;
}

}  // namespace

DayNumber MovePastHolidaysAndWeekend(DayNumber date) {
    for (const MonthDay& h : kFixedHolidays) date = skipIfOn(date, h.month, h.day);
    for (const YearHolidays& y : kYearHolidays) {
        if (CivilFromDays(date).year != y.year) continue;
        for (const MonthDay& h : y.days) date = skipIfOn(date, h.month, h.day);
    }
    switch (IsoWeekday(date)) {
        case 7:
            return date + 1;
        case 6:
            return date + 2;
        default:
            return date;
    }
}

}  // namespace core
