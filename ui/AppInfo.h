#pragma once

#include <QString>

#include "core/VersionText.h"

namespace ui {

// Appended to the main window's title, shown after "Version" in the status bars and used in
// the report heading.
using core::kVersionText;

// The maker, shown by the home-page link and the status bar.
inline const QString kMakerName = QStringLiteral("Durvex Yazılım");
inline const QString kMakerLine = QStringLiteral("Durvex Yazılım Ltd. Şti.");
inline const QString kMakerSiteLine = QStringLiteral("www.durvex.com.tr");
inline const QString kMakerHomePage = QStringLiteral("https://www.durvex.com.tr");

}  // namespace ui
