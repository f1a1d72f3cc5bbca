#pragma once

#include <optional>
#include <string_view>

namespace sheets {

// Fast readings of the numbers a workbook writes in their plainest form, straight from the
// XML's bytes. Each gives nothing for any other text (signs, spaces, exponents, other
// digits), which the caller then reads the general way; where they give a value it is the
// one the general reading gives.

// One to nine ASCII digits: a row, a style or a string index.
std::optional<int> PlainDigits(std::string_view text);

// An optional minus, one to 17 digits and optionally a point with one to 17 more: the value
// correctly rounded, as QString::toDouble reads it.
std::optional<double> PlainDecimal(std::string_view text);

}  // namespace sheets
