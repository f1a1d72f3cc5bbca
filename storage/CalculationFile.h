#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/Calculation.h"

namespace storage {

// The calculation file ".fdr": Windows-1254 text, CR LF after every line,
// one comma-text line per record: the 11-item header, then table rows 0 to RowCount-1.
//
// How the windows use it (the dialogs stay in ui/; everything after them is here):
//
//   "İŞLEMİ KAYDET" (saveCalculation):
//       auto name = <SaveDialog3, proposing calc.inputs().creditLineName>;   // nullopt: Cancel
//       storage::SaveCommand(calc, name);
//   "KAYITTAN AÇ" (openCalculation):
//       auto path = <OpenDialog3>;                                            // nullopt: Cancel
//       storage::OpenCommand(calc, path);     // may throw core::SilentStop / core::CalcError
//                                             // from the closing recalculation: the caller's
//                                             // command boundary handles them as usual.
//
// Messages go through calc.dialogs(). Paths are used as given, also in the messages.

// The message captions of the file commands.
inline const QString kErrorCaption = QStringLiteral("Error");
inline const QString kConfirmCaption = QStringLiteral("Confirm");
inline const QString kOverwriteQuestion = QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?");
inline const QString kCannotSave = QStringLiteral("Dosya Saklanamıyor:");
inline const QString kCannotRead = QStringLiteral("Dosya Okunamıyor:");

// --- The file's content -----------------------------------------------------------------

// The whole file as lines: the header record, then table rows 0 to RowCount-1, each of
// ColCount items.
QStringList CalculationFileLines(const core::Calculation& calc);

// Why a file was refused; the open command names the file in "Dosya Okunamıyor:".
enum class LoadFault {
    None,
    Unreadable,     // the file could not be opened or read
    TooFewLines,    // fewer than three lines: nothing applied
    ShortHeader,    // header of fewer than 11 items: the items it has are applied in order
    BadDate,        // item 11 is not a real date: items 1 to 10 stay applied
    RateNotNumber,  // a driving rate field's text is no number (core::CalcError): the
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

// Writes the file safely (temporary file beside the target, renamed over it): on any failure
// the target is as it was. Shows nothing.
SaveResult WriteCalculationFile(const core::Calculation& calc, const QString& path);

// SaveToFile: writes and, on failure, shows the error dialog (caption "Error",
// error icon): "Dosya Saklanamıyor:", a line break, the path, and the reason when the text
// cannot be encoded. Returns whether the file was written.
bool SaveToFile(core::Calculation& calc, const QString& path);

// --- The commands after their dialogs -------------------------------------------------------

// The save target: ".fdr" is added unless the name holds ".fdr" anywhere
// (case-sensitive).
QString SaveTarget(const QString& chosenName);

// A regular file (or a link to one) exists at the path.
bool CalculationFileExists(const QString& path);

enum class SaveOutcome { Cancelled, Declined, Saved, Failed };

// The save command once the dialog has returned: nullopt is Cancel. Asks the overwrite
// question ("Confirm", question icon, Yes and No) when the target exists; only Yes writes.
SaveOutcome SaveCommand(core::Calculation& calc, const std::optional<QString>& chosenName);

enum class OpenOutcome { Cancelled, NotFound, Opened, Refused };

// The open command once the dialog has returned: nullopt is Cancel. Cancel and a file that
// does not exist leave everything as it was. Otherwise: empty the table, load the file,
// report a refused or unreadable file ("Dosya Okunamıyor:", line break, the path; caption
// "Error"), empty `drawingExtraDays` and untick `moveDrawingsPastHolidays`, recalculate all.
// `fault`, when given, receives the load's fault. The recalculation may throw
// core::SilentStop or core::CalcError; the steps before it have then been done.
OpenOutcome OpenCommand(core::Calculation& calc, const std::optional<QString>& chosenPath,
                        LoadFault* fault = nullptr);

}  // namespace storage
