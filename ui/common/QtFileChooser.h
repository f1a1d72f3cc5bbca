#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/common/FileChooser.h"

namespace ui {

// The save and open dialogs of calculation files, starting in the given folder.
class QtFileChooser : public FileChooser {
  public:
    explicit QtFileChooser(QString folder) : folder_(std::move(folder)) {}
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    std::optional<QString> chooseSavePath(const QString& proposedName) override;
    std::optional<QString> chooseOpenPath() override;

  private:
    QString folder_;
    QPointer<QWidget> parent_;
};

}  // namespace ui
