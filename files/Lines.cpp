#include "files/Lines.h"

namespace files {

QStringList SplitLines(const QString& text) {
    QStringList lines;
    ForEachLine(text, [&](QStringView line, QStringView) { lines.push_back(line.toString()); });
    return lines;
}

}  // namespace files
