#pragma once

#include <QByteArray>
#include <QString>

namespace files {

// File names as the system holds them: bytes. A name that is not UTF-8 (one typed under a
// Windows-1254 locale, say) must still open and save as itself, which Qt's own conversion
// cannot do: it replaces every such byte by U+FFFD. Here a byte that is not part of a UTF-8
// character becomes the lone surrogate U+DC80 ... U+DCFF in the text and turns back into the
// same byte, so every name makes the round trip. UTF-8 names are unchanged either way.

QString FileNameFromNative(const QByteArray& bytes);
QByteArray NativeFileName(const QString& name);

// A regular file (or a link to one) exists under the name.
bool IsRegularFile(const QString& name);

}  // namespace files
