#pragma once

class QWidget;

namespace ui {

// Moves the focus to the next control in tab order, as the Tab key would.
void MoveFocusToNext(QWidget* from);

}  // namespace ui
