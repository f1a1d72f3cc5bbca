#pragma once

#include <QLineEdit>
#include <QStyledItemDelegate>
#include <functional>

#include "core/Separators.h"

namespace ui {

// Paints the grid's data cells and makes the always-shown cell editor: a line edit, with the
// date mask in the two date columns. The editor's key and focus events go to the grid
// first (the grid's key rules), never to the default commit-and-close handling.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using EditorEventHandler = std::function<bool(QLineEdit*, QEvent*)>;

    // What the date mask shows in an unfilled position.
    static constexpr QChar kMaskBlank = QLatin1Char('_');

    GridCellDelegate(core::Separators seps, EditorEventHandler handler, QObject* parent = nullptr);

    // The cell text an editor stands for. In the date columns every character position is
    // kept, an unfilled one as a space, so dates still read by position; a mask without any
    // digit stands for an empty cell.
    static QString cellTextOf(const QLineEdit& editor);
    // Puts a cell text into an editor unless it already shows it (the caret stays put); a
    // date put in is selected whole, so typing replaces it.
    static void showCellText(QLineEdit& editor, const QString& text);
    static QString dateMask(const core::Separators& seps);
    // What a cell shows in `width` pixels: a figure (right-aligned) too wide for it becomes a
    // row of "#", as in a spreadsheet, never a figure with its leading digits cut off; its
    // tooltip then gives it whole. Texts are cut as usual.
    static QString shownText(const QString& text, const QFontMetrics& metrics, int width,
                             Qt::Alignment alignment);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    core::Separators seps_;
    EditorEventHandler handler_;
};

}  // namespace ui
