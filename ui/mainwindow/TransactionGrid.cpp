#include "ui/mainwindow/TransactionGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include "core/CellEntry.h"
#include "core/CommandEnding.h"
#include "core/KeyFilters.h"
#include "core/TabSeparatedText.h"
#include "core/ValueDateMove.h"
#include "ui/common/FocusNavigation.h"
#include "ui/common/TypedCharacter.h"
#include "ui/mainwindow/ColumnWidths.h"
#include "ui/mainwindow/FixedCellHeader.h"
#include "ui/mainwindow/FixedCornerPainter.h"
#include "ui/mainwindow/GridCellDelegate.h"

namespace ui {
namespace {

constexpr int kRowHeight = 20;
constexpr int kNumberColumnWidth = 30;

int lastRow(const core::TransactionTable& table) { return table.rowCount() - 1; }

}  // namespace

TransactionGrid::TransactionGrid(core::Calculation& calculation, QWidget* parent)
    : QTableView(parent),
      calc_(calculation),
      model_(new TransactionTableModel(calculation.table(), this)),
      delegate_(new GridCellDelegate(
          calculation.separators(),
          [this](QLineEdit* editor, QEvent* event) { return editorEvent(editor, event); }, this)) {
    setObjectName(QStringLiteral("StringGrid3"));
    // A moved repayment's value date tells why it moved.
    model_->setCellTips([this](int column, int row) {
        return column == core::col::ValueDate ? core::ValueDateMoveReason(calc_, row) : QString();
    });
    setHorizontalHeader(new FixedCellHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedCellHeader(Qt::Vertical, this));
    setModel(model_);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setFrameShape(QFrame::NoFrame);
    setGridStyle(Qt::SolidLine);
    setCornerButtonEnabled(false);
    // The corner is a fixed cell too.
    if (auto* corner = findChild<QAbstractButton*>()) {
        corner->installEventFilter(new FixedCornerPainter(corner));
    }
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A click keeps the focus in the cell editor; the grid itself only takes it from Tab or
    // from a click arriving from another control (below), so a click never unselects the
    // editor's text behind the user's back.
    setFocusPolicy(Qt::TabFocus);

    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setFixedWidth(kNumberColumnWidth);
    horizontalHeader()->setFixedHeight(kRowHeight);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);

    for (int c = 0; c < TransactionTableModel::ColumnCount; ++c) {
        columnWidths_[c] = StartingColumnWidth(TransactionTableModel::tableColumn(c));
    }
    applyColumnWidths();

    connect(verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int oldVisual, int newVisual) { onRowDragged(oldVisual, newVisual); });
    connect(horizontalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int oldVisual, int newVisual) { onColumnDragged(oldVisual, newVisual); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (!applyingWidths_ && size > 0) columnWidths_[logical] = size;
            });
    placeEditor();
}

void TransactionGrid::setPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
    for (QAction* action : menu->actions()) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

// --- Moves and recalculation -----------------------------------------------------------

template <typename Work>
bool TransactionGrid::act(Work&& work) {
    const bool completed =
        core::RunReportingFailure(calc_.dialogs(), std::forward<Work>(work)).completed();
    followCore();
    return completed;
}

bool TransactionGrid::moveTo(int column, int row) {
    return act([&] { calc_.moveCurrentCell(column, row); });
}

void TransactionGrid::recalculateCurrentRow() {
    act([&] { calc_.recalculateCurrentRow(); });
}

void TransactionGrid::followCore() {
    showTable();
    emit recalculated();
}

void TransactionGrid::showTable() {
    model_->flushChanges();
    placeEditor();
}

// The view takes away the editors of rows that go; the focus waits in the grid meanwhile
// rather than wander to the window's next control.
void TransactionGrid::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    if (editorIndex_.isValid() && editorIndex_.row() >= start && editorIndex_.row() <= end) {
        dropEditor();
    }
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void TransactionGrid::reset() {
    dropEditor();
    QTableView::reset();
    // The header forgets its sections' widths and hidden columns on a reset.
    applyColumnWidths();
}

