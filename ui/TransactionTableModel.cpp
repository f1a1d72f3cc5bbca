#include "ui/TransactionTableModel.h"

#include "core/CellEntry.h"

namespace ui {

const QColor& TransactionTableModel::fixedCellColour() {
    static const QColor colour(211, 231, 211);
    return colour;
}
const QColor& TransactionTableModel::oddRowColour() {
    static const QColor colour(249, 255, 225);
    return colour;
}
const QColor& TransactionTableModel::evenRowColour() {
    static const QColor colour(223, 235, 255);
    return colour;
}
const QColor& TransactionTableModel::valueDateColour() {
    static const QColor colour(0, 0, 255);
    return colour;
}

TransactionTableModel::TransactionTableModel(core::TransactionTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), rows_(table.rowCount() - 1) {}

QModelIndex TransactionTableModel::indexOfCell(int tableColumn, int tableRow) const {
    return index(tableRow - 1, tableColumn - 1);
}

Qt::Alignment TransactionTableModel::alignmentOf(int tableColumn) {
    if (tableColumn <= core::col::ValueDate) return Qt::AlignHCenter | Qt::AlignTop;
    if (tableColumn == core::col::Description) return Qt::AlignLeft | Qt::AlignTop;
    return Qt::AlignRight | Qt::AlignTop;
}

int TransactionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TransactionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TransactionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = tableRow(index.row());
    const int column = tableColumn(index.column());
    // A command may have shrunk the table while a message box repaints the old view.
    if (row >= table_.rowCount()) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return table_.cell(column, row);
        case Qt::BackgroundRole:
            return row % 2 == 1 ? oddRowColour() : evenRowColour();
        case Qt::ForegroundRole:
            return column == core::col::ValueDate ? valueDateColour() : QColor(Qt::black);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(column));
        default:
            return {};
    }
}

QVariant TransactionTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= ColumnCount) return {};
        return table_.cell(tableColumn(section), 0);
    }
    const int row = tableRow(section);
    if (section < 0 || row >= table_.rowCount()) return {};
    return table_.cell(core::col::Number, row);
}

Qt::ItemFlags TransactionTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (core::TakesInput(tableColumn(index.column()))) {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
    return Qt::ItemIsEnabled;
}

bool TransactionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const int row = tableRow(index.row());
    if (row >= table_.rowCount()) return false;
    const QString text = value.toString();
    if (table_.cell(tableColumn(index.column()), row) == text) return true;
    table_.setCell(tableColumn(index.column()), row, text);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void TransactionTableModel::rowChanged(int tableRow) {
    if (tableRow < 1 || tableRow > rows_) return;
    emit dataChanged(index(tableRow - 1, 0), index(tableRow - 1, ColumnCount - 1));
    emit headerDataChanged(Qt::Vertical, tableRow - 1, tableRow - 1);
}

void TransactionTableModel::reload() {
    beginResetModel();
    rows_ = table_.rowCount() - 1;
    endResetModel();
}

void TransactionTableModel::appendEntryRow() {
    const int newRow = table_.rowCount();
    beginInsertRows({}, newRow - 1, newRow - 1);
    core::AppendEntryRow(table_);
    rows_ = table_.rowCount() - 1;
    endInsertRows();
}

void TransactionTableModel::moveRow(int fromTableRow, int toTableRow) {
    if (fromTableRow == toTableRow) return;
    const int from = fromTableRow - 1;
    const int to = toTableRow - 1;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    table_.moveRow(fromTableRow, toTableRow);
    endMoveRows();
}

void TransactionTableModel::moveColumn(int fromTableColumn, int toTableColumn) {
    if (fromTableColumn == toTableColumn) return;
    const int from = fromTableColumn - 1;
    const int to = toTableColumn - 1;
    beginMoveColumns({}, from, from, {}, to > from ? to + 1 : to);
    table_.moveColumn(fromTableColumn, toTableColumn);
    endMoveColumns();
}

}  // namespace ui
