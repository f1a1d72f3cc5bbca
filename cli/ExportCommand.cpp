// The subcommand that writes the workbook of the export: export.
#include "cli/CommandModules.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"

namespace cli {
namespace {

const OptionDefinition kMailLayout{QStringLiteral("--mail-layout"), false, {}};

int exportWorkbook(const Invocation& invocation, Output& output) {
    Session session(invocation);
    session.openBeforeCommand(invocation.positionals.at(0));
    const QString target = invocation.positionals.at(1);
    const auto layout = invocation.has(kMailLayout.name) ? output::WorkbookLayout::Mail
                                                         : output::WorkbookLayout::Export;
    const auto writeWorkbook = Workbook().writeWorkbook;
    const core::CommandEnding ending =
        core::RunCommand([&] { writeWorkbook(session.calculation(), target, layout); });
    for (const QString& text : session.dialogs().texts()) output.err += AsGiven(text) + '\n';
    if (ending.failed()) {
        output.err += "vovirer: " + AsGiven(ending.error) + '\n';
        return 1;
    }
    return 0;
}

}  // namespace

Subcommand ExportSubcommand() {
    return {QStringLiteral("export"),
            QStringLiteral("vovirer export FILE.fdr OUT.xlsx [--mail-layout]"),
            {QStringLiteral("FILE.fdr"), QStringLiteral("OUT.xlsx")},
            {kMailLayout},
            exportWorkbook};
}

}  // namespace cli
