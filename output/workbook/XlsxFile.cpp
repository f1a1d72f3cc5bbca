#include "output/workbook/XlsxFile.h"

#include <xlsxwriter.h>

#include <QFile>
#include <QLocale>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <array>
#include <future>
#include <mutex>

#include "core/Errors.h"
#include "files/FileMessages.h"
#include "files/SafeWrite.h"
#include "output/workbook/ColumnFit.h"

namespace output {
namespace {

// Row height in points that shows the 12 pt captions whole.
constexpr double kLargeRowHeight = 15.75;

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw core::CommandFailure(files::CannotSaveMessage(path, reason));
}

// The formats of the workbook, one for each combination of bold, 12 pt and amount format,
// made when first needed (the workbook owns them). Every cell names the face whose metrics
// fit the columns, so a program without the default face shows the same widths.
class Formats {
  public:
    Formats(lxw_workbook* workbook, const QString& amountCode)
        : workbook_(workbook), amountCode_(amountCode.toUtf8()) {}

    lxw_format* of(const SheetCell& cell) {
        const std::size_t key =
            (cell.bold ? 1 : 0) | (cell.large ? 2 : 0) | (cell.amountFormat ? 4 : 0);
        lxw_format*& format = formats_[key];
        if (!format) {
            format = workbook_add_format(workbook_);
            format_set_font_name(format, kCellFont);
            if (cell.bold) format_set_bold(format);
            if (cell.large) format_set_font_size(format, 12);
            if (cell.amountFormat) format_set_num_format(format, amountCode_.constData());
        }
        return format;
    }

  private:
    lxw_workbook* workbook_;
    QByteArray amountCode_;
    std::array<lxw_format*, 8> formats_{};
};

// The most characters a spreadsheet cell holds.
constexpr qsizetype kLongestCellText = 32'767;

// "A1", "Z7", "AA12": the cell as a spreadsheet program names it.
QString CellAddress(int row, int column) {
    QString letters;
    for (int c = column; c > 0; c = (c - 1) / 26) {
        letters.prepend(QLatin1Char(char('A' + (c - 1) % 26)));
    }
    return letters + QString::number(row);
}

bool IsHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// Spreadsheet programs read "_xHHHH_" in a text as the character HHHH, so a text that holds
// such a sequence itself gets its underscore written as "_x005F_": it reads back as typed.
QString EscapeCharacterCodes(const QString& text) {
    if (!text.contains(QLatin1Char('_')) || !text.contains(QLatin1String("_x"))) return text;
    QString escaped;
    escaped.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool code = text.at(i) == QLatin1Char('_') && i + 6 < text.size() &&
                          text.at(i + 1) == QLatin1Char('x') && IsHexDigit(text.at(i + 2)) &&
                          IsHexDigit(text.at(i + 3)) && IsHexDigit(text.at(i + 4)) &&
                          IsHexDigit(text.at(i + 5)) && text.at(i + 6) == QLatin1Char('_');
        if (code) escaped += QLatin1String("_x005F");
        escaped += text.at(i);
    }
    return escaped;
}

// A text longer than a cell can hold is named by its cell before anything is written.
void CheckTextFits(const Worksheet& sheet, const QString& path) {
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::vector<SheetCell>& cells = sheet.rowCells(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const SheetCell& cell = cells[i];
            if (cell.kind != SheetCell::Kind::Text) continue;
            // The escape at most doubles a text: a code takes 7 characters and shares its
            // last underscore with the next at most.
            if (cell.text.size() <= kLongestCellText / 2) continue;
            const qsizetype length = EscapeCharacterCodes(cell.text).size();
            if (length <= kLongestCellText) continue;
            const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
            Fail(path, QStringLiteral("%1 hücresine yazılacak metin %2 karakter uzunluğunda; bir "
                                      "hücre en çok %3 karakter alır.")
                           .arg(CellAddress(row, int(i) + 1), turkish.toString(length),
                                turkish.toString(kLongestCellText)));
        }
    }
}

// Texts as libxlsxwriter takes them: UTF-8, ended by a zero, in one buffer used again for
// every cell (libxlsxwriter copies what it keeps).
class Utf8Text {
  public:
    const char* of(const QString& text) {
        const qsizetype space = encoder_.requiredSpace(text.size()) + 1;
        if (buffer_.size() < space) buffer_.resize(space);
        char* end = encoder_.appendToBuffer(buffer_.data(), text);
        *end = '\0';
        return buffer_.constData();
    }

