// Whole-process time of `vovirer report FILE --pdf OUT.pdf` (start, open, recalculate all, lay
// out and write every page) on generated calculations of 650 and 6500 rows, normal and wide.
// The time at 6500 rows should be at most 12 times the time at 650 rows; the run prints both,
// their ratio and the page counts.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"
#include "storage/CalculationFile.h"

extern char** environ;

namespace {

// A long credit line as typed: a drawing every fifth row, a repayment every seventh, an
// interest payment every eleventh, a new rate every fiftieth row.
QString GenerateFile(const QDir& folder, int rows) {
    using namespace core::col;
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    core::TableInputs& in = calc.inputs();
    in.calculationDate = QDate(2016, 1, 1);
    in.creditLineName = QStringLiteral("Uzun Dorud %1").arg(rows);
    in.annualRate = QStringLiteral("24");
    in.bsmvRate = QStringLiteral("5");
    in.daysInYear = QStringLiteral("365");
    core::TransactionTable& table = calc.table();
    table.setRowCount(rows + 1);
    QDate date(2016, 1, 4);
    for (int r = 1; r <= rows; ++r) {
        date = date.addDays(1 + r % 2);
        table.setCell(Number, r, QString::number(r));
        table.setCell(TransactionDate, r, date.toString(QStringLiteral("dd.MM.yyyy")));
        table.setCell(Description, r, QStringLiteral("Hareket %1, şube ödemesi").arg(r));
        if (r % 5 == 1) table.setCell(Drawn, r, QStringLiteral("1.000"));
        if (r % 7 == 0) table.setCell(Repaid, r, QStringLiteral("500,5"));
        if (r % 11 == 0) table.setCell(InterestPaid, r, QStringLiteral("25"));
        if (r % 50 == 0) table.setCell(Rate, r, QString::number(18 + r % 13));
    }
    const QString path = folder.filePath(QStringLiteral("rows%1.fdr").arg(rows));
    if (!storage::WriteCalculationFile(calc, path).ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path;
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

const QString& FileWithRows(int rows) {
    static std::map<int, QString> files;
    auto it = files.find(rows);
    if (it == files.end())
        it = files.emplace(rows, GenerateFile(QDir(Folder().path()), rows)).first;
    return it->second;
}

// Runs vovirer to its end with its output thrown away; returns its exit status.
int RunReport(const QString& file, const QString& pdf, bool wide) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray fileArg = file.toLocal8Bit();
    const QByteArray pdfArg = pdf.toLocal8Bit();
    char* argv[] = {const_cast<char*>(VOVIRER_PATH),
                    const_cast<char*>("report"),
                    const_cast<char*>(fileArg.constData()),
                    const_cast<char*>("--pdf"),
                    const_cast<char*>(pdfArg.constData()),
                    wide ? const_cast<char*>("--wide") : nullptr,
                    nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VOVIRER_PATH, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Pages of a PDF written by the tool: one page object per "/Type /Page" entry.
int PageCount(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page/") + bytes.count("/Type /Page "));
}

struct Figures {
    double seconds = 0;
    int pages = 0;
};

std::map<std::pair<bool, int>, Figures>& Measured() {
    static std::map<std::pair<bool, int>, Figures> figures;
    return figures;
}

void BM_VovirerReportPdf(benchmark::State& state) {
    const bool wide = state.range(0) != 0;
    const int rows = static_cast<int>(state.range(1));
    const QString& file = FileWithRows(rows);
    const QString pdf =
        QDir(Folder().path()).filePath(QStringLiteral("out%1%2.pdf").arg(rows).arg(wide));
    if (RunReport(file, pdf, wide) != 0) {
        state.SkipWithError("vovirer report failed");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (RunReport(file, pdf, wide) != 0) state.SkipWithError("vovirer report failed");
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    Figures& f = Measured()[{wide, rows}];
    if (state.iterations() > 0) f.seconds = elapsed.count() / double(state.iterations());
    f.pages = PageCount(pdf);
    state.counters["rows"] = rows;
    state.counters["pages"] = f.pages;
}
BENCHMARK(BM_VovirerReportPdf)
    ->ArgNames({"wide", "rows"})
    ->Args({0, 650})
    ->Args({0, 6500})
    ->Args({1, 650})
    ->Args({1, 6500})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    int status = 0;
    for (bool wide : {false, true}) {
        const auto& m = Measured();
        if (!m.count({wide, 650}) || !m.count({wide, 6500})) continue;
        const Figures& small = m.at({wide, 650});
        const Figures& large = m.at({wide, 6500});
        const double ratio = large.seconds / small.seconds;
        std::printf(
            "vovirer report --pdf%s: %.1f ms at 650 rows (%d pages), %.1f ms at 6500 rows (%d "
            "pages), "
            "ratio %.2f (limit 12)\n",
            wide ? " --wide" : "", small.seconds * 1e3, small.pages, large.seconds * 1e3,
            large.pages, ratio);
        if (ratio > 12.0) status = 3;
    }
    return status;
}
