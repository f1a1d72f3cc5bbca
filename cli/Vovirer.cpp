#include "cli/Vovirer.h"

#include <algorithm>

#include "cli/CommandLine.h"
#include "cli/CommandModules.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"
#include "core/ProgramInfo.h"

namespace cli {
namespace {

// Options every subcommand accepts.
const QList<OptionDefinition>& commonOptions() {
    static const QList<OptionDefinition> options = {
        {QStringLiteral("--settings"), true, {}},
        {QStringLiteral("--date"), true, {}},
        {QStringLiteral("--calendar"), true, {}},
    };
    return options;
}

QByteArray usageText() {
    QByteArray text = "usage:\n";
    for (const Subcommand& subcommand : Subcommands()) {
        for (const QString& line : subcommand.synopsis.split(QLatin1Char('\n'))) {
            text += "  " + line.toUtf8() + '\n';
        }
    }
    text += "  vovirer --version\n";
    text +=
        "options of every subcommand:\n"
        "  --settings FILE      read FILE as the program reads Ayarlar.ini at start-up\n"
        "  --date dd.mm.yyyy    the calculation date (\"Tarih\") before FILE is opened\n"
        "  --calendar official|program\n"
        "                       the holidays repayments move past: the official calendar\n"
        "                       (with tatiller.txt beside the settings file) or the program's\n"
        "                       own table; without it, as the settings say\n";
    return text;
}

QList<OptionDefinition> everyOption() {
    QList<OptionDefinition> options = commonOptions();
    for (const Subcommand& subcommand : Subcommands()) options += subcommand.options;
    return options;
}

bool accepts(const Subcommand& subcommand, const QString& option) {
    const auto named = [&](const OptionDefinition& definition) {
        return definition.name == option;
    };
    return std::any_of(commonOptions().begin(), commonOptions().end(), named) ||
           std::any_of(subcommand.options.begin(), subcommand.options.end(), named);
}

// Refuses options given to a subcommand that does not take them, and a wrong number of
// positional arguments.
void checkInvocation(const Subcommand& subcommand, const Invocation& invocation) {
    for (auto it = invocation.options.constBegin(); it != invocation.options.constEnd(); ++it) {
        if (accepts(subcommand, it.key())) continue;
        QStringList owners;
        for (const Subcommand& other : Subcommands()) {
            if (accepts(other, it.key())) owners.push_back(other.name);
        }
        throw UsageError{
            QStringLiteral("%1 is for %2").arg(it.key(), owners.join(QStringLiteral(", ")))};
    }
    const qsizetype wanted = subcommand.positionals.size();
    if (invocation.positionals.size() < wanted) {
        throw UsageError{QStringLiteral("%1 needs %2")
                             .arg(subcommand.name, subcommand.positionals.join(QLatin1Char(' ')))};
    }
    if (invocation.positionals.size() > wanted) {
        throw UsageError{
            QStringLiteral("unexpected argument %1").arg(invocation.positionals.value(wanted))};
    }
}

}  // namespace

int RunVovirer(const QStringList& arguments, QByteArray& out, QByteArray& err) {
    if (arguments == QStringList{QStringLiteral("--version")}) {
        out += "vovirer " + core::kProgramVersion.toUtf8() + '\n';
        return 0;
    }
    try {
        const Invocation invocation = ParseCommandLine(arguments, everyOption());
        if (invocation.subcommand.isEmpty()) {
            throw UsageError{QStringLiteral("no subcommand given")};
        }
        for (const Subcommand& subcommand : Subcommands()) {
            if (subcommand.name != invocation.subcommand) continue;
            checkInvocation(subcommand, invocation);
            const std::jthread preload = PreloadModuleFor(invocation);
            Output output{out, err};
            return subcommand.run(invocation, output);
        }
        throw UsageError{QStringLiteral("unknown subcommand %1").arg(invocation.subcommand)};
    } catch (const UsageError& e) {
        if (!e.text.isEmpty()) err += "vovirer: " + e.text.toUtf8() + '\n';
        err += usageText();
        return e.text.isEmpty() ? 0 : 2;
    } catch (const FileError& e) {
        err += "vovirer: " + AsGiven(e.text) + '\n';
        return 2;
    }
}

}  // namespace cli
