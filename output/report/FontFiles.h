#pragma once

#include <QString>
#include <optional>

namespace report {

// The font file the system's font configuration chooses for a family, regular or bold, as the
// window's text drawing chooses it. Nothing when the system has no font configuration.
std::optional<QString> FontFileFor(const QString& family, bool bold);

}  // namespace report
