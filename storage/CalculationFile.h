#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Calculation.h"

namespace storage {

// The calculation file ".fdr": Windows-1254 text, CR LF after every line,
// one comma-text line per record: the 11-item header, then one line per table row.

// --- The file's content -----------------------------------------------------------------

// The whole file as lines: the header record, then one line per table row with an item for
// each of its columns.
QStringList CalculationFileLines(const core::Calculation& calc);

// Why a file was refused; the open command names the file in "Dosya Okunamıyor:".
enum class LoadFault {
    None,
    Unreadable,     // the file could not be opened or read
    TooFewLines,    // fewer than three lines: nothing applied
    ShortHeader,    // header of fewer than 11 items: the items it has are applied in order
    BadDate,        // item 11 is not a real date: items 1 to 10 stay applied
    RateNotNumber,  // a driving rate field's text is no number (core::CommandFailure): the
                    // fields before it stay applied
    LongTableLine,  // a table line of more than 15 items: the table holds the rows before it
    TooManyRows,    // more table rows than kMaxCalculationRows: nothing applied
};

// The most table rows a calculation file may have. Far above any real statement (the import
// takes at most 6500 rows), low enough that the program stays usable and within memory.
inline constexpr qsizetype kMaxCalculationRows = 1'000'000;

// Applies a file's lines to the fields and the table (ApplyCalculationFileLines): the table
// always keeps its 15 columns, a table line with fewer items leaves the rest of its row empty, and
// the steps stop at the first refusal, keeping what was applied before it. Reports nothing itself.
LoadFault ApplyCalculationFileLines(core::Calculation& calc, const QStringList& lines);

// The lines of a file's bytes (Windows-1254, lines ended by CR LF, CR or LF).
QStringList LinesFromFileBytes(const QByteArray& bytes);

// Reads the file and applies it; reports nothing itself.
LoadFault LoadCalculationFile(core::Calculation& calc, const QString& path);

// --- Writing ------------------------------------------------------------------------------

struct SaveResult {
    bool ok = true;
    QString message;  // when !ok: the text the save command shows ("Dosya Saklanamıyor:" ...)
};

// Encodes the content; when a field or cell holds a character that Windows-1254 cannot
// hold (or a line break or a character with code 0, which a line cannot hold), returns
// nothing and sets `problem` to a sentence naming the field or cell and the character.
std::optional<QByteArray> EncodeCalculationFile(const core::Calculation& calc, QString* problem);

// The header record's items as the file holds them, before they are joined and encoded.
QStringList CalculationFileHeader(const core::Calculation& calc);

// One item of a record (a header item or a cell) as the file's bytes hold it, quoted where
// needed; nothing when it cannot be written. Two items encode alike exactly when they would
// leave the same bytes in the same place of the file.
std::optional<QByteArray> EncodeCalculationFileItem(const QString& text);

// Writes the file through WriteFileSafely: on any failure the target is as it was. Shows
// nothing.
SaveResult WriteCalculationFile(const core::Calculation& calc, const QString& path);

}  // namespace storage
