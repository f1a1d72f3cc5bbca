#include "sheets/XlsxReader.h"

#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>
#include <optional>
#include <vector>

#include "sheets/CellText.h"

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

// The text of a string item (<si> or <is>): its <t> elements, plain or in runs, without the
// phonetic guides. The reader stands on the item's start and ends on its end.
QString readStringItem(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("t")) {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("rPh")) {
                xml.skipCurrentElement();
            } else {
                ++depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return decodeEscapes(text);
}

QStringList readSharedStrings(const ZipArchive& archive, const QString& part, const QString& name) {
    QStringList strings;
    if (part.isEmpty()) return strings;
    const auto device = archive.openEntry(part);
    if (!device) return strings;
    QXmlStreamReader xml(device.get());
    qint64 chars = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
            strings.push_back(readStringItem(xml));
            chars += strings.back().size();
            if (chars > kMaxSharedStringChars)
                FailReading(name, QStringLiteral("Metinler çok uzun."));
        }
    }
    if (xml.hasError())
        FailReading(name, QStringLiteral("Metin listesi bozuk: %1").arg(xml.errorString()));
    return strings;
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

class SheetXmlReader {
  public:
    SheetXmlReader(const Workbook& book, QStringList strings, std::vector<bool> dateStyles)
        : book_(book), strings_(std::move(strings)), dateStyles_(std::move(dateStyles)) {}

    Sheet read(QIODevice* device, const QString& name) {
        QXmlStreamReader xml(device);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == QLatin1String("row")) {
                startRow(xml.attributes());
            } else if (xml.name() == QLatin1String("c")) {
                readCell(xml);
            }
        }
        if (xml.hasError())
            FailReading(name, QStringLiteral("Sayfa bozuk: %1").arg(xml.errorString()));
        return std::move(sheet_);
    }

  private:
    void startRow(const QXmlStreamAttributes& a) {
        bool ok = false;
        const qint64 r = a.value(QLatin1String("r")).toLongLong(&ok);
        row_ = std::min((ok && r > 0) ? r : row_ + 1, kIndexCeiling);
        column_ = 0;
    }

    void readCell(QXmlStreamReader& xml) {
        const QXmlStreamAttributes a = xml.attributes();
        qint64 column = 0;
        qint64 row = 0;
        parseReference(a.value(QLatin1String("r")), column, row);
        if (column > 0) {
            column_ = column;
            if (row > 0) row_ = std::min(row, kIndexCeiling);
        } else {
            column_ = std::min(column_ + 1, kIndexCeiling);
        }
        const QString type = a.value(QLatin1String("t")).toString();
        const int style = a.value(QLatin1String("s")).toInt();

        std::optional<QString> value;
        std::optional<QString> inlineText;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("is")) {
                inlineText = readStringItem(xml);
            } else {
                xml.skipCurrentElement();
            }
        }
        if (const auto cell = cellValue(type, style, value, inlineText)) {
            sheet_.add(row_, column_, CellText(*cell, book_.dates));
        }
    }

    std::optional<CellValue> cellValue(const QString& type, int style,
                                       const std::optional<QString>& v,
                                       const std::optional<QString>& inlineText) const {
        if (type == QLatin1String("inlineStr")) {
            if (inlineText) return CellValue::ofText(*inlineText);
            if (v) return CellValue::ofText(decodeEscapes(*v));
            return std::nullopt;
        }
        if (!v) return std::nullopt;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = v->trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= strings_.size()) return std::nullopt;
            return CellValue::ofText(strings_[index]);
        }
        if (type == QLatin1String("str") || type == QLatin1String("e")) {
            return CellValue::ofText(decodeEscapes(*v));
        }
        if (type == QLatin1String("b"))
            return CellValue::ofBoolean(v->trimmed() != QLatin1String("0"));
        if (type == QLatin1String("d")) return CellValue::ofIsoDate(v->trimmed());
        bool ok = false;
        const double number = v->trimmed().toDouble(&ok);
        if (!ok) return CellValue::ofText(*v);
        const bool isDate = style >= 0 && static_cast<std::size_t>(style) < dateStyles_.size() &&
                            dateStyles_[static_cast<std::size_t>(style)];
        return isDate ? CellValue::ofSerialDate(number) : CellValue::ofNumber(number);
    }

    const Workbook& book_;
    QStringList strings_;
    std::vector<bool> dateStyles_;
    Sheet sheet_;
    qint64 row_ = 0;
    qint64 column_ = 0;
};

}  // namespace

Sheet ReadXlsx(const ZipArchive& archive, const QString& name) {
    const Workbook book = readWorkbook(archive, name);
    SheetXmlReader reader(book, readSharedStrings(archive, book.sharedStringsPart, name),
                          readDateStyles(archive, book.stylesPart));
    const auto device = archive.openEntry(book.sheetPart);
    if (!device) FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
    return reader.read(device.get(), name);
}

}  // namespace sheets
