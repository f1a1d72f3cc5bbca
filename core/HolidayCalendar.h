#pragma once

#include "core/DayNumber.h"

namespace core {

// Moves a repayment value date past the fixed and single-year holidays (each tested once,
// in calendar order) and then off a weekend.
DayNumber MovePastHolidaysAndWeekend(DayNumber date);

}  // namespace core
