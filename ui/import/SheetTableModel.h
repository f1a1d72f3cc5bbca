#pragma once

#include <QAbstractTableModel>

#include "sheets/PreviewGrid.h"

namespace ui {

// The import window's preview grid, owned here, for a QTableView: its data cells as the
// model's cells, its header row and column as the view's headers. Cells are editable; the transfer
// reads what the user left in them.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit SheetTableModel(QObject* parent = nullptr);

    const sheets::PreviewGrid& grid() const { return grid_; }
    // Changes the grid as a whole (a read, "Yeni Dosya"); the views follow.
    template <typename Change>
    void change(Change&& change) {
        beginResetModel();
        try {
            change(grid_);
        } catch (...) {
            endResetModel();
            throw;
        }
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    sheets::PreviewGrid grid_;
};

}  // namespace ui
