#include "sheets/XlsxReader.h"

#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "sheets/CellText.h"
#include "sheets/PlainNumbers.h"
#include "sheets/XmlEvents.h"

namespace sheets {
namespace {

// Ceiling on the characters of all shared strings together, against decompression bombs.
constexpr qint64 kMaxSharedStringChars = qint64(64) << 20;

struct Relationship {
    QString id;
    QString type;
    QString target;  // archive path, resolved
};

// The folder of a part, with its trailing slash ("" at the root).
QString folderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

// A relationship target resolved against the folder of its source part; absolute targets
// start at the archive's root.
QString resolveTarget(const QString& sourceFolder, QString target) {
    target.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString joined =
        target.startsWith(QLatin1Char('/')) ? target.mid(1) : sourceFolder + target;
    QStringList parts;
    for (const QString& part : joined.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".")) continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty()) parts.removeLast();
            continue;
        }
        parts.push_back(part);
    }
    return parts.join(QLatin1Char('/'));
}

QString relsPathOf(const QString& part) {
    const QString folder = folderOf(part);
    return folder + QStringLiteral("_rels/") + part.mid(folder.size()) + QStringLiteral(".rels");
}

std::vector<Relationship> readRelationships(const ZipArchive& archive, const QString& part) {
    std::vector<Relationship> result;
    const auto device = archive.openEntry(relsPathOf(part));
    if (!device) return result;
    const QString folder = folderOf(part);
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Relationship")) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) == QLatin1String("External")) continue;
        result.push_back({a.value(QLatin1String("Id")).toString(),
                          a.value(QLatin1String("Type")).toString(),
                          resolveTarget(folder, a.value(QLatin1String("Target")).toString())});
    }
    return result;
}

bool hasType(const Relationship& r, QLatin1StringView suffix) {
    return r.type.endsWith(suffix, Qt::CaseInsensitive);
}

// Excel escapes characters XML cannot hold as _xHHHH_ ("_x005F_" is the underscore).
QString decodeEscapes(const QString& text) {
    if (!text.contains(QLatin1String("_x"))) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of a string item (<si> or <is>) as its events come: its <t> elements, plain or in
// runs, without the phonetic guides; start() and end() for the elements inside the item.
class StringItemText {
  public:
    void start(std::string_view name) {
        if (inText_ > 0) {
            ++inText_;
        } else if (inGuide_ > 0) {
            ++inGuide_;
        } else if (name == "t") {
            inText_ = 1;
        } else if (name == "rPh") {
            inGuide_ = 1;
        }
    }
    void end() {
        if (inText_ > 0) {
            --inText_;
        } else if (inGuide_ > 0) {
            --inGuide_;
        }
    }
    void text(std::string_view utf8) {
        if (inText_ > 0) utf8_.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    qsizetype size() const { return utf8_.size(); }
    // The item's text; the item is empty again.
    QString take() {
        QString text = decodeEscapes(QString::fromUtf8(utf8_));
        utf8_.clear();
        inText_ = 0;
        inGuide_ = 0;
        return text;
    }

  private:
    QByteArray utf8_;
    int inText_ = 0;   // depth inside a <t>
    int inGuide_ = 0;  // depth inside an <rPh> outside any <t>
};

class SharedStringsReader : public XmlEventHandler {
  public:
    bool startElement(std::string_view name, const char**) override {
        if (depth_ > 0) {
            ++depth_;
            item_.start(name);
        } else if (name == "si") {
            depth_ = 1;
        }
        return true;
    }
    bool endElement(std::string_view) override {
        if (depth_ == 0) return true;
        if (--depth_ > 0) {
            item_.end();
            return true;
        }
        strings_.push_back(item_.take());
        chars_ += strings_.back().size();
        return chars_ <= kMaxSharedStringChars;
    }
    bool text(std::string_view utf8) override {
        if (depth_ > 0) item_.text(utf8);
        return true;
    }
    QStringList take() { return std::move(strings_); }

  private:
    QStringList strings_;
    StringItemText item_;
    qint64 chars_ = 0;
    int depth_ = 0;  // inside an <si>, counting it
};

QStringList readSharedStrings(const ZipArchive& archive, const QString& part, const QString& name) {
    if (part.isEmpty()) return {};
    const auto device = archive.openEntry(part);
    if (!device) return {};
    SharedStringsReader reader;
    const XmlReading reading = ReadXmlEvents(*device, reader);
    if (reading.end == XmlReading::End::Stopped)
        FailReading(name, QStringLiteral("Metinler çok uzun."));
    if (reading.end == XmlReading::End::Malformed)
        FailReading(name, QStringLiteral("Metin listesi bozuk: %1").arg(reading.error));
    return reader.take();
}

// For each cell style: whether its number format shows a date.
std::vector<bool> readDateStyles(const ZipArchive& archive, const QString& part) {
    std::vector<bool> dateStyles;
    if (part.isEmpty()) return dateStyles;
    const auto device = archive.openEntry(part);
    if (!device) return dateStyles;
    QXmlStreamReader xml(device.get());
    QHash<int, bool> customIsDate;
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) inCellXfs = false;
        if (!xml.isStartElement()) continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("numFmt")) {
            customIsDate.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                IsDateFormatCode(a.value(QLatin1String("formatCode")).toString()));
        } else if (xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == QLatin1String("xf")) {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            dateStyles.push_back(customIsDate.contains(id) ? customIsDate.value(id)
                                                           : IsBuiltInDateFormat(id));
        }
    }
    return dateStyles;  // a damaged style part costs only the date forms
}

