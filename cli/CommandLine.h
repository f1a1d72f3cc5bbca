#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace cli {

// A command line the tool cannot run: exit status 2 and the usage text. An empty text asks
// for the usage text alone (--help).
struct UsageError {
    QString text;
};

// A file named on the command line that cannot be read at all: exit status 2.
struct FileError {
    QString text;
};

// One option of the command line, with the other spelling it may have ("-o", "--output").
struct OptionDefinition {
    QString name;
    bool takesValue = false;
    QString alias;
};

// The command line as given: the subcommand, its positional arguments and its options
// under their main names (a flag's value is empty).
struct Invocation {
    QString subcommand;
    QStringList positionals;
    QHash<QString, QString> options;

    bool has(const QString& option) const { return options.contains(option); }
    std::optional<QString> value(const QString& option) const;
};

// Splits `arguments` into an invocation. Options are recognised from `known`; "--name=value"
// is accepted for options with a value and "--" ends the options. Throws UsageError.
Invocation ParseCommandLine(const QStringList& arguments, const QList<OptionDefinition>& known);

}  // namespace cli
