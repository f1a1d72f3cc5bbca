#include "ui/common/FieldBehaviour.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "core/CommandEnding.h"
#include "core/KeyFilters.h"
#include "ui/common/FocusNavigation.h"
#include "ui/common/TypedCharacter.h"

namespace ui {
namespace {

void paintBase(QLineEdit* field, const QColor& colour) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

bool isEnter(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

}  // namespace

const QColor& FieldBehaviour::focusColour() {
    static const QColor colour(255, 255, 0);
    return colour;
}

FieldBehaviour::FieldBehaviour(QLineEdit* field, FieldRules rules, core::Separators seps,
                               core::UserDialogs& dialogs)
    : QObject(field), field_(field), rules_(std::move(rules)), seps_(seps), dialogs_(dialogs) {
    field->installEventFilter(this);
}

bool FieldBehaviour::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
            if (rules_.focusColour) paintBase(field_, focusColour());
            selectOnClick_ = isNumberField() &&
                             static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            if (rules_.onEnter) rules_.onEnter();
            return false;
        case QEvent::MouseButtonPress:
            // The click that brought the focus selects the text, as Tab does: typing
            // replaces the number instead of landing beside it.
            if (!selectOnClick_ || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            selectOnClick_ = false;
            field_->selectAll();
            return true;
        case QEvent::FocusOut:
            selectOnClick_ = false;
            if (rules_.focusColour) paintBase(field_, Qt::white);
            if (rules_.onLeave) rules_.onLeave();
            return false;
        case QEvent::KeyPress: {
            bool eaten = true;
            core::RunReportingFailure(dialogs_,
                                      [&] { eaten = filterKey(static_cast<QKeyEvent&>(*event)); });
            return eaten;
        }
        default:
            return false;
    }
}

bool FieldBehaviour::isNumberField() const {
    return rules_.keys == FieldRules::Keys::Rate || rules_.keys == FieldRules::Keys::Day ||
           rules_.keys == FieldRules::Keys::Grouped;
}

// The field's typing limit holds for keys only, as an edit control's limit does.
bool FieldBehaviour::exceedsLength(QChar key) const {
    if (rules_.maxTypedLength <= 0 || key == core::kBackspace || key == core::kEnter) return false;
    return field_->text().size() - field_->selectedText().size() >= rules_.maxTypedLength;
}

// Returns true when the key is eaten.
bool FieldBehaviour::filterKey(QKeyEvent& event) {
    const auto typed = TypedCharacter(event);
    if (!typed) return false;
    const QChar key = *typed;
    core::KeyDecision decision;
    switch (rules_.keys) {
        case FieldRules::Keys::Free:
        case FieldRules::Keys::ReadOnly:
            if (key == core::kEnter) decision = {false, true, std::nullopt, 0};
            break;
        case FieldRules::Keys::Rate:
            decision = core::FilterRateKey(key, seps_);
            break;
        case FieldRules::Keys::Day:
            decision = core::FilterDayKey(key);
            break;
        case FieldRules::Keys::Grouped:
            decision = core::FilterGroupedKey(
                key, field_->text(),
                field_->selectionStart() < 0 ? field_->cursorPosition() : field_->selectionStart(),
                field_->selectedText().size(), seps_);
            break;
    }
    if (decision.text) {
        field_->setText(*decision.text);
        field_->deselect();
        field_->setCursorPosition(std::max(0, int(field_->text().size()) - decision.caretFromEnd));
        if (rules_.onTextReplaced) rules_.onTextReplaced();
    }
    if (decision.moveFocus) {
        MoveFocusToNext(field_);
        return true;
    }
    if (!decision.accepted || exceedsLength(key)) return true;
    // Enter in a field that keeps the focus does nothing more.
    return isEnter(event);
}

EnterMovesOn::EnterMovesOn(QWidget* control) : QObject(control) {
    control->installEventFilter(this);
}

bool EnterMovesOn::eventFilter(QObject* object, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent&>(*event))) {
        return false;
    }
    MoveFocusToNext(static_cast<QWidget*>(object));
    return true;
}

OneTabStop::OneTabStop(QWidget* control) : QObject(control) { control->installEventFilter(this); }

bool OneTabStop::eventFilter(QObject* object, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto& key = static_cast<QKeyEvent&>(*event);
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab) return false;
    MoveFocusOutOf(static_cast<QWidget*>(object), key.key() == Qt::Key_Tab);
    return true;
}

}  // namespace ui
