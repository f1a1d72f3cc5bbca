#include "core/FixedWidthText.h"

namespace core {

QString Substring(const QString& text, int start, int count) { return text.mid(start - 1, count); }

QString PadLeft(std::uint16_t width, const QString& text) {
    if (text.size() >= width) return text;
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString PadRight(std::uint16_t width, const QString& text) {
    if (text.size() >= width) return text;
    return text + QString(width - text.size(), QLatin1Char(' '));
}

}  // namespace core