void TransactionGrid::dropEditor() {
    if (holdsFocus()) {
        switchingEditor_ = true;
        setFocus(Qt::OtherFocusReason);
        switchingEditor_ = false;
    }
    if (editorIndex_.isValid()) closePersistentEditor(editorIndex_);
    editor_ = nullptr;
    editorIndex_ = QPersistentModelIndex();
}

void TransactionGrid::placeEditor() {
    const auto& table = calc_.table();
    const QModelIndex target = model_->indexOfCell(table.currentColumn(), table.currentRow());
    if (editor_ && editorIndex_ == target) {
        GridCellDelegate::showCellText(*editor_, target.data(Qt::EditRole).toString());
        return;
    }
    const bool hadFocus = holdsFocus();
    switchingEditor_ = true;
    // Keep the focus inside the grid while one editor gives way to the next.
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    if (editorIndex_.isValid()) closePersistentEditor(editorIndex_);
    editor_ = nullptr;
    editorIndex_ = target;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    if (target.isValid() && (model_->flags(target) & Qt::ItemIsEditable)) {
        openPersistentEditor(target);
        editor_ = qobject_cast<QLineEdit*>(indexWidget(target));
        if (editor_) {
            connect(editor_, &QLineEdit::textEdited, this, &TransactionGrid::onEditorTextEdited);
            // Entering a cell selects its text: typing replaces it.
            editor_->selectAll();
            if (hadFocus) editor_->setFocus(Qt::OtherFocusReason);
        }
    }
    switchingEditor_ = false;
    if (target.isValid()) scrollTo(target);
}

// The grid or its editor is the window's focus widget: it has the focus, or gets it back
// when a message box raised from the grid closes.
bool TransactionGrid::holdsFocus() const {
    const QWidget* focus = window()->focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void TransactionGrid::onEditorTextEdited() {
    if (!editor_ || !editorIndex_.isValid()) return;
    model_->setData(editorIndex_, GridCellDelegate::cellTextOf(*editor_));
    emit cellEdited();
}

// --- Keys ------------------------------------------------------------------------------

// The editor's keys go through the grid's rules first; what the rules let pass the editor
// handles, and it goes no further (a key passed on to the grid would meet the rules twice).
bool TransactionGrid::editorEvent(QLineEdit* editor, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // The menu's shortcuts win over the editor's own (Shift+Insert pastes there).
            if (isMenuShortcut(static_cast<QKeyEvent&>(*event))) {
                event->ignore();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: {
            const QPointer<QLineEdit> target = editor;
            if (!handleKeyPress(static_cast<QKeyEvent&>(*event)) && target) {
                static_cast<QObject*>(target.data())->event(event);
            }
            return true;
        }
        case QEvent::KeyRelease: {
            const QPointer<QLineEdit> target = editor;
            if (target) static_cast<QObject*>(target.data())->event(event);
            handleKeyRelease(static_cast<QKeyEvent&>(*event));
            return true;
        }
        case QEvent::ContextMenu:
            // The table's menu, not the editor's own.
            contextMenuEvent(static_cast<QContextMenuEvent*>(event));
            return true;
        case QEvent::MouseButtonPress: {
            // A block marked for copying may start in the current cell too.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                selectionModel()->clearSelection();
                dragFrom_ = editorIndex_;
            }
            if (editor->inputMask().isEmpty()) return false;
            const QPointer<QLineEdit> target = editor;
            static_cast<QObject*>(editor)->event(event);
            if (target) keepCaretBeforeFirstBlank(*target);
            return true;
        }
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if ((move->buttons() & Qt::LeftButton) && dragFrom_.isValid()) {
                const QModelIndex over =
                    indexAt(editor->mapTo(viewport(), move->position().toPoint()));
                if (over.isValid() && over != dragFrom_) selectBlock(dragFrom_, over);
            }
            return false;
        }
        case QEvent::MouseButtonRelease:
            dragFrom_ = QPersistentModelIndex();
            return false;
        case QEvent::FocusOut:
            if (!switchingEditor_ && focusIsLeavingGrid(static_cast<QFocusEvent&>(*event))) {
                recalculateCurrentRow();
            }
            return false;
        default:
            return false;
    }
}

