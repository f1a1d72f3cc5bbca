#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace ui {

// Where a started program stands: in a process group of its own, which can be ended with
// everything it started, or also in a session of its own, which outlives this program.
enum class ProcessGroup { Own, OwnSession };

// Starts `program` (looked up on PATH) with posix_spawn, stdin from /dev/null, the default
// for SIGPIPE and no signal blocked; `output` (when not -1) becomes its stdout and its
// stderr is dropped. Its process id, or the system's reason.
std::variant<pid_t, QString> SpawnProgram(const QString& program, const QStringList& arguments,
                                          int output, ProcessGroup group);

// What `program` writes to stdout when it ends in success within `limitMs`; nothing
// otherwise (also when it cannot start). A program still running when `limitMs` has passed,
// or when the descriptor `cancel` (when not -1) becomes readable, is killed with all it
// started.
std::optional<QByteArray> OutputOf(const QString& program, const QStringList& arguments,
                                   int limitMs, int cancel = -1);

}  // namespace ui
