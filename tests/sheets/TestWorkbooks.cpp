#include "TestWorkbooks.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "sheets/WorkbookReader.h"

namespace testing_sheets {

QByteArray ZipOf(const std::vector<std::pair<QString, QByteArray>>& entries) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.zip"));
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("zip_open");
    for (const auto& [name, bytes] : entries) {
        // libzip copies the bytes when the archive is closed; keep them alive until then. It
        // frees no buffer of an empty entry, so that one gets none.
        void* copy = nullptr;
        if (!bytes.isEmpty()) {
            copy = malloc(static_cast<std::size_t>(bytes.size()));
            memcpy(copy, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        }
        zip_source_t* source =
            zip_source_buffer(archive, copy, static_cast<zip_uint64_t>(bytes.size()), 1);
        if (zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            throw std::runtime_error("zip_file_add");
        }
    }
    if (zip_close(archive) != 0) throw std::runtime_error("zip_close");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("zip read");
    return file.readAll();
}

QString WorkbookFolder::xlsx(const QString& name,
                             const std::function<void(lxw_workbook*)>& fill) const {
    const QString p = path(name);
    lxw_workbook* workbook = workbook_new(QFile::encodeName(p).constData());
    if (!workbook) throw std::runtime_error("workbook_new");
    fill(workbook);
    if (workbook_close(workbook) != LXW_NO_ERROR) throw std::runtime_error("workbook_close");
    return p;
}

sheets::PreviewGrid PreviewOf(const QString& path) {
    sheets::PreviewGrid grid;
    sheets::ReadIntoPreview(grid, path);
    return grid;
}

QString Fixture(const QString& name) { return QStringLiteral(SHEETS_FIXTURES "/") + name; }

}  // namespace testing_sheets
