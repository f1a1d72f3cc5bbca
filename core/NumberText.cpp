#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace core {
namespace {

// A finite non-zero double as a decimal: value = d1.d2d3... x 10^exponent.
struct DecimalExpansion {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

DecimalExpansion expand(double value, int significantDigits) {
    // to_chars gives printf's correctly rounded digits without looking at the locale.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer - 1, value,
                                   std::chars_format::scientific, significantDigits - 1);
    *end.ptr = 0;
    DecimalExpansion result;
    const char* p = buffer;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') result.digits += *p;
    }
    if (*p == 'e') result.exponent = std::atoi(p + 1);
    return result;
}

void incrementDecimalString(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The value to 15 significant digits, the halfway cases decided on its 18-digit expansion
// and away from zero, as the two-decimal rounding decides them: a value that is exactly
// halfway in decimal is not pushed to the even side by its binary form.
DecimalExpansion expand15(double value) {
    constexpr std::size_t kKept = 15;
    DecimalExpansion x = expand(value, 18);
    const bool up = x.digits.size() > kKept && x.digits[kKept] >= '5';
    x.digits.resize(std::min(x.digits.size(), kKept));
    if (up) {
        incrementDecimalString(x.digits);
        if (x.digits.size() > kKept) {  // 999... carried into a new leading digit
            x.digits.pop_back();
            ++x.exponent;
        }
    }
    return x;
}

// The expansion scaled by 10^places and rounded to an integer, halfway away from zero.
std::string roundScaled(const DecimalExpansion& x, int places) {
    const int pointAfter = x.exponent + 1 + places;
    std::string integer;
    char firstDropped = '0';
    if (pointAfter <= 0) {
        integer = "0";
        if (pointAfter == 0) firstDropped = x.digits.front();
    } else if (pointAfter >= static_cast<int>(x.digits.size())) {
        integer = x.digits + std::string(pointAfter - x.digits.size(), '0');
    } else {
        integer = x.digits.substr(0, pointAfter);
        firstDropped = x.digits[pointAfter];
    }
    if (firstDropped >= '5') incrementDecimalString(integer);
    const auto firstNonZero = integer.find_first_not_of('0');
    return firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
}

QString grouped(const std::string& integerDigits, QChar separator) {
    QString out;
    const int n = static_cast<int>(integerDigits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0 && !separator.isNull()) out += separator;
        out += QLatin1Char(integerDigits[i]);
    }
    return out;
}

QString nonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

enum class Digits { Eighteen, Fifteen };

QString formatFixed(double value, Digits digits, int places, const Separators& seps) {
    if (!std::isfinite(value)) return nonFinite(value);
    std::string scaled = "0";
    bool negative = false;
    if (value != 0) {
        const DecimalExpansion x = digits == Digits::Fifteen ? expand15(value) : expand(value, 18);
        scaled = roundScaled(x, places);
        negative = x.negative && scaled != "0";
    }
    if (static_cast<int>(scaled.size()) <= places) {
        scaled.insert(0, places + 1 - scaled.size(), '0');
    }
    const std::string integerPart = scaled.substr(0, scaled.size() - places);
    QString text = negative ? QStringLiteral("-") : QString();
    text += grouped(integerPart, seps.thousands);
    if (places > 0) {
        text += seps.decimal;
        text += QString::fromLatin1(scaled.substr(scaled.size() - places));
    }
    return text;
}

}  // namespace

QString FormatAmount(double value, const Separators& seps) {
    return formatFixed(value, Digits::Eighteen, 2, seps);
}

QString FormatAmount15(double value, const Separators& seps) {
    return formatFixed(value, Digits::Fifteen, 2, seps);
}

QString FormatGroupedInteger(double value, const Separators& seps) {
    return formatFixed(value, Digits::Eighteen, 0, seps);
}

QString GeneralText(double value, const Separators& seps) {
    if (!std::isfinite(value)) return nonFinite(value);
    if (value == 0) return QStringLiteral("0");
    // Whole numbers below 10^15 have at most 15 digits: written exactly as integers.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        return QString::number(static_cast<qlonglong>(value));
    }
    DecimalExpansion x = expand15(value);
    while (x.digits.size() > 1 && x.digits.back() == '0') x.digits.pop_back();
    QString text = x.negative ? QStringLiteral("-") : QString();
    const auto digits = QString::fromLatin1(x.digits);
    if (x.exponent >= 15 || x.exponent < -5) {
        text += digits.left(1);
        if (digits.size() > 1) text += seps.decimal + digits.mid(1);
        text += QStringLiteral("E") + QString::number(x.exponent);
    } else if (x.exponent >= 0) {
        const int integerDigits = x.exponent + 1;
        text += digits.left(integerDigits).leftJustified(integerDigits, QLatin1Char('0'));
        if (digits.size() > integerDigits) text += seps.decimal + digits.mid(integerDigits);
    } else {
        text +=
            QLatin1Char('0') + seps.decimal + QString(-x.exponent - 1, QLatin1Char('0')) + digits;
    }
    return text;
}

}  // namespace core
