#include "core/DayNumber.h"

#include "core/Errors.h"

namespace core {

CivilDate CivilFromDays(DayNumber z) {
    z += 719468;
    const DayNumber era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const auto year = static_cast<int>(static_cast<DayNumber>(yoe) + era * 400 + (month <= 2));
    return {year, static_cast<int>(month), static_cast<int>(day)};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int IsoWeekday(DayNumber days) {
    // 1970-01-01 was a Thursday (4).
    const DayNumber shifted = (days + 3) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted) + 1;
}

DayNumber DayNumberOf(const QDate& date) {
    return DaysFromCivil(date.year(), static_cast<unsigned>(date.month()),
                         static_cast<unsigned>(date.day()));
}

DayNumber AddDays(DayNumber date, double days, const QString& daysText) {
    constexpr DayNumber kLastDay = DaysFromCivil(9999, 12, 31);
    if (days > static_cast<double>(kLastDay - date)) {
        throw CommandFailure(
            QStringLiteral("\"%1\" gün eklenince tarih 31.12.9999'u aşıyor").arg(daysText));
    }
    return date + static_cast<DayNumber>(days);
}

}  // namespace core
