#pragma once

#include <QByteArray>
#include <QString>

#include "sheets/SheetContent.h"

namespace sheets {

// The text of a comma-separated file: without its byte order mark; UTF-16 when a byte order
// mark says so, UTF-8 when the bytes are valid UTF-8, Windows-1254 otherwise.
QString DecodeCsvText(const QByteArray& bytes);

// The field separator of a text: comma, semicolon or tab, whichever splits the first
// records into the same number of fields (more than one) most often; a semicolon wins a
// tie, since Turkish spreadsheets write it beside the decimal comma.
QChar DetectCsvSeparator(const QString& text);

// Every record a row, every field a cell kept as text: quoted fields with doubled quotes,
// separators and line breaks inside; a quote left open takes the rest of the file.
SheetContent ReadCsv(const QByteArray& bytes);

}  // namespace sheets
