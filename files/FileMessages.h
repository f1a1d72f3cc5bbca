#pragma once

#include <QString>

namespace files {

// The first line of the message for a file that cannot be read, and for one that cannot be
// saved.
inline const QString kCannotRead = QStringLiteral("Dosya Okunamıyor:");
inline const QString kCannotSave = QStringLiteral("Dosya Saklanamıyor:");

// The message every part of the program shows for such a file: the first line above, the
// path on the next, and why on the one after when it is known.
QString CannotReadMessage(const QString& path, const QString& why = {});
QString CannotSaveMessage(const QString& path, const QString& why = {});

}  // namespace files
