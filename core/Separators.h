#pragma once

#include <QChar>

namespace core {

// The regional conventions every text routine works with. Never taken from the machine's
// locale: the program is made for the Turkish conventions, whatever LANG says.
struct Separators {
    QChar decimal = QLatin1Char(',');
    QChar thousands = QLatin1Char('.');
    QChar date = QLatin1Char('.');

    static constexpr Separators turkish() { return {}; }

    bool operator==(const Separators&) const = default;
};

}  // namespace core
