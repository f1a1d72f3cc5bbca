#include "ui/common/QtFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace ui {
namespace {

const QString kFilter = QStringLiteral("Vovirer Dorud Dosyası (*.fdr)");
// Wide enough for the names, sizes and dates of the files side by side.
constexpr QSize kDialogSize(860, 520);

// Sizes, types and dates in full, the names taking the rest (Qt's own dialog; a desktop's
// native one lays itself out).
void fitDetailColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view) return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c) {
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

std::optional<QString> run(QFileDialog& dialog) {
    dialog.setNameFilter(kFilter);
    dialog.setSizeGripEnabled(true);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(kDialogSize);
    fitDetailColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace

std::optional<QString> QtFileChooser::chooseSavePath(const QString& proposedName) {
    QFileDialog dialog(parent_, QStringLiteral("Vovirer Dorud Dosyası Sakla"), folder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The save command asks itself before it writes over a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
    return run(dialog);
}

std::optional<QString> QtFileChooser::chooseOpenPath() {
    QFileDialog dialog(parent_, QStringLiteral("Vovirer Dorud Dosyası Aç"), folder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a file that does not exist is accepted; the open command tests it.
    dialog.setFileMode(QFileDialog::AnyFile);
    return run(dialog);
}

}  // namespace ui
