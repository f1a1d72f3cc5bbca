#include "files/Cp1254.h"

#include <iconv.h>

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace files {
namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif
constexpr const char* kCp1254 = "WINDOWS-1254";

// One conversion descriptor per thread, reset before each use.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv_open failed: ") + from + " -> " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t handle() {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

  private:
    iconv_t cd_;
};

iconv_t decoder() {
    thread_local Converter converter(kUtf16, kCp1254);
    return converter.handle();
}

bool isPureAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) return false;
    }
    return true;
}

// The code page's upper half both ways, read once from iconv, so that long files convert
// a character at a time without a call into the C library for each text.
class Tables {
  public:
    Tables() {
        for (unsigned byte = 0x80; byte < 0x100; ++byte) {
            char in[1] = {static_cast<char>(byte)};
            char16_t unit = static_cast<char16_t>(byte);  // undefined: its own number
            char* inPointer = in;
            std::size_t inLeft = 1;
            char* out = reinterpret_cast<char*>(&unit);
            std::size_t outLeft = sizeof unit;
            if (iconv(decoder(), &inPointer, &inLeft, &out, &outLeft) ==
                    static_cast<std::size_t>(-1) ||
                outLeft != 0) {
                unit = static_cast<char16_t>(byte);
            }
            upper_[byte - 0x80] = unit;
            if (unit >= encoded_.size()) encoded_.resize(unit + 1u, 0);
            encoded_[unit] = static_cast<std::uint16_t>(byte);
        }
    }
    char16_t decode(unsigned char byte) const {
        return byte < 0x80 ? char16_t(byte) : upper_[byte - 0x80];
    }
    // The byte of a character, or -1 when the code page has none.
    int encode(char16_t unit) const {
        if (unit < 0x80) return unit;
        return unit < encoded_.size() && encoded_[unit] != 0 ? encoded_[unit] : -1;
    }

  private:
    std::array<char16_t, 0x80> upper_{};
    std::vector<std::uint16_t> encoded_ = std::vector<std::uint16_t>(0x80, 0);
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

QString DecodeCp1254(const QByteArray& bytes) {
    bool ascii = true;
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes);
    const Tables& t = tables();
    QString result(bytes.size(), Qt::Uninitialized);  // single-byte code page: one unit a byte
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (const char c : bytes) *out++ = t.decode(static_cast<unsigned char>(c));
    return result;
}

std::optional<qsizetype> FirstUnencodableCp1254(const QString& text) {
    if (isPureAscii(text)) return std::nullopt;
    const Tables& t = tables();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (t.encode(text.at(i).unicode()) < 0) return i;
    }
    return std::nullopt;
}

std::optional<QByteArray> EncodeCp1254(const QString& text) {
    if (isPureAscii(text)) return text.toLatin1();
    const Tables& t = tables();
    QByteArray result(text.size(), Qt::Uninitialized);  // one byte a unit
    char* out = result.data();
    for (const QChar c : text) {
        const int byte = t.encode(c.unicode());
        if (byte < 0) return std::nullopt;
        *out++ = static_cast<char>(byte);
    }
    return result;
}

QString CharacterAt(const QString& text, qsizetype index) {
    if (index < 0 || index >= text.size()) return QString();
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() &&
        text.at(index + 1).isLowSurrogate()) {
        return text.mid(index, 2);
    }
    return text.mid(index, 1);
}

int Cp1254UpperByte(char16_t unit) { return tables().encode(unit); }

bool IsWritableLineText(const QString& text) {
    // Nearly every cell is printable ASCII, which one plain pass settles.
    bool printableAscii = true;
    for (const QChar c : text) printableAscii &= c.unicode() >= 0x20 && c.unicode() < 0x80;
    if (printableAscii) return true;
    const Tables& t = tables();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0 || u == '\r' || u == '\n' || t.encode(u) < 0) return false;
    }
    return true;
}

std::optional<QString> UnwritableCharacter(const QString& where, const QString& text) {
    std::optional<qsizetype> index;
    for (qsizetype i = 0; i < text.size() && !index; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == 0 || u == '\r' || u == '\n') index = i;
    }
    if (!index) index = FirstUnencodableCp1254(text);
    if (!index) return std::nullopt;
    const QString c = CharacterAt(text, *index);
    const QString shown =
        c.size() == 1 && c.at(0).unicode() < 32
            ? QStringLiteral("U+%1").arg(c.at(0).unicode(), 4, 16, QLatin1Char('0')).toUpper()
            : QLatin1Char('"') + c + QLatin1Char('"');
    return where + QStringLiteral(": ") + shown +
           QStringLiteral(" karakteri dosyaya yazılamaz (Windows-1254).");
}

}  // namespace files
