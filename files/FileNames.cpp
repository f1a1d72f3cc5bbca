#include "files/FileNames.h"

#include <sys/stat.h>

namespace files {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the well-formed UTF-8 character at `p` (overlong forms, surrogates and values past
// U+10FFFF are not well formed), or 0.
int utf8Length(const unsigned char* p, qsizetype left) {
    const unsigned char b = p[0];
    int n = 0;
    char32_t min = 0;
    char32_t c = 0;
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) {
        n = 2, min = 0x80, c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, min = 0x800, c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, min = 0x10000, c = b & 0x07;
    } else {
        return 0;
    }
    if (left < n) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

bool isEscapedByte(char16_t u) { return u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF; }

}  // namespace

QString FileNameFromNative(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const int n = utf8Length(p + i, size - i);
        if (n == 0) {
            name += QChar(char16_t(kEscapeBase + p[i]));
            ++i;
            continue;
        }
        name += QString::fromUtf8(reinterpret_cast<const char*>(p + i), n);
        i += n;
    }
    return name;
}

QByteArray NativeFileName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart) bytes += QStringView(name).mid(runStart, end - runStart).toUtf8();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        const bool paired =
            QChar::isLowSurrogate(u) && i > 0 && QChar::isHighSurrogate(name.at(i - 1).unicode());
        if (isEscapedByte(u) && !paired) {
            flushRun(i);
            bytes += char(u - kEscapeBase);
            runStart = i + 1;
        }
    }
    flushRun(name.size());
    return bytes;
}

bool IsRegularFile(const QString& name) {
    struct stat st {};
    return ::stat(NativeFileName(name).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace files
