#include "sheets/WorkbookReader.h"

#include <sys/stat.h>

#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "sheets/CsvReader.h"
#include "sheets/OdsReader.h"
#include "sheets/XlsReader.h"
#include "sheets/XlsxReader.h"
#include "sheets/ZipArchive.h"

namespace sheets {
namespace {

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

// Plain text is read as CSV only under a text file's name: a text named .xlsx (a web page
// saved by a bank's site, an error report) is not the workbook the user thinks it is.
bool hasTextFileName(const QString& name) {
    return name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ||
           name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

// No workbook the import can use comes near this size, packed or not.
[[noreturn]] void failTooLarge(const QString& name) {
    FailReading(name,
                QStringLiteral("Dosya %1 MB'tan büyük; bu kadar büyük bir tablo içe aktarılamaz.")
                    .arg(ZipArchive::kMaxInflated >> 20));
}

SheetContent readArchive(const ZipArchive& archive, const QString& name) {
    if (archive.find(QStringLiteral("[Content_Types].xml")) ||
        archive.find(QStringLiteral("_rels/.rels"))) {
        return ReadXlsx(archive, name);
    }
    if (archive.find(QStringLiteral("content.xml"))) return ReadOds(archive, name);
    FailReading(name, kNotAWorkbook);
}

// A workbook that unpacks to more than any the import can use is named as such, whatever
// the reader made of its cut stream.
[[noreturn]] void failInflatedTooMuch(const QString& name) {
    FailReading(name,
                QStringLiteral("Dosya açıldığında %1 MB'tan büyük; bu kadar büyük bir çalışma "
                               "kitabı içe aktarılamaz.")
                    .arg(ZipArchive::kMaxInflated >> 20));
}

SheetContent readZip(const QByteArray& bytes, const QString& name) {
    const std::optional<ZipArchive> archive = ZipArchive::fromBytes(bytes);
    if (!archive) FailReading(name, QStringLiteral("Sıkıştırılmış dosya bozuk."));
    try {
        SheetContent sheet = readArchive(*archive, name);
        if (archive->inflatedTooMuch()) failInflatedTooMuch(name);
        return sheet;
    } catch (const ReadError&) {
        if (archive->inflatedTooMuch()) failInflatedTooMuch(name);
        throw;
    }
}

}  // namespace

SheetContent ReadWorkbookBytes(const QByteArray& bytes, const QString& name) {
    const QByteArray head = bytes.left(4096);
    if (isZip(head)) return readZip(bytes, name);
    if (isCompoundDocument(head) || !looksLikeText(head) || !hasTextFileName(name)) {
        FailReading(name, kNotAWorkbook);
    }
    // As much text as an archive may unpack to: far more than the rows the import takes.
    if (bytes.size() > ZipArchive::kMaxInflated) {
        FailReading(
            name, QStringLiteral("Dosya %1 MB'tan büyük; bu kadar büyük bir tablo içe aktarılamaz.")
                      .arg(ZipArchive::kMaxInflated >> 20));
    }
    return ReadCsv(bytes);
}

// The path is taken as the bytes it was given as (FileNames.h), so a name in another encoding
// than UTF-8 opens too.
SheetContent ReadWorkbook(const QString& path, const std::optional<XlsContainment>& containment) {
    struct stat st {};
    if (::stat(files::NativeFileName(path).constData(), &st) != 0) {
        FailReading(path, QStringLiteral("Dosya bulunamadı."));
    }
    if (!S_ISREG(st.st_mode)) FailReading(path, QStringLiteral("Dosya açılamadı."));
    if (st.st_size > ZipArchive::kMaxInflated) failTooLarge(path);
    const std::optional<QByteArray> bytes = files::ReadWholeFile(path);
    if (!bytes) FailReading(path, QStringLiteral("Dosya okunamadı."));
    if (isCompoundDocument(bytes->left(8))) {
        return containment ? ReadXlsContained(path, path, *containment) : ReadXls(path, path);
    }
    return ReadWorkbookBytes(*bytes, path);
}

QString ReadIntoPreview(PreviewGrid& preview, const QString& path,
                        const std::optional<XlsContainment>& containment) {
    preview.clearRows();
    preview.show(ReadWorkbook(path, containment));
    return PreviewCaption(path);
}

}  // namespace sheets
