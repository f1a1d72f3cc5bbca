#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "ui/common/FileChooser.h"

// A file dialog that answers every open with one file and refuses every save.
class OpenOnlyChooser : public ui::FileChooser {
  public:
    explicit OpenOnlyChooser(QString path) : path_(std::move(path)) {}
    std::optional<QString> chooseSavePath(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenPath() override { return path_; }

  private:
    QString path_;
};
