#pragma once

#include "platform/pivot/Axis.h"
#include "platform/pivot/Cube.h"
#include "platform/pivot/FieldIndex.h"
#include "platform/pivot/Parallel.h"
#include "platform/pivot/PivotField.h"
#include "platform/pivot/PivotSource.h"
#include "platform/pivot/PivotTypes.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace morvane::pivot::detail {

// Everything a PivotEngine holds: its fields and settings, the per-column
// caches of the current result set and the current layout.
struct EngineState {
    std::shared_ptr<const PivotSource> source;
    QLocale locale;
    std::unique_ptr<QCollator> collator;

    std::vector<std::unique_ptr<PivotField>> fields;
    long long nextOrder = 1;

    ViewOptions options;
    ViewStyles styles;
    Area dataArea = Area::Column;
    int dataIndex = -1;
    QString dataCaption = QStringLiteral("项目");

    int updateDepth = 0;
    bool pendingChange = false;
    std::function<void()> onChanged;
    CellDrawHandler onDrawCell;
    HeaderDrawHandler onDrawColumnHeader, onDrawRowHeader;
    int focusedRow = 0, focusedColumn = 0;
    bool forceExpand = false;

    // Interned columns and measures of the current source, by column index
    // (-1: a field whose column is missing).
    std::map<int, std::unique_ptr<FieldIndex>> indexes;
    std::map<int, std::unique_ptr<MeasureColumn>> measures;

    bool cubeDirty = true;
    bool axisDirty = true;
    std::vector<PivotField*> rowFields, colFields, dataFields;
    Cube cube;
    AxisLayout rowAxis, colAxis;
    std::vector<int> columnWidths;  // from the last best fit
    std::vector<int> rowLevelWidths;

    const FieldIndex& index(int column) {
        prepareIndexes({column});
        return *indexes[column];
    }
    // Interns the columns not interned yet; a large result's on several
    // threads at once (see buildFieldIndexes).
    void prepareIndexes(const std::vector<int>& columns) {
        std::vector<int> missing;
        for (int c : columns)
            if (!indexes.count(c) && std::find(missing.begin(), missing.end(), c) == missing.end())
                missing.push_back(c);
        if (missing.empty())
            return;
        static const class EmptySource : public PivotSource {
            int columnCount() const override { return 0; }
            QString columnName(int) const override { return {}; }
            ValueType columnType(int) const override { return ValueType::Null; }
            std::int64_t rowCount() const override { return 0; }
            bool isNull(int, std::int64_t) const override { return true; }
            std::int64_t integerAt(int, std::int64_t) const override { return 0; }
            double realAt(int, std::int64_t) const override { return 0; }
            std::string_view textAt(int, std::int64_t) const override { return {}; }
        } empty;
        // Without a result every field shows the one group NULL of no rows.
        const std::vector<int> read = source ? missing : std::vector<int>(missing.size(), -1);
        const int threads = source && source->rowCount() >= kParallelRows ? workerCount() : 1;
        auto built = buildFieldIndexes(source ? *source : empty, read, collator.get(), threads);
        for (size_t i = 0; i < missing.size(); ++i)
            indexes[missing[i]] = std::make_unique<FieldIndex>(std::move(built[i]));
    }

    const MeasureColumn& measure(int column) {
        auto& slot = measures[column];
        if (!slot) {
            slot = std::make_unique<MeasureColumn>();
            if (source)
                *slot = buildMeasureColumn(*source, column);
        }
        return *slot;
    }
    void dropCaches() {
        indexes.clear();
        measures.clear();
        cubeDirty = true;
        axisDirty = true;
    }
};

}  // namespace morvane::pivot::detail
