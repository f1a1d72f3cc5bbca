// The main window's commands on long tables, each timed from the click until the window shows
// its result, beside a bare recalculate all of the same table measured in the same run: the
// counter "x_recalc" is the command's time in such recalculations. The desktop's programs are
// stand-ins on PATH (xdg-mime names a spreadsheet program, xdg-open returns at once), so the
// export is timed until the spreadsheet program is asked to open the workbook.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <memory>

#include "bench/support/LongCreditLine.h"
#include "bench/support/Statement.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "output/workbook/PreparedWorkbook.h"
#include "storage/CalculationFile.h"
#include "ui/import/ImportWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"
#include "ui/mainwindow/TransactionTableModel.h"
#include "ui/report/PreviewPageView.h"
#include "ui/report/ReportPreviewWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Saves into one file of the bench folder, opens the long credit line.
class BenchFiles : public ui::FileChooser {
  public:
    QString openPath;
    QString savePath;
    std::optional<QString> chooseSavePath(const QString&) override { return savePath; }
    std::optional<QString> chooseOpenPath() override { return openPath; }
};

// The report's preview as the user sees it: the window shown with its first page painted.
void ShowFirstPreviewPage(report::LaidOutReport laidOut) {
    ui::PreviewServices none;
    ui::ReportPreviewWindow preview(std::move(laidOut), none);
    preview.resize(1200, 800);
    preview.show();
    preview.pageView().repaint();
}

// The main window in a program folder of its own with `rows` rows open and painted; every
// question answered "Evet".
struct Window {
    QTemporaryDir folder;
    core::RecordingDialogs dialogs{core::DialogButton::Yes};
    BenchFiles files;
    ui::MainWindowServices services;
    std::unique_ptr<ui::MainWindow> window;

    explicit Window(int rows) {
        files.openPath = benchsupport::LongCreditLineFile(rows);
        files.savePath = folder.filePath(QStringLiteral("saved.fdr"));
        services.dialogs = &dialogs;
        services.files = &files;
        services.defaultPrinterName = [] { return QStringLiteral("PDF"); };
        services.programFolder = folder.path() + QLatin1Char('/');
        services.showReportPreview = ShowFirstPreviewPage;
        services.openDocument = [](const QString&, const std::function<void()>&) {};
        window = std::make_unique<ui::MainWindow>(services);
        window->resize(1200, 700);
        window->show();
        open();
    }
    ~Window() { window->setAskBeforeClose(false); }

    void open() {
        window->openCalculation();
        window->repaint();
    }
    void setField(const char* name, const QString& text) {
        if (auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            field->setText(text);
        }
    }
    QString field(const char* name) {
        auto* found = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        return found ? found->text() : QString();
    }
};

// The table's rows with texts of their own, as a table just read from a file has them: a
// copy shares its rows' texts until each row is first written, and that copying belongs to
// no bare recalculation.
core::TransactionTable OwnRows(const core::TransactionTable& shared) {
    core::TransactionTable own;
    own.setRowCount(shared.rowCount());
    for (int r = 0; r < shared.rowCount(); ++r) own.setRow(r, shared.row(r));
    own.setCurrentCellQuietly(shared.currentColumn(), shared.currentRow());
    return own;
}

// Recalculate all alone on a copy of the window's table, as the window holds it.
double BareRecalculationSeconds(const core::Calculation& shown) {
    core::Calculation calc = shown;
    calc.table() = OwnRows(shown.table());
    const auto start = Clock::now();
    core::RecalculateAll(calc);
    const double seconds = secondsSince(start);
    benchmark::DoNotOptimize(calc.table().rowCount());
    return seconds;
}

// Runs `prepare` untimed and `command` timed on each iteration, and after each a bare
// recalculate all of the window's table, so that the ratio of the two sums holds whatever the
// machine's load does meanwhile. Between commands the work the window queued for when it is
// idle (freeing a table it replaced) is done untimed, as it is between a user's commands; its
// timers stay off, so no recovery copy is written beside the next command.
template <typename Prepare, typename Command>
void TimeCommand(benchmark::State& state, Window& w, Prepare prepare, Command command) {
    double commandSeconds = 0;
    double bareSeconds = 0;
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        command();
        const double seconds = secondsSince(start);
        state.SetIterationTime(seconds);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        commandSeconds += seconds;
        bareSeconds += BareRecalculationSeconds(w.window->calculation());
    }
    if (bareSeconds > 0) state.counters["x_recalc"] = commandSeconds / bareSeconds;
}

void nothing() {}

void open_file(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(state, w, nothing, [&] { w.open(); });
}

void save_file(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(state, w, nothing, [&] { w.window->saveCalculation(); });
    if (!QFile::exists(w.files.savePath)) state.SkipWithError("not saved");
}

void sort_rows(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(
        state, w, [&] { w.open(); },
        [&] {
            w.window->sortRows();
            w.window->repaint();
        });
}

void recalculate_all(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(state, w, nothing, [&] {
        w.window->recalculateAll();
        w.window->repaint();
    });
}

// FAİZ ORANINI BUL for the total the table already has, its rate applied to the table.
void find_rate(benchmark::State& state) {
    Window w(int(state.range(0)));
    const QString total = w.field("toplamfaizEdit");
    TimeCommand(
        state, w, [&] { w.setField("toplamfaizNetEdit", total); },
        [&] {
            w.window->findRate();
            w.window->repaint();
        });
}

