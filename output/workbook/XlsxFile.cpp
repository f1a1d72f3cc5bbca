#include "output/workbook/XlsxFile.h"

#include <QHash>
#include <QLocale>
#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "core/Errors.h"
#include "files/SafeWrite.h"
#include "output/workbook/ColumnFit.h"
#include "output/workbook/ZipWriter.h"
#include "storage/CalculationFile.h"

namespace output {
namespace {

// Row height in points that shows the 12 pt captions whole.
constexpr double kLargeRowHeight = 15.75;

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw core::CalcError(storage::kCannotSave + QLatin1Char('\n') + path + QLatin1Char('\n') +
                          reason);
}

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
    if (!text.contains(QLatin1String("_x"))) return text;
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
void CheckTextFits(const Sheet& sheet, const QString& path) {
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::vector<SheetCell>& cells = sheet.rowCells(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const SheetCell& cell = cells[i];
            if (cell.kind != SheetCell::Kind::Text) continue;
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

// The parts of the workbook package besides the sheet, its strings and its styles.
constexpr char kContentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" "
    "ContentType=\"application/"
    "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "</Types>";
constexpr char kPackageRelations[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
constexpr char kWorkbookRelations[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/></Relationships>";
constexpr char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kMainNamespace[] =
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

// Text as XML character data or an attribute value, in UTF-8.
void AppendEscaped(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
}

// Control characters cannot stand in XML; spreadsheet programs read them as "_xHHHH_".
QString EscapeControlCharacters(const QString& text) {
    QString escaped;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 || c == u'\t' || c == u'\n') {
            if (!escaped.isNull()) escaped += text.at(i);
            continue;
        }
        if (escaped.isNull()) escaped = text.left(i);
        escaped += QLatin1String("_x") +
                   QStringLiteral("%1").arg(int(c), 4, 16, QLatin1Char('0')).toUpper() +
                   QLatin1Char('_');
    }
    return escaped.isNull() ? text : escaped;
}

void AppendNumber(QByteArray& out, double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error == std::errc()) out.append(buffer, end - buffer);
}

void AppendCellReference(QByteArray& out, int row, int column) {
    char letters[8];
    int n = 0;
    for (int c = column; c > 0 && n < 8; c = (c - 1) / 26) letters[n++] = char('A' + (c - 1) % 26);
    while (n > 0) out += letters[--n];
    out += QByteArray::number(row);
}

// A width in digits as spreadsheet programs store it: whole pixels of a 7-pixel digit with
// 5 pixels of padding, in 256ths of a digit.
double StoredColumnWidth(double width) {
    constexpr double digit = 7;
    constexpr double padding = 5;
    if (width <= 0) return width;
    const int pixels =
        width < 1 ? int(width * (digit + padding) + 0.5) : int(width * digit + 0.5) + int(padding);
    return int(pixels / digit * 256.0) / 256.0;
}

// The cell formats in the order of their first use, one for each combination of bold, 12 pt
// and the amount format; each names the face whose metrics fit the columns, so a program
// without the default face shows the same widths.
class Styles {
  public:
    // The index of a written cell's format.
    int of(const SheetCell& cell) {
        const int key = (cell.bold ? 1 : 0) | (cell.large ? 2 : 0) | (cell.amountFormat ? 4 : 0);
        int& index = indexByKey_[std::size_t(key)];
        if (index == 0) {
            keys_.push_back(key);
            index = int(keys_.size());
        }
        return index;
    }

    QByteArray xml(const QString& amountCode) const {
        QByteArray out = kXmlHead;
        out += "<styleSheet ";
        out += kMainNamespace;
        out += "><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"";
        AppendEscaped(out, amountCode);
        out += "\"/></numFmts>";
        // Font 0 is the workbook's default; fonts 1 to 4 the cell face, bold and 12 pt.
        out +=
            "<fonts count=\"5\"><font><sz val=\"11\"/><name val=\"Calibri\"/>"
            "<family val=\"2\"/></font>";
        for (int font = 0; font < 4; ++font) {
            out += "<font>";
            if (font & 1) out += "<b/>";
            out += (font & 2) ? "<sz val=\"12\"/>" : "<sz val=\"11\"/>";
            out += "<name val=\"";
            out += kCellFont;
            out += "\"/><family val=\"2\"/></font>";
        }
        out +=
            "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
            "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
            "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
            "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
            "fillId=\"0\" borderId=\"0\"/></cellStyleXfs><cellXfs count=\"";
        out += QByteArray::number(qsizetype(keys_.size()) + 1);
        out += "\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
        for (const int key : keys_) {
            const bool amount = key & 4;
            out += "<xf numFmtId=\"";
            out += amount ? "164" : "0";
            out += "\" fontId=\"" + QByteArray::number(1 + (key & 3)) +
                   "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
            if (amount) out += " applyNumberFormat=\"1\"";
            out += " applyFont=\"1\"/>";
        }
        out +=
            "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
            "builtinId=\"0\"/></cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\" "
            "defaultTableStyle=\"TableStyleMedium9\" defaultPivotStyle=\"PivotStyleLight16\"/>"
            "</styleSheet>";
        return out;
    }

  private:
    std::array<int, 8> indexByKey_{};
    std::vector<int> keys_;
};

// Each text once, numbered in the order of first use, as the cells refer to them.
class SharedStrings {
  public:
    int of(const QString& text) {
        ++uses_;
        if (const auto known = index_.constFind(text); known != index_.constEnd()) return *known;
        const int index = int(index_.size());
        index_.insert(text, index);
        items_ += "<si><t";
        const bool spaceAtAnEnd = text.front().isSpace() || text.back().isSpace();
        if (spaceAtAnEnd) items_ += " xml:space=\"preserve\"";
        items_ += '>';
        AppendEscaped(items_, text);
        items_ += "</t></si>";
        return index;
    }

    QByteArray xml() const {
        QByteArray out = kXmlHead;
        out += "<sst ";
        out += kMainNamespace;
        out += " count=\"" + QByteArray::number(uses_) + "\" uniqueCount=\"" +
               QByteArray::number(qsizetype(index_.size())) + "\">";
        out += items_;
        out += "</sst>";
        return out;
    }

  private:
    QHash<QString, int> index_;
    QByteArray items_;
    qsizetype uses_ = 0;
};

QByteArray WorksheetXml(const Sheet& sheet, Styles& styles, SharedStrings& strings) {
    int lastColumn = 1;
    for (int row = 1; row <= sheet.rowCount(); ++row)
        lastColumn = std::max(lastColumn, int(sheet.rowCells(row).size()));
    QByteArray out;
    out.reserve(qsizetype(sheet.rowCount()) * 512 + 4096);
    out += kXmlHead;
    out += "<worksheet ";
    out += kMainNamespace;
    out +=
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<dimension ref=\"A1";
    if (sheet.rowCount() > 1 || lastColumn > 1) {
        out += ':';
        AppendCellReference(out, std::max(1, sheet.rowCount()), lastColumn);
    }
    out +=
        "\"/><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
        "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!sheet.columnWidths().empty()) {
        out += "<cols>";
        for (const auto& [column, width] : sheet.columnWidths()) {
            const QByteArray number = QByteArray::number(column);
            out += "<col min=\"" + number + "\" max=\"" + number + "\" width=\"";
            AppendNumber(out, StoredColumnWidth(width));
            out += "\" customWidth=\"1\"/>";
        }
        out += "</cols>";
    }
    out += "<sheetData>";
    for (int row = 1; row <= sheet.rowCount(); ++row) {
        const std::vector<SheetCell>& cells = sheet.rowCells(row);
        bool large = false;
        bool written = false;
        for (const SheetCell& cell : cells) {
            large = large || cell.large;
            written = written || cell.hasValue() || cell.hasFormatting();
        }
        if (!written && !large) continue;
        out += "<row r=\"" + QByteArray::number(row) + '"';
        if (large) out += " ht=\"" + QByteArray::number(kLargeRowHeight) + "\" customHeight=\"1\"";
        out += '>';
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const SheetCell& cell = cells[i];
            if (!cell.hasValue() && !cell.hasFormatting()) continue;
            out += "<c r=\"";
            AppendCellReference(out, row, int(i) + 1);
            out += "\" s=\"" + QByteArray::number(styles.of(cell)) + '"';
            switch (cell.kind) {
                case SheetCell::Kind::Empty:
                    out += "/>";
                    break;
                case SheetCell::Kind::Text:
                    out += " t=\"s\"><v>" +
                           QByteArray::number(strings.of(
                               EscapeControlCharacters(EscapeCharacterCodes(cell.text)))) +
                           "</v></c>";
                    break;
                case SheetCell::Kind::Number:
                    out += "><v>";
                    AppendNumber(out, cell.number);
                    out += "</v></c>";
                    break;
                case SheetCell::Kind::Formula:
                    out += "><f>";
                    AppendEscaped(out, cell.text);
                    out += "</f><v>";
                    AppendNumber(out, cell.number);
                    out += "</v></c>";
                    break;
            }
        }
        out += "</row>";
    }
    out +=
        "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
        "header=\"0.3\" footer=\"0.3\"/></worksheet>";
    return out;
}

