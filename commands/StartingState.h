#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "core/Calculation.h"

namespace commands {

// Puts a calculation into the state of a freshly started main window: the settings file,
// when one is given, read into the table inputs (a failure reported as the window reports
// it) and its holiday calendar chosen (the user's additions beside it), the two hidden
// drawing options cleared, and the calculation date set to `today`.
// False when the settings file could not be read (the failure was reported).
bool EnterStartingState(core::Calculation& calc, const std::optional<QString>& settingsPath,
                        const QDate& today);

}  // namespace commands
