#include "commands/HolidayCalendarChoice.h"

#include "storage/OfficialCalendarFile.h"

namespace commands {

void UseHolidayCalendar(core::Calculation& calc, core::HolidayCalendar::Kind kind,
                        const QString& additionsPath) {
    if (kind == core::HolidayCalendar::Kind::ProgramTable) {
        calc.setHolidays(core::HolidayCalendar::Default());
        return;
    }
    storage::OfficialCalendar official = storage::LoadOfficialCalendar(additionsPath);
    calc.setHolidays(std::move(official.calendar));
    if (!official.message.isEmpty()) calc.dialogs().message(official.message);
}

}  // namespace commands