struct Workbook {
    QString sheetPart;
    QString sharedStringsPart;
    QString stylesPart;
    DateSystem dates = DateSystem::From1900;
};

QString attributeByLocalName(const QXmlStreamAttributes& attributes, QLatin1StringView local,
                             bool namespaced) {
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.name() == local && a.namespaceUri().isEmpty() != namespaced)
            return a.value().toString();
    }
    return QString();
}

Workbook readWorkbook(const ZipArchive& archive, const QString& name) {
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : readRelationships(archive, QString())) {
        if (hasType(r, QLatin1StringView("/officeDocument"))) {
            workbookPart = r.target;
            break;
        }
    }
    const auto device = archive.openEntry(workbookPart);
    if (!device) FailReading(name, QStringLiteral("Çalışma kitabı bulunamadı."));

    Workbook book;
    const std::vector<Relationship> rels = readRelationships(archive, workbookPart);
    for (const Relationship& r : rels) {
        if (hasType(r, QLatin1StringView("/sharedStrings"))) book.sharedStringsPart = r.target;
        if (hasType(r, QLatin1StringView("/styles"))) book.stylesPart = r.target;
    }

    QXmlStreamReader xml(device.get());
    while (!xml.atEnd() && book.sheetPart.isEmpty()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("workbookPr")) {
            const QString v = xml.attributes().value(QLatin1String("date1904")).toString();
            if (v == QLatin1String("1") ||
                v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
                book.dates = DateSystem::From1904;
            }
        } else if (xml.name() == QLatin1String("sheet")) {
            const QString id =
                attributeByLocalName(xml.attributes(), QLatin1StringView("id"), true);
            for (const Relationship& r : rels) {
                if (r.id == id && hasType(r, QLatin1StringView("/worksheet")))
                    book.sheetPart = r.target;
            }
        }
    }
    if (book.sheetPart.isEmpty()) FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
    return book;
}

// "BC12" -> column 55, row 12; zeros for a reference that is not one.
void parseReference(QStringView ref, qint64& column, qint64& row) {
    qint64 c = 0;
    qsizetype i = 0;
    for (; i < ref.size() && i < 4; ++i) {
        const char16_t ch = QChar::toUpper(ref[i].unicode());
        if (ch < u'A' || ch > u'Z') break;
        c = c * 26 + (ch - u'A' + 1);
    }
    bool ok = false;
    const qint64 r = ref.mid(i).toLongLong(&ok);
    column = (i > 0 && ok) ? c : 0;
    row = (i > 0 && ok) ? r : 0;
}

