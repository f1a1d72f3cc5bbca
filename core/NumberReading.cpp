#include "core/NumberReading.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Errors.h"

namespace core {
namespace {

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

QString notANumber(const QString& text) {
    return QStringLiteral("\"%1\" geçerli bir sayı değil").arg(text);
}

// Whether a plain number text ("-0.0012e2") is below one in size, read from its digits: an
// out-of-range conversion is then an underflow.
bool belowOne(const std::string& plain) {
    const std::size_t e = plain.find('e');
    const std::string mantissa = plain.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        const bool negative = i < plain.size() && plain[i] == '-';
        if (i < plain.size() && (plain[i] == '-' || plain[i] == '+')) ++i;
        for (; i < plain.size() && exponent < 1000000; ++i)
            exponent = exponent * 10 + (plain[i] - '0');
        if (negative) exponent = -exponent;
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t integerEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return true;
    const long long position = first < integerEnd ? static_cast<long long>(integerEnd - first) - 1
                                                  : -static_cast<long long>(first - integerEnd);
    return position + exponent < 0;
}

// Accepts [sign] digits [separator digits] [E [sign] digits] with at least one mantissa
// digit, and converts without any locale.
std::optional<double> convertNumber(const QString& text, QChar decimal) {
    std::string plain;
    plain.reserve(text.size());
    int i = 0;
    const int n = text.size();
    if (i < n && isSign(text[i])) {
        if (text[i] == QLatin1Char('-')) plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && isAsciiDigit(text[i])) {
        plain += char(text[i].unicode());
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == decimal) {
        plain += '.';
        ++i;
        while (i < n && isAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        plain += 'e';
        ++i;
        if (i < n && isSign(text[i])) {
            plain += char(text[i].unicode());
            ++i;
        }
        int exponentDigits = 0;
        while (i < n && isAsciiDigit(text[i])) {
            plain += char(text[i].unicode());
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    // from_chars wants a digit before the point: ",5" reads as 0,5.
    if (plain.front() == '.') plain = "0" + plain;
    if (plain.size() >= 2 && plain[0] == '-' && plain[1] == '.') plain = "-0" + plain.substr(1);
    double value = 0;
    const char* first = plain.data();
    const auto [end, ec] = std::from_chars(first, first + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        throw CommandFailure(belowOne(plain)
                                 ? QStringLiteral("\"%1\" sıfıra çok yakın: sayı olarak "
                                                  "çok küçük")
                                       .arg(text)
                                 : QStringLiteral("\"%1\" sayı olarak çok büyük").arg(text));
    }
    if (ec != std::errc() || end != first + plain.size()) return std::nullopt;
    return value;
}

// A plain number of at most one decimal separator, read straight from its characters: an
// integer of its digits below 2^53 and at most 22 digits after the separator make the integer
// and the power of ten exact doubles, so one division rounds the value exactly as the general
// conversion rounds it. Anything else (more digits, no digit, a separator at the end, which the
// general conversion may treat otherwise) takes the general path.
class QuickNumber {
  public:
    // Adds one character the number keeps; false when the quick reading cannot hold it.
    bool sign(QChar c) {
        negative_ = c == QLatin1Char('-');
        return true;
    }
    bool digit(QChar c) {
        constexpr std::uint64_t kLimit = (std::uint64_t{1} << 53) / 10 - 1;
        if (mantissa_ > kLimit) return false;
        mantissa_ = mantissa_ * 10 + static_cast<std::uint64_t>(c.unicode() - '0');
        ++digits_;
        if (fraction_ >= 0) ++fraction_;
        return true;
    }
    bool decimalSeparator() {
        if (fraction_ >= 0) return false;
        fraction_ = 0;
        return true;
    }
    // The value, or none when it is for the general conversion to decide.
    std::optional<double> value() const {
        constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        if (digits_ == 0 || fraction_ == 0 || fraction_ > 22) return std::nullopt;
        double v = static_cast<double>(mantissa_);
        if (fraction_ > 0) v /= kPowers[fraction_];
        return negative_ ? -v : v;
    }

  private:
    std::uint64_t mantissa_ = 0;
    int digits_ = 0;
    int fraction_ = -1;  // digits after the separator; -1: no separator
    bool negative_ = false;
};

// What `retained` keeps of the text, read as QuickNumber does; none when the general path
// decides. `empty` tells that nothing at all is kept.
std::optional<double> quickRetainedValue(const QString& text, const QChar* decimal, bool& empty) {
    empty = true;
    if (decimal && (isAsciiDigit(*decimal) || isSign(*decimal))) return std::nullopt;
    QuickNumber number;
    const QChar* chars = text.constData();
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = chars[i];
        bool ok = true;
        if (i == 0 && isSign(c)) {
            ok = number.sign(c);
        } else if (isAsciiDigit(c)) {
            ok = number.digit(c);
        } else if (decimal && c == *decimal) {
            ok = number.decimalSeparator();
        } else {
            continue;
        }
        empty = false;
        if (!ok) return std::nullopt;
    }
    if (empty) return std::nullopt;
    return number.value();
}

// The whole text as QuickNumber reads it: [sign] digits [separator digits], nothing else.
std::optional<double> quickStrictValue(QStringView text, QChar decimal) {
    if (isAsciiDigit(decimal) || isSign(decimal)) return std::nullopt;
    QuickNumber number;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        bool ok = false;
        if (i == 0 && isSign(c)) {
            ok = number.sign(c);
        } else if (isAsciiDigit(c)) {
            ok = number.digit(c);
        } else if (c == decimal) {
            ok = number.decimalSeparator();
        }
        if (!ok) return std::nullopt;
    }
    return number.value();
}

QString retained(const QString& text, const QChar* decimal) {
    QString kept;
    kept.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if ((i == 0 && isSign(c)) || isAsciiDigit(c) || (decimal && c == *decimal)) kept += c;
    }
    return kept;
}

}  // namespace

double StrictNumber(const QString& text, const Separators& seps) {
    QStringView trimmed = QStringView(text).trimmed();
    if (const auto quick = quickStrictValue(trimmed, seps.decimal)) return *quick;
    if (const auto value = convertNumber(trimmed.toString(), seps.decimal)) return *value;
    throw CommandFailure(notANumber(text));
}

int StrictInteger(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
    int digitsFrom = i;
    if (digitsFrom < text.size() && isSign(text[digitsFrom])) ++digitsFrom;
    const QStringView digits = QStringView(text).mid(digitsFrom);
    const bool shapeOk =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), isAsciiDigit);
    bool ok = false;
    int value = 0;
    if (shapeOk) value = text.mid(i).toInt(&ok);
    if (!ok) throw CommandFailure(QStringLiteral("\"%1\" geçerli bir tam sayı değil").arg(text));
    return value;
}

double ParseAmount(const QString& text, const Separators& seps) {
    bool empty = false;
    if (const auto quick = quickRetainedValue(text, &seps.decimal, empty)) return *quick;
    if (empty) return 0;
    const QString kept = retained(text, &seps.decimal);
    if (kept.isEmpty()) return 0;
    if (const auto value = convertNumber(kept, seps.decimal)) return *value;
    throw CommandFailure(notANumber(text));
}

double ParseDigits(const QString& text) {
    bool empty = false;
    if (const auto quick = quickRetainedValue(text, nullptr, empty)) return *quick;
    if (empty) return 0;
    const QString kept = retained(text, nullptr);
    if (kept.isEmpty()) return 0;
    if (const auto value = convertNumber(kept, QChar(0xFFFF))) return *value;
    throw CommandFailure(notANumber(text));
}

}  // namespace core
