#pragma once

#include <optional>

#include "core/Calculation.h"

namespace core {

// "FAİZLERİ DEĞİŞTİR": the annual rate field's text into column 7 of every row.
void ChangeRates(Calculation& calc);

// "FAİZ ORANINI BUL": the annual rate that yields the typed total interest, rounded to five
// decimals, applied on Yes. Returns the rate found, or nothing when it ended before.
std::optional<double> FindRate(Calculation& calc);

// Rounds to five decimals, a halfway product going to the even neighbour.
double RoundRateToFiveDecimals(double value);

}  // namespace core
