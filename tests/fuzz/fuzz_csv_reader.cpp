// libFuzzer target: the CSV reader on arbitrary bytes. Whatever it reads, writing those
// cells back as quoted UTF-8 fields and reading them again gives the same cells.
#include <QByteArray>
#include <QMap>
#include <cstdint>

#include "sheets/CsvReader.h"
#include "tests/fuzz/SheetChecks.h"

using fuzzing::check;

namespace {

bool hasSurrogates(const QString& text) {
    for (const QChar c : text) {
        if (c.isSurrogate()) return true;
    }
    return false;
}

QMap<std::pair<int, int>, QString> cellsOf(const sheets::SheetContent& sheet) {
    QMap<std::pair<int, int>, QString> cells;
    for (const sheets::SheetContent::Cell& c : sheet.cells) cells.insert({c.row, c.column}, c.text);
    return cells;
}

QByteArray quotedCsv(const sheets::SheetContent& sheet) {
    const auto cells = cellsOf(sheet);
    QString text;
    for (int r = 1; r <= sheet.lastRow; ++r) {
        for (int c = 1; c <= sheet.lastColumn; ++c) {
            if (c > 1) text += QLatin1Char(';');
            QString field = cells.value({r, c});
            field.replace(QLatin1Char('"'), QLatin1String("\"\""));
            text += QLatin1Char('"') + field + QLatin1Char('"');
        }
        text += QLatin1String("\r\n");
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const sheets::SheetContent sheet = sheets::ReadCsv(bytes);
    fuzzing::checkSheet(sheet);
    for (const sheets::SheetContent::Cell& c : sheet.cells)
        check(!c.text.isEmpty(), "empty fields are no cells");

    bool comparable = sheet.lastRow <= sheets::kMaxRows && sheet.lastColumn <= sheets::kMaxColumns;
    for (const sheets::SheetContent::Cell& c : sheet.cells)
        comparable = comparable && !hasSurrogates(c.text);
    if (comparable) {
        const sheets::SheetContent again = sheets::ReadCsv(quotedCsv(sheet));
        check(cellsOf(again) == cellsOf(sheet), "cells survive writing and reading back");
    }
    return 0;
}
