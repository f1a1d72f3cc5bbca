#pragma once

#include <QPointer>
#include <QWidget>

#include "core/UserDialogs.h"

namespace ui {

// Messages and questions of the commands as modal message boxes over the main window.
class MessageBoxDialogs : public core::UserDialogs {
  public:
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void notify(const core::Notice& notice) override;
    core::DialogButton ask(const core::Question& question) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace ui
