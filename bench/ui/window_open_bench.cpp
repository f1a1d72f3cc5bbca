// The window on long tables: start-up to the first paint of the main window, opening a
// calculation file (dialog answered, file read, recalculated, first paint) beside a bare
// recalculate all of the same table, and the resident memory of the window at 65 and 6500
// rows, read from /proc/self/status.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "storage/CalculationFile.h"
#include "ui/MainWindow.h"
#include "ui/TransactionGrid.h"

namespace {

class OpenOnly : public ui::FileChooser {
  public:
    explicit OpenOnly(QString path) : path_(std::move(path)) {}
    std::optional<QString> chooseSavePath(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenPath() override { return path_; }

  private:
    QString path_;
};

// A calculation of `rows` movements, one a day from 01.01.2019: drawings, repayments and
// interest payments in turn, each with its description.
void fillTable(core::Calculation& calc, int rows) {
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().bsmvRate = QStringLiteral("5");
    calc.inputs().daysInYear = QStringLiteral("360");
    auto& table = calc.table();
    table.setRowCount(rows + 1);
    const QDate first(2019, 1, 1);
    const QString amounts[] = {QStringLiteral("1.000,00"), QStringLiteral("400,50"),
                               QStringLiteral("25,00")};
    for (int r = 1; r <= rows; ++r) {
        const QString date = first.addDays(r - 1).toString(QStringLiteral("dd.MM.yyyy"));
        table.setCell(core::col::Number, r, QString::number(r));
        table.setCell(core::col::TransactionDate, r, date);
        table.setCell(core::col::ValueDate, r, date);
        table.setCell(core::col::Description, r, QStringLiteral("Hareket %1").arg(r));
        table.setCell(core::col::Drawn + r % 3, r, amounts[r % 3]);
    }
}

QString writeCalculationFile(const QTemporaryDir& folder, int rows) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    fillTable(calc, rows);
    const QString path = folder.filePath(QStringLiteral("bench%1.fdr").arg(rows));
    storage::WriteCalculationFile(calc, path);
    return path;
}

struct Window {
    core::RecordingDialogs dialogs;
    OpenOnly files;
    ui::MainWindowServices services;
    std::unique_ptr<ui::MainWindow> window;

    Window(const QTemporaryDir& folder, QString path) : files(std::move(path)) {
        services.dialogs = &dialogs;
        services.files = &files;
        services.defaultPrinterName = [] { return QStringLiteral("PDF"); };
        services.programFolder = folder.path() + QLatin1Char('/');
        window = std::make_unique<ui::MainWindow>(services);
        window->resize(1200, 700);
        window->show();
        window->repaint();
    }
    ~Window() { window->setAskBeforeClose(false); }
};

void window_start_up(benchmark::State& state) {
    QTemporaryDir folder;
    for (auto _ : state) {
        Window w(folder, QString());
        benchmark::DoNotOptimize(w.window.get());
    }
}

void window_open(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    const QString path = writeCalculationFile(folder, rows);
    Window w(folder, path);
    for (auto _ : state) {
        w.window->openCalculation();  // KAYITTAN AÇ
        w.window->repaint();
    }
    if (w.window->calculation().table().rowCount() != rows + 1) state.SkipWithError("not opened");
}

// The recalculation that opening a file ends with, alone, on the same table.
void bare_recalc_all(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    core::RecordingDialogs dialogs;
    core::Calculation pristine(dialogs);
    fillTable(pristine, rows);
    core::Calculation calc = pristine;
    for (auto _ : state) {
        state.PauseTiming();
        calc = pristine;
        state.ResumeTiming();
        core::RecalculateAll(calc);
    }
}

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// Resident memory after opening, in a fresh process per size for a fair figure: run with
// --benchmark_filter=window_memory/65 and /6500 separately; together the second reuses pages.
void window_memory(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    const QString path = writeCalculationFile(folder, rows);
    long kilobytes = 0;
    for (auto _ : state) {
        Window w(folder, path);
        w.window->openCalculation();
        w.window->repaint();
        kilobytes = residentKilobytes();
    }
    state.counters["rss_kB"] = static_cast<double>(kilobytes);
}

}  // namespace

BENCHMARK(window_start_up)->Unit(benchmark::kMillisecond);
BENCHMARK(window_open)->Arg(65)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(bare_recalc_all)->Arg(65)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(window_memory)->Arg(65)->Arg(6500)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
