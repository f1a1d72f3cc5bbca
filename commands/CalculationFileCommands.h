#pragma once

#include <QString>
#include <optional>

#include "core/Calculation.h"
#include "storage/CalculationFile.h"

namespace commands {

// "İŞLEMİ KAYDET" and "KAYITTAN AÇ" once their file dialogs have returned: the questions, the
// messages and the recalculation around the calculation file. The window and vovirer both
// run these; the dialogs stay in ui/.
//
//   saveCalculation:  commands::SaveCommand(calc, <save dialog, proposing the credit line's
//                     name>);                                   // nullopt: Cancel
//   openCalculation:  commands::OpenCommand(calc, <open dialog>);  // may throw
//                     core::SilentStop / core::CommandFailure from the closing recalculation:
//                     the caller's command boundary handles them as usual.
//
// Messages go through calc.dialogs(). Paths are used as given, also in the messages.

inline const QString kErrorCaption = QStringLiteral("Error");
inline const QString kConfirmCaption = QStringLiteral("Confirm");
inline const QString kOverwriteQuestion = QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?");

// SaveToFile: writes and, on failure, shows the error dialog (caption "Error",
// error icon): "Dosya Saklanamıyor:", a line break, the path, and the reason when the text
// cannot be encoded. Returns whether the file was written.
bool SaveToFile(core::Calculation& calc, const QString& path);

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
// core::SilentStop or core::CommandFailure; the steps before it have then been done.
OpenOutcome OpenCommand(core::Calculation& calc, const std::optional<QString>& chosenPath,
                        storage::LoadFault* fault = nullptr);

// Puts back work kept as a calculation file's bytes (a recovery copy): the table and every
// field as they were written, then recalculate all. Unlike opening a file, the drawing
// fields stay as the work had them. Reports nothing itself; the recalculation may throw as
// in OpenCommand.
storage::LoadFault RestoreContent(core::Calculation& calc, const QByteArray& content);

}  // namespace commands
