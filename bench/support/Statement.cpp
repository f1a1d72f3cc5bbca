#include "bench/support/Statement.h"

#include <QDate>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "xlsxwriter.h"

namespace benchsupport {

QString StatementSettings(const QDir& folder, int rows) {
    return folder.filePath(QStringLiteral("statement%1.ini").arg(rows));
}

QString WriteStatement(const QDir& folder, int rows) {
    const QString path = folder.filePath(QStringLiteral("statement%1.xlsx").arg(rows));
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    QDate date(2016, 1, 4);
    for (int r = 0; r < rows; ++r) {
        date = date.addDays(1 + r % 2);
        lxw_datetime when = {date.year(), date.month(), date.day(), 0, 0, 0};
        worksheet_write_datetime(sheet, lxw_row_t(r), 0, &when, dateFormat);
        worksheet_write_datetime(sheet, lxw_row_t(r), 1, &when, dateFormat);
        worksheet_write_string(sheet, lxw_row_t(r), 2,
                               QStringLiteral("Hareket %1, şube").arg(r).toUtf8().constData(),
                               nullptr);
        if (r % 5 == 0) worksheet_write_number(sheet, lxw_row_t(r), 3, 1000 + r, nullptr);
        if (r % 7 == 6) worksheet_write_number(sheet, lxw_row_t(r), 4, 500.5, nullptr);
    }
    if (workbook_close(book) != LXW_NO_ERROR) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    QFile settings(StatementSettings(folder, rows));
    const QByteArray text =
        "[Vovirer]\r\nRyilgun=365\r\nRayfaiz=24\r\nRKKDF=5\r\n[ExcelAyarR]\r\n"
        "Rvade=1\r\nRislem=2\r\nRaciklama=3\r\nRborc=4\r\nRalacak=5\r\nRbasla=1\r\n"
        "Rbitir=" +
        QByteArray::number(rows) + "\r\nRvadeCheck=2\r\n";
    if (!settings.open(QIODevice::WriteOnly) || settings.write(text) != text.size() ||
        !settings.flush()) {
        std::fprintf(stderr, "cannot write the settings\n");
        std::exit(1);
    }
    return path;
}

}  // namespace benchsupport
