#include "ui/import/SheetTableModel.h"

#include <QColor>

#include "ui/common/GridPalette.h"

namespace ui {

SheetTableModel::SheetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int SheetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.rowCount() - 1;
}

int SheetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.columnCount() - 1;
}

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row() + 1;  // the grid's own row, counted with its header row
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return grid_.cell(index.column() + 1, row);
        case Qt::BackgroundRole:
            return palette::SheetRowColour(row);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
        default:
            return {};
    }
}

bool SheetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    grid_.setCell(index.column() + 1, index.row() + 1, value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        return orientation == Qt::Horizontal ? grid_.cell(section + 1, 0)
                                             : grid_.cell(0, section + 1);
    }
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignTop);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

}  // namespace ui
