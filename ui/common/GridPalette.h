#pragma once

#include <QColor>

// The colours of the program's grids, in one place. The main window's table and the import
// window's sheet stripe their rows with the same two colours, each beginning with the other:
// the table's first row is yellow, the sheet's first row blue.
namespace ui::palette {

inline const QColor kYellowRow{249, 255, 225};
inline const QColor kBlueRow{223, 235, 255};
inline const QColor kFixedCell{211, 231, 211};  // the table's fixed first row and column
inline const QColor kFixedCellLine{160, 160, 160};
inline const QColor kValueDateText{0, 0, 255};
inline const QColor kSheetHeader{136, 236, 176};
inline const QColor kMarkedCell{190, 215, 250};  // cells marked for copying

// `row` counts from 1, as the table's and the sheet's own rows do.
inline const QColor& TableRowColour(int row) { return row % 2 == 1 ? kYellowRow : kBlueRow; }
inline const QColor& SheetRowColour(int row) { return row % 2 == 1 ? kBlueRow : kYellowRow; }

}  // namespace ui::palette
