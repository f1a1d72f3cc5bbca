#pragma once

#include <QString>

#include "core/Calculation.h"
#include "core/HolidayCalendar.h"

namespace commands {

// Puts the chosen holiday calendar into the calculation: the program's own table, or the
// official calendar with the user's additions from `additionsPath` merged in (what is wrong
// with that file is told through the calculation's dialogs).
void UseHolidayCalendar(core::Calculation& calc, core::HolidayCalendar::Kind kind,
                        const QString& additionsPath);

}  // namespace commands