  private:
    QStringEncoder encoder_{QStringEncoder::Utf8};
    QByteArray buffer_;
};

lxw_error WriteCell(lxw_worksheet* worksheet, int row, int column, const SheetCell& cell,
                    lxw_format* format, Utf8Text& utf8) {
    const auto r = static_cast<lxw_row_t>(row - 1);
    const auto c = static_cast<lxw_col_t>(column - 1);
    switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return cell.hasFormatting() ? worksheet_write_blank(worksheet, r, c, format)
                                        : LXW_NO_ERROR;
        case SheetCell::Kind::Text:
            return worksheet_write_string(worksheet, r, c, utf8.of(EscapeCharacterCodes(cell.text)),
                                          format);
        case SheetCell::Kind::Number:
            return worksheet_write_number(worksheet, r, c, cell.number, format);
        case SheetCell::Kind::Formula:
            return worksheet_write_formula_num(worksheet, r, c, utf8.of(cell.text), format,
                                               cell.number);
    }
    return LXW_NO_ERROR;
}

// Fills the worksheet; returns the first error.
lxw_error WriteSheet(lxw_workbook* workbook, lxw_worksheet* worksheet, const Worksheet& sheet) {
    // The column widths are measured on another core while the cells go in (here, when no
    // thread can be started).
    std::future<std::map<int, double>> widths = std::async(
        std::launch::async | std::launch::deferred, [&sheet] { return ColumnWidths(sheet); });
    Formats formats(workbook, sheet.amountFormatCode());
    Utf8Text utf8;
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::vector<SheetCell>& cells = sheet.rowCells(row);
        bool large = false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const SheetCell& cell = cells[i];
            large = large || cell.large;
            const lxw_error e =
                WriteCell(worksheet, row, static_cast<int>(i) + 1, cell, formats.of(cell), utf8);
            if (e) return e;
        }
        if (large) {
            const auto r = static_cast<lxw_row_t>(row - 1);
            if (const lxw_error e = worksheet_set_row(worksheet, r, kLargeRowHeight, nullptr))
                return e;
        }
    }
    for (const auto& [column, width] : widths.get()) {
        const auto c = static_cast<lxw_col_t>(column - 1);
        if (const lxw_error e = worksheet_set_column(worksheet, c, c, width, nullptr)) return e;
    }
    return LXW_NO_ERROR;
}

}  // namespace

QByteArray XlsxFileBytes(const Worksheet& sheet, const QString& path) {
    CheckTextFits(sheet, path);
    QTemporaryDir folder;
    if (!folder.isValid()) Fail(path, folder.errorString());
    const QByteArray file = QFile::encodeName(folder.filePath(QStringLiteral("workbook.xlsx")));
    QByteArray tmpdir = QFile::encodeName(folder.path());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    // libxlsxwriter dates the workbook through gmtime(), whose result the whole process shares,
    // so two workbooks are never written at once (the window makes one ahead on a thread).
    static std::mutex oneWorkbookAtATime;
    const std::lock_guard<std::mutex> lock(oneWorkbookAtATime);
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook) Fail(path, QStringLiteral("out of memory"));

    lxw_error error = LXW_NO_ERROR;
    lxw_worksheet* worksheet =
        workbook_add_worksheet(workbook, kWorksheetName.toUtf8().constData());
    if (!worksheet) {
        error = LXW_ERROR_MEMORY_MALLOC_FAILED;
    } else {
        error = WriteSheet(workbook, worksheet, sheet);
    }
    // Closing writes the file and frees the workbook, whatever happened before.
    const lxw_error closed = workbook_close(workbook);
    if (!error) error = closed;
    if (error) Fail(path, QString::fromUtf8(lxw_strerror(error)));

    QFile written(QFile::decodeName(file));
    if (!written.open(QIODevice::ReadOnly)) Fail(path, written.errorString());
    QByteArray bytes = written.readAll();
    if (written.error() != QFileDevice::NoError || bytes.isEmpty())
        Fail(path, written.errorString());
    return bytes;
}

void WriteXlsxFileBytes(const QByteArray& bytes, const QString& path) {
    const files::SafeWriteResult written = files::WriteFileSafely(path, bytes);
    if (!written.ok) Fail(path, written.reason);
}

void WriteXlsxFile(const Worksheet& sheet, const QString& path) {
    WriteXlsxFileBytes(XlsxFileBytes(sheet, path), path);
}

}  // namespace output
