#include "sheets/PlainNumbers.h"

#include <charconv>

namespace sheets {
namespace {

// The count of ASCII digits at the start of `text`.
std::size_t leadingDigits(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') ++n;
    return n;
}

}  // namespace

std::optional<int> PlainDigits(std::string_view text) {
    if (text.empty() || text.size() > 9 || leadingDigits(text) != text.size()) return std::nullopt;
    int value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
}

std::optional<double> PlainDecimal(std::string_view text) {
    constexpr std::size_t kMostDigits = 17;
    std::string_view rest = text;
    if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    const std::size_t whole = leadingDigits(rest);
    if (whole == 0 || whole > kMostDigits) return std::nullopt;
    rest.remove_prefix(whole);
    if (!rest.empty()) {
        if (rest.front() != '.') return std::nullopt;
        rest.remove_prefix(1);
        const std::size_t fraction = leadingDigits(rest);
        if (fraction == 0 || fraction > kMostDigits || fraction != rest.size()) return std::nullopt;
    }
    // Both readings round correctly, so a plain decimal gives the same double either way.
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace sheets
