#include "sheets/CsvReader.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

#include "storage/Cp1254.h"

namespace sheets {
namespace {

// Records looked at to choose the separator.
constexpr int kSampleRecords = 200;

// Walks the records of a text, field by field.
class CsvScanner {
  public:
    CsvScanner(const QString& text, QChar separator) : text_(text), separator_(separator) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // The fields of the next record; the line break that ends it is consumed.
    QStringList nextRecord() {
        QStringList fields;
        for (;;) {
            bool endOfRecord = false;
            fields.push_back(nextField(endOfRecord));
            if (endOfRecord) return fields;
        }
    }

  private:
    QString nextField(bool& endOfRecord) {
        QString field;
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
                        field += c;
                        pos_ += 2;
                    } else {
                        quoted = false;  // text after the closing quote joins the field
                        ++pos_;
                    }
                    continue;
                }
                field += c;
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
            field += c;
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
    return storage::DecodeCp1254(bytes);
}

QChar DetectCsvSeparator(const QString& text) {
    const std::array<QChar, 3> candidates = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
    QChar best = candidates[0];
    int bestScore = -1;
    for (const QChar separator : candidates) {
        CsvScanner scanner(text, separator);
        QHash<qsizetype, int> recordsWithCount;
        for (int i = 0; i < kSampleRecords && !scanner.atEnd(); ++i) {
            const qsizetype fields = scanner.nextRecord().size();
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

Sheet ReadCsv(const QByteArray& bytes) {
    const QString text = DecodeCsvText(bytes);
    CsvScanner scanner(text, DetectCsvSeparator(text));
    Sheet sheet;
    for (qint64 row = 1; !scanner.atEnd(); ++row) {
        const QStringList fields = scanner.nextRecord();
        for (qsizetype c = 0; c < fields.size(); ++c) {
            if (!fields[c].isEmpty()) sheet.add(row, c + 1, fields[c]);
        }
    }
    return sheet;
}

}  // namespace sheets
