#pragma once

#include <QString>
#include <map>
#include <set>
#include <vector>

#include "core/DayNumber.h"

namespace core {

// Turkey's public holidays as announced: days of single years (the religious holidays move
// every year) and days that recur every year, some only from the year they were introduced.
// A year counts as announced once any day of its own is listed; in other years only the
// recurring days are known.
class OfficialHolidays {
  public:
    void addDay(DayNumber date, const QString& name);
    void addEveryYear(int month, int day, int fromYear, const QString& name);
    // Adds every day of `other`; a day listed in both keeps both names.
    void merge(const OfficialHolidays& other);

    // The names of the holidays on `date`, joined; empty on a working day.
    QString holidayName(DayNumber date) const;
    bool isHoliday(DayNumber date) const { return !holidayName(date).isEmpty(); }
    bool announced(int year) const { return announcedYears_.count(year) > 0; }
    const std::set<int>& announcedYears() const { return announcedYears_; }

    // The first day from `date` on that is neither a weekend nor a holiday: a single move
    // over any run of holidays and weekends, so moving its result again leaves it there.
    // Throws CommandFailure when no working day comes within a few years (a hand-made list that
    // marks every day).
    DayNumber nextWorkingDay(DayNumber date) const;

    // Where the user adds days and years (shown in the notice about a missing year).
    const QString& additionsFile() const { return additionsFile_; }
    void setAdditionsFile(const QString& path) { additionsFile_ = path; }

  private:
    struct EveryYear {
        int month;
        int day;
        int fromYear;
        QString name;
    };
    std::map<DayNumber, QString> days_;
    std::vector<EveryYear> everyYear_;
    std::set<int> announcedYears_;
    QString additionsFile_;
};

// The notice of a year the calendar does not hold: which year, how to add it, and that the
// dates computed may change.
QString MissingHolidayYearNotice(int year, const QString& additionsFile);

}  // namespace core
