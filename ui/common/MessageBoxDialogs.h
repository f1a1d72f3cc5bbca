#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QFont;
class QWindow;

#include "core/UserDialogs.h"

namespace ui {

// Messages and questions of the commands as modal message boxes over the program's window the
// user works in (the import window, say), else over the main window.
class MessageBoxDialogs : public core::UserDialogs {
  public:
    // The least width of a box whose title bar shows `caption` whole.
    static int minimumWidthFor(const QString& caption, const QFont& font);

    // Also follows which of the program's windows the user works in, for the moments
    // between windows (a dialog just closed) when none is active.
    void setParentWidget(QWidget* parent);

    void notify(const core::Notice& notice) override;
    core::DialogButton ask(const core::Question& question) override;

  private:
    QWidget* over() const;
    void follow(QWindow* focused);

    QPointer<QWidget> parent_;
    QPointer<QWidget> workedIn_;
    QObject focusTracking_;  // the following of the focus ends with these dialogs
};

}  // namespace ui
