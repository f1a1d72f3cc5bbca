#pragma once

#include <QByteArray>
#include <QDate>
#include <QStringList>
#include <optional>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"

namespace cli {

// The `vovirer` tool. `arguments` are the command-line arguments after the
// program name; what goes to standard output and standard error is appended to `out` and
// `err` (UTF-8). Returns the exit status: 0 the command ran to its end or ended in a silent
// stop, 1 an error ended it, 2 a usage error or a file that cannot be read at all.
int RunVovirer(const QStringList& arguments, QByteArray& out, QByteArray& err);

// Shared with the subcommands in files of their own.
// The JSON object of a calculation after a command (fields, rows, totals, messages, error,
// stopped), as recalc prints it.
QByteArray CalculationJson(const core::Calculation& calc, const core::RecordingDialogs& dialogs,
                           const std::optional<QString>& error, bool stopped);
// The eight totals with their on-screen labels, one per line.
QByteArray PlainTotals(const core::TableTotals& totals);
// A --date value: a real date written dd.mm.yyyy; nothing for anything else.
std::optional<QDate> CalculationDateOption(const QString& text);

}  // namespace cli
