#pragma once

#include <QString>

namespace ui {

// The help texts and the user guide, files beside the program.
inline const QString kCalculationHelpFile = QStringLiteral("yardimrotatif");
inline const QString kImportHelpFile = QStringLiteral("yardimexlr");
inline const QString kUserGuideFile = QStringLiteral("Durvex_Rotatif_Kredi_Kullanim.pdf");

// Where a help text or the user guide is read from: beside the program, or in the data tree
// of an installed program; never the current folder, which for a program started from a
// desktop menu is another one.
QString HelpFilePath(const QString& programFolder, const QString& fileName);

}  // namespace ui
