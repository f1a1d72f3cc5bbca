#include "cli/Subcommand.h"

namespace cli {

const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> table = {
        RecalcSubcommand(), FindRateSubcommand(), ReportSubcommand(),
        ExportSubcommand(), PreviewSubcommand(),  ImportSubcommand(),
    };
    return table;
}

}  // namespace cli
