#pragma once

#include <QByteArray>
#include <QStringList>

namespace cli {

// The `vovirer` tool. `arguments` are the command-line arguments after the
// program name; what goes to standard output and standard error is appended to `out` and
// `err` (UTF-8). Returns the exit status: 0 the command ran to its end or ended in a silent
// stop, 1 an error ended it, 2 a usage error or a file that cannot be read at all.
int RunVovirer(const QStringList& arguments, QByteArray& out, QByteArray& err);

}  // namespace cli
