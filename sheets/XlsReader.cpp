#include "sheets/XlsReader.h"

#include <freexl.h>

#include <algorithm>

#include "files/FileNames.h"
#include "sheets/CellText.h"

namespace sheets {
namespace {

class FreeXlHandle {
  public:
    explicit FreeXlHandle(const QString& path, const QString& name) {
        const QByteArray encoded = files::NativeFileName(path);
        if (freexl_open(encoded.constData(), &handle_) != FREEXL_OK) {
            handle_ = nullptr;
            FailReading(name, QStringLiteral("Excel 97-2003 çalışma kitabı olarak okunamadı."));
        }
    }
    ~FreeXlHandle() {
        if (handle_) freexl_close(handle_);
    }
    FreeXlHandle(const FreeXlHandle&) = delete;
    FreeXlHandle& operator=(const FreeXlHandle&) = delete;
    const void* get() const { return handle_; }

  private:
    const void* handle_ = nullptr;
};

std::optional<QString> cellText(const FreeXL_CellValue& cell) {
    switch (cell.type) {
        case FREEXL_CELL_INT:
            return CellText(CellValue::ofNumber(cell.value.int_value));
        case FREEXL_CELL_DOUBLE:
            return CellText(CellValue::ofNumber(cell.value.double_value));
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return QString::fromUtf8(cell.value.text_value);
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
            return CellText(CellValue::ofIsoDate(QString::fromUtf8(cell.value.text_value)));
        case FREEXL_CELL_TIME:
            return QString::fromUtf8(cell.value.text_value);
        default:
            return std::nullopt;
    }
}

}  // namespace

SheetContent ReadXls(const QString& path, const QString& name) {
    const FreeXlHandle xls(path, name);
    unsigned int password = 0;
    if (freexl_get_info(xls.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        FailReading(name, QStringLiteral("Dosya parola ile korunuyor."));
    }
    if (freexl_select_active_worksheet(xls.get(), 0) != FREEXL_OK) {
        FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(xls.get(), &rows, &columns) != FREEXL_OK) {
        FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
    }
    SheetContent sheet;
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned short c = 0; c < columns; ++c) {
            FreeXL_CellValue cell;
            if (freexl_get_cell_value(xls.get(), r, c, &cell) != FREEXL_OK) continue;
            if (const auto text = cellText(cell)) sheet.add(qint64(r) + 1, qint64(c) + 1, *text);
        }
    }
    return sheet;
}

}  // namespace sheets
