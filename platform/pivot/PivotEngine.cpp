#include "platform/pivot/PivotEngine.h"

#include "platform/pivot/EngineState.h"
#include "platform/pivot/Parallel.h"
#include "platform/pivot/ValueFormat.h"

#include <algorithm>
#include <map>

namespace morvane::pivot {

using detail::AxisItem;
using detail::AxisLayout;
using detail::EngineState;
using detail::ItemKind;

namespace {

QString valueKey(const Value& v) {
    switch (v.type()) {
        case ValueType::Null:
            return QStringLiteral("n");
        case ValueType::Integer:
            return QStringLiteral("i") + QString::number(v.toInteger());
        case ValueType::Real:
            return QStringLiteral("r") + QString::number(v.toReal(), 'g', 17);
        case ValueType::Text:
            return QStringLiteral("t") + v.textValue();
    }
    return {};
}

}  // namespace

PivotEngine::PivotEngine() : d_(std::make_unique<EngineState>()) {
    d_->collator = std::make_unique<QCollator>(d_->locale);
}

PivotEngine::~PivotEngine() = default;

// ---- notifications

void PivotEngine::changed() {
    if (d_->updateDepth > 0) {
        d_->pendingChange = true;
        return;
    }
    d_->pendingChange = false;
    if (d_->onChanged)
        d_->onChanged();
}

void PivotEngine::fieldChanged(bool structure) {
    if (structure)
        d_->cubeDirty = true;
    d_->axisDirty = true;
    changed();
}

void PivotEngine::beginUpdate() {
    ++d_->updateDepth;
}

void PivotEngine::endUpdate() {
    if (d_->updateDepth > 0 && --d_->updateDepth == 0 && d_->pendingChange)
        changed();
}

bool PivotEngine::isUpdating() const {
    return d_->updateDepth > 0;
}

void PivotEngine::setOnChanged(std::function<void()> handler) {
    d_->onChanged = std::move(handler);
}

// ---- data and fields

void PivotEngine::setSource(std::shared_ptr<const PivotSource> source) {
    d_->source = std::move(source);
    d_->dropCaches();
    bindFields();
    changed();
}

const PivotSource* PivotEngine::source() const {
    return d_->source.get();
}

void PivotEngine::refresh() {
    d_->dropCaches();
    bindFields();
    changed();
}

// A result may name two columns alike ("select 1 a, 2 a"): the first field of
// a name reads the first column of that name, the second field the second
// column, and so on.
void PivotEngine::bindFields() {
    std::map<QString, int> seen;
    for (auto& f : d_->fields) {
        const int occurrence = seen[f->name()]++;
        const int column = d_->source ? d_->source->columnIndex(f->name(), occurrence) : -1;
        if (column != f->column_) {
            f->column_ = column;
            d_->cubeDirty = d_->axisDirty = true;
        }
    }
}

void PivotEngine::setLocale(const QLocale& locale) {
    d_->locale = locale;
    d_->collator = std::make_unique<QCollator>(locale);
    d_->dropCaches();
    changed();
}

void PivotEngine::deleteAllFields() {
    d_->fields.clear();
    d_->cubeDirty = d_->axisDirty = true;
    changed();
}

void PivotEngine::createAllFields() {
    if (!d_->source)
        return;
    // A column gets a field unless the fields of its name already cover it.
    std::map<QString, int> fieldsOf, columnsOf;
    for (const auto& f : d_->fields)
        ++fieldsOf[f->name()];
    const int n = d_->source->columnCount();
    bool added = false;
    for (int c = 0; c < n; ++c) {
        const QString name = d_->source->columnName(c);
        if (columnsOf[name]++ < fieldsOf[name])
            continue;
        d_->fields.push_back(std::unique_ptr<PivotField>(new PivotField(this, name)));
        ++fieldsOf[name];
        added = true;
    }
    if (!added)
        return;
    bindFields();
    changed();
}

PivotField& PivotEngine::addField(const QString& name) {
    if (PivotField* f = fieldByName(name))
        return *f;
    d_->fields.push_back(std::unique_ptr<PivotField>(new PivotField(this, name)));
    PivotField& f = *d_->fields.back();
    bindFields();
    changed();
    return f;
}

void PivotEngine::removeField(PivotField& field) {
    auto& fs = d_->fields;
    fs.erase(std::remove_if(fs.begin(), fs.end(), [&](const auto& p) { return p.get() == &field; }),
             fs.end());
    d_->cubeDirty = d_->axisDirty = true;
    bindFields();
    changed();
}

int PivotEngine::fieldCount() const {
    return static_cast<int>(d_->fields.size());
}
PivotField& PivotEngine::field(int index) {
    return *d_->fields.at(static_cast<size_t>(index));
}
const PivotField& PivotEngine::field(int index) const {
    return *d_->fields.at(static_cast<size_t>(index));
}

PivotField* PivotEngine::fieldByName(const QString& name) {
    for (auto& f : d_->fields)
        if (f->name() == name)
            return f.get();
    return nullptr;
}

bool PivotEngine::setFieldArea(const QString& name, Area area) {
    PivotField* f = fieldByName(name);
    if (!f)
        return false;
    f->setArea(area);
    return true;
}

std::vector<PivotField*> PivotEngine::fieldsInArea(Area area) const {
    std::vector<PivotField*> out;
    if (area == Area::None)
        return out;
    for (auto& f : d_->fields)
        if (f->area() == area)
            out.push_back(f.get());
    std::stable_sort(out.begin(), out.end(), [](const PivotField* a, const PivotField* b) {
        return a->areaOrder_ < b->areaOrder_;
    });
    return out;
}

// ---- options

const ViewOptions& PivotEngine::viewOptions() const {
    return d_->options;
}
void PivotEngine::setViewOptions(const ViewOptions& options) {
    d_->options = options;
    d_->axisDirty = true;
    changed();
}
const ViewStyles& PivotEngine::styles() const {
    return d_->styles;
}
void PivotEngine::setStyles(const ViewStyles& styles) {
    d_->styles = styles;
    changed();
}
Area PivotEngine::dataFieldArea() const {
    return d_->dataArea;
}
void PivotEngine::setDataFieldArea(Area area) {
    d_->dataArea = area == Area::Row ? Area::Row : Area::Column;
    d_->axisDirty = true;
    changed();
}
int PivotEngine::dataFieldAreaIndex() const {
    return d_->dataIndex;
}
void PivotEngine::setDataFieldAreaIndex(int index) {
    d_->dataIndex = index;
    d_->axisDirty = true;
    changed();
}
const QString& PivotEngine::dataFieldCaption() const {
    return d_->dataCaption;
}
void PivotEngine::setDataFieldCaption(const QString& caption) {
    d_->dataCaption = caption;
    changed();
}

// ---- filter drop-down

int PivotEngine::distinctValueCount(const PivotField& field) const {
    return d_->index(field.sourceColumn()).cardinality();
}

std::vector<Value> PivotEngine::distinctValues(const PivotField& field, int first,
                                               int count) const {
    const detail::FieldIndex& fx = d_->index(field.sourceColumn());
    std::vector<Value> out;
    const int n = fx.cardinality();
    first = std::max(first, 0);
    const int last = std::min(n, first + std::max(count, 0));
    const bool desc = field.sortOrder() == SortOrder::Descending;
    for (int i = first; i < last; ++i) {
        const int rank = desc ? n - 1 - i : i;
        out.push_back(fx.values[static_cast<size_t>(fx.byRank[static_cast<size_t>(rank)])]);
    }
    return out;
}

// ---- layout

void PivotEngine::ensure() const {
    EngineState& s = *d_;
    if (!s.cubeDirty && !s.axisDirty)
        return;
    if (s.cubeDirty) {
        s.rowFields = fieldsInArea(Area::Row);
        s.colFields = fieldsInArea(Area::Column);
        s.dataFields = fieldsInArea(Area::Data);
        std::vector<int> grouped;
        for (const auto& f : s.fields)
            if (f->area() == Area::Row || f->area() == Area::Column ||
                (f->area() != Area::None && f->filter().active()))
                grouped.push_back(f->sourceColumn());
        s.prepareIndexes(grouped);
        detail::CubeSpec shape;
        shape.rowCount = s.source ? s.source->rowCount() : 0;
        for (PivotField* f : s.rowFields) {
            shape.rowFields.push_back(&s.index(f->sourceColumn()));
            shape.rowDescending.push_back(f->sortOrder() == SortOrder::Descending);
        }
        for (PivotField* f : s.colFields) {
            shape.colFields.push_back(&s.index(f->sourceColumn()));
            shape.colDescending.push_back(f->sortOrder() == SortOrder::Descending);
        }
        for (PivotField* f : s.dataFields)
            shape.measures.push_back(&s.measure(f->sourceColumn()));
        for (auto& f : s.fields) {
            if (f->area() == Area::None || !f->filter().active())
                continue;
            const detail::FieldIndex& fx = s.index(f->sourceColumn());
            detail::CubeSpec::Filter flt{&fx, {}};
            flt.allowed.resize(static_cast<size_t>(fx.cardinality()));
            for (std::int32_t id = 0; id < fx.cardinality(); ++id)
                flt.allowed[static_cast<size_t>(id)] =
                    f->filter().allows(fx.values[static_cast<size_t>(id)]) ? 1 : 0;
            shape.filters.push_back(std::move(flt));
        }
        s.cube.build(shape);
        s.cubeDirty = false;
        s.axisDirty = true;
    }
    const int nData = static_cast<int>(s.dataFields.size());
    auto dataLevel = [&](Area area, int fields) {
        if (s.dataArea != area || nData < 2)
            return -1;
        return s.dataIndex < 0 || s.dataIndex > fields ? fields : s.dataIndex;
    };
    detail::AxisSpec rs;
    rs.tree = &s.cube.rows();
    rs.dataLevel = dataLevel(Area::Row, static_cast<int>(s.rowFields.size()));
    rs.dataCount = nData;
    rs.totals = s.options.rowTotals;
    rs.grandTotals = s.options.rowGrandTotals;
    rs.totalsForSingleValues = s.options.totalsForSingleValues;
    rs.grandTotalsForSingleValues = s.options.grandTotalsForSingleValues;
    detail::AxisSpec cs = rs;
    cs.tree = &s.cube.cols();
    cs.dataLevel = dataLevel(Area::Column, static_cast<int>(s.colFields.size()));
    cs.totals = s.options.columnTotals;
    cs.grandTotals = s.options.columnGrandTotals;
    auto collapsedFn = [this, &s](Axis axis) -> std::function<bool(std::int32_t)> {
        const auto& fields = axis == Axis::Row ? s.rowFields : s.colFields;
        const detail::Tree& tree = axis == Axis::Row ? s.cube.rows() : s.cube.cols();
        bool any = false;
        for (const PivotField* f : fields)
            any = any || !f->expanded_ || !f->toggled_.empty();
        if (!any || s.forceExpand)
            return {};
        return [this, axis, &fields, &tree](std::int32_t node) {
            const PivotField* f =
                fields[static_cast<size_t>(tree.nodes[static_cast<size_t>(node)].depth) - 1];
            bool collapsed = !f->expanded_;
            if (!f->toggled_.empty() && f->toggled_.count(pathKey(axis, node)))
                collapsed = !collapsed;
            return collapsed;
        };
    };
    auto fieldTotals = [](const std::vector<PivotField*>& fields) {
        std::vector<char> shown;
        for (const PivotField* f : fields)
            shown.push_back(f->totals_ ? 1 : 0);
        return shown;
    };
    rs.fieldTotals = fieldTotals(s.rowFields);
    cs.fieldTotals = fieldTotals(s.colFields);
    rs.collapsed = collapsedFn(Axis::Row);
    cs.collapsed = collapsedFn(Axis::Column);
    s.rowAxis.build(rs);
    s.colAxis.build(cs);
    s.columnWidths.clear();
    s.rowLevelWidths.clear();
    s.focusedRow = std::clamp(s.focusedRow, 0, std::max(0, s.rowAxis.itemCount() - 1));
    s.focusedColumn = std::clamp(s.focusedColumn, 0, std::max(0, s.colAxis.itemCount() - 1));
    s.axisDirty = false;
}

QString PivotEngine::pathKey(Axis axis, std::int32_t node) const {
    const EngineState& s = *d_;
    const auto& fields = axis == Axis::Row ? s.rowFields : s.colFields;
    const detail::Tree& tree = axis == Axis::Row ? s.cube.rows() : s.cube.cols();
    QStringList parts;
    for (; node > 0; node = tree.nodes[static_cast<size_t>(node)].parent) {
        const auto& nd = tree.nodes[static_cast<size_t>(node)];
        const PivotField* f = fields[static_cast<size_t>(nd.depth) - 1];
        parts.prepend(
            valueKey(d_->index(f->sourceColumn()).values[static_cast<size_t>(nd.valueId)]));
    }
    return parts.join(QChar(0x1F));
}

void PivotEngine::setHeaderExpanded(Axis axis, int item, int level, bool expanded) {
    ensure();
    const AxisLayout& ax = axis == Axis::Row ? d_->rowAxis : d_->colAxis;
    if (item < 0 || item >= ax.itemCount() || level < 0 || level >= ax.levelCount())
        return;
    const detail::HeaderSlot slot = ax.header(item, level);
    if (slot.kind != HeaderKind::Value)
        return;
    const detail::Tree& tree = ax.tree();
    const auto depth = tree.nodes[static_cast<size_t>(slot.node)].depth;
    if (depth >= tree.fieldCount)
        return;
    const auto& fields = axis == Axis::Row ? d_->rowFields : d_->colFields;
    PivotField* f = fields[static_cast<size_t>(depth) - 1];
    const QString key = pathKey(axis, slot.node);
    if (expanded == f->expanded_)
        f->toggled_.erase(key);
    else
        f->toggled_.insert(key);
    d_->axisDirty = true;
    changed();
}

void PivotEngine::expandAll() {
    for (auto& f : d_->fields) {
        f->expanded_ = true;
        f->toggled_.clear();
    }
    d_->axisDirty = true;
    changed();
}

void PivotEngine::collapseAll() {
    for (auto& f : d_->fields) {
        f->expanded_ = false;
        f->toggled_.clear();
    }
    d_->axisDirty = true;
    changed();
}

// ---- view

int PivotEngine::rowCount() const {
    ensure();
    return d_->rowAxis.itemCount();
}
int PivotEngine::columnCount() const {
    ensure();
    return d_->colAxis.itemCount();
}
int PivotEngine::rowLevelCount() const {
    ensure();
    return d_->rowAxis.levelCount();
}
int PivotEngine::columnLevelCount() const {
    ensure();
    return d_->colAxis.levelCount();
}

const PivotField* PivotEngine::rowLevelField(int level) const {
    ensure();
    const int fl = d_->rowAxis.fieldLevel(level);
    return fl >= 0 ? d_->rowFields[static_cast<size_t>(fl)] : nullptr;
}
const PivotField* PivotEngine::columnLevelField(int level) const {
    ensure();
    const int fl = d_->colAxis.fieldLevel(level);
    return fl >= 0 ? d_->colFields[static_cast<size_t>(fl)] : nullptr;
}
bool PivotEngine::rowLevelIsData(int level) const {
    ensure();
    return d_->rowAxis.dataLevel() >= 0 && level == d_->rowAxis.dataLevel();
}
bool PivotEngine::columnLevelIsData(int level) const {
    ensure();
    return d_->colAxis.dataLevel() >= 0 && level == d_->colAxis.dataLevel();
}

QString PivotEngine::groupText(const PivotField* f, const Value& v) const {
    return f ? f->displayText(v) : formatValue(v);
}

HeaderCell PivotEngine::makeHeader(Axis axis, int item, int level) const {
    ensure();
    const EngineState& s = *d_;
    const AxisLayout& ax = axis == Axis::Row ? s.rowAxis : s.colAxis;
    HeaderCell h;
    if (item < 0 || item >= ax.itemCount() || level < 0 || level >= ax.levelCount())
        return h;
    const detail::HeaderSlot slot = ax.header(item, level);
    h.kind = slot.kind;
    h.anchorItem = slot.anchorItem;
    h.anchorLevel = slot.anchorLevel;
    h.itemSpan = slot.itemSpan;
    h.levelSpan = slot.levelSpan;
    const auto& fields = axis == Axis::Row ? s.rowFields : s.colFields;
    switch (slot.kind) {
        case HeaderKind::Value:
        case HeaderKind::Total: {
            const detail::Tree& tree = ax.tree();
            const auto& nd = tree.nodes[static_cast<size_t>(slot.node)];
            const PivotField* f = fields[static_cast<size_t>(nd.depth) - 1];
            h.field = f;
            h.value = d_->index(f->sourceColumn()).values[static_cast<size_t>(nd.valueId)];
            h.text = groupText(f, h.value);
            if (slot.kind == HeaderKind::Total) {
                h.text += kTotalSuffix;
            } else if (nd.depth < tree.fieldCount) {
                h.expandable = true;
                const AxisItem& it = ax.item(h.anchorItem);
                // Expanded when the anchor row lies below the group's own level.
                h.expanded = it.kind != ItemKind::Value || it.node != slot.node;
            }
            break;
        }
        case HeaderKind::GrandTotal:
            h.text = kGrandTotalCaption;
            break;
        case HeaderKind::DataCaption:
            h.field = s.dataFields[static_cast<size_t>(slot.data)];
            h.text = h.field->caption();
            break;
        case HeaderKind::Empty:
            break;
    }
    return h;
}

HeaderCell PivotEngine::rowHeader(int row, int level) const {
    return makeHeader(Axis::Row, row, level);
}
HeaderCell PivotEngine::columnHeader(int column, int level) const {
    return makeHeader(Axis::Column, column, level);
}

namespace {

int dataIndexFor(const EngineState& s, const AxisItem& r, const AxisItem& c) {
    if (s.dataFields.empty())
        return -1;
    if (s.rowAxis.dataLevel() >= 0)
        return r.data;
    if (s.colAxis.dataLevel() >= 0)
        return c.data;
    return 0;
}

Value summaryValue(const detail::Summary& sm, bool real) {
    if (!sm.present)
        return Value();
    return real ? Value::real(sm.sum.d) : Value::integer(sm.sum.i);
}

CellKind kindFor(const EngineState& s, const AxisItem& r, const AxisItem& c) {
    const bool rowFields = s.cube.rows().fieldCount > 0, colFields = s.cube.cols().fieldCount > 0;
    if ((rowFields && r.kind == ItemKind::GrandTotal) ||
        (colFields && c.kind == ItemKind::GrandTotal))
        return CellKind::GrandTotal;
    if (r.kind == ItemKind::Total || c.kind == ItemKind::Total)
        return CellKind::Total;
    return CellKind::Data;
}

bool inRange(const EngineState& s, int row, int column) {
    return row >= 0 && row < s.rowAxis.itemCount() && column >= 0 && column < s.colAxis.itemCount();
}

QString cellDisplayText(const EngineState& s, const PivotField* f, const Value& v, CellKind kind,
                        int row, int column) {
    QString text = formatValue(v);
    if (f && f->onGetDisplayText()) {
        DisplayTextInfo info;
        info.target = DisplayTextInfo::Target::Cell;
        info.kind = kind;
        info.value = v;
        info.row = row;
        info.column = column;
        f->onGetDisplayText()(*f, info, text);
    }
    return text;
}

}  // namespace

Value PivotEngine::cellValue(int row, int column) const {
    ensure();
    const EngineState& s = *d_;
    if (!inRange(s, row, column))
        return Value();
    const AxisItem& r = s.rowAxis.item(row);
    const AxisItem& c = s.colAxis.item(column);
    const int d = dataIndexFor(s, r, c);
    if (d < 0)
        return Value();
    return summaryValue(s.cube.cell(r.node, c.node, d), s.cube.isReal(d));
}

CellKind PivotEngine::cellKind(int row, int column) const {
    ensure();
    if (!inRange(*d_, row, column))
        return CellKind::Data;
    return kindFor(*d_, d_->rowAxis.item(row), d_->colAxis.item(column));
}

const PivotField* PivotEngine::cellDataField(int row, int column) const {
    ensure();
    if (!inRange(*d_, row, column))
        return nullptr;
    const int d = dataIndexFor(*d_, d_->rowAxis.item(row), d_->colAxis.item(column));
    return d >= 0 ? d_->dataFields[static_cast<size_t>(d)] : nullptr;
}

QString PivotEngine::cellText(int row, int column) const {
    ensure();
    const PivotField* f = cellDataField(row, column);
    if (!f)
        return QString();
    return cellDisplayText(*d_, f, cellValue(row, column), cellKind(row, column), row, column);
}

int PivotEngine::focusedRow() const {
    ensure();
    return d_->rowAxis.itemCount() > 0 ? d_->focusedRow : -1;
}
int PivotEngine::focusedColumn() const {
    ensure();
    return d_->colAxis.itemCount() > 0 ? d_->focusedColumn : -1;
}
void PivotEngine::setFocusedCell(int row, int column) {
    ensure();
    d_->focusedRow = std::clamp(row, 0, std::max(0, d_->rowAxis.itemCount() - 1));
    d_->focusedColumn = std::clamp(column, 0, std::max(0, d_->colAxis.itemCount() - 1));
}

namespace {

std::optional<Value> groupValueOf(EngineState& s, const AxisLayout& ax,
                                  const std::vector<PivotField*>& fields, int item,
                                  const PivotField& field) {
    if (item < 0 || item >= ax.itemCount())
        return std::nullopt;
    const auto pos = std::find(fields.begin(), fields.end(), &field);
    if (pos == fields.end())
        return std::nullopt;
    const int depth = static_cast<int>(pos - fields.begin()) + 1;
    const AxisItem& it = ax.item(item);
    if (it.kind == ItemKind::GrandTotal)
        return std::nullopt;
    const detail::Tree& tree = ax.tree();
    if (tree.nodes[static_cast<size_t>(it.node)].depth < depth)
        return std::nullopt;
    const auto anc = tree.ancestorAt(it.node, depth);
    return s.index(field.sourceColumn())
        .values[static_cast<size_t>(tree.nodes[static_cast<size_t>(anc)].valueId)];
}

}  // namespace

std::optional<Value> PivotEngine::rowGroupValue(int row, const PivotField& field) const {
    ensure();
    return groupValueOf(*d_, d_->rowAxis, d_->rowFields, row, field);
}
QString PivotEngine::rowGroupText(int row, const PivotField& field) const {
    const auto v = rowGroupValue(row, field);
    return v ? field.displayText(*v) : QString();
}
std::optional<Value> PivotEngine::columnGroupValue(int column, const PivotField& field) const {
    ensure();
    return groupValueOf(*d_, d_->colAxis, d_->colFields, column, field);
}
QString PivotEngine::columnGroupText(int column, const PivotField& field) const {
    const auto v = columnGroupValue(column, field);
    return v ? field.displayText(*v) : QString();
}

// ---- custom drawing

void PivotEngine::setOnCustomDrawCell(CellDrawHandler handler) {
    d_->onDrawCell = std::move(handler);
}
void PivotEngine::setOnCustomDrawColumnHeader(HeaderDrawHandler handler) {
    d_->onDrawColumnHeader = std::move(handler);
}
void PivotEngine::setOnCustomDrawRowHeader(HeaderDrawHandler handler) {
    d_->onDrawRowHeader = std::move(handler);
}

CellDrawInfo PivotEngine::drawCell(int row, int column) {
    ensure();
    CellDrawInfo info;
    info.row = row;
    info.column = column;
    if (!inRange(*d_, row, column))
        return info;
    info.dataField = cellDataField(row, column);
    info.kind = cellKind(row, column);
    info.value = cellValue(row, column);
    info.text = cellText(row, column);
    info.color = info.kind == CellKind::Data ? d_->styles.content : d_->styles.total;
    if (d_->onDrawCell)
        d_->onDrawCell(*this, info);
    return info;
}

HeaderDrawInfo PivotEngine::drawHeader(Axis axis, int item, int level) {
    const HeaderCell h = makeHeader(axis, item, level);
    HeaderDrawInfo info;
    info.axis = axis;
    info.item = h.anchorItem;
    info.level = h.anchorLevel;
    info.field = h.field;
    info.kind = h.kind;
    info.value = h.value;
    info.text = h.text;
    info.color = h.kind == HeaderKind::Total || h.kind == HeaderKind::GrandTotal
                     ? d_->styles.total
                     : d_->styles.header;
    const HeaderDrawHandler& handler =
        axis == Axis::Row ? d_->onDrawRowHeader : d_->onDrawColumnHeader;
    if (handler)
        handler(*this, info);
    return info;
}

HeaderDrawInfo PivotEngine::drawColumnHeader(int column, int level) {
    return drawHeader(Axis::Column, column, level);
}
HeaderDrawInfo PivotEngine::drawRowHeader(int row, int level) {
    return drawHeader(Axis::Row, row, level);
}

// ---- widths

void PivotEngine::applyBestFit(int charWidth, int padding) {
    applyBestFit(charWidth, padding, nullptr);
}

void PivotEngine::applyBestFit(int charWidth, int padding, const std::vector<int>* rows) {
    ensure();
    EngineState& s = *d_;
    auto fit = [&](const QString& t) { return textWidthUnits(t) * charWidth + padding; };
    const bool captions = s.options.showRowFields;
    // Row levels: the widest header text of the level, and the caption.
    s.rowLevelWidths.assign(static_cast<size_t>(s.rowAxis.levelCount()), 0);
    for (int l = 0; l < s.rowAxis.levelCount(); ++l) {
        int w = 0;
        const PivotField* f = rowLevelField(l);
        if (captions)
            w = fit(f ? f->caption() : rowLevelIsData(l) ? s.dataCaption : QString());
        if (rows) {
            // The groups the given rows belong to, wherever their cell is anchored.
            for (const int i : *rows) {
                const detail::HeaderSlot slot = s.rowAxis.header(i, l);
                if (slot.anchorLevel == l && slot.levelSpan == 1)
                    w = std::max(w, fit(makeHeader(Axis::Row, i, l).text));
            }
        } else {
            for (int i = 0; i < s.rowAxis.itemCount(); ++i) {
                const detail::HeaderSlot slot = s.rowAxis.header(i, l);
                if (slot.anchorItem != i || slot.anchorLevel != l || slot.levelSpan > 1)
                    continue;
                w = std::max(w, fit(makeHeader(Axis::Row, i, l).text));
            }
        }
        if (f) {
            const_cast<PivotField*>(f)->width_ = w;
            w = f->width();
        }
        s.rowLevelWidths[static_cast<size_t>(l)] = w;
    }
    // Data fields: every stored sum and every row's grand total, or every cell of the given
    // rows. Millions of sums: their text lengths, not their texts.
    std::vector<int> dataUnits(s.dataFields.size(), 0);
    if (rows) {
        const auto nm = static_cast<size_t>(s.cube.measureCount());
        std::vector<detail::Summary> sums;
        for (const int i : *rows) {
            const AxisItem& r = s.rowAxis.item(i);
            s.cube.rowSummaries(r.node, sums);
            for (int j = 0; j < s.colAxis.itemCount(); ++j) {
                const AxisItem& c = s.colAxis.item(j);
                const int d = dataIndexFor(s, r, c);
                if (d < 0)
                    continue;
                const auto m = static_cast<size_t>(d);
                dataUnits[m] = std::max(
                    dataUnits[m], numberWidthUnits(summaryValue(
                                      sums[static_cast<size_t>(c.node) * nm + m], s.cube.isReal(d))));
            }
        }
    } else {
        for (size_t m = 0; m < s.dataFields.size(); ++m) {
            const bool real = s.cube.isReal(static_cast<int>(m));
            int& units = dataUnits[m];
            s.cube.forEachStored(static_cast<int>(m), [&](const detail::Summary& sm) {
                units = std::max(units, numberWidthUnits(summaryValue(sm, real)));
            });
            const auto rowNodes = static_cast<std::int32_t>(s.cube.rows().nodes.size());
            for (std::int32_t rn = 0; rn < rowNodes; ++rn)
                units = std::max(units, numberWidthUnits(summaryValue(
                                            s.cube.cell(rn, 0, static_cast<int>(m)), real)));
        }
    }
    std::vector<int> dataWidth(s.dataFields.size(), 0);
    for (size_t m = 0; m < s.dataFields.size(); ++m) {
        PivotField* f = s.dataFields[m];
        int w = fit(f->caption());
        w = std::max(w, dataUnits[m] * charWidth + padding);
        f->width_ = w;
        dataWidth[m] = f->width();
    }
    // Column fields: their value texts.
    for (int l = 0; l < s.colAxis.levelCount(); ++l) {
        const PivotField* cf = columnLevelField(l);
        if (!cf)
            continue;
        int w = fit(cf->caption());
        const detail::FieldIndex& fx = s.index(cf->sourceColumn());
        for (const Value& v : fx.values)
            w = std::max(w, fit(cf->displayText(v)));
        const_cast<PivotField*>(cf)->width_ = w;
    }
    // View columns: their data field, and the headers that cover only them.
    s.columnWidths.assign(static_cast<size_t>(s.colAxis.itemCount()), 0);
    for (int j = 0; j < s.colAxis.itemCount(); ++j) {
        int w = 0;
        const int d = s.dataFields.empty()         ? -1
                      : s.colAxis.dataLevel() >= 0 ? s.colAxis.item(j).data
                                                   : -1;
        if (d >= 0)
            w = dataWidth[static_cast<size_t>(d)];
        else
            for (int x : dataWidth)
                w = std::max(w, x);
        for (int l = 0; l < s.colAxis.levelCount(); ++l) {
            const detail::HeaderSlot slot = s.colAxis.header(j, l);
            if (slot.itemSpan != 1 || slot.anchorLevel != l)
                continue;
            const HeaderCell h = makeHeader(Axis::Column, j, l);
            w = std::max(w, fit(h.text));
            if (h.field && h.field->area() == Area::Column)
                w = std::max(w, h.field->minWidth());
        }
        s.columnWidths[static_cast<size_t>(j)] = w;
    }
    changed();
}

int PivotEngine::columnWidth(int column) const {
    ensure();
    const EngineState& s = *d_;
    if (column >= 0 && static_cast<size_t>(column) < s.columnWidths.size())
        return s.columnWidths[static_cast<size_t>(column)];
    if (column < 0 || column >= s.colAxis.itemCount())
        return 0;
    const PivotField* f = cellDataField(0 < s.rowAxis.itemCount() ? 0 : -1, column);
    if (!f && !s.dataFields.empty())
        f = s.dataFields.front();
    return f ? std::max(f->width(), 1) : 64;
}

int PivotEngine::rowLevelWidth(int level) const {
    ensure();
    const EngineState& s = *d_;
    if (level >= 0 && static_cast<size_t>(level) < s.rowLevelWidths.size())
        return s.rowLevelWidths[static_cast<size_t>(level)];
    const PivotField* f = rowLevelField(level);
    return f ? std::max(f->width(), 1) : 80;
}

// ---- matrix

namespace {

// Cells a block of body rows holds at most while it is laid out.
constexpr std::size_t kBlockCells = 1 << 16;
// Below this many cells a block is laid out on the calling thread alone.
constexpr std::size_t kParallelCells = 20'000;

}  // namespace

MatrixShape PivotEngine::layoutRows(const MatrixOptions& options, const MatrixRowSink& sink) {
    return layoutInto(options, nullptr, sink);
}

// Rows are laid out a block at a time: first, on every thread, the values of
// the body cells and their default texts, which depend on the cube alone;
// then, on the calling thread and in order, the row headers and what the
// handlers make of each text (handlers are the windows' code and run where
// they always run), and the block goes to the sink row by row. A matrix is
// its own block: its cells are written in place.
MatrixShape PivotEngine::layoutInto(const MatrixOptions& options, PivotMatrix* matrix,
                                    const MatrixRowSink& sink) {
    EngineState& s = *d_;
    // An expanded layout for the export leaves the view as it was, even when
    // the sink throws.
    struct Restore {
        EngineState& s;
        bool active;
        ~Restore() {
            if (active) {
                s.forceExpand = false;
                s.axisDirty = true;
            }
        }
    } restore{s, options.expandAll && !s.forceExpand};
    if (restore.active) {
        s.forceExpand = true;
        s.axisDirty = true;
    }
    ensure();
    const int lr = s.rowAxis.levelCount(), lc = s.colAxis.levelCount();
    const int nr = s.rowAxis.itemCount(), nc = s.colAxis.itemCount();
    const MatrixShape shape{lc + nr, lr + nc, lc, lr};
    if (matrix)
        *matrix = PivotMatrix(shape.rows, shape.columns, shape.headerRows, shape.headerColumns);

    auto header = [&](Axis axis, int item, int level, MatrixCell& cell) {
        const AxisLayout& ax = axis == Axis::Row ? s.rowAxis : s.colAxis;
        cell.role =
            axis == Axis::Row ? MatrixCell::Role::RowHeader : MatrixCell::Role::ColumnHeader;
        const detail::HeaderSlot slot = ax.header(item, level);
        cell.headerKind = slot.kind;
        if (slot.anchorItem != item || slot.anchorLevel != level) {
            cell.covered = true;
            return;
        }
        const int along = slot.itemSpan, across = slot.levelSpan;
        cell.rowSpan = axis == Axis::Row ? along : across;
        cell.colSpan = axis == Axis::Row ? across : along;
        if (options.customDraw) {
            const HeaderDrawInfo info = drawHeader(axis, item, level);
            cell.text = info.text;
            cell.value = info.value;
            cell.color = info.color;
        } else {
            const HeaderCell h = makeHeader(axis, item, level);
            cell.text = h.text;
            cell.value = h.value;
            cell.color = h.kind == HeaderKind::Total || h.kind == HeaderKind::GrandTotal
                             ? s.styles.total
                             : s.styles.header;
        }
    };

    // Header rows: the corner, then the column headers of that level.
    std::vector<MatrixCell> line;
    for (int l = 0; l < lc; ++l) {
        if (!matrix)
            line.assign(static_cast<size_t>(shape.columns), MatrixCell{});
        MatrixCell* cells = matrix ? &matrix->at(l, 0) : line.data();
        if (l == lc - 1 && options.fieldCaptions && s.options.showRowFields)
            for (int k = 0; k < lr; ++k) {
                const PivotField* f = rowLevelField(k);
                cells[k].text = f                   ? f->caption()
                                : rowLevelIsData(k) ? s.dataCaption
                                                    : QString();
            }
        for (int j = 0; j < nc; ++j)
            header(Axis::Column, j, l, cells[lr + j]);
        if (sink)
            sink(shape, l, line);
    }

    // Body rows, a block at a time.
    const int nm = s.cube.measureCount();
    const size_t width = static_cast<size_t>(std::max(shape.columns, 1));
    const int blockRows =
        matrix ? std::max(nr, 1) : static_cast<int>(std::max<size_t>(kBlockCells / width, 1));
    std::vector<std::vector<MatrixCell>> block;
    if (!matrix)
        block.resize(static_cast<size_t>(std::min(blockRows, std::max(nr, 1))));
    auto rowCells = [&](int i, int b0) -> MatrixCell* {
        return matrix ? &matrix->at(lc + i, 0) : block[static_cast<size_t>(i - b0)].data();
    };
    // The part of a row that depends on the cube alone: safe on any thread.
    auto values = [&](int i, MatrixCell* cells, std::vector<detail::Summary>& sums) {
        const AxisItem& r = s.rowAxis.item(i);
        s.cube.rowSummaries(r.node, sums);
        for (int j = 0; j < nc; ++j) {
            const AxisItem& c = s.colAxis.item(j);
            MatrixCell& cell = cells[lr + j];
            cell.role = MatrixCell::Role::Cell;
            cell.cellKind = kindFor(s, r, c);
            cell.color = cell.cellKind == CellKind::Data ? s.styles.content : s.styles.total;
            const int d = dataIndexFor(s, r, c);
            if (d < 0)
                continue;
            cell.value = summaryValue(sums[static_cast<size_t>(c.node) * static_cast<size_t>(nm) +
                                           static_cast<size_t>(d)],
                                      s.cube.isReal(d));
            cell.text = formatValue(cell.value);
        }
    };
    for (int b0 = 0; b0 < nr; b0 += blockRows) {
        const int b1 = std::min(nr, b0 + blockRows);
        // (The sink may have moved the cells, or the row itself, out.)
        if (!matrix)
            for (int i = b0; i < b1; ++i)
                block[static_cast<size_t>(i - b0)].assign(static_cast<size_t>(shape.columns),
                                                          MatrixCell{});
        const size_t cellCount = static_cast<size_t>(b1 - b0) * width;
        const int threads = cellCount >= kParallelCells ? detail::workerCount() : 1;
        const auto parts = static_cast<size_t>(threads);
        detail::parallelFor(parts, threads, [&](size_t part) {
            const detail::RowRange range = detail::rowRange(b1 - b0, part, parts);
            std::vector<detail::Summary> sums;
            for (auto i = b0 + static_cast<int>(range.begin); i < b0 + static_cast<int>(range.end);
                 ++i)
                values(i, rowCells(i, b0), sums);
        });
        for (int i = b0; i < b1; ++i) {
            MatrixCell* cells = rowCells(i, b0);
            for (int l = 0; l < lr; ++l)
                header(Axis::Row, i, l, cells[l]);
            const AxisItem& r = s.rowAxis.item(i);
            for (int j = 0; j < nc; ++j) {
                const AxisItem& c = s.colAxis.item(j);
                const int d = dataIndexFor(s, r, c);
                if (d < 0)
                    continue;
                const PivotField* f = s.dataFields[static_cast<size_t>(d)];
                MatrixCell& cell = cells[lr + j];
                if (f->onGetDisplayText()) {
                    DisplayTextInfo info;
                    info.target = DisplayTextInfo::Target::Cell;
                    info.kind = cell.cellKind;
                    info.value = cell.value;
                    info.row = i;
                    info.column = j;
                    f->onGetDisplayText()(*f, info, cell.text);
                }
                if (options.customDraw && s.onDrawCell) {
                    CellDrawInfo info;
                    info.row = i;
                    info.column = j;
                    info.dataField = f;
                    info.kind = cell.cellKind;
                    info.value = cell.value;
                    info.text = cell.text;
                    info.color = cell.color;
                    s.onDrawCell(*this, info);
                    cell.text = info.text;
                    cell.color = info.color;
                }
            }
            if (sink)
                sink(shape, lc + i, block[static_cast<size_t>(i - b0)]);
        }
    }
    return shape;
}

PivotMatrix PivotEngine::layoutMatrix(const MatrixOptions& options) {
    PivotMatrix m;
    layoutInto(options, &m, {});
    return m;
}

}  // namespace morvane::pivot
