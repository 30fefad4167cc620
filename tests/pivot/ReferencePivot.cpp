#include "ReferencePivot.h"

#include "SampleRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace morvane::pivot::test {

namespace {

QString keyOf(const Value& v) {
    switch (v.type()) {
        case ValueType::Null:
            return QStringLiteral("~");
        case ValueType::Integer:
            return QStringLiteral("i") + QString::number(v.toInteger());
        case ValueType::Real:
            return QStringLiteral("r") + QString::number(v.toReal(), 'g', 17);
        case ValueType::Text:
            return QStringLiteral("t") + v.textValue();
    }
    return {};
}

// The reference key of the group values a row or column has, outermost first.
QString groupPath(const auto& fields, const auto& valueOf) {
    QString path;
    for (const PivotField* f : fields) {
        const auto v = valueOf(*f);
        if (!v)
            break;
        path += QLatin1Char('/') + keyOf(*v);
    }
    return path;
}

}  // namespace

Reference reference(const PivotSource& src, const std::vector<int>& rowCols,
                    const std::vector<int>& colCols, const std::vector<int>& measures,
                    const std::function<bool(std::int64_t)>& passes) {
    Reference ref;
    for (std::int64_t r = 0; r < src.rowCount(); ++r) {
        if (!passes(r))
            continue;
        QStringList rp{QString()}, cp{QString()};
        for (int c : rowCols)
            rp << rp.back() + QLatin1Char('/') + keyOf(src.valueAt(c, r));
        for (int c : colCols)
            cp << cp.back() + QLatin1Char('/') + keyOf(src.valueAt(c, r));
        for (size_t m = 0; m < measures.size(); ++m) {
            const Value v = src.valueAt(measures[m], r);
            for (const QString& a : rp)
                for (const QString& b : cp) {
                    auto& acc =
                        ref.cells[a + QLatin1Char('#') + b + QLatin1Char('#') + QString::number(m)];
                    if (!v.isNull()) {
                        acc.sum += v.type() == ValueType::Text ? 1.0 : v.toReal();
                        ++acc.count;
                    }
                }
        }
    }
    return ref;
}

void checkAgainstReference(PivotEngine& grid, const Reference& ref) {
    const auto rows = grid.fieldsInArea(Area::Row);
    const auto cols = grid.fieldsInArea(Area::Column);
    const auto data = grid.fieldsInArea(Area::Data);
    int checked = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        const QString rp = groupPath(rows, [&](const PivotField& f) { return grid.rowGroupValue(r, f); });
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QString cp =
                groupPath(cols, [&](const PivotField& f) { return grid.columnGroupValue(c, f); });
            const PivotField* df = grid.cellDataField(r, c);
            const int m = static_cast<int>(std::find(data.begin(), data.end(), df) - data.begin());
            const auto it =
                ref.cells.find(rp + QLatin1Char('#') + cp + QLatin1Char('#') + QString::number(m));
            const Value got = grid.cellValue(r, c);
            SCOPED_TRACE(
                QStringLiteral("cell %1,%2 %3#%4").arg(r).arg(c).arg(rp, cp).toStdString());
            if (it == ref.cells.end() || it->second.count == 0) {
                EXPECT_TRUE(got.isNull());
            } else {
                ASSERT_FALSE(got.isNull());
                EXPECT_NEAR(got.toReal(), it->second.sum, 1e-6 * (1 + std::fabs(it->second.sum)));
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

void checkRowOrder(PivotEngine& grid) {
    const auto rows = grid.fieldsInArea(Area::Row);
    std::vector<Value> prev;
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::vector<Value> path;
        for (const PivotField* f : rows)
            if (auto v = grid.rowGroupValue(r, *f))
                path.push_back(*v);
        if (path.size() != rows.size() ||
            grid.rowHeader(r, grid.rowLevelCount() - 1).kind != HeaderKind::Value)
            continue;
        if (!prev.empty()) {
            int cmp = 0;
            for (size_t i = 0; i < path.size() && cmp == 0; ++i) {
                cmp = compareValues(prev[i], path[i], nullptr);
                if (rows[i]->sortOrder() == SortOrder::Descending)
                    cmp = -cmp;
            }
            EXPECT_LT(cmp, 0) << "row " << r;
        }
        prev = path;
    }
}

}  // namespace morvane::pivot::test
