#pragma once

#include <QByteArray>
#include <optional>

#include "core/Calculation.h"

namespace commands {

// What the calculation held when it was last opened or saved (or when the program started),
// as the file's bytes, so that it counts as changed exactly when saving it would write
// something else: a change typed and undone again leaves it unchanged.
class SavedContent {
  public:
    // Takes the calculation as it stands as the saved state.
    void remember(const core::Calculation& calc);
    // Takes a file's bytes as the saved state (nothing: no saved state, all is unsaved).
    void rememberBytes(std::optional<QByteArray> bytes) { bytes_ = std::move(bytes); }
    // True when saving now would write other bytes than the saved state (or could not
    // write them at all).
    bool differs(const core::Calculation& calc) const;

  private:
    std::optional<QByteArray> bytes_;
};

}  // namespace commands
