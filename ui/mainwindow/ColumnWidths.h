#pragma once

namespace ui {

// The width in pixels a table column starts with on screen; -1 for the columns the grid
// hides (days, period interest, period tax, interest number, sort key), which keep their
// values but are never drawn.
int StartingColumnWidth(int tableColumn);

}  // namespace ui
