#include "ui/common/FocusNavigation.h"

#include <QWidget>

namespace ui {

namespace {

bool TakesTabFocus(const QWidget* widget, const QWidget* from) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isVisible() &&
           widget->isEnabled() && widget->window() == from->window() && !widget->focusProxy();
}

}  // namespace

void MoveFocusToNext(QWidget* from) {
    for (QWidget* next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if (TakesTabFocus(next, from)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void MoveFocusOutOf(QWidget* container, bool forward) {
    const auto step = [forward](QWidget* w) {
        return forward ? w->nextInFocusChain() : w->previousInFocusChain();
    };
    for (QWidget* next = step(container); next && next != container; next = step(next)) {
        if (container->isAncestorOf(next)) continue;
        if (TakesTabFocus(next, container)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}  // namespace ui
