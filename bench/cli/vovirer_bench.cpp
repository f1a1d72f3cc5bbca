// Whole-process time of `vovirer recalc FILE --json` (start, open, recalculate all, print the
// JSON) and of `vovirer export FILE OUT.xlsx` (start, open, recalculate all, write the
// workbook) on generated calculation files of 650 and 6500 rows, and of `vovirer import
// SHEET --json` (start, read the workbook into the preview, transfer, recalculate all, print
// the JSON) on generated .xlsx statements of 650 and 6500 rows. The time at 6500 rows should
// be at most 12 times the time at 650 rows; the run prints both and their ratio per command.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <map>

#include "bench/support/LongCreditLine.h"
#include "bench/support/ProcessTiming.h"
#include "bench/support/Statement.h"

namespace {

using benchsupport::BenchFolder;
using benchsupport::LongCreditLineFile;
using benchsupport::TimeVovirer;

// Times vovirer with `before`, the generated file and `after` as its arguments.
void TimeWithFile(benchmark::State& state, const QStringList& before, const QStringList& after) {
    const int rows = static_cast<int>(state.range(0));
    TimeVovirer(state, QStringLiteral("vovirer ") + before.join(' '),
                before + QStringList{LongCreditLineFile(rows)} + after);
}

void BM_VovirerRecalcJson(benchmark::State& state) {
    TimeWithFile(state, {QStringLiteral("recalc")}, {QStringLiteral("--json")});
}
BENCHMARK(BM_VovirerRecalcJson)
    ->Arg(650)
    ->Arg(6500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_VovirerExport(benchmark::State& state) {
    const QString workbook = BenchFolder().filePath(QStringLiteral("export.xlsx"));
    TimeWithFile(state, {QStringLiteral("export")}, {workbook});
}
BENCHMARK(BM_VovirerExport)
    ->Arg(650)
    ->Arg(6500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_VovirerImportJson(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const QDir folder = BenchFolder();
    static std::map<int, QString> sheets;
    if (!sheets.count(rows)) sheets.emplace(rows, benchsupport::WriteStatement(folder, rows));
    const QString sheet = sheets.at(rows);
    TimeVovirer(state, QStringLiteral("vovirer import"),
                {QStringLiteral("import"), sheet, QStringLiteral("--settings"),
                 benchsupport::StatementSettings(folder, rows), QStringLiteral("--json")});
}
BENCHMARK(BM_VovirerImportJson)
    ->Arg(650)
    ->Arg(6500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunProcessBenchmarks(argc, argv); }
