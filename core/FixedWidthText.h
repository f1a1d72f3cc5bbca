#pragma once

#include <QString>
#include <cstdint>

namespace core {

// Fills a text with spaces to `width` characters on the left or right; a longer text is kept
// whole.
QString PadLeft(std::uint16_t width, const QString& text);
QString PadRight(std::uint16_t width, const QString& text);

// 1-based substring, as date parts are taken by position; short texts give short parts.
QString Substring(const QString& text, int start, int count);

}  // namespace core