// A click into a date cell's editor: typing starts at the first unfilled position at the
// latest, so the digits fill the mask in order; a date already complete is selected whole,
// so typing replaces it rather than overwrite it from the middle.
void TransactionGrid::keepCaretBeforeFirstBlank(QLineEdit& editor) {
    const int firstBlank = editor.displayText().indexOf(GridCellDelegate::kMaskBlank);
    if (firstBlank < 0) {
        editor.selectAll();
    } else if (editor.cursorPosition() > firstBlank) {
        editor.setCursorPosition(firstBlank);
    }
}

bool TransactionGrid::isMenuShortcut(const QKeyEvent& event) const {
    if (!popupMenu_) return false;
    const QKeySequence pressed(event.keyCombination());
    for (const QAction* action : popupMenu_->actions()) {
        if (action->shortcuts().contains(pressed)) return true;
    }
    return false;
}

bool TransactionGrid::handleKeyPress(QKeyEvent& event) {
    // A key of the grid's own ends a block marked for copying; a modifier alone does not.
    const int key = event.key();
    if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt &&
        key != Qt::Key_Meta) {
        selectionModel()->clearSelection();
    }
    if (!handleGridKeyDown(event.key())) return true;
    if (gridNavigation(event)) return true;
    const auto typed = TypedCharacter(event);
    if (!typed) return false;
    return handleGridKeyPress(*typed);
}

// Before the grid acts on any key: Up and Down recalculate the row being left, and a key in
// the description of the last row opens a new entry row once its value date is typed.
// Returns false when a stop ended the key's handling.
bool TransactionGrid::handleGridKeyDown(int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (!act([&] { calc_.recalculateCurrentRow(); })) return false;
    }
    if (core::OpensEntryRow(calc_.table())) model_->appendEntryRow();
    return true;
}

// The grid's own moves: arrows, Tab, page keys. Left and Right leave the cell only from the
// edge of its text. Returns true when the key was the grid's.
bool TransactionGrid::gridNavigation(const QKeyEvent& event) {
    const auto& table = calc_.table();
    const int column = table.currentColumn();
    const int row = table.currentRow();
    const int page = std::max(1, viewport()->height() / kRowHeight - 1);
    // Tab moves between cells, so Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the next or
    // previous control: the keyboard alone reaches every button and field.
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    if (tab && (event.modifiers() & Qt::ControlModifier)) {
        MoveFocusOutOf(this,
                       event.key() == Qt::Key_Tab && !(event.modifiers() & Qt::ShiftModifier));
        return true;
    }
    switch (event.key()) {
        case Qt::Key_Up:
            if (row > 1) moveTo(column, row - 1);
            return true;
        case Qt::Key_Down:
            if (row < lastRow(table)) moveTo(column, row + 1);
            return true;
        case Qt::Key_PageUp:
            moveTo(column, std::max(1, row - page));
            return true;
        case Qt::Key_PageDown:
            moveTo(column, std::min(lastRow(table), row + page));
            return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            // Home and End alone move the caret in the cell.
            if (!(event.modifiers() & Qt::ControlModifier)) return false;
            moveTo(column, event.key() == Qt::Key_Home ? 1 : lastRow(table));
            return true;
        case Qt::Key_Tab:
            moveTo(column + 1, row);
            return true;
        case Qt::Key_Backtab:
            moveTo(column - 1, row);
            return true;
        case Qt::Key_Left: {
            const bool atLeft = !editor_ || (editor_->cursorPosition() == 0 &&
                                             (!editor_->hasSelectedText() ||
                                              editor_->selectedText() == editor_->displayText()));
            if (!atLeft) return false;
            moveTo(column - 1, row);
            return true;
        }
        case Qt::Key_Right: {
            const bool atRight =
                !editor_ || editor_->cursorPosition() == editor_->displayText().size();
            if (!atRight) return false;
            moveTo(column + 1, row);
            return true;
        }
        default:
            return false;
    }
}

