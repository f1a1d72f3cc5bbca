// The commands of the main window's buttons and popup menu.
#include <QDesktopServices>

#include "core/Rates.h"
#include "core/TableCommands.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"
#include "ui/AppInfo.h"
#include "ui/ErrorBoundary.h"
#include "ui/StringGrid3.h"
#include "ui/TrotatifF.h"

namespace ui {

template <typename Work>
void TrotatifF::runCommand(Work&& work) {
    Guarded(calc_.dialogs(), std::forward<Work>(work));
    // What a command wrote before it stopped stays, and shows.
    StringGrid3_->showTable();
    showInputsAndTotals();
}

void TrotatifF::BitBtn45Click() {
    Guarded(calc_.dialogs(), [&] {
        const auto name = services_.files->chooseSavePath(calc_.inputs().rotatifadiEdit);
        storage::SaveCommand(calc_, name);
    });
}

void TrotatifF::BitBtn46Click() {
    runCommand([&] { storage::OpenCommand(calc_, services_.files->chooseOpenPath()); });
}

void TrotatifF::BitBtn31Click() {
    Guarded(calc_.dialogs(), [&] { storage::hafizayayaz(calc_.inputs(), settingsPath()); });
}

void TrotatifF::BitBtn1Click() {
    runCommand([&] { core::RecalculateAll(calc_); });
}

void TrotatifF::BitBtn4Click() {
    runCommand([&] { core::ResetTable(calc_); });
}

void TrotatifF::BitBtn2Click() {
    runCommand([&] { core::SortByValueDate(calc_); });
}

void TrotatifF::BitBtn3Click() {
    runCommand([&] { core::ChangeRates(calc_); });
}

void TrotatifF::BitBtn5Click() {
    runCommand([&] { core::FindRate(calc_); });
}

void TrotatifF::MenuItem11Click() {
    runCommand([&] { core::InsertRow(calc_); });
}

void TrotatifF::MenuItem12Click() {
    runCommand([&] { core::DeleteCurrentRow(calc_); });
}

// Nothing is reported when no browser starts.
void TrotatifF::Label9Click() {
    if (services_.openUrl) services_.openUrl(QUrl(kMakerHomePage));
}

}  // namespace ui
