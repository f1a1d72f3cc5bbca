#include "ui/import/SheetGridView.h"

#include <QKeyEvent>
#include <QStyledItemDelegate>

namespace ui {
namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The cell editor keeps its text and hands Enter to the grid's walk.
class EnterWalkDelegate : public QStyledItemDelegate {
  public:
    explicit EnterWalkDelegate(SheetGridView* view) : QStyledItemDelegate(view), view_(view) {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (isEnter(event)) {
            auto* editor = qobject_cast<QWidget*>(object);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            view_->moveOnAfterEnter();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    SheetGridView* view_;
};

}  // namespace

SheetGridView::SheetGridView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new EnterWalkDelegate(this));
}

void SheetGridView::moveOnAfterEnter() {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !model()) return;
    int column = current.column() + 1;
    int row = current.row();
    if (column >= model()->columnCount()) {
        column = 0;
        if (row + 1 < model()->rowCount()) ++row;
    }
    setCurrentIndex(model()->index(row, column));
}

void SheetGridView::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && state() != EditingState) {
        moveOnAfterEnter();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace ui
