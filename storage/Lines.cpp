#include "storage/Lines.h"

namespace storage {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    ForEachLine(text, [&](QStringView line, QStringView) { lines.push_back(line.toString()); });
    return lines;
}

}  // namespace storage
