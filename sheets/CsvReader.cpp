#include "sheets/CsvReader.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

#include "files/Cp1254.h"

namespace sheets {
namespace {

// Records looked at to choose the separator.
constexpr int kSampleRecords = 200;

// Walks the records of a text, field by field.
class CsvScanner {
  public:
    CsvScanner(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // One record: the texts of its first kMaxColumns fields (each at most kMaxCellText
    // characters), how many fields it has and the last one that holds text. A line of a
    // hundred million separators costs no more memory than a line of 256 fields.
    struct Record {
        QStringList fields;
        qsizetype count = 0;
        qsizetype lastFilled = 0;
    };

    // The next record; the line break that ends it is consumed.
    Record nextRecord() {
        Record record;
        for (;;) {
            bool endOfRecord = false;
            QString field = nextField(endOfRecord);
            ++record.count;
            if (!field.isEmpty()) record.lastFilled = record.count;
            if (record.count <= kMaxColumns) record.fields.push_back(std::move(field));
            if (endOfRecord) return record;
        }
    }

  private:
    QString nextField(bool& endOfRecord) {
        QString field;
        // Characters past a cell's most are read over, not kept.
        const auto keep = [&field](QChar c) {
            if (field.size() < kMaxCellText) field += c;
        };
        const qsizetype n = text_.size();
        bool quoted = false;
        if (pos_ < n && text_[pos_] == QLatin1Char('"')) {
            quoted = true;
            ++pos_;
        }
        while (pos_ < n) {
            const QChar c = text_[pos_];
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (pos_ + 1 < n && text_[pos_ + 1] == QLatin1Char('"')) {
                        keep(c);
                        pos_ += 2;
                    } else {
                        quoted = false;  // text after the closing quote joins the field
                        ++pos_;
                    }
                    continue;
                }
                keep(c);
                ++pos_;
                continue;
            }
            if (c == separator_) {
                ++pos_;
                return field;
            }
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                ++pos_;
                if (c == QLatin1Char('\r') && pos_ < n && text_[pos_] == QLatin1Char('\n')) ++pos_;
                endOfRecord = true;
                return field;
            }
            keep(c);
            ++pos_;
        }
        endOfRecord = true;
        return field;
    }

    const QString& text_;
    QChar separator_;
    qsizetype pos_ = 0;
};

}  // namespace

QString DecodeCsvText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return decoder.decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return files::DecodeCp1254(bytes);
}

QChar DetectCsvSeparator(const QString& text) {
    const std::array<QChar, 3> candidates = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
    QChar best = candidates[0];
    int bestScore = -1;
    for (const QChar separator : candidates) {
        CsvScanner scanner(text, separator);
        QHash<qsizetype, int> recordsWithCount;
        for (int i = 0; i < kSampleRecords && !scanner.atEnd(); ++i) {
            const qsizetype fields = scanner.nextRecord().count;
            if (fields > 1) ++recordsWithCount[fields];
        }
        int score = 0;
        for (const int records : recordsWithCount) score = std::max(score, records);
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

SheetContent ReadCsv(const QByteArray& bytes) {
    const QString text = DecodeCsvText(bytes);
    CsvScanner scanner(text, DetectCsvSeparator(text));
    SheetContent sheet;
    for (qint64 row = 1; !scanner.atEnd(); ++row) {
        const CsvScanner::Record record = scanner.nextRecord();
        for (qsizetype c = 0; c < record.fields.size(); ++c) {
            if (!record.fields[c].isEmpty()) sheet.add(row, c + 1, record.fields[c]);
        }
        // A filled field past the columns kept still ends the used area there.
        if (record.lastFilled > kMaxColumns) sheet.add(row, record.lastFilled, QString());
    }
    return sheet;
}

}  // namespace sheets
