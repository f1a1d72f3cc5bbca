#pragma once

#include <QByteArray>
#include <QString>

namespace storage {

// The one way the program writes a file (calculation files, the settings file, workbooks).
//
// The bytes go to a new temporary file beside the target. Every write, the flush to the disk
// (fsync) and the size on disk are checked before the temporary file is renamed over the
// target; on any failure the temporary file is removed and the target is exactly as it was
// (or still absent). A full disk therefore never costs the previous file.
//
// A target that exists but is not a regular file, or has no write permission bit at all, is
// refused, also for root. A replaced file keeps its permission bits; a link to a file is
// followed and the file it names is replaced. Names are taken as FileNames.h describes.
struct SafeWriteResult {
    bool ok = false;
    QString reason;  // when !ok: what failed, in the system's words
};

[[nodiscard]] SafeWriteResult WriteFileSafely(const QString& path, const QByteArray& bytes);

}  // namespace storage
