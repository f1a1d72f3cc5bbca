#include "cli/CommandLine.h"

namespace cli {

std::optional<QString> Invocation::value(const QString& option) const {
    const auto found = options.constFind(option);
    if (found == options.constEnd()) return std::nullopt;
    return *found;
}

namespace {

const OptionDefinition* findOption(const QList<OptionDefinition>& known, const QString& name) {
    for (const OptionDefinition& definition : known) {
        if (definition.name == name || (!definition.alias.isEmpty() && definition.alias == name))
            return &definition;
    }
    return nullptr;
}

}  // namespace

Invocation ParseCommandLine(const QStringList& arguments, const QList<OptionDefinition>& known) {
    Invocation invocation;
    bool onlyPositionals = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (onlyPositionals || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            if (invocation.subcommand.isEmpty()) {
                invocation.subcommand = argument;
            } else {
                invocation.positionals.push_back(argument);
            }
            continue;
        }
        if (argument == QLatin1String("--")) {
            onlyPositionals = true;
            continue;
        }
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            throw UsageError{QString()};
        }
        std::optional<QString> inlineValue;
        if (argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('='))) {
            const qsizetype eq = argument.indexOf(QLatin1Char('='));
            inlineValue = argument.mid(eq + 1);
            argument = argument.left(eq);
        }
        const OptionDefinition* definition = findOption(known, argument);
        if (!definition) throw UsageError{QStringLiteral("unknown option %1").arg(argument)};
        if (!definition->takesValue) {
            if (inlineValue) {
                throw UsageError{QStringLiteral("option %1 takes no value").arg(argument)};
            }
            invocation.options.insert(definition->name, QString());
            continue;
        }
        if (inlineValue) {
            invocation.options.insert(definition->name, *inlineValue);
        } else if (i + 1 < arguments.size()) {
            invocation.options.insert(definition->name, arguments[++i]);
        } else {
            throw UsageError{QStringLiteral("option %1 needs a value").arg(argument)};
        }
    }
    return invocation;
}

}  // namespace cli
