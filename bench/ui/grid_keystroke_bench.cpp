// One keystroke in the last row of an opened calculation, with the grid's repaint, at 65 and
// at 6500 rows: the cost must not grow with the table (the view touches only what shows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include "bench/ui/OpenOnlyChooser.h"
#include "core/RecordingDialogs.h"
#include "core/TransactionTable.h"
#include "storage/CalculationFile.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace {

// A calculation file of `rows` drawings, one a day from 01.01.2019.
QString writeCalculationFile(const QTemporaryDir& folder, int rows) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().daysInYear = QStringLiteral("360");
    auto& table = calc.table();
    table.setRowCount(rows + 1);
    const QDate first(2019, 1, 1);
    for (int r = 1; r <= rows; ++r) {
        const QString date = first.addDays(r - 1).toString(QStringLiteral("dd.MM.yyyy"));
        table.setCell(core::col::Number, r, QString::number(r));
        table.setCell(core::col::TransactionDate, r, date);
        table.setCell(core::col::ValueDate, r, date);
        table.setCell(core::col::Drawn, r, QStringLiteral("1.000,00"));
    }
    const QString path = folder.filePath(QStringLiteral("bench.fdr"));
    storage::WriteCalculationFile(calc, path);
    return path;
}

void KeystrokeAndRepaint(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    OpenOnlyChooser files(writeCalculationFile(folder, rows));
    core::RecordingDialogs dialogs;
    ui::MainWindowServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    services.defaultPrinterName = [] { return QStringLiteral("PDF"); };
    services.programFolder = folder.path() + QLatin1Char('/');
    ui::MainWindow window(services);
    window.resize(1200, 700);
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("window not exposed");
    window.openCalculation();  // KAYITTAN AÇ
    auto& grid = window.grid();
    grid.setFocus();
    window.calculation().moveCurrentCell(core::col::Repaid, rows);
    grid.showTable();
    QApplication::processEvents();

    for (auto _ : state) {
        // A digit and a Backspace, each handled and painted.
        for (const auto key : {Qt::Key_5, Qt::Key_Backspace}) {
            QWidget* editor = QApplication::focusWidget();
            QTest::keyPress(editor, key);
            QTest::keyRelease(editor, key);
            grid.viewport()->repaint();
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rows"] = rows;
    if (window.calculation().table().rowCount() != rows + 1) state.SkipWithError("not opened");
    window.setAskBeforeClose(false);
}

}  // namespace

BENCHMARK(KeystrokeAndRepaint)->Arg(65)->Arg(6500)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
