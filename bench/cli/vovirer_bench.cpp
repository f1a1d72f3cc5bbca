// Whole-process time of `vovirer recalc FILE --json` (start, open, recalculate all, print the
// JSON) and of `vovirer export FILE OUT.xlsx` (start, open, recalculate all, write the
// workbook) on generated calculation files of 650 and 6500 rows, and of `vovirer import
// SHEET --json` (start, read the workbook into the preview, transfer, recalculate all, print
// the JSON) on generated .xlsx statements of 650 and 6500 rows. The time at 6500 rows should
// be at most 12 times the time at 650 rows; the run prints both and their ratio per command.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "bench/support/LongCreditLine.h"
#include "bench/support/ProcessTiming.h"
#include "xlsxwriter.h"

namespace {

using benchsupport::BenchFolder;
using benchsupport::LongCreditLineFile;
using benchsupport::TimeVovirer;

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
    if (!sheets.count(rows)) sheets.emplace(rows, GenerateStatement(folder, rows));
    const QString sheet = sheets.at(rows);
    TimeVovirer(
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

int main(int argc, char** argv) { return benchsupport::RunProcessBenchmarks(argc, argv); }
