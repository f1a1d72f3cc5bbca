// The main window's undo and redo, its title with the file and the unsaved mark, and the
// question before unsaved changes are thrown away.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include "commands/CalculationFileCommands.h"
#include "core/BlockPaste.h"
#include "core/CommandEnding.h"
#include "storage/CalculationFile.h"
#include "ui/common/AppInfo.h"
#include "ui/common/ReleaseWhenIdle.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/RecoveryKeeper.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace ui {
namespace {

const QString kUnsavedMark = QStringLiteral(" *");
const QString kTypingStep = QStringLiteral("Düzenleme");
const QString kUndoCaption = QStringLiteral("Geri Al");
const QString kRedoCaption = QStringLiteral("Yinele");
const QString kCopyCaption = QStringLiteral("Kopyala");
const QString kPasteCaption = QStringLiteral("Yapıştır");
constexpr int kMaxPastedColumns = 64;
const QString kSaveChangesQuestion =
    QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydedilsin mi?");

}  // namespace

const QString MainWindow::kImportStep = QStringLiteral("Excel'den Veri Al");

void MainWindow::runRecordedCommand(const QString& label, const std::function<void()>& work) {
    runRecordedCommandUntitled(label, work);
    showTitle();
}

void MainWindow::runRecordedCommandUntitled(const QString& label,
                                            const std::function<void()>& work) {
    // Typing before the command is a step of its own; the state it leaves is this step's
    // starting point, so the table is copied once.
    recordTyping();
    core::CalculationSnapshot before = std::move(*afterLastStep_);
    afterLastStep_.reset();
    core::RecordedChange(history_, calc_, label, std::move(before),
                         [&] { core::RunReportingFailure(calc_.dialogs(), work); });
    showCalculation();
    // Showing the fields may write them back in their shown form: that belongs to the step.
    afterLastStep_ = core::CalculationSnapshot::wholeTable(calc_);
}

void MainWindow::recordChange(const QString& label, const std::function<void()>& work) {
    runRecordedCommand(label, work);
}

bool MainWindow::hasUnsavedChanges() const { return saved_.differs(calc_); }

// The state now is what the file `path` holds (none: a new table): no copy of it is needed,
// and the file leads the recent files.
void MainWindow::takeAsSaved(const QString& path) {
    filePath_ = path;
    // The state replaced is often the only holder of a whole earlier table.
    ReleaseWhenIdle(this, std::move(saved_));
    saved_ = commands::SavedContent();
    saved_.remember(calc_);
    if (!path.isEmpty()) {
        recent_.add(path);
        recent_.store();
    }
    if (recovery_) recovery_->discard();
    // Just remembered: it differs from itself only when it cannot be written.
    showTitle(saved_.unwritable());
}

void MainWindow::showTitle() { showTitle(hasUnsavedChanges()); }

void MainWindow::showTitle(bool unsaved) {
    // The program's own title first, as it always reads; then the file and the mark.
    QString title = core::kProgramCaption + kVersionText;
    if (!filePath_.isEmpty()) title += QStringLiteral(" - ") + QFileInfo(filePath_).fileName();
    if (unsaved) title += kUnsavedMark;
    setWindowTitle(title);
    if (unsaved && recovery_) recovery_->workChanged();
}

// Typing reaches the calculation key by key; it becomes one step when the next command,
// undo or save comes, so that taking that back leaves the typing as it was. Without typing,
// what the grid's own row recalculations changed is no step of the user's.
void MainWindow::recordTyping() {
    if (afterLastStep_ && typedSinceLastStep_) {
        // The history keeps only the rows the typing changed.
        history_.record(kTypingStep, std::move(*afterLastStep_), calc_);
    }
    typedSinceLastStep_ = false;
    afterLastStep_ = core::CalculationSnapshot::wholeTable(calc_);
}

// A cell or field left after typing in it: one step per cell, and the title follows.
void MainWindow::commitTyping() {
    if (!typedSinceLastStep_) return;
    recordTyping();
    showTitle();
}

void MainWindow::typed() {
    typedSinceLastStep_ = true;
    if (recovery_) recovery_->workChanged();
    prepareExportSoon(services_.exportPreparationDelay);
}

void MainWindow::undo() {
    stepThroughHistory([this] { return history_.undo(calc_); });
}

void MainWindow::redo() {
    stepThroughHistory([this] { return history_.redo(calc_); });
}

void MainWindow::stepThroughHistory(const std::function<bool()>& step) {
    recordTyping();
    if (!step()) return;
    showCalculation();
    showTitle();
    afterLastStep_ = core::CalculationSnapshot::wholeTable(calc_);
}

bool MainWindow::mayDiscardChanges() {
    if (!hasUnsavedChanges()) return true;
    const core::Question question{kSaveChangesQuestion, core::kProgramCaption,
                                  int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                      int(core::DialogButton::Cancel),
                                  core::DialogIcon::Question};
    switch (calc_.dialogs().ask(question)) {
        case core::DialogButton::Yes:
            return saveTo(services_.files->chooseSavePath(calc_.inputs().creditLineName));
        case core::DialogButton::No:
            // Given up: no copy of it is to come back after a crash.
            if (recovery_) recovery_->discard();
            return true;
        default:
            return false;
    }
}

// Below the table's own commands, so those keep their places in the menu.
void MainWindow::buildHistoryActions() {
    undoItem_ = new QAction(kUndoCaption, this);
    undoItem_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    redoItem_ = new QAction(kRedoCaption, this);
    redoItem_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undoItem_, &QAction::triggered, this, &MainWindow::undo);
    connect(redoItem_, &QAction::triggered, this, &MainWindow::redo);
    auto* copy = new QAction(kCopyCaption, this);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &MainWindow::copyBlock);
    auto* paste = new QAction(kPasteCaption, this);
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, this, &MainWindow::pasteBlock);
    for (QAction* action : {undoItem_, redoItem_, copy, paste}) addAction(action);

    tableMenu_->addSeparator();
    tableMenu_->addAction(undoItem_);
    tableMenu_->addAction(redoItem_);
    tableMenu_->addSeparator();
    tableMenu_->addAction(copy);
    tableMenu_->addAction(paste);
    connect(tableMenu_, &QMenu::aboutToShow, this, &MainWindow::fillHistoryMenuItems);
}

// A block from a spreadsheet (or a single value) from the current cell on, as one step.
void MainWindow::pasteBlock() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return;
    recordTyping();
    const int column = calc_.table().currentColumn();
    const int row = calc_.table().currentRow();
    runRecordedCommand(kPasteCaption, [&] {
        const core::CellBlock block = core::ReadTabSeparated(
            text, static_cast<int>(storage::kMaxCalculationRows), kMaxPastedColumns);
        core::PasteBlock(calc_, block, column, row);
    });
}

// The selected cells (or the current one), as the grid shows them, left to right.
void MainWindow::copyBlock() {
    const QString text = grid_->selectedCellsAsText();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

// The items name the step they take back or do again.
void MainWindow::fillHistoryMenuItems() {
    recordTyping();
    undoItem_->setEnabled(history_.canUndo());
    redoItem_->setEnabled(history_.canRedo());
    undoItem_->setText(history_.canUndo()
                           ? kUndoCaption + QStringLiteral(": ") + history_.undoLabel()
                           : kUndoCaption);
    redoItem_->setText(history_.canRedo()
                           ? kRedoCaption + QStringLiteral(": ") + history_.redoLabel()
                           : kRedoCaption);
}

}  // namespace ui
