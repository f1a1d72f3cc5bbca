#include "ui/mainwindow/TransactionTableModel.h"

#include "core/CellEntry.h"
#include "ui/common/GridPalette.h"

namespace ui {

TransactionTableModel::TransactionTableModel(core::TransactionTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {
    table_.setObserver(this);
}

TransactionTableModel::~TransactionTableModel() { table_.setObserver(nullptr); }

QModelIndex TransactionTableModel::indexOfCell(int tableColumn, int tableRow) const {
    return index(tableRow - 1, tableColumn - 1);
}

Qt::Alignment TransactionTableModel::alignmentOf(int tableColumn) {
    if (tableColumn <= core::col::ValueDate) return Qt::AlignHCenter | Qt::AlignTop;
    if (tableColumn == core::col::Description) return Qt::AlignLeft | Qt::AlignTop;
    return Qt::AlignRight | Qt::AlignTop;
}

int TransactionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount() - 1;
}

int TransactionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TransactionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = tableRow(index.row());
    const int column = tableColumn(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return table_.cell(column, row);
        case Qt::BackgroundRole:
            return palette::TableRowColour(row);
        case Qt::ForegroundRole:
            return column == core::col::ValueDate ? palette::kValueDateText : QColor(Qt::black);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(column));
        case Qt::ToolTipRole:
            if (cellTips_) {
                if (QString tip = cellTips_(column, row); !tip.isEmpty()) return tip;
            }
            return {};
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
    table_.setCell(tableColumn(index.column()), tableRow(index.row()), value.toString());
    flushChanges();
    return true;
}

void TransactionTableModel::flushChanges() {
    // Taken first: a slot of the signals below may change the table again.
    const Span rows = changedRows_;
    const Span columns = changedColumns_;
    const Span captions = changedCaptions_;
    const Span numbers = changedNumbers_;
    forgetChangedCells();
    if (!rows.isEmpty() && !columns.isEmpty()) {
        emit dataChanged(index(rows.first, columns.first), index(rows.last, columns.last));
    }
    if (!captions.isEmpty()) emit headerDataChanged(Qt::Horizontal, captions.first, captions.last);
    if (!numbers.isEmpty()) emit headerDataChanged(Qt::Vertical, numbers.first, numbers.last);
}

void TransactionTableModel::forgetChangedCells() {
    changedRows_ = changedColumns_ = changedCaptions_ = changedNumbers_ = Span{};
}

void TransactionTableModel::noteChangedCells(const core::TableChange& change) {
    // Table row 0 holds the captions, column 0 the row numbers: the view's headers.
    if (change.first == 0 && change.lastColumn >= 1) {
        changedCaptions_.add(std::max(change.firstColumn, 1) - 1, change.lastColumn - 1);
    }
    if (change.firstColumn == 0 && change.last >= 1) {
        changedNumbers_.add(std::max(change.first, 1) - 1, change.last - 1);
    }
    if (change.last >= 1 && change.lastColumn >= 1) {
        changedRows_.add(std::max(change.first, 1) - 1, change.last - 1);
        changedColumns_.add(std::max(change.firstColumn, 1) - 1, change.lastColumn - 1);
    }
    // Shown at the latest when the event loop next runs, a message box's included.
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                flushQueued_ = false;
                flushChanges();
            },
            Qt::QueuedConnection);
    }
}

void TransactionTableModel::tableAboutToChange(const core::TableChange& change) {
    using Kind = core::TableChange::Kind;
    // Cells noted before a change of shape are told while their rows are where they were.
    if (change.kind != Kind::Replaced) flushChanges();
    switch (change.kind) {
        case Kind::Cells:
            break;
        case Kind::RowsInserted:
            beginInsertRows({}, change.first - 1, change.last - 1);
            break;
        case Kind::RowsRemoved:
            beginRemoveRows({}, change.first - 1, change.last - 1);
            break;
        case Kind::RowMoved: {
            const int from = change.first - 1;
            const int to = change.to - 1;
            moveBegun_ =
                from >= 0 && to >= 0 && beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
            if (!moveBegun_) beginResetModel();
            break;
        }
        case Kind::ColumnMoved: {
            const int from = change.firstColumn - 1;
            const int to = change.to - 1;
            moveBegun_ = from >= 0 && to >= 0 &&
                         beginMoveColumns({}, from, from, {}, to > from ? to + 1 : to);
            if (!moveBegun_) beginResetModel();
            break;
        }
        case Kind::Replaced:
            forgetChangedCells();
            beginResetModel();
            break;
    }
}

void TransactionTableModel::tableChanged(const core::TableChange& change) {
    using Kind = core::TableChange::Kind;
    switch (change.kind) {
        case Kind::Cells:
            noteChangedCells(change);
            break;
        case Kind::RowsInserted:
            endInsertRows();
            break;
        case Kind::RowsRemoved:
            endRemoveRows();
            break;
        case Kind::RowMoved:
            if (moveBegun_) {
                endMoveRows();
            } else {
                endResetModel();
            }
            break;
        case Kind::ColumnMoved:
            if (moveBegun_) {
                endMoveColumns();
            } else {
                endResetModel();
            }
            break;
        case Kind::Replaced:
            forgetChangedCells();
            endResetModel();
            break;
    }
}

void TransactionTableModel::appendEntryRow() { core::AppendEntryRow(table_); }

void TransactionTableModel::moveRow(int fromTableRow, int toTableRow) {
    table_.moveRow(fromTableRow, toTableRow);
}

void TransactionTableModel::moveColumn(int fromTableColumn, int toTableColumn) {
    table_.moveColumn(fromTableColumn, toTableColumn);
}

}  // namespace ui