QByteArray WorkbookXml() {
    QByteArray out = kXmlHead;
    out += "<workbook ";
    out += kMainNamespace;
    out +=
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<bookViews><workbookView xWindow=\"240\" yWindow=\"15\" windowWidth=\"16095\" "
        "windowHeight=\"9660\"/></bookViews><sheets><sheet name=\"";
    AppendEscaped(out, kWorksheetName);
    out +=
        "\" sheetId=\"1\" r:id=\"rId1\"/></sheets><calcPr calcId=\"124519\" "
        "fullCalcOnLoad=\"1\"/></workbook>";
    return out;
}

QByteArray BuildWorkbookBytes(const Sheet& sheet, const QString& path) {
    CheckTextFits(sheet, path);
    Styles styles;
    SharedStrings strings;
    const QByteArray worksheet = WorksheetXml(sheet, styles, strings);
    ZipWriter zip;
    const bool packed = zip.add("[Content_Types].xml", kContentTypes) &&
                        zip.add("_rels/.rels", kPackageRelations) &&
                        zip.add("xl/workbook.xml", WorkbookXml()) &&
                        zip.add("xl/_rels/workbook.xml.rels", kWorkbookRelations) &&
                        zip.add("xl/styles.xml", styles.xml(sheet.amountFormatCode())) &&
                        zip.add("xl/sharedStrings.xml", strings.xml()) &&
                        zip.add("xl/worksheets/sheet1.xml", worksheet);
    if (!packed) Fail(path, QStringLiteral("Bellek yetersiz."));
    return zip.finish();
}

}  // namespace

void WriteXlsxFile(const Sheet& sheet, const QString& path) {
    const QByteArray bytes = BuildWorkbookBytes(sheet, path);

    const files::SafeWriteResult written = files::WriteFileSafely(path, bytes);
    if (!written.ok) Fail(path, written.reason);
}

}  // namespace output
