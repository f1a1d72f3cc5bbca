#pragma once

#include <QString>

#include "core/Calculation.h"

namespace core {

// Why a repayment's value date lies after the date it counts from (its transaction date,
// plus the extra days when they are set): the holiday or weekend day that date fell on and
// the working day it moved to, such as "Kurban Bayramı 1. gün → 01.06.2026". Empty unless
// the official calendar moved it. The program's own table names no holidays.
QString ValueDateMoveReason(const Calculation& calc, int row);

}  // namespace core
