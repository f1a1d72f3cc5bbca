#include "files/Cp1254.h"

#include <iconv.h>

#include <QtGlobal>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace files {
namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char* kUtf16 = "UTF-16LE";
#else
constexpr const char* kUtf16 = "UTF-16BE";
#endif
constexpr const char* kCp1254 = "WINDOWS-1254";

bool isUndefinedByte(unsigned value) {
    return value == 0x81 || value == 0x8D || value == 0x8E || value == 0x8F || value == 0x90 ||
           value == 0x9D || value == 0x9E;
}

// One conversion descriptor per direction and thread, reset before each use.
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

iconv_t encoder() {
    thread_local Converter converter(kCp1254, kUtf16);
    return converter.handle();
}

bool isPureAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) return false;
    }
    return true;
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

    QString result(bytes.size(), Qt::Uninitialized);  // single-byte code page: one unit a byte
    iconv_t cd = decoder();
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    char* outStart = reinterpret_cast<char*>(result.data());
    char* out = outStart;
    std::size_t outLeft = static_cast<std::size_t>(result.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == EILSEQ || errno == EINVAL) {
            // An undefined byte: its own number as code point.
            const char16_t unit = static_cast<unsigned char>(*in);
            std::memcpy(out, &unit, sizeof unit);
            out += sizeof unit;
            outLeft -= sizeof unit;
            ++in;
            --inLeft;
        } else {
            throw std::runtime_error("iconv failed while decoding Windows-1254");
        }
    }
    result.truncate(static_cast<qsizetype>((out - outStart) / sizeof(char16_t)));
    return result;
}

std::optional<qsizetype> FirstUnencodableCp1254(const QString& text) {
    if (isPureAscii(text)) return std::nullopt;
    iconv_t cd = encoder();
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    const char* inStart = in;
    std::size_t inLeft = static_cast<std::size_t>(text.size()) * sizeof(char16_t);
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        const qsizetype index = static_cast<qsizetype>((in - inStart) / sizeof(char16_t));
        const char16_t unit = text.at(index).unicode();
        if (isUndefinedByte(unit)) {
            in += sizeof(char16_t);
            inLeft -= sizeof(char16_t);
            continue;
        }
        return index;
    }
    return std::nullopt;
}

std::optional<QByteArray> EncodeCp1254(const QString& text) {
    if (isPureAscii(text)) return text.toLatin1();
    QByteArray result(text.size(), Qt::Uninitialized);  // at most one byte a unit
    iconv_t cd = encoder();
    char* in = reinterpret_cast<char*>(const_cast<QChar*>(text.constData()));
    const char* inStart = in;
    std::size_t inLeft = static_cast<std::size_t>(text.size()) * sizeof(char16_t);
    char* outStart = result.data();
    char* out = outStart;
    std::size_t outLeft = static_cast<std::size_t>(result.size());
    while (inLeft > 0) {
        const std::size_t r = iconv(cd, &in, &inLeft, &out, &outLeft);
        if (r != static_cast<std::size_t>(-1)) break;
        const qsizetype index = static_cast<qsizetype>((in - inStart) / sizeof(char16_t));
        const char16_t unit = text.at(index).unicode();
        if ((errno == EILSEQ || errno == EINVAL) && isUndefinedByte(unit)) {
            *out++ = static_cast<char>(unit);
            --outLeft;
            in += sizeof(char16_t);
            inLeft -= sizeof(char16_t);
            continue;
        }
        return std::nullopt;
    }
    result.truncate(out - outStart);
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
