#include "platform/ui/DataSetTableModel.h"

#include <QBrush>

#include "platform/db/Field.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxStyle.h"

namespace morvane::ui {

DataSetTableModel::DataSetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataSetTableModel::SetDataSet(TRemoteUdpDataSet* dataSet) {
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = dataSet;
    if (dataSet_) {
        connect(dataSet_, &TRemoteUdpDataSet::dataChanged, this, &DataSetTableModel::onDataChanged);
        connect(dataSet_, &TRemoteUdpDataSet::activeChanged, this,
                &DataSetTableModel::onDataChanged);
        connect(dataSet_, &TRemoteUdpDataSet::currentRowChanged, this,
                &DataSetTableModel::onCurrentRowChanged);
        connect(dataSet_, &QObject::destroyed, this, [this] {
            beginResetModel();
            rows_.clear();
            active_ = false;
            endResetModel();
        });
    }
    beginResetModel();
    reload();
    endResetModel();
    onCurrentRowChanged();
}

void DataSetTableModel::SetColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    reload();
    endResetModel();
}

void DataSetTableModel::SetEvenRowStyle(TcxStyle* style) {
    if (evenStyle_)
        disconnect(evenStyle_, nullptr, this, nullptr);
    evenStyle_ = style;
    if (evenStyle_) {
        connect(evenStyle_, &TcxStyle::changed, this, [this] {
            if (rowCount() > 0)
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void DataSetTableModel::reload() {
    active_ = dataSet_ && dataSet_->Active();
    rows_ = active_ ? dataSet_->VisibleRows() : std::vector<std::size_t>{};
    bindFields();
}

void DataSetTableModel::bindFields() {
    fieldIndex_.assign(columns_.size(), -1);
    if (!active_)
        return;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        if (TField* field = dataSet_->FindField(columns_[c].fieldName)) {
            fieldIndex_[c] = field->Index();
        }
    }
}

void DataSetTableModel::onDataChanged() {
    // A change of values alone (a tick, a typed value) keeps the rows; anything else (opened,
    // closed, filtered) rebuilds the model.
    const bool active = dataSet_ && dataSet_->Active();
    if (active && active_) {
        std::vector<std::size_t> rows = dataSet_->VisibleRows();
        if (rows == rows_) {
            bindFields();
            if (!rows_.empty() && !columns_.empty()) {
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
            }
            onCurrentRowChanged();
            return;
        }
    }
    beginResetModel();
    reload();
    endResetModel();
    onCurrentRowChanged();
}

int DataSetTableModel::CurrentRow() const {
    if (!active_ || !dataSet_ || !dataSet_->Active() || rows_.empty())
        return -1;
    const int recNo = dataSet_->RecNo();
    return recNo > 0 && recNo <= rowCount() ? recNo - 1 : -1;
}

void DataSetTableModel::onCurrentRowChanged() {
    if (dataSet_ && dataSet_->ControlsDisabled())
        return;
    const int row = CurrentRow();
    if (row != indicatorRow_) {
        const int old = indicatorRow_;
        indicatorRow_ = row;
        if (old >= 0 && old < rowCount())
            emit headerDataChanged(Qt::Vertical, old, old);
        if (row >= 0)
            emit headerDataChanged(Qt::Vertical, row, row);
    }
    emit currentRowMoved(row);
}

int DataSetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DataSetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DataSetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !active_ || !dataSet_ || !dataSet_->Active())
        return {};
    const std::size_t row = rows_[index.row()];
    const GridColumn& column = columns_[index.column()];
    const int field = fieldIndex_[index.column()];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            if (column.tick || field < 0)
                return {};
            const auto& table = dataSet_->table();
            QString text = db::cellToString(table.cell(row, field), table.columnType(field));
            if (role == Qt::DisplayRole && column.displayText)
                text = column.displayText(text);
            return text;
        }
        case Qt::CheckStateRole: {
            if (!column.tick)
                return {};
            if (field < 0)
                return Qt::Unchecked;
            const db::Cell cell = dataSet_->table().cell(row, field);
            bool ticked = false;
            if (cell.kind == db::CellKind::Integer)
                ticked = cell.integer == 1;
            if (cell.kind == db::CellKind::Real)
                ticked = cell.real == 1.0;
            if (cell.kind == db::CellKind::Text)
                ticked = cell.bytes == "1";
            return ticked ? Qt::Checked : Qt::Unchecked;
        }
        case Qt::TextAlignmentRole: {
            // Quantities and amounts line up on their last digit; codes and names on the left.
            if (column.tick)
                return int(Qt::AlignCenter);
            const db::ColumnType type =
                field < 0 ? db::ColumnType::Text : dataSet_->table().columnType(field);
            const bool number = type == db::ColumnType::Integer || type == db::ColumnType::Real;
            return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        case Qt::BackgroundRole:
            if (evenStyle_ && index.row() % 2 == 1 && evenStyle_->QtColor().isValid()) {
                return QBrush(evenStyle_->QtColor());
            }
            return QBrush(Qt::white);
        default:
            return {};
    }
}

bool DataSetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !active_ || !dataSet_ || !dataSet_->Active())
        return false;
    const GridColumn& column = columns_[index.column()];
    if (fieldIndex_[index.column()] < 0)
        return false;
    const bool tickEdit = column.tick && role == Qt::CheckStateRole;
    const bool valueEdit = column.editable && !column.tick && role == Qt::EditRole;
    if (!tickEdit && !valueEdit)
        return false;
    dataSet_->SetRecNo(index.row() + 1);
    dataSet_->Edit();
    TField* field = dataSet_->Fields(fieldIndex_[index.column()]);
    if (tickEdit) {
        field->SetAsInteger(value.toInt() == Qt::Checked ? 1 : 0);
    } else {
        field->SetAsString(value.toString());
    }
    dataSet_->Post();
    return true;
}

Qt::ItemFlags DataSetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const GridColumn& column = columns_[index.column()];
    if (column.tick && column.editable)
        f |= Qt::ItemIsUserCheckable;
    if (column.editable && !column.tick)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section >= 0 && section < columnCount()) {
            return columns_[section].caption;
        }
        return {};
    }
    // The row indicator: a mark on the current row.
    if (role == Qt::DisplayRole)
        return section == indicatorRow_ ? QStringLiteral("▶") : QString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

}  // namespace morvane::ui
