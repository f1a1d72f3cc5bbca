#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "cli/CommandLine.h"

namespace cli {

// What a subcommand writes: standard output and standard error, UTF-8.
struct Output {
    QByteArray& out;
    QByteArray& err;
};

// One subcommand of the tool: its name, its lines of the usage text, the positional
// arguments it needs, the options it accepts besides --settings and --date, and the work.
// `run` returns the exit status and may throw UsageError or FileError.
struct Subcommand {
    QString name;
    QString synopsis;
    QStringList positionals;
    QList<OptionDefinition> options;
    std::function<int(const Invocation&, Output&)> run;
};

// Every subcommand, in the order of the usage text.
const std::vector<Subcommand>& Subcommands();

// The subcommands each in their own file.
Subcommand RecalcSubcommand();
Subcommand FindRateSubcommand();
Subcommand ReportSubcommand();
Subcommand ExportSubcommand();
Subcommand PreviewSubcommand();
Subcommand ImportSubcommand();

}  // namespace cli
