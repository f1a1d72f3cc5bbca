#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace cli {

// `vovirer preview SHEET [--json]` and `vovirer import SHEET [flags] [--json] [-o OUT.fdr]`:
// the exit status, or nothing when the arguments name another subcommand.
std::optional<int> RunSheetCommand(const QStringList& arguments, QByteArray& out, QByteArray& err);

}  // namespace cli
