#pragma once

#include <QFont>

namespace ui {

// The window's typeface at a pixel size: a sans serif present on Linux desktops, close in
// width to the one the layout was drawn for.
QFont WindowFont(int pixelSize, bool bold = false);

}  // namespace ui
