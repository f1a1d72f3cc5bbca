#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

#include "core/Calculation.h"

namespace commands {

// What the calculation held when it was last opened or saved (or when the program started),
// so that it counts as changed exactly when saving it would write other bytes than that
// state's file: a change typed and undone again leaves it unchanged.
class SavedContent {
  public:
    // Takes the calculation as it stands as the saved state.
    void remember(const core::Calculation& calc);
    // Takes a file's bytes as the saved state (nothing: no saved state, all is unsaved).
    void rememberBytes(std::optional<QByteArray> bytes);
    // True when saving now would write other bytes than the saved state (or could not
    // write them at all).
    bool differs(const core::Calculation& calc) const;
    // What differs() says of the calculation just remembered, without comparing it again:
    // a saved state that cannot be written differs from everything, itself included.
    bool unwritable() const { return !items_ ? !bytes_ : !isWritable(*items_); }

  private:
    // The saved state's items as the file holds them, so that a check costs a comparison of
    // texts (mostly shared with the calculation's own) instead of encoding the whole file.
    struct Items {
        QStringList header;
        core::TransactionTable table;
        // Whether the state could be written at all; found on the first check that needs it.
        mutable std::optional<bool> writable;
    };
    static bool itemsDiffer(const Items& saved, const core::Calculation& calc);
    static bool isWritable(const Items& items);

    std::optional<Items> items_;       // kept by remember()
    std::optional<QByteArray> bytes_;  // kept by rememberBytes()
};

}  // namespace commands
