// The window on long tables: start-up to the first paint of the main window, opening a
// calculation file (dialog answered, file read, recalculated, first paint) beside a bare
// recalculate all of the same table, and the resident memory of the window with the file
// open, read from /proc/self/status in a fresh process per size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

#include "bench/support/LongCreditLine.h"
#include "bench/ui/OpenOnlyChooser.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "storage/CalculationFile.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace {

const char* const kMemoryProbe = "--window-memory-of";

// The main window as the program shows it, in a program folder of its own, its open dialog
// answered with `path`; painted once.
struct Window {
    QTemporaryDir folder;
    core::RecordingDialogs dialogs;
    OpenOnlyChooser files;
    ui::MainWindowServices services;
    std::unique_ptr<ui::MainWindow> window;

    explicit Window(QString path) : files(std::move(path)) {
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

    // KAYITTAN AÇ, then the first paint of what it shows.
    void open() {
        window->openCalculation();
        window->repaint();
    }
};

void window_start_up(benchmark::State& state) {
    for (auto _ : state) {
        Window w{QString()};
        benchmark::DoNotOptimize(w.window.get());
    }
}

void window_open(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Window w(benchsupport::LongCreditLineFile(rows));
    for (auto _ : state) {
        w.open();
        // The work the window queued for when it is idle, done before the next open as
        // between a user's commands; its timers stay off.
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        state.ResumeTiming();
    }
    if (w.window->calculation().table().rowCount() < rows) state.SkipWithError("not opened");
}

// The recalculation that opening a file ends with, alone, on the same table.
void bare_recalc_all(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    core::RecordingDialogs dialogs;
    core::Calculation pristine(dialogs);
    if (storage::LoadCalculationFile(pristine, benchsupport::LongCreditLineFile(rows)) !=
        storage::LoadFault::None) {
        state.SkipWithError("not read");
        return;
    }
    // As opening does before it recalculates.
    pristine.inputs().drawingExtraDays.clear();
    pristine.inputs().moveDrawingsPastHolidays = false;
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

// Run in a process of its own: the window with the file open and painted; prints its
// resident memory in kB.
int probeMemory(const QString& path) {
    Window w(path);
    w.open();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    std::printf("%ld\n", residentKilobytes());
    return 0;
}

// The resident memory of a fresh program with the window showing the file: pages a longer
// table freed in this process would otherwise count for a shorter one.
void window_memory(benchmark::State& state) {
    static std::map<int, double> kilobytesOf;
    const int rows = static_cast<int>(state.range(0));
    const QString path = benchsupport::LongCreditLineFile(rows);
    double kilobytes = 0;
    for (auto _ : state) {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kMemoryProbe), path});
        if (!probe.waitForFinished(60000) || probe.exitCode() != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
        kilobytes = probe.readAllStandardOutput().trimmed().toDouble();
    }
    kilobytesOf[rows] = kilobytes;
    state.counters["rss_kB"] = kilobytes;
    // Against the shortest table measured before it in this run.
    if (!kilobytesOf.empty() && kilobytesOf.begin()->first < rows) {
        state.counters["per_" + std::to_string(kilobytesOf.begin()->first) + "_rows"] =
            kilobytes / kilobytesOf.begin()->second;
    }
}

}  // namespace

BENCHMARK(window_start_up)->Unit(benchmark::kMillisecond);
BENCHMARK(window_open)->Arg(65)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(bare_recalc_all)->Arg(65)->Arg(6500)->Unit(benchmark::kMillisecond);
BENCHMARK(window_memory)->Arg(65)->Arg(6500)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kMemoryProbe) == 0) {
        return probeMemory(QString::fromLocal8Bit(argv[2]));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
