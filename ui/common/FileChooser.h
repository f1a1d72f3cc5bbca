#pragma once

#include <QString>
#include <optional>

namespace ui {

// The two file dialogs of the calculation file commands; nothing when cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> chooseSavePath(const QString& proposedName) = 0;
    virtual std::optional<QString> chooseOpenPath() = 0;
};

}  // namespace ui
