#include "tests/output/XlsxTestReader.h"

#include <zip.h>

#include <QFile>
#include <QXmlStreamReader>
#include <memory>

namespace outputtest {
namespace {

QString BuiltInFormat(int id) {
    switch (id) {
        case 0:
            return QStringLiteral("General");
        case 1:
            return QStringLiteral("0");
        case 2:
            return QStringLiteral("0.00");
        case 3:
            return QStringLiteral("#,##0");
        case 4:
            return QStringLiteral("#,##0.00");
        default:
            return QStringLiteral("builtin %1").arg(id);
    }
}

}  // namespace

int ColumnNumber(const QString& letters) {
    int n = 0;
    for (const QChar ch : letters) n = n * 26 + (ch.unicode() - u'A' + 1);
    return n;
}

XlsxTestReader::XlsxTestReader(const QString& path) : path_(path) {
    const QByteArray workbook = part(QStringLiteral("xl/workbook.xml"));
    if (!ok()) return;
    readWorkbook(workbook);
    readStrings(part(QStringLiteral("xl/sharedStrings.xml")));
    error_.clear();  // a workbook without strings has no shared strings part
    readStyles(part(QStringLiteral("xl/styles.xml")));
    if (!ok()) return;
    readSheet(part(QStringLiteral("xl/worksheets/sheet1.xml")));
}

QByteArray XlsxTestReader::part(const QString& name) {
    int status = 0;
    std::unique_ptr<zip_t, decltype(&zip_close)> archive(
        zip_open(QFile::encodeName(path_).constData(), ZIP_RDONLY, &status), &zip_close);
    if (!archive) {
        error_ = QStringLiteral("not a zip file: %1").arg(path_);
        return {};
    }
    zip_stat_t stat;
    if (zip_stat(archive.get(), name.toUtf8().constData(), 0, &stat) != 0) {
        error_ = QStringLiteral("no part %1").arg(name);
        return {};
    }
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
        zip_fopen(archive.get(), name.toUtf8().constData(), 0), &zip_fclose);
    QByteArray bytes(static_cast<qsizetype>(stat.size), '\0');
    if (!file ||
        zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
        error_ = QStringLiteral("cannot read part %1").arg(name);
        return {};
    }
    return bytes;
}

void XlsxTestReader::readWorkbook(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("sheet")) {
            sheetName_ = reader.attributes().value(QLatin1String("name")).toString();
            return;
        }
    }
}

void XlsxTestReader::readStrings(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
            inItem = true;
            current.clear();
        } else if (reader.isStartElement() && reader.name() == QLatin1String("t") && inItem) {
            current += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == QLatin1String("si")) {
            strings_.push_back(current);
            inItem = false;
        }
    }
}

void XlsxTestReader::readStyles(const QByteArray& xml) {
    std::map<int, QString> formats;
    struct Font {
        bool bold = false;
        double size = 11;
        QString name;
    };
    std::vector<Font> fonts;
    QXmlStreamReader reader(xml);
    QString section;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && (reader.name() == QLatin1String("fonts") ||
                                      reader.name() == QLatin1String("cellXfs"))) {
            section.clear();
        }
        if (!reader.isStartElement()) continue;
        const auto name = reader.name();
        const auto attributes = reader.attributes();
        if (name == QLatin1String("numFmt")) {
            formats[attributes.value(QLatin1String("numFmtId")).toInt()] =
                attributes.value(QLatin1String("formatCode")).toString();
        } else if (name == QLatin1String("fonts") || name == QLatin1String("cellXfs")) {
            section = name.toString();
        } else if (section == QLatin1String("fonts") && name == QLatin1String("font")) {
            fonts.emplace_back();
        } else if (section == QLatin1String("fonts") && name == QLatin1String("b")) {
            fonts.back().bold = true;
        } else if (section == QLatin1String("fonts") && name == QLatin1String("name")) {
            fonts.back().name = attributes.value(QLatin1String("val")).toString();
        } else if (section == QLatin1String("fonts") && name == QLatin1String("sz")) {
            fonts.back().size = attributes.value(QLatin1String("val")).toDouble();
        } else if (section == QLatin1String("cellXfs") && name == QLatin1String("xf")) {
            Style style;
            const int fontId = attributes.value(QLatin1String("fontId")).toInt();
            const int formatId = attributes.value(QLatin1String("numFmtId")).toInt();
            if (fontId >= 0 && static_cast<std::size_t>(fontId) < fonts.size()) {
                style.bold = fonts[static_cast<std::size_t>(fontId)].bold;
                style.size = fonts[static_cast<std::size_t>(fontId)].size;
                style.font = fonts[static_cast<std::size_t>(fontId)].name;
            }
            style.numberFormat =
                formats.count(formatId) ? formats[formatId] : BuiltInFormat(formatId);
            styles_.push_back(style);
        }
    }
    if (reader.hasError()) error_ = QStringLiteral("styles: ") + reader.errorString();
}

void XlsxTestReader::readSheet(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    XlsxCell* current = nullptr;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) continue;
        const auto name = reader.name();
        const auto attributes = reader.attributes();
        if (name == QLatin1String("col")) {
            const int first = attributes.value(QLatin1String("min")).toInt();
            const int last = attributes.value(QLatin1String("max")).toInt();
            for (int c = first; c <= last; ++c) {
                widths_[c] = attributes.value(QLatin1String("width")).toDouble();
            }
        } else if (name == QLatin1String("row")) {
            if (attributes.hasAttribute(QLatin1String("ht"))) {
                heights_[attributes.value(QLatin1String("r")).toInt()] =
                    attributes.value(QLatin1String("ht")).toDouble();
            }
        } else if (name == QLatin1String("c")) {
            current = &cells_[attributes.value(QLatin1String("r")).toString()];
            current->present = true;
            current->type = attributes.value(QLatin1String("t")).toString();
            const int styleId = attributes.value(QLatin1String("s")).toInt();
            if (styleId >= 0 && static_cast<std::size_t>(styleId) < styles_.size()) {
                const Style& style = styles_[static_cast<std::size_t>(styleId)];
                current->bold = style.bold;
                current->size = style.size;
                current->font = style.font;
                current->numberFormat = style.numberFormat;
            }
        } else if (name == QLatin1String("f") && current) {
            current->formula = reader.readElementText();
            current->type = QStringLiteral("formula");
        } else if (name == QLatin1String("v") && current) {
            const QString value = reader.readElementText();
            if (current->type == QLatin1String("s")) {
                current->text = strings_.at(value.toULongLong());
            } else {
                if (current->type.isEmpty()) current->type = QStringLiteral("n");
                current->number = value.toDouble();
            }
        }
    }
    if (reader.hasError()) error_ = QStringLiteral("sheet: ") + reader.errorString();
}

XlsxCell XlsxTestReader::cell(const QString& reference) const {
    const auto it = cells_.find(reference);
    return it == cells_.end() ? XlsxCell{} : it->second;
}

std::vector<QString> XlsxTestReader::references() const {
    std::vector<QString> result;
    for (const auto& [reference, cell] : cells_) result.push_back(reference);
    return result;
}

double XlsxTestReader::columnWidth(const QString& letters) const {
    const auto it = widths_.find(ColumnNumber(letters));
    return it == widths_.end() ? 0 : it->second;
}

double XlsxTestReader::rowHeight(int row) const {
    const auto it = heights_.find(row);
    return it == heights_.end() ? 0 : it->second;
}

}  // namespace outputtest
