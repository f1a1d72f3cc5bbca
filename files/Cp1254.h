#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

// Windows-1254 (Turkish code page) through the C library's iconv.
//
// The seven byte values that the code page leaves undefined (0x81, 0x8D, 0x8E, 0x8F, 0x90,
// 0x9D, 0x9E) read as the code points U+0081 ... U+009E of the same number and are written
// back as those bytes, so that any file reads and writes back byte for byte.

// The text of a byte string; never fails.
QString DecodeCp1254(const QByteArray& bytes);

// Index of the first character of `text` that Windows-1254 cannot hold, if any. A lone
// surrogate counts as such a character; a surrogate pair is one character at the index of
// its first half.
std::optional<qsizetype> FirstUnencodableCp1254(const QString& text);

// The bytes of `text`, or nothing when a character cannot be held (FirstUnencodableCp1254).
std::optional<QByteArray> EncodeCp1254(const QString& text);

// The character at `index` (a whole surrogate pair when it starts one), for messages.
QString CharacterAt(const QString& text, qsizetype index);

// The one check of a text that goes into a line of a Windows-1254 file: nothing when every
// character can be written, else a sentence naming `where` and the first character that
// cannot: one the code page lacks, or a line break or code 0, which would break the line
// apart on reading. For example: "Firma Adı" alanı: "Ω" karakteri dosyaya yazılamaz
// (Windows-1254).
std::optional<QString> UnwritableCharacter(const QString& where, const QString& text);
// Whether UnwritableCharacter finds nothing, without composing a sentence.
bool IsWritableLineText(const QString& text);

// The byte of a UTF-16 unit from the code page's upper half, or -1 when it has none.
int Cp1254UpperByte(char16_t unit);
// The byte of one UTF-16 unit of a line text, or -1 for a unit IsWritableLineText refuses: for
// writers that encode as they go.
inline int LineTextByte(char16_t unit) {
    if (unit >= 0x80) return Cp1254UpperByte(unit);
    return unit == 0 || unit == u'\r' || unit == u'\n' ? -1 : unit;
}

}  // namespace files