// A typed character: Enter walks across the row, column 7 on to column 1 of the next row;
// the decimal separator is noted for the key release; the amount and rate columns take only
// digits, Backspace, Enter and the decimal separator. Returns true when the key is eaten.
bool TransactionGrid::handleGridKeyPress(QChar key) {
    const int column = calc_.table().currentColumn();
    if (key == core::kEnter) {
        if (const auto target = core::EnterTarget(calc_.table())) {
            moveTo(target->column, target->row);
            return true;
        }
    }
    if (key == calc_.separators().decimal) decimalKeyFlag_ = true;
    if (core::IsAmountInputColumn(column) && !core::AcceptsAmountCellKey(key, calc_.separators())) {
        return true;
    }
    return core::IsAmountInputColumn(column) && digitWouldOverflowAmount(key);
}

bool TransactionGrid::digitWouldOverflowAmount(QChar key) const {
    const auto& table = calc_.table();
    if (!editor_) {
        const QString& text = table.cell(table.currentColumn(), table.currentRow());
        return core::DigitWouldOverflowAmount(key, text, int(text.size()), 0);
    }
    const int start =
        editor_->hasSelectedText() ? editor_->selectionStart() : editor_->cursorPosition();
    return core::DigitWouldOverflowAmount(key, editor_->text(), start,
                                          int(editor_->selectedText().size()));
}

void TransactionGrid::handleKeyRelease(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Left || event.key() == Qt::Key_Right) return;
    if (IsKeypadDecimalKey(event)) return;
    handleGridKeyUp(event);
}

// After a key in the amount columns: an integer being typed is shown grouped in thousands,
// typing going on at its end. Not once a decimal separator is typed.
void TransactionGrid::handleGridKeyUp(const QKeyEvent&) {
    if (decimalKeyFlag_) {
        decimalKeyFlag_ = false;
        return;
    }
    const auto& table = calc_.table();
    const int column = table.currentColumn();
    if (!core::IsAmountInputColumn(column)) return;
    core::RunReportingFailure(calc_.dialogs(), [&] {
        const auto grouped =
            core::RegroupTypedAmount(table.cell(column, table.currentRow()), calc_.separators());
        if (!grouped) return;
        model_->setData(model_->indexOfCell(column, table.currentRow()), *grouped);
        if (editor_) {
            GridCellDelegate::showCellText(*editor_, *grouped);
            editor_->deselect();
            editor_->setCursorPosition(editor_->text().size());
        }
    });
}

// Keys reach the grid itself only while no editor is open.
void TransactionGrid::keyPressEvent(QKeyEvent* event) {
    event->accept();
    handleKeyPress(*event);
}

void TransactionGrid::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    handleKeyRelease(*event);
}

// --- Mouse and focus -------------------------------------------------------------------

void TransactionGrid::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    if (!hasFocus() && !(editor_ && editor_->hasFocus())) setFocus(Qt::MouseFocusReason);
    // Shift+click marks the block from the current cell; the current cell stays.
    if (event->modifiers() & Qt::ShiftModifier) {
        selectBlock(model_->indexOfCell(calc_.table().currentColumn(), calc_.table().currentRow()),
                    index);
        return;
    }
    selectionModel()->clearSelection();
    dragFrom_ = index;
    clickPending_ = true;
    // A cell of the computed columns is refused and the current cell stays.
    moveTo(TransactionTableModel::tableColumn(index.column()),
           TransactionTableModel::tableRow(index.row()));
}

void TransactionGrid::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    dragFrom_ = QPersistentModelIndex();
    if (!clickPending_) return;
    clickPending_ = false;
    recalculateCurrentRow();
}

// Dragging with the button down marks a block of cells to copy.
void TransactionGrid::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!(event->buttons() & Qt::LeftButton) || !dragFrom_.isValid()) return;
    const QModelIndex over = indexAt(event->position().toPoint());
    if (over.isValid() && over != dragFrom_) selectBlock(dragFrom_, over);
}

