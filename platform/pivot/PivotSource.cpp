#include "platform/pivot/PivotSource.h"

namespace morvane::pivot {

Value PivotSource::valueAt(int column, std::int64_t row) const {
    if (isNull(column, row))
        return Value();
    switch (columnType(column)) {
        case ValueType::Integer:
            return Value::integer(integerAt(column, row));
        case ValueType::Real:
            return Value::real(realAt(column, row));
        case ValueType::Text:
            return Value::text(QString::fromUtf8(textAt(column, row)));
        case ValueType::Null:
            break;
    }
    return Value();
}

bool PivotSource::columnData(int, ColumnData&) const {
    return false;
}

int PivotSource::columnIndex(const QString& name, int occurrence) const {
    const int n = columnCount();
    for (int c = 0; c < n; ++c)
        if (columnName(c) == name && occurrence-- == 0)
            return c;
    return -1;
}

}  // namespace morvane::pivot
