#pragma once

#include <QDate>
#include <QString>

namespace core {

// Dates as whole day numbers (days since 1970-01-01), so periods are plain differences.
using DayNumber = long long;

constexpr DayNumber DaysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return static_cast<DayNumber>(era) * 146097 + static_cast<DayNumber>(doe) - 719468;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

CivilDate CivilFromDays(DayNumber days);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Monday = 1 ... Sunday = 7.
int IsoWeekday(DayNumber days);

DayNumber DayNumberOf(const QDate& date);

// The date a number of days later; a result past 31.12.9999 is refused, naming the days
// text, rather than written as a date no one can read back.
DayNumber AddDays(DayNumber date, double days, const QString& daysText);

}  // namespace core
