#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace files {

// The one line splitter of the file formats: lines end at CR LF, CR or LF ("\n\r" is two
// breaks). A break at the very end does not start one more line; an empty text has no lines.
// `onLine(line, end)` gets each line and the break that ended it ("" for a last line without
// one), in order.
template <typename OnLine>
void ForEachLine(QStringView text, OnLine&& onLine) {
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        const qsizetype start = p;
        while (p < n && text[p] != u'\r' && text[p] != u'\n') ++p;
        const qsizetype endStart = p;
        if (p < n && text[p] == u'\r') ++p;
        if (p < n && text[p] == u'\n') ++p;
        onLine(text.mid(start, endStart - start), text.mid(endStart, p - endStart));
    }
}

QStringList SplitLines(const QString& text);

}  // namespace files
