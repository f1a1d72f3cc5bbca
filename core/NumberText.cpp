#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace core {
namespace {

// Adds one unit in the last of the `size` digits that start at buffer[first]; a carry out of
// the first digit takes the place before it (999 becomes 1000), so that place must exist.
void AddOneToLastDigit(char* buffer, int& first, int& size) {
    for (int i = first + size - 1; i >= first; --i) {
        if (buffer[i] != '9') {
            ++buffer[i];
            return;
        }
        buffer[i] = '0';
    }
    buffer[--first] = '1';
    ++size;
}

// A finite non-zero double as a decimal: value = d1.d2d3... x 10^exponent. The digits live in
// a fixed buffer with room in front, so a carry can add a leading digit without moving them.
class DecimalExpansion {
  public:
    bool negative = false;
    int exponent = 0;

    const char* digits() const { return buffer_ + first_; }
    int size() const { return size_; }
    char operator[](int i) const { return buffer_[first_ + i]; }
    void append(char digit) { buffer_[first_ + size_++] = digit; }
    void truncate(int n) { size_ = std::min(size_, n); }
    void dropLast() { --size_; }
    // Adds one unit in the last digit; 999 becomes 1000.
    void increment() { AddOneToLastDigit(buffer_, first_, size_); }

  private:
    char buffer_[24] = {};
    int first_ = 1;
    int size_ = 0;
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
        if (*p >= '0' && *p <= '9') result.append(*p);
    }
    if (*p == 'e') result.exponent = std::atoi(p + 1);
    return result;
}

// The value to 15 significant digits, the halfway cases decided on its 18-digit expansion
// and away from zero, as the two-decimal rounding decides them: a value that is exactly
// halfway in decimal is not pushed to the even side by its binary form.
DecimalExpansion expand15(double value) {
    constexpr int kKept = 15;
    DecimalExpansion x = expand(value, 18);
    const bool up = x.size() > kKept && x[kKept] >= '5';
    x.truncate(kKept);
    if (up) {
        x.increment();
        if (x.size() > kKept) {  // 999... carried into a new leading digit
            x.dropLast();
            ++x.exponent;
        }
    }
    return x;
}

// Decimal digits of an integer, most significant first, in a buffer long enough for any
// double scaled by a hundred (309 digits and a carry).
class IntegerDigits {
  public:
    const char* data() const { return buffer_ + first_; }
    int size() const { return size_; }
    void append(const char* digits, int n) {
        std::copy(digits, digits + n, buffer_ + first_ + size_);
        size_ += n;
    }
    void appendZeros(int n) {
        std::fill(buffer_ + first_ + size_, buffer_ + first_ + size_ + n, '0');
        size_ += n;
    }
    void increment() { AddOneToLastDigit(buffer_, first_, size_); }
    void stripLeadingZeros() {
        while (size_ > 1 && buffer_[first_] == '0') {
            ++first_;
            --size_;
        }
    }
    void padFront(int length) {
        while (size_ < length) {
            buffer_[--first_] = '0';
            ++size_;
        }
    }
    bool isZero() const { return size_ == 1 && buffer_[first_] == '0'; }

  private:
    static constexpr int kFront = 8;
    char buffer_[kFront + 340];  // only [first_, first_ + size_) is ever read
    int first_ = kFront;
    int size_ = 0;
};

// The expansion scaled by 10^places and rounded to an integer, halfway away from zero.
void roundScaled(const DecimalExpansion& x, int places, IntegerDigits& integer) {
    const int pointAfter = x.exponent + 1 + places;
    char firstDropped = '0';
    if (pointAfter <= 0) {
        integer.append("0", 1);
        if (pointAfter == 0) firstDropped = x[0];
    } else if (pointAfter >= x.size()) {
        integer.append(x.digits(), x.size());
        integer.appendZeros(pointAfter - x.size());
    } else {
        integer.append(x.digits(), pointAfter);
        firstDropped = x[pointAfter];
    }
    if (firstDropped >= '5') integer.increment();
    integer.stripLeadingZeros();
}

QString nonFinite(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

enum class Digits { Eighteen, Fifteen };

// Separators with which an amount's text reads back as its digits: the decimal separator
// no digit or sign, the thousands separator none or another such character.
bool readableSeparators(const Separators& seps) {
    const auto plain = [](QChar c) {
        return !c.isNull() && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) &&
               c != QLatin1Char('-') && c != QLatin1Char('+');
    };
    return plain(seps.decimal) &&
           (seps.thousands.isNull() || (plain(seps.thousands) && seps.thousands != seps.decimal));
}

