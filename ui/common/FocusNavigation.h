#pragma once

class QWidget;

namespace ui {

// Moves the focus to the next control in tab order, as the Tab key would.
void MoveFocusToNext(QWidget* from);

// Moves the focus to the next (or previous) control outside `container` and its children,
// as Ctrl+Tab leaves a widget that takes Tab for itself.
void MoveFocusOutOf(QWidget* container, bool forward);

}  // namespace ui
