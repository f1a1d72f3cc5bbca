#pragma once

#include <QObject>
#include <functional>

#include "core/Separators.h"
#include "core/UserDialogs.h"

class QKeyEvent;
class QLineEdit;

namespace ui {

// How an input field of the main window takes keys and focus.
struct FieldRules {
    enum class Keys {
        Free,     // every key; Enter moves on
        Rate,     // digits, Backspace, decimal separator; Enter moves on
        Day,      // digits, Backspace; Enter moves on
        Grouped,  // live thousands grouping; Enter stays
        ReadOnly  // Enter moves on
    };
    Keys keys = Keys::Free;
    int maxTypedLength = 0;                // 0: no limit; the program may still set longer texts
    bool focusColour = true;               // yellow while it has the focus
    std::function<void()> onEnter;         // focus arrives
    std::function<void()> onLeave;         // focus leaves
    std::function<void()> onTextReplaced;  // a key filter rewrote the text
};

// Applies FieldRules to one line edit: filters each typed key before the field sees it,
// paints the focus colour and runs the focus hooks.
class FieldBehaviour : public QObject {
    Q_OBJECT
  public:
    FieldBehaviour(QLineEdit* field, FieldRules rules, core::Separators seps,
                   core::UserDialogs& dialogs);

    static const QColor& focusColour();

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    bool filterKey(QKeyEvent& event);
    bool exceedsLength(QChar key) const;
    bool isNumberField() const;

    QLineEdit* field_;
    FieldRules rules_;
    core::Separators seps_;
    core::UserDialogs& dialogs_;
    bool selectOnClick_ = false;
};

// Enter moves on from a tick box or the date picker.
class EnterMovesOn : public QObject {
    Q_OBJECT
  public:
    explicit EnterMovesOn(QWidget* control);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

// Tab and Shift+Tab leave a control that would otherwise take them for itself (the date
// picker walks its day, month and year on Tab): one Tab stop, the arrow keys within.
class OneTabStop : public QObject {
    Q_OBJECT
  public:
    explicit OneTabStop(QWidget* control);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

}  // namespace ui
