#include "sheets/WorkbookReader.h"

#include <QFile>
#include <QFileInfo>

#include "sheets/CsvReader.h"
#include "sheets/OdsReader.h"
#include "sheets/XlsReader.h"
#include "sheets/XlsxReader.h"
#include "sheets/ZipArchive.h"

namespace sheets {
namespace {

[[noreturn]] void fail(const QString& name, const QString& why) {
    throw ReadError(QStringLiteral("Dosya Okunamıyor:\n%1\n%2").arg(name, why));
}

const QString kNotAWorkbook =
    QStringLiteral("Tanınan bir Excel, OpenDocument ya da CSV dosyası değil.");

bool isZip(const QByteArray& head) {
    return head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06");
}

bool isCompoundDocument(const QByteArray& head) {
    return head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

// Text files have no NUL bytes, unless they are UTF-16 with a byte order mark.
bool looksLikeText(const QByteArray& head) {
    return head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF") || !head.contains('\0');
}

Sheet readZip(const QByteArray& bytes, const QString& name) {
    const std::optional<ZipArchive> archive = ZipArchive::fromBytes(bytes);
    if (!archive) fail(name, QStringLiteral("Sıkıştırılmış dosya bozuk."));
    if (archive->find(QStringLiteral("[Content_Types].xml")) ||
        archive->find(QStringLiteral("_rels/.rels"))) {
        return ReadXlsx(*archive, name);
    }
    if (archive->find(QStringLiteral("content.xml"))) return ReadOds(*archive, name);
    fail(name, kNotAWorkbook);
}

}  // namespace

Sheet ReadWorkbookBytes(const QByteArray& bytes, const QString& name) {
    const QByteArray head = bytes.left(4096);
    if (isZip(head)) return readZip(bytes, name);
    if (isCompoundDocument(head) || !looksLikeText(head)) fail(name, kNotAWorkbook);
    return ReadCsv(bytes);
}

Sheet ReadWorkbook(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) fail(path, QStringLiteral("Dosya bulunamadı."));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        fail(path, QStringLiteral("Dosya açılamadı."));
    const QByteArray head = file.peek(4096);
    if (isCompoundDocument(head)) {
        file.close();
        return ReadXls(path, path);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) fail(path, QStringLiteral("Dosya okunamadı."));
    return ReadWorkbookBytes(bytes, path);
}

}  // namespace sheets