void report_preview(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(state, w, nothing, [&] { w.window->printReport(); });
}

// A change the workbook shows (the credit line's name), as the last thing before the click.
void ChangeTheName(Window& w) {
    static int changes = 0;
    w.window->calculation().inputs().creditLineName = QStringLiteral("Şube %1").arg(++changes);
    w.window->showCalculation();
}

// Where the workbook went is told; a failure would be an error.
void FailOnErrorMessage(benchmark::State& state, const Window& w) {
    for (const core::Notice& notice : w.dialogs.notices()) {
        if (notice.icon == core::DialogIcon::Error) {
            state.SkipWithError(notice.text.toStdString().c_str());
            return;
        }
    }
}

// Clicked at once after a change: the workbook is made after the click.
void export_workbook(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(
        state, w, [&] { ChangeTheName(w); }, [&] { w.window->exportWorkbook(); });
    FailOnErrorMessage(state, w);
}

// Clicked once the window has been idle a moment after a change, as a user's hand takes to
// reach the button: the window has made the workbook ahead by then.
void export_after_a_pause(benchmark::State& state) {
    Window w(int(state.range(0)));
    TimeCommand(
        state, w,
        [&] {
            ChangeTheName(w);
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 20 || w.window->preparedExport().busy()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
        },
        [&] { w.window->exportWorkbook(); });
    FailOnErrorMessage(state, w);
}

// An amount typed into a cell, a pause, and a click on the button, which ends the typing: the
// window has made the workbook ahead of the click, from the row as the click recalculates it.
void export_after_typing(benchmark::State& state) {
    const int rows = int(state.range(0));
    Window w(rows);
    auto* button = w.window->findChild<QAbstractButton*>(QStringLiteral("BitBtn26"));
    // Keys go to the focus, which an active window has.
    w.window->activateWindow();
    if (!QTest::qWaitForWindowActive(w.window.get())) {
        state.SkipWithError("the window did not become active");
        return;
    }
    int typed = 0;
    TimeCommand(
        state, w,
        [&] {
            ui::TransactionGrid& grid = w.window->grid();
            const QModelIndex cell = grid.tableModel().indexOfCell(core::col::Drawn, rows / 2);
            grid.scrollTo(cell);
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                              grid.visualRect(cell).center());
            QTest::keyClicks(QApplication::focusWidget(), QString::number(1000 + ++typed % 900));
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 300 || w.window->preparedExport().busy()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }
        },
        [&] { QTest::mouseClick(button, Qt::LeftButton); });
    FailOnErrorMessage(state, w);
    // The typing reached the table (shown as an amount once the cell was left).
    const QString last = QString::number(1000 + typed % 900);
    const QString cell = w.window->calculation().table().cell(core::col::Drawn, rows / 2);
    if (QString(cell).remove(QLatin1Char('.')).section(QLatin1Char(','), 0, 0) != last) {
        state.SkipWithError("typing was lost");
    }
}

// "Vovirer Krediye Aktar" of a bank statement of as many rows, already read into the preview.
void import_transfer(benchmark::State& state) {
    const int rows = int(state.range(0));
    Window w(rows);
    const QDir folder = benchsupport::BenchFolder();
    const QString statement = benchsupport::WriteStatement(folder, rows);
    ui::ImportWindowServices services;
    services.calculation = &w.window->calculation();
    services.tableChanged = [&w] {
        w.window->grid().showTable();
        w.window->showInputsAndTotals();
    };
    services.chooseWorkbook = [statement](QWidget*) { return statement; };
    services.settingsPath = benchsupport::StatementSettings(folder, rows);
    ui::ImportWindow import(w.window.get(), services);
    import.open();
    import.readWorkbook();
    TimeCommand(
        state, w, [&] { w.open(); },
        [&] {
            import.transferToTable();
            w.window->repaint();
        });
    import.closeWindow();
    if (w.window->calculation().table().rowCount() < rows) state.SkipWithError("not transferred");
}

// xdg-mime names a spreadsheet program; xdg-open stands in for it and returns at once.
void PutDesktopStandInsOnPath(const QTemporaryDir& bin) {
    const std::pair<const char*, const char*> programs[] = {
        {"xdg-mime", "#!/bin/sh\necho calc.desktop\n"},
        {"xdg-open", "#!/bin/sh\nexit 0\n"},
    };
    for (const auto& [name, body] : programs) {
        QFile file(bin.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(body) < 0 || !file.flush()) {
            std::fprintf(stderr, "cannot write %s\n", name);
            std::exit(1);
        }
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", QFile::encodeName(bin.path()) + ':' + qgetenv("PATH"));
}

}  // namespace

#define WINDOW_COMMAND(name) \
    BENCHMARK(name)->Arg(650)->Arg(6500)->UseManualTime()->Unit(benchmark::kMillisecond)
WINDOW_COMMAND(open_file);
WINDOW_COMMAND(save_file);
WINDOW_COMMAND(sort_rows);
WINDOW_COMMAND(recalculate_all);
WINDOW_COMMAND(find_rate);
WINDOW_COMMAND(report_preview);
WINDOW_COMMAND(export_workbook);
WINDOW_COMMAND(export_after_a_pause);
WINDOW_COMMAND(export_after_typing);
WINDOW_COMMAND(import_transfer);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    QTemporaryDir bin;
    qputenv("HOME", QFile::encodeName(home.path()));
    PutDesktopStandInsOnPath(bin);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
