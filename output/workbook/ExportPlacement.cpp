#include "output/workbook/ExportPlacement.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include "core/DateText.h"
#include "core/Errors.h"
#include "files/FileMessages.h"

namespace output {
namespace {

const QString kExtension = QStringLiteral(".xlsx");

[[noreturn]] void cannotWriteIn(const QString& folder, const QString& reason) {
    throw core::CommandFailure(files::CannotSaveMessage(folder, reason));
}

}  // namespace

QString NewTemporaryExport(const QString& folder) {
    QTemporaryFile file(
        QDir(folder).filePath(kTemporaryExportPrefix + QStringLiteral("XXXXXX") + kExtension));
    file.setAutoRemove(false);
    if (!file.open()) cannotWriteIn(folder, file.errorString());
    return file.fileName();
}

void RemoveTemporaryExportsOlderThan(const QString& folder, const QDateTime& before) {
    const QDir dir(folder);
    const QStringList pattern{kTemporaryExportPrefix + QStringLiteral("??????") + kExtension};
    for (const QFileInfo& file : dir.entryInfoList(pattern, QDir::Files)) {
        if (file.lastModified() < before) QFile::remove(file.filePath());
    }
}

QString NamedExport(const QString& folder, const QDate& day) {
    if (!QDir().mkpath(folder)) cannotWriteIn(folder, QStringLiteral("klasör oluşturulamadı"));
    const QString base = QStringLiteral("Vovirer Dökümü ") + core::DateText(day);
    QString path = QDir(folder).filePath(base + kExtension);
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = QDir(folder).filePath(base + QStringLiteral(" (%1)").arg(n) + kExtension);
    }
    return path;
}

}  // namespace output
