#pragma once

#include "platform/pivot/PivotSource.h"

#include <cstddef>
#include <memory>
#include <vector>

class TRemoteUdpDataSet;

namespace morvane::db {
class ResultTable;
}

namespace morvane::pivot {

// The rows of a dataset's result table as a pivot source, read in place from
// its columnar storage. Integer and Boolean columns are Integer, Real is Real,
// Text and Date are Text, columns without a type (all NULL) and blobs are Null.
// The table must outlive the source and stay unchanged while the pivot reads
// it; a grid bound to a dataset makes a new source whenever the dataset's
// rows change.
class DataSetSource : public PivotSource {
  public:
    // All rows of the table, or only the given row indexes in that order.
    explicit DataSetSource(const morvane::db::ResultTable& table,
                           std::vector<std::size_t> rows = {});

    // The rows a dataset shows: all of them, or those its filter accepts. A
    // closed dataset gives a source without rows.
    static std::shared_ptr<DataSetSource> fromDataSet(const TRemoteUdpDataSet& dataSet);

    int columnCount() const override;
    QString columnName(int column) const override;
    ValueType columnType(int column) const override;
    std::int64_t rowCount() const override;
    bool isNull(int column, std::int64_t row) const override;
    std::int64_t integerAt(int column, std::int64_t row) const override;
    double realAt(int column, std::int64_t row) const override;
    std::string_view textAt(int column, std::int64_t row) const override;
    // The column's own arrays when every row is shown and no local edit lies
    // outside them.
    bool columnData(int column, ColumnData& out) const override;

  private:
    std::size_t at(std::int64_t row) const {
        return subset_ ? rows_[static_cast<std::size_t>(row)] : static_cast<std::size_t>(row);
    }
    const morvane::db::ResultTable* table_;
    std::vector<std::size_t> rows_;
    bool subset_;
};

}  // namespace morvane::pivot
