#pragma once

#include <QString>
#include <vector>

#include "core/OfficialHolidays.h"

namespace core {

// A line of a holiday list that could not be read, for the message that names it.
struct UnreadHolidayLine {
    int number;    // 1-based
    QString text;  // the line from the file, shortened when long
};

struct HolidayList {
    OfficialHolidays holidays;
    std::vector<UnreadHolidayLine> unread;
};

// Reads a holiday list, a day a line: "dd.mm.yyyy Name" for a day of one year, "dd.mm Name"
// for a day of every year, "dd.mm yyyy'den Name" (or 'dan) for every year from then on.
// Lines starting with "#" and blank lines are comments. Any other line, and a date that is
// no real date or lies outside the years the program calculates in, is left out and listed.
HolidayList ReadHolidayList(const QString& text);

// The message naming the lines of `file` that were left out; empty when there are none.
QString UnreadHolidayLinesMessage(const QString& file,
                                  const std::vector<UnreadHolidayLine>& unread);

}  // namespace core
