#include "sheets/OdsReader.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

#include "sheets/CellText.h"

namespace sheets {
namespace {

const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kCalcExtNs =
    QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

bool is(const QXmlStreamReader& xml, const QString& ns, QLatin1StringView local) {
    return xml.name() == local && xml.namespaceUri() == ns;
}

qint64 repeatCount(const QXmlStreamAttributes& a, QLatin1StringView attribute) {
    bool ok = false;
    const qint64 n = a.value(kTableNs, attribute).toLongLong(&ok);
    return ok && n > 0 ? std::min(n, kIndexCeiling) : 1;
}

// Character data of a paragraph: white space collapses to one blank and is dropped at the
// paragraph's start; kept spaces come as <text:s/>. A blank at the end stays: spreadsheet
// programs write a cell's one trailing space as it is, and the cell's text is kept exactly.
class ParagraphText {
  public:
    void addCharacters(QStringView chars) {
        for (const QChar c : chars) {
            if (full()) return;
            if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                c == QLatin1Char('\r')) {
                pendingBlank_ = !text_.isEmpty();
            } else {
                flushBlank();
                text_ += c;
            }
        }
    }
    void addKept(const QString& kept) {
        if (full()) return;
        flushBlank();
        text_ += kept;
    }
    // Past a cell's most characters nothing more is kept (repeated spaces can claim millions).
    bool full() const { return text_.size() >= kMaxCellText; }
    QString result() const { return pendingBlank_ ? text_ + QLatin1Char(' ') : text_; }

  private:
    void flushBlank() {
        if (pendingBlank_) text_ += QLatin1Char(' ');
        pendingBlank_ = false;
    }
    QString text_;
    bool pendingBlank_ = false;
};

// The text of one paragraph; the reader stands on its start and ends on its end.
QString readParagraph(QXmlStreamReader& xml) {
    ParagraphText text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) {
            text.addCharacters(xml.text());
        } else if (xml.isStartElement()) {
            if (is(xml, kTextNs, QLatin1StringView("s"))) {
                bool ok = false;
                const int n = xml.attributes().value(kTextNs, QLatin1String("c")).toInt(&ok);
                text.addKept(
                    QString(ok && n > 0 ? std::min(n, kMaxCellText) : 1, QLatin1Char(' ')));
                xml.skipCurrentElement();
            } else if (is(xml, kTextNs, QLatin1StringView("tab"))) {
                text.addKept(QStringLiteral("\t"));
                xml.skipCurrentElement();
            } else if (is(xml, kTextNs, QLatin1StringView("line-break"))) {
                text.addKept(QStringLiteral("\n"));
                xml.skipCurrentElement();
            } else if (is(xml, kOfficeNs, QLatin1StringView("annotation")) ||
                       is(xml, kTextNs, QLatin1StringView("note"))) {
                xml.skipCurrentElement();
            } else {
                ++depth;  // spans, links: their text counts
            }
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return text.result();
}

struct RowCell {
    qint64 column;
    qint64 repeated;
    QString text;
};

// One cell: its value as text, or nothing when it holds none. Ends on the cell's end.
std::optional<QString> readCell(QXmlStreamReader& xml) {
    const QXmlStreamAttributes a = xml.attributes();
    const QString type = a.value(kOfficeNs, QLatin1String("value-type")).toString();
    const bool error = a.value(kCalcExtNs, QLatin1String("value-type")) == QLatin1String("error");
    QStringList paragraphs;
    while (xml.readNextStartElement()) {
        if (is(xml, kTextNs, QLatin1StringView("p"))) {
            paragraphs.push_back(readParagraph(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
    const QString shown = paragraphs.join(QLatin1Char('\n'));
    if (type.isEmpty()) return paragraphs.isEmpty() ? std::nullopt : std::optional<QString>(shown);
    if (error) return shown;

    std::optional<CellValue> value;
    if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
        type == QLatin1String("currency")) {
        bool ok = false;
        const double number = a.value(kOfficeNs, QLatin1String("value")).toDouble(&ok);
        if (ok) value = CellValue::ofNumber(number);
    } else if (type == QLatin1String("date")) {
        value = CellValue::ofIsoDate(a.value(kOfficeNs, QLatin1String("date-value")).toString());
    } else if (type == QLatin1String("boolean")) {
        const auto b = a.value(kOfficeNs, QLatin1String("boolean-value"));
        value = CellValue::ofBoolean(b == QLatin1String("true") || b == QLatin1String("1"));
    } else if (type == QLatin1String("string") &&
               a.hasAttribute(kOfficeNs, QLatin1String("string-value"))) {
        value = CellValue::ofText(a.value(kOfficeNs, QLatin1String("string-value")).toString());
    }
    return value ? CellText(*value) : shown;
}

class TableReader {
  public:
    SheetContent read(QXmlStreamReader& xml) {
        // Stands on the table's start; ends on its end.
        int depth = 1;
        while (depth > 0 && !xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                if (is(xml, kTableNs, QLatin1StringView("table-row"))) {
                    readRow(xml);
                } else if (is(xml, kTableNs, QLatin1StringView("table-header-rows")) ||
                           is(xml, kTableNs, QLatin1StringView("table-row-group")) ||
                           is(xml, kTableNs, QLatin1StringView("table-rows"))) {
                    ++depth;  // rows grouped: read them in place
                } else {
                    xml.skipCurrentElement();
                }
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
        return std::move(sheet_);
    }

  private:
    void readRow(QXmlStreamReader& xml) {
        const qint64 repeated =
            repeatCount(xml.attributes(), QLatin1StringView("number-rows-repeated"));
        std::vector<RowCell> cells;
        qint64 column = 1;
        while (xml.readNextStartElement()) {
            if (is(xml, kTableNs, QLatin1StringView("table-cell")) ||
                is(xml, kTableNs, QLatin1StringView("covered-table-cell"))) {
                const qint64 n =
                    repeatCount(xml.attributes(), QLatin1StringView("number-columns-repeated"));
                if (auto text = readCell(xml)) cells.push_back({column, n, std::move(*text)});
                column = std::min<qint64>(column + n, qint64(1) << 24);
            } else {
                xml.skipCurrentElement();
            }
        }
        const qint64 first = row_;
        row_ = std::min<qint64>(row_ + repeated, qint64(1) << 24);
        if (cells.empty()) return;
        for (qint64 r = first; r < row_; ++r) {
            // Beyond the rows shown, only the last copy matters: it ends the used area.
            if (r > kMaxRows) r = row_ - 1;
            for (const RowCell& c : cells) sheet_.add(r, c.column, c.text, c.repeated);
        }
    }

    SheetContent sheet_;
    qint64 row_ = 1;
};

}  // namespace

SheetContent ReadOds(const ZipArchive& archive, const QString& name) {
    const auto device = archive.openEntry(QStringLiteral("content.xml"));
    if (!device) FailReading(name, QStringLiteral("Tablo içeriği bulunamadı."));
    QXmlStreamReader xml(device.get());
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && is(xml, kTableNs, QLatin1StringView("table"))) {
            SheetContent sheet = TableReader().read(xml);
            if (xml.hasError())
                FailReading(name, QStringLiteral("Tablo bozuk: %1").arg(xml.errorString()));
            return sheet;
        }
    }
    if (xml.hasError()) FailReading(name, QStringLiteral("Tablo bozuk: %1").arg(xml.errorString()));
    FailReading(name, QStringLiteral("Çalışma sayfası bulunamadı."));
}

}  // namespace sheets
