#pragma once

#include <QString>

namespace ui {

// Appended to the main window's title and shown after "Version" in the status bars.
inline const QString kVersionText = QStringLiteral(" 2.0 Güncelleme:0");

// The maker, shown by the home-page link and the status bar.
inline const QString kMakerName = QStringLiteral("Durvex Yazılım");
inline const QString kMakerLine = QStringLiteral("Durvex Yazılım Ltd. Şti.");
inline const QString kMakerSiteLine = QStringLiteral("www.durvex.com.tr");
inline const QString kMakerHomePage = QStringLiteral("https://www.durvex.com.tr");

}  // namespace ui
