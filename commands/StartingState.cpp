#include "commands/StartingState.h"

#include "commands/HolidayCalendarChoice.h"
#include "core/CommandEnding.h"
#include "storage/OfficialCalendarFile.h"
#include "storage/Settings.h"

namespace commands {

bool EnterStartingState(core::Calculation& calc, const std::optional<QString>& settingsPath,
                        const QDate& today) {
    bool settingsRead = true;
    if (settingsPath) {
        settingsRead = core::RunReportingFailure(calc.dialogs(), [&] {
                           storage::ReadMainSettings(calc, *settingsPath);
                       }).completed();
        if (settingsRead) {
            UseHolidayCalendar(calc, storage::ReadHolidayCalendarChoice(*settingsPath),
                               storage::HolidayAdditionsFile(*settingsPath));
        }
    }
    // The drawing options are not offered on screen; a value left in a settings file must
    // not change any calculation.
    calc.inputs().drawingExtraDays.clear();
    calc.inputs().moveDrawingsPastHolidays = false;
    calc.inputs().calculationDate = today;
    return settingsRead;
}

}  // namespace commands
