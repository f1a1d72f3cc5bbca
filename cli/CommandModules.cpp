#include "cli/CommandModules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QByteArray>
#include <QThread>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "files/FileNames.h"
#include "storage/ProgramLocations.h"

namespace cli {
namespace {

// Where a module may lie: beside the program in a portable folder (and in the build), or in the
// installed program's library folder beside bin/. None when the system cannot name the
// program's folder: a module is never looked for in the current folder.
std::vector<std::string> moduleCandidates(const char* fileName) {
    const std::optional<QString> folder = storage::RunningProgramFolder();
    if (!folder) return {};
    const std::string programFolder = files::NativeFileName(*folder).toStdString();
    return {programFolder + fileName, programFolder + "../lib/dedadederaro/" + fileName};
}

// Loads `fileName` and calls its entry point; the module stays loaded until the process ends,
// as what it made (Qt's application, fonts) may live that long.
template <class Table>
const Table& load(const char* fileName, const char* entryName) {
    QString reason;
    for (const std::string& candidate : moduleCandidates(fileName)) {
        void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            if (access(candidate.c_str(), F_OK) == 0) reason = QString::fromLocal8Bit(dlerror());
            continue;
        }
        using Entry = const Table* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(handle, entryName));
        const Table* table = entry ? entry() : nullptr;
        if (table && table->interface == kModuleInterface) return *table;
        reason = QStringLiteral("%1 is from another build").arg(QString::fromStdString(candidate));
        break;
    }
    if (reason.isEmpty()) reason = QStringLiteral("not found beside the program");
    throw FileError{
        QStringLiteral("cannot load the module %1: %2").arg(QString::fromLatin1(fileName), reason)};
}

}  // namespace

const ReportPdfModule& ReportPdf() {
    static const ReportPdfModule& table =
        load<ReportPdfModule>("vovirer-pdf.so", "vovirer_report_pdf_module");
    return table;
}

const WorkbookModule& Workbook() {
    static const WorkbookModule& table =
        load<WorkbookModule>("vovirer-workbook.so", "vovirer_workbook_module");
    return table;
}

const SheetsModule& Sheets() {
    static const SheetsModule& table =
        load<SheetsModule>("vovirer-sheets.so", "vovirer_sheets_module");
    return table;
}

std::jthread PreloadModuleFor(const Invocation& invocation) {
    const QString& name = invocation.subcommand;
    void (*load)() = nullptr;
    if (name == u"report" && invocation.has(QStringLiteral("--pdf"))) {
        load = [] { ReportPdf(); };
    } else if (name == u"export") {
        load = [] { Workbook(); };
    } else if (name == u"import" || name == u"preview") {
        load = [] { Sheets(); };
    }
    if (!load) return {};
    // Qt takes the thread that first asks for its thread data as the main one: let that be
    // this one, not the loader.
    QThread::currentThread();
    return std::jthread([load] {
        try {
            load();
        } catch (const FileError&) {
            // Reported by the command itself, which tries again when it needs the module.
        }
    });
}

}  // namespace cli
