#include "ui/mainwindow/GridCellDelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "core/TransactionTable.h"
#include "ui/common/GridPalette.h"
#include "ui/mainwindow/TransactionTableModel.h"

namespace ui {
namespace {

// The text area of a cell: a small margin on each side.
QRect textRect(const QRect& cell) { return cell.adjusted(2, 2, -2, 0); }

bool isDateColumn(const QModelIndex& index) {
    const int column = TransactionTableModel::tableColumn(index.column());
    return column == core::col::TransactionDate || column == core::col::ValueDate;
}

}  // namespace

GridCellDelegate::GridCellDelegate(core::Separators seps, EditorEventHandler handler,
                                   QObject* parent)
    : QStyledItemDelegate(parent), seps_(seps), handler_(std::move(handler)) {}

QString GridCellDelegate::dateMask(const core::Separators& seps) {
    // Day and month take up to two digits, the year exactly four; the separators are part
    // of the text.
    const QString separator = QStringLiteral("\\") + seps.date;
    return QStringLiteral("00") + separator + QStringLiteral("00") + separator +
           QStringLiteral("9999;") + kMaskBlank;
}

QString GridCellDelegate::cellTextOf(const QLineEdit& editor) {
    if (editor.inputMask().isEmpty()) return editor.text();
    QString text = editor.displayText();
    bool anyDigit = false;
    for (QChar& character : text) {
        if (character == kMaskBlank) character = QLatin1Char(' ');
        anyDigit = anyDigit || character.isDigit();
    }
    return anyDigit ? text : QString();
}

void GridCellDelegate::showCellText(QLineEdit& editor, const QString& text) {
    if (cellTextOf(editor) == text) return;
    if (editor.inputMask().isEmpty()) {
        editor.setText(text);
        return;
    }
    QString masked = text;
    masked.replace(QLatin1Char(' '), kMaskBlank);
    editor.setText(masked);
    // The program changed the date under the user (a reset, an inserted row): typing starts
    // over from the first position, as on entering the cell, not at the end of the mask
    // where every digit would be dropped.
    editor.selectAll();
}

QString GridCellDelegate::shownText(const QString& text, const QFontMetrics& metrics, int width,
                                    Qt::Alignment alignment) {
    if (!(alignment & Qt::AlignRight) || metrics.horizontalAdvance(text) <= width) return text;
    const int hashWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('#')));
    return QString(std::max(1, width / hashWidth), QLatin1Char('#'));
}

bool GridCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && event->type() == QEvent::ToolTip && index.isValid()) {
        const QString text = index.data().toString();
        const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        if (shownText(text, QFontMetrics(option.font), textRect(option.rect).width(), alignment) !=
            text) {
            QToolTip::showText(event->globalPos(), text, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    // The current cell is not marked by colour: the cell editor marks it.
    const QRect rect = option.rect;
    painter->save();
    // Cells marked for copying show in light blue, their text as usual.
    const bool marked = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(
        rect, marked ? palette::kMarkedCell : index.data(Qt::BackgroundRole).value<QColor>());
    painter->setClipRect(rect);
    painter->setFont(option.font);
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
    const QRect area = textRect(rect);
    painter->drawText(
        area, alignment,
        shownText(index.data().toString(), QFontMetrics(option.font), area.width(), alignment));
    painter->restore();
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(option.font);
    editor->setAlignment(
        (TransactionTableModel::alignmentOf(TransactionTableModel::tableColumn(index.column())) &
         Qt::AlignHorizontal_Mask) |
        Qt::AlignVCenter);
    if (isDateColumn(index)) editor->setInputMask(dateMask(seps_));
    return editor;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* lineEdit = qobject_cast<QLineEdit*>(editor)) {
        showCellText(*lineEdit, index.data(Qt::EditRole).toString());
    }
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* lineEdit = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, cellTextOf(*lineEdit));
    }
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
    editor->setGeometry(option.rect);
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (!editor || !handler_) return false;
    return handler_(editor, event);
}

}  // namespace ui
