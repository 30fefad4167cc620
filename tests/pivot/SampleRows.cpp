#include "SampleRows.h"

#include <utility>

namespace morvane::pivot::test {

std::shared_ptr<MemorySource> sampleRows() {
    auto s = std::make_shared<MemorySource>();
    s->addColumn(QStringLiteral("品牌"), ValueType::Text);
    s->addColumn(QStringLiteral("货号"), ValueType::Text);
    s->addColumn(QStringLiteral("店铺"), ValueType::Text);
    s->addColumn(QStringLiteral("日"), ValueType::Integer);
    s->addColumn(QStringLiteral("数量"), ValueType::Integer);
    s->addColumn(QStringLiteral("金额"), ValueType::Real);
    s->addColumn(QStringLiteral("比例"), ValueType::Null);
    auto t = [](const char* v) { return Value::text(QString::fromUtf8(v)); };
    auto i = [](std::int64_t v) { return Value::integer(v); };
    auto r = [](double v) { return Value::real(v); };
    s->appendRow({t("A"), t("a1"), t("S1"), i(1), i(5), r(10.5), {}});
    s->appendRow({t("A"), t("a1"), t("S2"), i(2), i(3), r(6), {}});
    s->appendRow({t("A"), t("a2"), t("S1"), i(1), i(2), r(4.25), {}});
    s->appendRow({t("B"), t("b1"), t("S1"), i(2), i(7), r(14), {}});
    s->appendRow({t("B"), t("b1"), t("S2"), i(1), {}, r(1.5), {}});
    s->appendRow({t("C"), t("c1"), t("S2"), i(2), i(0), r(0), {}});
    s->appendRow({{}, t("n1"), t("S1"), i(1), i(1), r(2), {}});
    s->appendRow({t("A"), t("a2"), t("S1"), i(10), i(4), r(0.1), {}});
    s->appendRow({t("A"), t("a2"), t("S1"), i(10), i(-4), r(0.2), {}});
    return s;
}

QString render(PivotEngine& grid, const MatrixOptions& options) {
    const PivotMatrix m = grid.layoutMatrix(options);
    QString out;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m.columnCount(); ++c)
            cells << m.at(r, c).text;
        out += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
    }
    return out;
}

void loadSample(PivotEngine& grid) {
    grid.setSource(sampleRows());
    grid.createAllFields();
}

void place(PivotEngine& grid, std::initializer_list<const char*> rows,
           std::initializer_list<const char*> columns, std::initializer_list<const char*> data) {
    for (const auto& [names, area] :
         {std::pair{rows, Area::Row}, {columns, Area::Column}, {data, Area::Data}})
        for (const char* n : names)
            grid.setFieldArea(QString::fromUtf8(n), area);
}

}  // namespace morvane::pivot::test
