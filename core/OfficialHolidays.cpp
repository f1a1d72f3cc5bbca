#include "core/OfficialHolidays.h"

#include "core/DateText.h"
#include "core/Errors.h"

namespace core {
namespace {

// Far more than any run of holidays and weekends; only a list that marks every day gets here.
constexpr int kLongestMove = 3 * 366;

void appendName(QString& names, const QString& name) {
    if (names.contains(name)) return;
    if (!names.isEmpty()) names += QStringLiteral(", ");
    names += name;
}

bool isWeekend(DayNumber date) { return IsoWeekday(date) >= 6; }

}  // namespace

void OfficialHolidays::addDay(DayNumber date, const QString& name) {
    appendName(days_[date], name);
    announcedYears_.insert(CivilFromDays(date).year);
}

void OfficialHolidays::addEveryYear(int month, int day, int fromYear, const QString& name) {
    for (EveryYear& known : everyYear_) {
        if (known.month == month && known.day == day && known.fromYear == fromYear) {
            appendName(known.name, name);
            return;
        }
    }
    everyYear_.push_back({month, day, fromYear, name});
}

void OfficialHolidays::merge(const OfficialHolidays& other) {
    for (const auto& [date, name] : other.days_) appendName(days_[date], name);
    for (const EveryYear& e : other.everyYear_) addEveryYear(e.month, e.day, e.fromYear, e.name);
    announcedYears_.insert(other.announcedYears_.begin(), other.announcedYears_.end());
}

QString OfficialHolidays::holidayName(DayNumber date) const {
    QString names;
    const CivilDate civil = CivilFromDays(date);
    for (const EveryYear& e : everyYear_) {
        if (e.month == civil.month && e.day == civil.day && civil.year >= e.fromYear) {
            appendName(names, e.name);
        }
    }
    if (const auto found = days_.find(date); found != days_.end()) appendName(names, found->second);
    return names;
}

DayNumber OfficialHolidays::nextWorkingDay(DayNumber date) const {
    for (DayNumber day = date; day <= date + kLongestMove; ++day) {
        if (!isWeekend(day) && !isHoliday(day)) return day;
    }
    throw CommandFailure(
        QStringLiteral("Resmî tatil takviminde %1 tarihinden sonraki %2 günün hiçbiri "
                       "iş günü değil; tatil listesini düzeltin")
            .arg(ShortDateText(date))
            .arg(kLongestMove));
}

QString MissingHolidayYearNotice(int year, const QString& additionsFile) {
    return QStringLiteral(
               "Resmî tatil takviminde %1 yılının bayram günleri yok: bu yıldaki geri ödemelerin "
               "valörü yalnız hafta sonlarına ve her yıl aynı gün olan tatillere göre "
               "kaydırıldı. Tarihler açıklandığında sonuç değişebilir.\n"
               "Yılı eklemek için bayram günlerini \"GG.AA.YYYY Adı\" biçiminde, her satıra bir "
               "gün, şu dosyaya yazın: %2")
        .arg(year)
        .arg(additionsFile);
}

}  // namespace core
