// Whole-process time of `vovirer report FILE --pdf OUT.pdf` (start, open, recalculate all, lay
// out and write every page) on generated calculations of 650 and 6500 rows, normal and wide.
// The time at 6500 rows should be at most 12 times the time at 650 rows; the run prints both,
// their ratio and the page counts.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "bench/support/LongCreditLine.h"
#include "bench/support/ProcessTiming.h"

namespace {

using benchsupport::BenchFolder;
using benchsupport::LongCreditLineFile;
using benchsupport::NoteBeside;
using benchsupport::TimeVovirer;

// Pages of a PDF written by the tool: one page object per "/Type /Page" entry.
int PageCount(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page/") + bytes.count("/Type /Page "));
}

void BM_VovirerReportPdf(benchmark::State& state) {
    const bool wide = state.range(1) != 0;
    const int rows = static_cast<int>(state.range(0));
    const QString pdf = BenchFolder().filePath(QStringLiteral("out%1%2.pdf").arg(rows).arg(wide));
    QStringList arguments{QStringLiteral("report"), LongCreditLineFile(rows),
                          QStringLiteral("--pdf"), pdf};
    if (wide) arguments << QStringLiteral("--wide");
    const QString name = wide ? QStringLiteral("vovirer report --pdf --wide")
                              : QStringLiteral("vovirer report --pdf");
    TimeVovirer(state, name, arguments);
    const int pages = PageCount(pdf);
    NoteBeside(name, rows, QStringLiteral("%1 pages").arg(pages));
    state.counters["pages"] = pages;
}
BENCHMARK(BM_VovirerReportPdf)
    ->ArgNames({"rows", "wide"})
    ->Args({650, 0})
    ->Args({6500, 0})
    ->Args({650, 1})
    ->Args({6500, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return benchsupport::RunProcessBenchmarks(argc, argv); }