// The cell types of the "t" attribute; anything else reads as a number.
enum class CellType { Number, Shared, InlineString, String, Error, Boolean, IsoDate };

CellType cellTypeOf(std::string_view t) {
    if (t == "s") return CellType::Shared;
    if (t == "inlineStr") return CellType::InlineString;
    if (t == "str") return CellType::String;
    if (t == "e") return CellType::Error;
    if (t == "b") return CellType::Boolean;
    if (t == "d") return CellType::IsoDate;
    return CellType::Number;
}

// "BC12" -> column 55, row 12, for the plain ASCII form every workbook writes; nothing for
// any other text, which parseReference reads.
std::optional<std::pair<qint64, qint64>> plainReference(std::string_view ref) {
    qint64 column = 0;
    std::size_t i = 0;
    for (; i < ref.size() && i < 4; ++i) {
        const char ch = ref[i];
        if (ch >= 'a' && ch <= 'z') {
            column = column * 26 + (ch - 'a' + 1);
        } else if (ch >= 'A' && ch <= 'Z') {
            column = column * 26 + (ch - 'A' + 1);
        } else {
            break;
        }
    }
    if (i == 0) return std::nullopt;
    const std::optional<int> row = PlainDigits(ref.substr(i));
    if (!row) return std::nullopt;
    return std::pair<qint64, qint64>(column, *row);
}

// The cells of shared strings while the strings are still being read: each keeps its place
// among the sheet's cells, and takes its text, or leaves the sheet as a cell with a string
// number beyond the list does, once the list is there.
class SharedStringCells {
  public:
    void add(SheetContent& sheet, qint64 row, qint64 column, int index) {
        const bool shown = row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
        cells_.push_back({row, column, index, shown ? qsizetype(sheet.cells.size()) : -1});
        if (shown) sheet.cells.push_back({int(row), int(column), QString()});
    }

    void resolve(SheetContent& sheet, const QStringList& strings) const {
        bool dropped = false;
        for (const Cell& c : cells_) {
            if (c.index < strings.size()) {
                if (c.place >= 0) {
                    sheet.cells[std::size_t(c.place)].text = strings[c.index].left(kMaxCellText);
                }
                if (c.row >= 1 && c.column >= 1) {  // as SheetContent::add counts the used area
                    sheet.lastRow = std::max(sheet.lastRow, int(c.row));
                    sheet.lastColumn = std::max(sheet.lastColumn, int(c.column));
                }
            } else if (c.place >= 0) {
                sheet.cells[std::size_t(c.place)].row = 0;
                dropped = true;
            }
        }
        if (dropped) {
            std::erase_if(sheet.cells,
                          [](const SheetContent::Cell& cell) { return cell.row == 0; });
        }
    }

  private:
    struct Cell {
        qint64 row;
        qint64 column;
        int index;
        qsizetype place;  // in the sheet's cells; -1 beyond the rows and columns kept
    };
    std::vector<Cell> cells_;
};

class SheetXmlReader : public XmlEventHandler {
  public:
    SheetXmlReader(const Workbook& book, std::vector<bool> dateStyles)
        : book_(book), dateStyles_(std::move(dateStyles)) {}

    void read(QIODevice* device, const QString& name) {
        const XmlReading reading = ReadXmlEvents(*device, *this);
        if (reading.end != XmlReading::End::Complete)
            FailReading(name, QStringLiteral("Sayfa bozuk: %1").arg(reading.error));
    }

    // The sheet read, its shared-string cells given their texts.
    SheetContent take(const QStringList& strings) {
        sharedCells_.resolve(sheet_, strings);
        return std::move(sheet_);
    }

