#include "storage/CommaText.h"

#include <cstring>

#include "files/Cp1254.h"

namespace storage {
namespace {

bool isSkippable(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }
bool endsBareItem(QChar c) { return c.unicode() <= 32 || c == QLatin1Char(','); }

// The item that starts with the quote at `p`, a doubled quote standing for one; `p` ends
// after its closing quote, or at the end of a line that never closes it.
QString quotedItem(QStringView line, qsizetype& p) {
    QString item;
    ++p;
    for (;;) {
        const qsizetype quote = line.indexOf(QLatin1Char('"'), p);
        if (quote < 0) {
            item += line.sliced(p);
            p = line.size();
            return item;
        }
        item += line.sliced(p, quote - p);
        p = quote + 1;
        if (p < line.size() && line[p] == QLatin1Char('"')) {
            item += QLatin1Char('"');
            ++p;
            continue;
        }
        return item;
    }
}

}  // namespace

bool NeedsQuotes(const QString& item) {
    for (const QChar c : item) {
        if (c.unicode() <= 32 || c == QLatin1Char('"') || c == QLatin1Char(',')) return true;
    }
    return false;
}

void AppendCommaTextItem(QString& line, const QString& item) {
    if (!NeedsQuotes(item)) {
        line += item;
        return;
    }
    line += QLatin1Char('"');
    for (const QChar c : item) {
        if (c == QLatin1Char('"')) line += QLatin1Char('"');
        line += c;
    }
    line += QLatin1Char('"');
}

bool AppendEncodedCommaTextItem(QByteArray& line, const QString& item) {
    // Written after a place kept for an opening quote, quotes doubled as they come. The
    // characters that call for quotes are ASCII and every other character becomes a byte of
    // 0x80 or more, so the bytes tell what the text would.
    const qsizetype start = line.size();
    line.resize(start + 2 * item.size() + 2);
    char* const first = line.data() + start;
    char* out = first + 1;
    bool quoted = false;
    for (const QChar c : item) {
        const int byte = files::LineTextByte(c.unicode());
        if (byte < 0) {
            line.resize(start);
            return false;
        }
        if (byte <= 32 || byte == '"' || byte == ',') quoted = true;
        if (byte == '"') *out++ = '"';
        *out++ = static_cast<char>(byte);
    }
    if (quoted) {
        *first = '"';
        *out++ = '"';
    } else {
        std::memmove(first, first + 1, static_cast<std::size_t>(out - first - 1));
        --out;
    }
    line.resize(out - line.constData());
    return true;
}

QString WriteCommaText(const QStringList& items) {
    QString line;
    qsizetype size = items.size();
    for (const QString& item : items) size += item.size() + 2;
    line.reserve(size);
    bool first = true;
    for (const QString& item : items) {
        if (!first) line += QLatin1Char(',');
        first = false;
        AppendCommaTextItem(line, item);
    }
    return line;
}

QStringList ReadCommaText(QStringView line) {
    // A character with code 0 ends the line.
    const qsizetype nul = line.indexOf(QChar(0));
    if (nul >= 0) line = line.left(nul);

    QStringList items;
    items.reserve(16);  // a table line's fifteen items at one allocation
    const qsizetype n = line.size();
    qsizetype p = 0;
    while (p < n && isSkippable(line[p])) ++p;
    while (p < n) {
        if (line[p] == QLatin1Char('"')) {
            items.push_back(quotedItem(line, p));
        } else {
            const qsizetype start = p;
            while (p < n && !endsBareItem(line[p])) ++p;
            items.push_back(line.mid(start, p - start).toString());
        }
        while (p < n && isSkippable(line[p])) ++p;
        if (p < n && line[p] == QLatin1Char(',')) {
            if (p + 1 == n) {
                items.push_back(QString());
                break;
            }
            ++p;
            while (p < n && isSkippable(line[p])) ++p;
        }
    }
    return items;
}

}  // namespace storage
