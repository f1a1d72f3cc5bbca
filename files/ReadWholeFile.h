#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

// The bytes of a file named as FileNames.h describes, or nothing when it cannot be opened or
// read to its end.
std::optional<QByteArray> ReadWholeFile(const QString& name);

// As ReadWholeFile for a file that can only be small: one longer than `limit` bytes is not
// read into memory, and `tooLarge` says so (with no bytes).
struct BoundedFile {
    std::optional<QByteArray> bytes;
    bool tooLarge = false;
};
BoundedFile ReadFileUpTo(const QString& name, qint64 limit);

}  // namespace files
