#pragma once

#include <QString>

namespace core {

// The program's version as the title, the status bars and the report heading show it.
inline const QString kVersionText = QStringLiteral(" 2.0 Güncelleme:0");

}  // namespace core
