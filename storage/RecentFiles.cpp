#include "storage/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"

namespace storage {

RecentFiles::RecentFiles(QString listFile) : listFile_(std::move(listFile)) {
    if (listFile_.isEmpty()) return;
    const files::BoundedFile file = files::ReadFileUpTo(listFile_, kListFileLimit);
    if (!file.bytes) return;  // none yet, unreadable or too large: start afresh
    for (const QByteArray& line : file.bytes->split('\n')) {
        if (names_.size() >= kMostFiles) break;
        const QByteArray bytes = line.endsWith('\r') ? line.chopped(1) : line;
        if (bytes.isEmpty() || bytes.contains('\0')) continue;
        const QString name = files::FileNameFromNative(bytes);
        if (QFileInfo(name).isAbsolute() && !names_.contains(name)) names_ << name;
    }
}

void RecentFiles::add(const QString& name) {
    if (name.contains(QLatin1Char('\n'))) return;  // could not be read back as one line
    names_.removeAll(name);
    names_.prepend(name);
    while (names_.size() > kMostFiles) names_.removeLast();
}

void RecentFiles::remove(const QString& name) { names_.removeAll(name); }

bool RecentFiles::store(QString* problem) const {
    if (listFile_.isEmpty()) return true;
    QDir().mkpath(QFileInfo(listFile_).absolutePath());
    QByteArray bytes;
    for (const QString& name : names_) bytes += files::NativeFileName(name) + '\n';
    const files::SafeWriteResult result = files::WriteFileSafely(listFile_, bytes);
    if (!result.ok && problem) *problem = result.reason;
    return result.ok;
}

}  // namespace storage
