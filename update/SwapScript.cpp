#include "update/SwapScript.h"

#include <QStringList>

namespace update {

QString ShellQuoted(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SwapScriptText(const SwapPlan& plan) {
    const QString program = ShellQuoted(plan.programFile);
    const QString safety = ShellQuoted(plan.safetyCopy);
    QStringList lines;
    lines << QStringLiteral("#!/bin/sh")
          << QStringLiteral("# Replaces the program with its new version once it has ended.");
    // A running program's file can be replaced here, so wait for the process itself.
    lines << QStringLiteral(
                 "while kill -0 %1 2>/dev/null; do sleep 0.2 2>/dev/null || sleep 1; done")
                 .arg(plan.processId);
    // A rename in the same folder: atomic, and the staged file's mode (executable) goes along.
    lines << QStringLiteral("mv -f -- %1 %2").arg(ShellQuoted(plan.stagedProgram), program);
    for (const StagedFile& file : plan.otherFiles) {
        lines << QStringLiteral("mv -f -- %1 %2")
                     .arg(ShellQuoted(file.staged), ShellQuoted(file.target));
    }
    lines << QStringLiteral("if [ ! -f %1 ]; then cp -p -- %2 %1; fi").arg(program, safety);
    lines << QStringLiteral("rm -f -- %1").arg(safety);
    if (plan.restart) {
        lines << QStringLiteral("cd %1 && %2")
                     .arg(ShellQuoted(plan.programFolder), plan.restartCommand.arg(program));
    }
    lines << QStringLiteral("rm -f -- %1").arg(ShellQuoted(plan.scriptFile));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace update