// The value ParseAmount reads from a written amount of these scaled digits (hundredths),
// when they are few enough for one exact division.
std::optional<double> readBack(const IntegerDigits& scaled, bool negative, int places,
                               const Separators& seps) {
    constexpr int kExactDigits = 15;
    if (places != 2 || scaled.size() > kExactDigits || !readableSeparators(seps)) {
        return std::nullopt;
    }
    std::int64_t hundredths = 0;
    for (int i = 0; i < scaled.size(); ++i) hundredths = hundredths * 10 + (scaled.data()[i] - '0');
    const double value = static_cast<double>(hundredths) / 100;
    return negative ? -value : value;
}

QString formatFixed(double value, Digits digits, int places, const Separators& seps,
                    std::optional<double>* readValue = nullptr) {
    if (!std::isfinite(value)) return nonFinite(value);
    IntegerDigits scaled;
    bool negative = false;
    if (value == 0) {
        scaled.append("0", 1);
    } else {
        const DecimalExpansion x = digits == Digits::Fifteen ? expand15(value) : expand(value, 18);
        roundScaled(x, places, scaled);
        negative = x.negative && !scaled.isZero();
    }
    if (readValue) *readValue = readBack(scaled, negative, places, seps);
    scaled.padFront(places + 1);
    const int integerDigits = scaled.size() - places;
    const bool grouping = !seps.thousands.isNull();
    // Written once into a buffer: sign, grouped integer part, separator and decimals.
    char16_t out[2 * 340];
    int n = 0;
    if (negative) out[n++] = u'-';
    const char* d = scaled.data();
    for (int i = 0; i < integerDigits; ++i) {
        if (i > 0 && (integerDigits - i) % 3 == 0 && grouping) out[n++] = seps.thousands.unicode();
        out[n++] = static_cast<char16_t>(d[i]);
    }
    if (places > 0) {
        out[n++] = seps.decimal.unicode();
        for (int i = integerDigits; i < scaled.size(); ++i) out[n++] = static_cast<char16_t>(d[i]);
    }
    return QString(reinterpret_cast<const QChar*>(out), n);
}

}  // namespace

QString FormatAmount(double value, const Separators& seps) {
    return formatFixed(value, Digits::Eighteen, 2, seps);
}

WrittenAmount WriteAmount(double value, const Separators& seps) {
    WrittenAmount written;
    written.text = formatFixed(value, Digits::Eighteen, 2, seps, &written.value);
    return written;
}

WrittenAmount WriteAmount15(double value, const Separators& seps) {
    WrittenAmount written;
    written.text = formatFixed(value, Digits::Fifteen, 2, seps, &written.value);
    return written;
}

bool IsWrittenAmount(const QString& text, const Separators& seps) {
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!readableSeparators(seps)) return false;
    const QChar thousands = seps.thousands;
    const bool grouping = !thousands.isNull();
    const int n = static_cast<int>(text.size());
    const int from = n > 0 && text[0] == QLatin1Char('-') ? 1 : 0;
    const int decimalAt = n - 3;
    const int length = decimalAt - from;  // of the integer part, separators included
    if (length < 1 || text[decimalAt] != seps.decimal || !isDigit(text[n - 2]) ||
        !isDigit(text[n - 1])) {
        return false;
    }
    int integerDigits = 0;
    for (int i = from; i < decimalAt; ++i) {
        const bool separatorPlace = grouping && (decimalAt - i) % 4 == 0;
        if (separatorPlace ? text[i] != thousands : !isDigit(text[i])) return false;
        if (!separatorPlace) ++integerDigits;
    }
    if (grouping && length % 4 == 0) return false;  // a separator in first place
    if (integerDigits > 13) return false;
    const bool zeroInteger = text[from] == QLatin1Char('0');
    if (zeroInteger && integerDigits > 1) return false;  // a leading zero
    const bool zero =
        zeroInteger && text[n - 2] == QLatin1Char('0') && text[n - 1] == QLatin1Char('0');
    return !(from == 1 && zero);
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
    while (x.size() > 1 && x[x.size() - 1] == '0') x.dropLast();
    QString text = x.negative ? QStringLiteral("-") : QString();
    const auto digits = QString::fromLatin1(x.digits(), x.size());
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
