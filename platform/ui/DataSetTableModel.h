#pragma once
// A table model over an open TRemoteUdpDataSet: one model row per row the dataset shows (its
// filter applies), one model column per declared grid column. Values are read from the
// dataset's columnar table; edits (ticks, typed values) go through the dataset as local edits
// (move to the row, Edit, assign, Post), so they stay in the dataset and never reach the
// database. The model follows the dataset's signals: a change of rows resets it, a change of
// values repaints, a move of the current row re-marks the row indicator.

#include <QAbstractTableModel>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxStyle.h"

namespace morvane::ui {

// One column of a grid, bound to a field by name (case-insensitive). A column whose field the
// open dataset lacks shows empty cells.
struct GridColumn {
    QString fieldName;
    QString caption;
    int width = 0;          // pixels; 0 keeps the grid's default width
    bool editable = false;  // the user may change the value (kept locally)
    bool tick = false;      // shown as a tick box; ticked means the value reads as 1
    // The text shown for a cell's value text (the dataset's text, "" for NULL); none: as is.
    std::function<QString(const QString&)> displayText = nullptr;
};

class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit DataSetTableModel(QObject* parent = nullptr);

    // The dataset is not owned; the model forgets it when it is destroyed.
    void SetDataSet(TRemoteUdpDataSet* dataSet);
    TRemoteUdpDataSet* DataSet() const { return dataSet_; }
    void SetColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& Columns() const { return columns_; }
    // Even rows (the second, fourth, ... row shown) take this style's colour; nullptr for none.
    void SetEvenRowStyle(TcxStyle* style);
    TcxStyle* EvenRowStyle() const { return evenStyle_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Model row of the dataset's current row; -1 when there is none.
    int CurrentRow() const;

  signals:
    // The dataset moved to another row (also after a reset).
    void currentRowMoved(int row);

  private:
    void reload();
    void onDataChanged();
    void onCurrentRowChanged();
    // Index into the dataset's table of each column's field; -1 when absent.
    void bindFields();

    QPointer<TRemoteUdpDataSet> dataSet_;
    QPointer<TcxStyle> evenStyle_;
    std::vector<GridColumn> columns_;
    std::vector<int> fieldIndex_;
    std::vector<std::size_t> rows_;  // table rows shown, in order
    bool active_ = false;
    int indicatorRow_ = -1;
};

}  // namespace morvane::ui
