#pragma once

#include <QString>

namespace core {

// A typed year part with its century: 5 gives 2005, 19 gives 2019, 987 gives 1987, and a
// year whose digits read as 0 or as four digits stays as it is.
QString YearWithCentury(const QString& year);

}  // namespace core