    bool startElement(std::string_view name, const char** attributes) override {
        if (!inCell_) {
            if (name == "row") {
                startRow(attributes);
            } else if (name == "c") {
                startCell(attributes);
            }
            return true;
        }
        if (++depth_ == 1) {
            child_ = name == "v" ? Child::Value : name == "is" ? Child::Inline : Child::Other;
            if (child_ == Child::Value) {
                value_.clear();
                hasValue_ = true;
            }
            if (child_ == Child::Inline) inlineText_.reset();
        } else if (child_ == Child::Inline) {
            item_.start(name);
        }
        return true;
    }

    bool endElement(std::string_view) override {
        if (!inCell_) return true;
        if (depth_ == 0) {
            endCell();
        } else if (--depth_ == 0) {
            if (child_ == Child::Inline) inlineText_ = item_.take();
            child_ = Child::None;
        } else if (child_ == Child::Inline) {
            item_.end();
        }
        return true;
    }

    bool text(std::string_view utf8) override {
        if (child_ == Child::Value) {
            value_.append(utf8);
        } else if (child_ == Child::Inline) {
            item_.text(utf8);
        }
        return true;
    }

  private:
    enum class Child { None, Value, Inline, Other };

    // The row number of <row r="...">; none when absent or not a number.
    static std::optional<qint64> rowNumber(const char* r) {
        if (!r) return std::nullopt;
        if (const auto plain = PlainDigits(r)) return *plain;
        bool ok = false;
        const qint64 n = QByteArray(r).toLongLong(&ok);
        return ok ? std::optional<qint64>(n) : std::nullopt;
    }

    void startRow(const char** attributes) {
        const std::optional<qint64> r = rowNumber(AttributeValue(attributes, "r"));
        row_ = std::min((r && *r > 0) ? *r : row_ + 1, kIndexCeiling);
        column_ = 0;
    }

    static int styleNumber(const char* s) {
        if (!s) return 0;
        if (const auto plain = PlainDigits(s)) return *plain;
        return QByteArray(s).toInt();
    }

    void startCell(const char** attributes) {
        const char* reference = nullptr;
        const char* type = nullptr;
        const char* style = nullptr;
        for (const char** a = attributes; a[0]; a += 2) {
            const std::string_view attribute(a[0]);
            if (attribute == "r") {
                reference = a[1];
            } else if (attribute == "t") {
                type = a[1];
            } else if (attribute == "s") {
                style = a[1];
            }
        }
        qint64 column = 0;
        qint64 row = 0;
        if (const auto plain = plainReference(reference ? reference : "")) {
            std::tie(column, row) = *plain;
        } else {
            parseReference(QString::fromUtf8(reference), column, row);
        }
        if (column > 0) {
            column_ = column;
            if (row > 0) row_ = std::min(row, kIndexCeiling);
        } else {
            column_ = std::min(column_ + 1, kIndexCeiling);
        }
        type_ = cellTypeOf(type ? type : "");
        style_ = styleNumber(style);
        hasValue_ = false;
        value_.clear();
        inlineText_.reset();
        inCell_ = true;
        depth_ = 0;
        child_ = Child::None;
    }

    void endCell() {
        inCell_ = false;
        if (type_ == CellType::Shared) {
            if (const std::optional<int> index = sharedStringIndex()) {
                sharedCells_.add(sheet_, row_, column_, *index);
            }
            return;
        }
        if (std::optional<QString> text = plainCellText()) {
            sheet_.add(row_, column_, std::move(*text));
            return;
        }
        std::optional<QString> value;
        if (hasValue_) value = QString::fromUtf8(value_.data(), qsizetype(value_.size()));
        if (const auto cell = cellValue(value, inlineText_)) {
            sheet_.add(row_, column_, CellText(*cell, book_.dates));
        }
    }

    bool isDateStyle() const {
        return style_ >= 0 && static_cast<std::size_t>(style_) < dateStyles_.size() &&
               dateStyles_[static_cast<std::size_t>(style_)];
    }

