#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "core/Calculation.h"
#include "core/CommandEnding.h"
#include "core/RecordingDialogs.h"

namespace cli {

// The JSON object of a calculation after a command: fields, rows, totals, messages and how
// the command ended; `rate` adds the "rate" member (find-rate), `namesCalendar` the
// "calendar" member ("official" or "program"), left out where scripts written before the
// choice existed would not expect it.
QByteArray CalculationJson(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                           const core::CommandEnding& ending,
                           const std::optional<std::optional<QString>>& rate = std::nullopt,
                           bool namesCalendar = false);

// The JSON name of the calendar the calculation moves repayments past.
QString CalendarName(const core::Calculation& calc);

// The eight totals with their on-screen labels, one per line; the hidden total of the
// interest numbers has none on screen and is named after the column it sums.
QByteArray PlainTotals(const core::TableTotals& totals);

}  // namespace cli
