#include "sheets/XlsContainment.h"

#include <sys/resource.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "files/FileMessages.h"

namespace sheets {
namespace {

// The reader's JSON preview grid back into a sheet: row 0 and column 0 are its headers, and
// the grid holds one empty row and column (and one row more) past the used area.
SheetContent SheetOfPreviewGrid(const QJsonArray& rows) {
    SheetContent sheet;
    const qsizetype rowCount = rows.size();
    const qsizetype columnCount = rowCount > 0 ? rows.first().toArray().size() : 0;
    for (qsizetype r = 1; r < rowCount; ++r) {
        const QJsonArray cells = rows.at(r).toArray();
        for (qsizetype c = 1; c < cells.size() && c < columnCount; ++c) {
            const QString text = cells.at(c).toString();
            if (!text.isEmpty()) sheet.add(r, c, text);
        }
    }
    sheet.lastRow = std::max<int>(sheet.lastRow, int(std::max<qsizetype>(rowCount - 3, 0)));
    sheet.lastColumn =
        std::max<int>(sheet.lastColumn, int(std::max<qsizetype>(columnCount - 2, 0)));
    return sheet;
}

// The reader's own message without its program name ("vovirer: Dosya Okunamıyor: …").
QString ReaderMessage(const QByteArray& standardError) {
    QString text = QString::fromUtf8(standardError).trimmed();
    const qsizetype colon = text.indexOf(QLatin1String(": "));
    if (colon >= 0 && colon < 16) text = text.mid(colon + 2);
    return text;
}

}  // namespace

SheetContent ReadXlsContained(const QString& path, const QString& name, const XlsContainment& how) {
    QProcess reader;
    const qint64 memory = how.memoryBytes;
    const int cpuSeconds = std::max(1, how.deadlineMs / 1000);
    reader.setChildProcessModifier([memory, cpuSeconds] {
        const rlimit address{rlim_t(memory), rlim_t(memory)};
        ::setrlimit(RLIMIT_AS, &address);
        const rlimit cpu{rlim_t(cpuSeconds), rlim_t(cpuSeconds)};
        ::setrlimit(RLIMIT_CPU, &cpu);
    });
    reader.start(how.readerProgram, {QStringLiteral("preview"), path, QStringLiteral("--json")});
    if (!reader.waitForStarted(how.deadlineMs)) {
        FailReading(name,
                    QStringLiteral("Excel 97-2003 dosyalarını okuyan program başlatılamadı: %1")
                        .arg(how.readerProgram));
    }
    if (!reader.waitForFinished(how.deadlineMs)) {
        reader.kill();
        reader.waitForFinished(1000);
        FailReading(name, QStringLiteral("Dosya %1 saniyede okunamadı; bozuk olabilir.")
                              .arg(how.deadlineMs / 1000));
    }
    if (reader.exitStatus() != QProcess::NormalExit) {
        FailReading(name,
                    QStringLiteral("Dosya okunurken okuyucu program durdu; dosya bozuk olabilir."));
    }
    if (reader.exitCode() != 0) {
        const QString message = ReaderMessage(reader.readAllStandardError());
        if (message.startsWith(files::kCannotRead)) throw ReadError(message);
        FailReading(name, message.isEmpty() ? QStringLiteral("Dosya okunamadı.") : message);
    }
    const QJsonDocument json = QJsonDocument::fromJson(reader.readAllStandardOutput());
    if (!json.isObject())
        FailReading(name, QStringLiteral("Okuyucu programın yanıtı anlaşılamadı."));
    return SheetOfPreviewGrid(json.object().value(QStringLiteral("cells")).toArray());
}

}  // namespace sheets