    // The number of a shared-string cell's string; none when the cell names none.
    std::optional<int> sharedStringIndex() const {
        if (!hasValue_) return std::nullopt;
        if (const std::optional<int> plain = PlainDigits(value_)) return plain;
        bool ok = false;
        const int index =
            QString::fromUtf8(value_.data(), qsizetype(value_.size())).trimmed().toInt(&ok);
        if (!ok || index < 0) return std::nullopt;
        return index;
    }

    // The text of the cells most workbooks are made of, plain numbers, read without the
    // general path's copies; nothing for any other cell.
    std::optional<QString> plainCellText() const {
        if (!hasValue_ || type_ != CellType::Number) return std::nullopt;
        const std::optional<double> number = PlainDecimal(value_);
        if (!number) return std::nullopt;
        return CellText(
            isDateStyle() ? CellValue::ofSerialDate(*number) : CellValue::ofNumber(*number),
            book_.dates);
    }

    std::optional<CellValue> cellValue(const std::optional<QString>& v,
                                       const std::optional<QString>& inlineText) const {
        switch (type_) {
            case CellType::InlineString:
                if (inlineText) return CellValue::ofText(*inlineText);
                if (v) return CellValue::ofText(decodeEscapes(*v));
                return std::nullopt;
            case CellType::Shared:  // read by endCell
                return std::nullopt;
            case CellType::String:
            case CellType::Error:
                if (!v) return std::nullopt;
                return CellValue::ofText(decodeEscapes(*v));
            case CellType::Boolean:
                if (!v) return std::nullopt;
                return CellValue::ofBoolean(v->trimmed() != QLatin1String("0"));
            case CellType::IsoDate:
                if (!v) return std::nullopt;
                return CellValue::ofIsoDate(v->trimmed());
            case CellType::Number:
                break;
        }
        if (!v) return std::nullopt;
        bool ok = false;
        const double number = v->trimmed().toDouble(&ok);
        if (!ok) return CellValue::ofText(*v);
        return isDateStyle() ? CellValue::ofSerialDate(number) : CellValue::ofNumber(number);
    }

    const Workbook& book_;
    std::vector<bool> dateStyles_;
    SheetContent sheet_;
    SharedStringCells sharedCells_;
    qint64 row_ = 0;
    qint64 column_ = 0;
    // The cell being read.
    bool inCell_ = false;
    int depth_ = 0;  // of the element inside the cell; 0 on the cell itself
    Child child_ = Child::None;
    CellType type_ = CellType::Number;
    int style_ = 0;
    bool hasValue_ = false;
    std::string value_;  // the <v> text when hasValue_, kept between cells for its room
    std::optional<QString> inlineText_;
    StringItemText item_;
};

}  // namespace

SheetContent ReadXlsx(const ZipArchive& archive, const QString& name) {
    const Workbook book = readWorkbook(archive, name);
    // The shared strings are read on a second thread beside the sheet, whose cells refer to
    // them by number until both are read. A failure of the strings is told first, as when
    // they were read before the sheet.
    QStringList strings;
    std::exception_ptr stringsFailure;
    const std::optional<ZipArchive> stringsArchive = archive.secondReader();
    std::jthread stringsReading([&] {
        try {
            strings = readSharedStrings(stringsArchive ? *stringsArchive : archive,
                                        book.sharedStringsPart, name);
        } catch (...) {
            stringsFailure = std::current_exception();
        }
    });
    // Without an archive of its own the strings' reading must end before the sheet's starts.
    if (!stringsArchive) stringsReading.join();
    SheetXmlReader reader(book, readDateStyles(archive, book.stylesPart));
    std::exception_ptr sheetFailure;
    try {
        const auto device = archive.openEntry(book.sheetPart);
        if (!device) FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
        reader.read(device.get(), name);
    } catch (...) {
        sheetFailure = std::current_exception();
    }
    if (stringsReading.joinable()) stringsReading.join();
    if (stringsFailure) std::rethrow_exception(stringsFailure);
    if (sheetFailure) std::rethrow_exception(sheetFailure);
    return reader.take(strings);
}

}  // namespace sheets