void TransactionGrid::selectBlock(const QModelIndex& from, const QModelIndex& to) {
    if (!from.isValid() || !to.isValid()) return;
    const QModelIndex topLeft =
        model_->index(std::min(from.row(), to.row()), std::min(from.column(), to.column()));
    const QModelIndex bottomRight =
        model_->index(std::max(from.row(), to.row()), std::max(from.column(), to.column()));
    selectionModel()->select(QItemSelection(topLeft, bottomRight),
                             QItemSelectionModel::ClearAndSelect);
}

QString TransactionGrid::selectedCellsAsText() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.size() < 2) {
        if (editor_ && editor_->hasSelectedText()) return editor_->selectedText();
        return calc_.table().cell(calc_.table().currentColumn(), calc_.table().currentRow());
    }
    int top = selected.first().row();
    int bottom = top;
    int left = selected.first().column();
    int right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    // The columns in the order they stand on screen, the hidden ones left out.
    const QHeaderView* header = horizontalHeader();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int section = header->logicalIndex(visual);
        if (section < left || section > right || header->isSectionHidden(section) ||
            header->sectionSize(section) == 0) {
            continue;
        }
        columns.push_back(section);
    }
    core::CellBlock block;
    for (int row = top; row <= bottom; ++row) {
        QStringList cells;
        for (const int column : columns) {
            cells << model_->index(row, column).data(Qt::DisplayRole).toString();
        }
        block.push_back(std::move(cells));
    }
    return core::WriteTabSeparated(block);
}

void TransactionGrid::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void TransactionGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    if (switchingEditor_ || !editor_) return;
    // The focus arriving at the grid goes on into the cell editor, its text selected as on
    // entering a cell.
    editor_->setFocus(event->reason());
    editor_->selectAll();
}

void TransactionGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    if (!switchingEditor_ && focusIsLeavingGrid(*event)) recalculateCurrentRow();
}

// Focus going to another control of the same window; not a message box or another window
// taking it, which would recalculate again behind every message.
bool TransactionGrid::focusIsLeavingGrid(const QFocusEvent& event) const {
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason) {
        return false;
    }
    const QWidget* next = QApplication::focusWidget();
    return next && next != this && !isAncestorOf(next) && next->window() == window();
}

void TransactionGrid::contextMenuEvent(QContextMenuEvent* event) {
    if (popupMenu_) popupMenu_->exec(event->globalPos());
}

// --- Dragging rows and columns ----------------------------------------------------------

// The header only shows where a row or column was dropped; the cells themselves move in the
// table, so every command keeps addressing them by position.
void TransactionGrid::onRowDragged(int oldVisual, int newVisual) {
    if (revertingDrag_) return;
    revertingDrag_ = true;
    verticalHeader()->moveSection(newVisual, oldVisual);
    revertingDrag_ = false;
    model_->moveRow(TransactionTableModel::tableRow(oldVisual),
                    TransactionTableModel::tableRow(newVisual));
    placeEditor();
}

void TransactionGrid::onColumnDragged(int oldVisual, int newVisual) {
    if (revertingDrag_) return;
    revertingDrag_ = true;
    horizontalHeader()->moveSection(newVisual, oldVisual);
    revertingDrag_ = false;
    const int width = columnWidths_[oldVisual];
    if (oldVisual < newVisual) {
        std::copy(columnWidths_.begin() + oldVisual + 1, columnWidths_.begin() + newVisual + 1,
                  columnWidths_.begin() + oldVisual);
    } else {
        std::copy_backward(columnWidths_.begin() + newVisual, columnWidths_.begin() + oldVisual,
                           columnWidths_.begin() + oldVisual + 1);
    }
    columnWidths_[newVisual] = width;
    model_->moveColumn(TransactionTableModel::tableColumn(oldVisual),
                       TransactionTableModel::tableColumn(newVisual));
    applyColumnWidths();
    placeEditor();
}

void TransactionGrid::applyColumnWidths() {
    applyingWidths_ = true;
    for (int c = 0; c < TransactionTableModel::ColumnCount; ++c) {
        const int width = columnWidths_[c];
        setColumnHidden(c, width < 0);
        if (width >= 0) setColumnWidth(c, width);
    }
    applyingWidths_ = false;
}

}  // namespace ui
