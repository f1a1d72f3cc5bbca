#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace storage {

// The bytes of a file named as FileNames.h describes, or nothing when it cannot be opened or
// read to its end.
std::optional<QByteArray> ReadWholeFile(const QString& name);

}  // namespace storage
