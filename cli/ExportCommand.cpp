// The subcommand that writes the workbook of the export: export.
#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <thread>

#include "cli/CommandModules.h"
#include "cli/HugePageHeap.h"
#include "cli/Session.h"
#include "cli/Subcommand.h"
#include "files/FileNames.h"

namespace cli {
namespace {

const OptionDefinition kMailLayout{QStringLiteral("--mail-layout"), false, {}};

// An export takes about 50 bytes of heap for each byte of its calculation file (20 MiB for
// 6500 rows in 380 KB): the table, the workbook's cells and libxlsxwriter's records.
constexpr std::uintmax_t kHeapPerFileByte = 48;

// Maps the heap the export of `path` will take on a second core while this one reads the
// file, so that its pages are cleared there. Nothing when the file cannot be looked at.
std::jthread PrepareHeapFor(const QString& path) {
    struct stat st {};
    if (::stat(files::NativeFileName(path).constData(), &st) != 0 || st.st_size <= 0) return {};
    const auto fileBytes = static_cast<std::uintmax_t>(st.st_size);
    const std::uintmax_t heapBytes =
        fileBytes > SIZE_MAX / kHeapPerFileByte ? SIZE_MAX : fileBytes * kHeapPerFileByte;
    return std::jthread([heapBytes] { PrefaultHeap(static_cast<std::size_t>(heapBytes)); });
}

int exportWorkbook(const Invocation& invocation, Output& output) {
    const std::jthread preparingHeap = PrepareHeapFor(invocation.positionals.at(0));
    // The process ends with the command, and the calculation's memory with it: handing its
    // cells back one by one would only delay the end, so the session is left to the exit.
    Session& session = *std::make_unique<Session>(invocation).release();
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
