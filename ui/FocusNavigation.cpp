#include "ui/FocusNavigation.h"

#include <QWidget>

namespace ui {

void MoveFocusToNext(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && next->isVisible() &&
            next->isEnabled() && next->window() == from->window() && !next->focusProxy()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace ui
