#include "commands/StartingState.h"

#include "core/CommandEnding.h"
#include "storage/Settings.h"

namespace commands {

void EnterStartingState(core::Calculation& calc, const std::optional<QString>& settingsPath,
                        const QDate& today) {
    if (settingsPath) {
        core::RunReportingFailure(calc.dialogs(),
                                  [&] { storage::ReadMainSettings(calc, *settingsPath); });
    }
    // The drawing options are not offered on screen; a value left in a settings file must
    // not change any calculation.
    calc.inputs().drawingExtraDays.clear();
    calc.inputs().moveDrawingsPastHolidays = false;
    calc.inputs().calculationDate = today;
}

}  // namespace commands
