#include "platform/pivot/DataSetSource.h"

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/db/ResultTable.h"

namespace morvane::pivot {

using morvane::db::CellKind;
using morvane::db::ColumnType;

DataSetSource::DataSetSource(const morvane::db::ResultTable& table, std::vector<std::size_t> rows)
    : table_(&table), rows_(std::move(rows)), subset_(!rows_.empty()) {}

std::shared_ptr<DataSetSource> DataSetSource::fromDataSet(const TRemoteUdpDataSet& dataSet) {
    if (!dataSet.Active()) {
        static const morvane::db::ResultTable empty;
        return std::make_shared<DataSetSource>(empty);
    }
    if (dataSet.Filtered() && !dataSet.Filter().isEmpty()) {
        auto rows = dataSet.VisibleRows();
        if (rows.empty()) {
            // No row passes: an empty selection, not "all rows".
            auto src = std::make_shared<DataSetSource>(dataSet.table());
            src->subset_ = true;
            return src;
        }
        return std::make_shared<DataSetSource>(dataSet.table(), std::move(rows));
    }
    return std::make_shared<DataSetSource>(dataSet.table());
}

int DataSetSource::columnCount() const {
    return static_cast<int>(table_->columnCount());
}

QString DataSetSource::columnName(int column) const {
    return QString::fromStdString(table_->columnName(static_cast<std::size_t>(column)));
}

ValueType DataSetSource::columnType(int column) const {
    switch (table_->columnType(static_cast<std::size_t>(column))) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
            return ValueType::Integer;
        case ColumnType::Real:
            return ValueType::Real;
        case ColumnType::Text:
        case ColumnType::Date:
            return ValueType::Text;
        case ColumnType::Unknown:
        case ColumnType::Blob:
            return ValueType::Null;
    }
    return ValueType::Null;
}

std::int64_t DataSetSource::rowCount() const {
    return subset_ ? static_cast<std::int64_t>(rows_.size())
                   : static_cast<std::int64_t>(table_->rowCount());
}

bool DataSetSource::columnData(int column, ColumnData& out) const {
    const auto c = static_cast<std::size_t>(column);
    if (subset_ || table_->hasOverrides(c))
        return false;
    const morvane::db::Column& col = table_->column(c);
    out = ColumnData{};
    out.nullBits = col.nullBits().data();
    switch (columnType(column)) {
        case ValueType::Integer:
            out.integers = col.integers().data();
            break;
        case ValueType::Real:
            out.reals = col.reals().data();
            break;
        case ValueType::Text:
            out.arena = col.arena().data();
            out.offsets = col.offsets().data();
            break;
        case ValueType::Null:
            return false;
    }
    return true;
}

// Local edits live outside the typed vectors; a column that has any is read
// cell by cell through the table.
bool DataSetSource::isNull(int column, std::int64_t row) const {
    const auto c = static_cast<std::size_t>(column);
    if (table_->hasOverrides(c))
        return table_->cell(at(row), c).isNull();
    return table_->column(c).isNull(at(row));
}

std::int64_t DataSetSource::integerAt(int column, std::int64_t row) const {
    const auto c = static_cast<std::size_t>(column);
    if (table_->hasOverrides(c)) {
        const auto cell = table_->cell(at(row), c);
        return cell.kind == CellKind::Integer ? cell.integer
               : cell.kind == CellKind::Real  ? static_cast<std::int64_t>(cell.real)
                                              : 0;
    }
    return table_->column(c).integerAt(at(row));
}

double DataSetSource::realAt(int column, std::int64_t row) const {
    const auto c = static_cast<std::size_t>(column);
    if (table_->hasOverrides(c)) {
        const auto cell = table_->cell(at(row), c);
        return cell.kind == CellKind::Real      ? cell.real
               : cell.kind == CellKind::Integer ? static_cast<double>(cell.integer)
                                                : 0.0;
    }
    return table_->column(c).realAt(at(row));
}

std::string_view DataSetSource::textAt(int column, std::int64_t row) const {
    const auto c = static_cast<std::size_t>(column);
    if (table_->hasOverrides(c)) {
        const auto cell = table_->cell(at(row), c);
        return cell.kind == CellKind::Text ? cell.bytes : std::string_view();
    }
    return table_->column(c).bytesAt(at(row));
}

}  // namespace morvane::pivot
