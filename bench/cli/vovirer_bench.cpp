// Whole-process time of `vovirer recalc FILE --json` (start, open, recalculate all, print the
// JSON) and of `vovirer export FILE OUT.xlsx` (start, open, recalculate all, write the
// workbook) on generated calculation files of 650 and 6500 rows, and of `vovirer import
// SHEET --json` (start, read the workbook into the preview, transfer, recalculate all, print
// the JSON) on generated .xlsx statements of 650 and 6500 rows. The time at 6500 rows should
// be at most 12 times the time at 650 rows; the run prints both and their ratio per command.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"
#include "storage/CalculationFile.h"
#include "xlsxwriter.h"

extern char** environ;

namespace {

// A long credit line as typed, not yet recalculated: a drawing every fifth row, a repayment
// every seventh, an interest payment every eleventh, the rest dates that close a period, a new
// rate every fiftieth row; BSMV, Vergi2 and the holiday roll on.
QString GenerateFile(const QDir& folder, int rows) {
    using namespace core::col;
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    core::TableInputs& in = calc.inputs();
    in.calculationDate = QDate(2016, 1, 1);
    in.creditLineName = QStringLiteral("Uzun Dorud %1").arg(rows);
    in.annualRate = QStringLiteral("24");
    in.monthlyRate = QStringLiteral("2");
    in.bsmvRate = QStringLiteral("5");
    in.vergi2Rate = QStringLiteral("1");
    in.daysInYear = QStringLiteral("365");
    in.moveRepaymentsPastHolidays = true;
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

// A bank statement as a workbook: one movement per row from row 1, value and transaction
// dates as date cells, a description, a drawing every fifth row and a repayment every
// seventh; beside it the settings that transfer all its rows at a rate of 24.
QString GenerateStatement(const QDir& folder, int rows) {
    const QString path = folder.filePath(QStringLiteral("statement%1.xlsx").arg(rows));
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* dateFormat = workbook_add_format(book);
    format_set_num_format(dateFormat, "dd.mm.yyyy");
    QDate date(2016, 1, 4);
    for (int r = 0; r < rows; ++r) {
        date = date.addDays(1 + r % 2);
        lxw_datetime when = {date.year(), date.month(), date.day(), 0, 0, 0};
        worksheet_write_datetime(sheet, lxw_row_t(r), 0, &when, dateFormat);
        worksheet_write_datetime(sheet, lxw_row_t(r), 1, &when, dateFormat);
        worksheet_write_string(sheet, lxw_row_t(r), 2,
                               QStringLiteral("Hareket %1, şube").arg(r).toUtf8().constData(),
                               nullptr);
        if (r % 5 == 0) worksheet_write_number(sheet, lxw_row_t(r), 3, 1000 + r, nullptr);
        if (r % 7 == 6) worksheet_write_number(sheet, lxw_row_t(r), 4, 500.5, nullptr);
    }
    if (workbook_close(book) != LXW_NO_ERROR) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    QFile settings(folder.filePath(QStringLiteral("statement%1.ini").arg(rows)));
    const QByteArray text =
        "[Vovirer]\r\nRyilgun=365\r\nRayfaiz=24\r\nRKKDF=5\r\n[ExcelAyarR]\r\n"
        "Rvade=1\r\nRislem=2\r\nRaciklama=3\r\nRborc=4\r\nRalacak=5\r\nRbasla=1\r\n"
        "Rbitir=" +
        QByteArray::number(rows) + "\r\nRvadeCheck=2\r\n";
    if (!settings.open(QIODevice::WriteOnly) || settings.write(text) != text.size() ||
        !settings.flush()) {
        std::fprintf(stderr, "cannot write the settings\n");
        std::exit(1);
    }
    return path;
}

// Runs vovirer with the arguments to its end, its output thrown away; returns its exit status.
int RunVovirer(const QStringList& arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments) bytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv{const_cast<char*>(VOVIRER_PATH)};
    for (QByteArray& argument : bytes) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VOVIRER_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

// Seconds per run, by command line (without the file) and rows.
std::map<QString, std::map<int, double>>& SecondsPerRun() {
    static std::map<QString, std::map<int, double>> seconds;
    return seconds;
}

// Times vovirer with the arguments, under the name given.
void TimeVovirerWith(benchmark::State& state, const QString& name, const QStringList& arguments) {
    const int rows = static_cast<int>(state.range(0));
    if (RunVovirer(arguments) != 0) {
        state.SkipWithError("vovirer failed");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (RunVovirer(arguments) != 0) state.SkipWithError("vovirer failed");
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (state.iterations() > 0)
        SecondsPerRun()[name][rows] = elapsed.count() / double(state.iterations());
    state.counters["rows"] = rows;
}

// Times vovirer with `before`, the generated file and `after` as its arguments.
void TimeVovirer(benchmark::State& state, const QStringList& before, const QStringList& after) {
    const int rows = static_cast<int>(state.range(0));
    TimeVovirerWith(state, QStringLiteral("vovirer ") + before.join(' '),
                    before + QStringList{FileWithRows(rows)} + after);
}

void BM_VovirerRecalcJson(benchmark::State& state) {
    TimeVovirer(state, {QStringLiteral("recalc")}, {QStringLiteral("--json")});
}
BENCHMARK(BM_VovirerRecalcJson)
    ->Arg(650)
    ->Arg(6500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_VovirerExport(benchmark::State& state) {
    const QString workbook = QDir(Folder().path()).filePath(QStringLiteral("export.xlsx"));
    TimeVovirer(state, {QStringLiteral("export")}, {workbook});
}
BENCHMARK(BM_VovirerExport)
    ->Arg(650)
    ->Arg(6500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_VovirerImportJson(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const QDir folder(Folder().path());
    static std::map<int, QString> sheets;
    if (!sheets.count(rows)) sheets.emplace(rows, GenerateStatement(folder, rows));
    const QString sheet = sheets.at(rows);
    TimeVovirerWith(
        state, QStringLiteral("vovirer import"),
        {QStringLiteral("import"), sheet, QStringLiteral("--settings"),
         folder.filePath(QStringLiteral("statement%1.ini").arg(rows)), QStringLiteral("--json")});
}
BENCHMARK(BM_VovirerImportJson)
    ->Arg(650)
    ->Arg(6500)
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
    for (const auto& [name, seconds] : SecondsPerRun()) {
        if (!seconds.count(650) || !seconds.count(6500)) continue;
        const double ratio = seconds.at(6500) / seconds.at(650);
        std::printf("%s: %.1f ms at 650 rows, %.1f ms at 6500 rows, ratio %.2f (limit 12)\n",
                    qPrintable(name), seconds.at(650) * 1e3, seconds.at(6500) * 1e3, ratio);
        if (ratio > 12.0) status = 3;
    }
    return status;
}
