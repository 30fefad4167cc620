#include "platform/ui/PivotGrid.h"

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/DataSetSource.h"
#include "platform/pivot/ValueFormat.h"
#include "platform/ui/PivotFilterPopup.h"
#include "platform/ui/PivotGridPainter.h"
#include "platform/ui/PivotGridStyles.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

using morvane::pivot::Area;
using morvane::pivot::Axis;
using morvane::pivot::HeaderKind;
using morvane::pivot::PivotField;
using morvane::ui::PivotDropTarget;
using morvane::ui::PivotFieldButton;
using morvane::ui::PivotGridGeometry;
using morvane::ui::PivotHit;
using morvane::ui::PivotHitZone;

namespace {
constexpr int kDefaultColumnWidth = 80;
constexpr int kDefaultLevelWidth = 100;
constexpr int kTextPadding = 12;
}  // namespace

struct TcxDBPivotGrid::Drag {
    enum class Mode { PressField, DragField, ResizeColumn, ResizeLevel, Select } mode;
    QPoint pressPos, pos;
    int button = -1;
    int index = -1;  // column or level being resized
    int startWidth = 0;
    PivotDropTarget target;
};

TcxDBPivotGrid::TcxDBPivotGrid(QWidget* parent)
    : QAbstractScrollArea(parent),
      engine_(std::make_unique<morvane::pivot::PivotEngine>()),
      styles_(new TcxPivotGridStyles(this)) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    engine_->setOnChanged([this] { engineChanged(); });
    connect(styles_, &TcxPivotGridStyles::changed, this, [this] {
        syncStyles();
        viewport()->update();
    });
    syncStyles();
}

TcxDBPivotGrid::~TcxDBPivotGrid() {
    if (popup_)
        popup_->close();
    engine_->setOnChanged({});
}

// ---- rows

TRemoteUdpDataSet* TcxDBPivotGrid::DataSet() const {
    return dataSet_;
}

void TcxDBPivotGrid::SetDataSet(TRemoteUdpDataSet* dataSet) {
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = dataSet;
    if (dataSet) {
        connect(dataSet, &TRemoteUdpDataSet::dataChanged, this, &TcxDBPivotGrid::bindDataSet);
        connect(dataSet, &TRemoteUdpDataSet::activeChanged, this, &TcxDBPivotGrid::bindDataSet);
        connect(dataSet, &QObject::destroyed, this, [this] { engine_->setSource(nullptr); });
    }
    bindDataSet();
}

void TcxDBPivotGrid::bindDataSet() {
    if (dataSet_)
        engine_->setSource(morvane::pivot::DataSetSource::fromDataSet(*dataSet_));
    else
        engine_->setSource(nullptr);
}

void TcxDBPivotGrid::SetSource(std::shared_ptr<const morvane::pivot::PivotSource> source) {
    if (dataSet_)
        disconnect(dataSet_, nullptr, this, nullptr);
    dataSet_ = nullptr;
    engine_->setSource(std::move(source));
}

// ---- updates

void TcxDBPivotGrid::engineChanged() {
    layoutDirty_ = true;
    if (autoFit_ && !fitting_)
        fitPending_ = true;
    if (updateDepth_ == 0)
        viewport()->update();
}

void TcxDBPivotGrid::BeginUpdate() {
    if (updateDepth_++ == 0)
        engine_->beginUpdate();
}

void TcxDBPivotGrid::EndUpdate() {
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0) {
        engine_->endUpdate();
        layoutDirty_ = true;
        ensureLayout(false);
        viewport()->update();
    }
}

void TcxDBPivotGrid::syncStyles() {
    engine_->setStyles(morvane::ui::PivotGridPainter::engineStyles(*styles_));
}

// ---- options and handlers

TcxPivotGridOptionsView TcxDBPivotGrid::OptionsView() const {
    const auto& v = engine_->viewOptions();
    TcxPivotGridOptionsView o;
    o.FilterFields = v.showFilterFields;
    o.DataFields = v.showDataFields;
    o.RowFields = v.showRowFields;
    o.ColumnFields = v.showColumnFields;
    o.RowTotals = v.rowTotals;
    o.ColumnTotals = v.columnTotals;
    o.RowGrandTotals = v.rowGrandTotals;
    o.ColumnGrandTotals = v.columnGrandTotals;
    o.TotalsForSingleValues = v.totalsForSingleValues;
    return o;
}

void TcxDBPivotGrid::SetOptionsView(const TcxPivotGridOptionsView& o) {
    morvane::pivot::ViewOptions v;
    v.showFilterFields = o.FilterFields;
    v.showDataFields = o.DataFields;
    v.showRowFields = o.RowFields;
    v.showColumnFields = o.ColumnFields;
    v.rowTotals = o.RowTotals;
    v.columnTotals = o.ColumnTotals;
    v.rowGrandTotals = o.RowGrandTotals;
    v.columnGrandTotals = o.ColumnGrandTotals;
    v.totalsForSingleValues = o.TotalsForSingleValues;
    engine_->setViewOptions(v);
}

TcxPivotGridOptionsDataField TcxDBPivotGrid::OptionsDataField() const {
    TcxPivotGridOptionsDataField o;
    o.Area = engine_->dataFieldArea() == Area::Row ? dfaRow : dfaColumn;
    o.AreaIndex = engine_->dataFieldAreaIndex();
    o.Caption = engine_->dataFieldCaption();
    return o;
}

void TcxDBPivotGrid::SetOptionsDataField(const TcxPivotGridOptionsDataField& o) {
    engine_->beginUpdate();
    engine_->setDataFieldArea(o.Area == dfaRow ? Area::Row : Area::Column);
    engine_->setDataFieldAreaIndex(o.AreaIndex);
    engine_->setDataFieldCaption(o.Caption);
    engine_->endUpdate();
}

void TcxDBPivotGrid::SetOnCustomDrawCell(morvane::pivot::CellDrawHandler h) {
    engine_->setOnCustomDrawCell(std::move(h));
    viewport()->update();
}
void TcxDBPivotGrid::SetOnCustomDrawColumnHeader(morvane::pivot::HeaderDrawHandler h) {
    engine_->setOnCustomDrawColumnHeader(std::move(h));
    viewport()->update();
}
void TcxDBPivotGrid::SetOnCustomDrawRowHeader(morvane::pivot::HeaderDrawHandler h) {
    engine_->setOnCustomDrawRowHeader(std::move(h));
    viewport()->update();
}

// ---- layout

QString TcxDBPivotGrid::columnKey(int column) {
    QString key;
    for (int l = 0; l < engine_->columnLevelCount(); ++l) {
        const auto h = engine_->columnHeader(column, l);
        key += QChar(u'0' + static_cast<int>(h.kind));
        if (h.field)
            key += h.field->name();
        key += QChar(0x1F);
        key += morvane::pivot::formatValue(h.value);
        key += QChar(0x1E);
    }
    return key;
}

QString TcxDBPivotGrid::levelKey(int level) {
    const PivotField* f = engine_->rowLevelField(level);
    return QStringLiteral("L\x1F") +
           (f ? f->name() : QStringLiteral("\x1D") + QString::number(level));
}

int TcxDBPivotGrid::minWidthOf(int column) {
    int w = kMinColumnWidth;
    if (engine_->rowCount() > 0)
        if (const PivotField* f = engine_->cellDataField(0, column))
            w = std::max(w, f->minWidth());
    for (int l = 0; l < engine_->columnLevelCount(); ++l) {
        const auto h = engine_->columnHeader(column, l);
        if (h.field && h.field->area() == Area::Column && h.itemSpan == 1)
            w = std::max(w, h.field->minWidth());
    }
    return w;
}

void TcxDBPivotGrid::ensureLayout(bool fit) {
    if (updateDepth_ > 0)
        return;
    if (layoutDirty_) {
        layoutDirty_ = false;
        auto& e = *engine_;
        const auto& opts = e.viewOptions();
        input_.rowHeight = fontMetrics().height() + 8;
        input_.showFilterFields = opts.showFilterFields;
        input_.showDataFields = opts.showDataFields;
        input_.showColumnFields = opts.showColumnFields;
        input_.showRowFields = opts.showRowFields;
        input_.columnLevels = e.columnLevelCount();
        input_.rowCount = e.rowCount();
        const int nc = e.columnCount();
        input_.columnWidths.resize(static_cast<size_t>(nc));
        columnKeys_.resize(static_cast<size_t>(nc));
        for (int c = 0; c < nc; ++c) {
            columnKeys_[static_cast<size_t>(c)] = columnKey(c);
            int w = widths_.value(columnKeys_[static_cast<size_t>(c)], -1);
            if (w < 0) {
                w = e.columnWidth(c);
                if (w <= 1)
                    w = std::max(kDefaultColumnWidth, minWidthOf(c));
            }
            input_.columnWidths[static_cast<size_t>(c)] = w;
        }
        const int nl = e.rowLevelCount();
        input_.levelWidths.resize(static_cast<size_t>(nl));
        for (int l = 0; l < nl; ++l) {
            int w = widths_.value(levelKey(l), -1);
            if (w < 0) {
                w = e.rowLevelWidth(l);
                if (w <= 1)
                    w = kDefaultLevelWidth;
            }
            input_.levelWidths[static_cast<size_t>(l)] = w;
        }
        auto button = [](PivotField* f, Area area, const QString& text, bool filter, int slot) {
            PivotFieldButton b;
            b.field = f;
            b.area = area;
            b.text = text;
            b.filterButton = filter;
            b.slot = slot;
            return b;
        };
        input_.filterButtons.clear();
        input_.dataButtons.clear();
        input_.columnButtons.clear();
        input_.rowButtons.clear();
        for (PivotField* f : e.fieldsInArea(Area::Filter))
            input_.filterButtons.push_back(button(f, Area::Filter, f->caption(), true, 0));
        for (PivotField* f : e.fieldsInArea(Area::Data))
            input_.dataButtons.push_back(button(f, Area::Data, f->caption(), false, 0));
        for (int l = 0; l < e.columnLevelCount(); ++l) {
            if (e.columnLevelIsData(l))
                input_.columnButtons.push_back(
                    button(nullptr, Area::Column, e.dataFieldCaption(), false, l));
            else if (const PivotField* f = e.columnLevelField(l))
                input_.columnButtons.push_back(
                    button(const_cast<PivotField*>(f), Area::Column, f->caption(), true, l));
        }
        for (int l = 0; l < nl; ++l) {
            if (e.rowLevelIsData(l))
                input_.rowButtons.push_back(
                    button(nullptr, Area::Row, e.dataFieldCaption(), false, l));
            else if (const PivotField* f = e.rowLevelField(l))
                input_.rowButtons.push_back(
                    button(const_cast<PivotField*>(f), Area::Row, f->caption(), true, l));
        }
        geometryDirty_ = true;
        emit layoutChanged();
    }
    if (geometryDirty_)
        rebuildGeometry();
    if (fit && fitPending_ && !fitting_) {
        fitPending_ = false;
        fitWidths(true);
    }
}

void TcxDBPivotGrid::rebuildGeometry() {
    geometryDirty_ = false;
    input_.viewport = viewport()->size();
    geometry_.build(input_, fontMetrics());
    updateScrollBars();
}

void TcxDBPivotGrid::updateScrollBars() {
    const auto& g = geometry_;
    horizontalScrollBar()->setRange(0, g.maxScrollX());
    horizontalScrollBar()->setPageStep(std::max(1, g.bodyWidth()));
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, g.maxScrollY());
    verticalScrollBar()->setPageStep(std::max(1, g.bodyHeight()));
    verticalScrollBar()->setSingleStep(g.rowHeight());
    // The bars may have clamped the offsets.
    geometry_.setScroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

const PivotGridGeometry& TcxDBPivotGrid::Geometry() {
    ensureLayout();
    return geometry_;
}

void TcxDBPivotGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    geometryDirty_ = true;
    ensureLayout();
}

void TcxDBPivotGrid::scrollContentsBy(int, int) {
    geometry_.setScroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update();
}

// ---- painting

void TcxDBPivotGrid::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    if (updateDepth_ > 0) {
        p.fillRect(event->rect(), styles_->Color(TcxPivotGridStyles::psBackground));
        return;
    }
    ensureLayout();
    morvane::ui::PivotPaintState state;
    state.selection = Selection();
    state.focusedRow = FocusedRow();
    state.focusedColumn = FocusedColumn();
    state.hasFocus = hasFocus();
    if (drag_ && drag_->mode == Drag::Mode::DragField) {
        state.draggedButton = drag_->button;
        state.dragPos = drag_->pos;
        state.drop = drag_->target;
    }
    morvane::ui::PivotGridPainter painter(*engine_, geometry_, *styles_, font());
    painter.paint(p, event->rect(), state);
}

// ---- widths

int TcxDBPivotGrid::ColumnWidth(int column) {
    ensureLayout();
    return column >= 0 && column < geometry_.columnCount() ? geometry_.columnWidth(column) : 0;
}

void TcxDBPivotGrid::SetColumnWidth(int column, int width) {
    ensureLayout();
    if (column < 0 || column >= geometry_.columnCount())
        return;
    width = std::max(width, minWidthOf(column));
    widths_.insert(columnKeys_[static_cast<size_t>(column)], width);
    handWidths_.insert(columnKeys_[static_cast<size_t>(column)]);
    input_.columnWidths[static_cast<size_t>(column)] = width;
    rebuildGeometry();
    viewport()->update();
}

int TcxDBPivotGrid::RowLevelWidth(int level) {
    ensureLayout();
    return level >= 0 && level < geometry_.rowLevels() ? geometry_.levelWidth(level) : 0;
}

void TcxDBPivotGrid::SetRowLevelWidth(int level, int width) {
    ensureLayout();
    if (level < 0 || level >= geometry_.rowLevels())
        return;
    int min = kMinColumnWidth;
    if (const PivotField* f = engine_->rowLevelField(level))
        min = std::max(min, f->minWidth());
    width = std::max(width, min);
    widths_.insert(levelKey(level), width);
    handWidths_.insert(levelKey(level));
    input_.levelWidths[static_cast<size_t>(level)] = width;
    rebuildGeometry();
    viewport()->update();
}

void TcxDBPivotGrid::ApplyBestFit() {
    if (updateDepth_ > 0)
        return;
    autoFit_ = true;
    fitPending_ = false;
    handWidths_.clear();
    fitWidths(false);
}

int TcxDBPivotGrid::columnNeed(int column, const FitRows& rows) {
    const QFontMetrics fm = fontMetrics();
    auto& e = *engine_;
    const int box = PivotGridGeometry::kExpandBox + 8;
    int w = minWidthOf(column);
    for (int l = 0; l < e.columnLevelCount(); ++l) {
        const auto h = e.columnHeader(column, l);
        if (h.anchorLevel != l || h.itemSpan != 1 || h.kind == HeaderKind::Empty)
            continue;
        const auto d = e.drawColumnHeader(column, l);
        w = std::max(w, fm.horizontalAdvance(d.text) + kTextPadding + (h.expandable ? box : 0));
    }
    for (int r = rows.first; r <= rows.last; ++r)
        w = std::max(w, fm.horizontalAdvance(e.drawCell(r, column).text) + kTextPadding);
    if (!rows.all)
        w = std::max(w, e.columnWidth(column));
    return w;
}

int TcxDBPivotGrid::levelNeed(int level, const FitRows& rows, std::vector<LevelSpan>* spans) {
    const std::vector<int>* sample = rows.sampled();
    const QFontMetrics fm = fontMetrics();
    auto& e = *engine_;
    const int box = PivotGridGeometry::kExpandBox + 8;
    const int nr = e.rowCount();
    int w = kMinColumnWidth;
    const PivotField* f = e.rowLevelField(level);
    if (f)
        w = std::max(w, f->minWidth());
    if (e.viewOptions().showRowFields) {
        const QString caption = f                         ? f->caption()
                                : e.rowLevelIsData(level) ? e.dataFieldCaption()
                                                          : QString();
        if (!caption.isEmpty())
            w = std::max(w, fm.horizontalAdvance(caption) + 16 + 12 +
                                (f ? PivotGridGeometry::kFilterArrowWidth : 0));
    }
    int lastAnchor = -1;
    for (std::size_t k = 0, r = 0; sample ? k < sample->size() : r < std::size_t(nr);) {
        if (sample)
            r = std::size_t((*sample)[k++]);
        const auto h = e.rowHeader(int(r), level);
        if (h.anchorLevel == level && h.kind != HeaderKind::Empty && h.anchorItem != lastAnchor) {
            lastAnchor = h.anchorItem;
            const auto d = e.drawRowHeader(h.anchorItem, level);
            const int need = fm.horizontalAdvance(d.text) + kTextPadding + (h.expandable ? box : 0);
            if (h.levelSpan == 1)
                w = std::max(w, need);
            else if (spans)
                spans->push_back({level, h.levelSpan, need});
        }
        if (!sample)
            r = std::size_t(std::max(int(r) + 1, h.anchorItem + h.itemSpan));
    }
    return w;
}

TcxDBPivotGrid::FitRows TcxDBPivotGrid::fitRows(long long cells) const {
    FitRows rows;
    const int nr = engine_->rowCount();
    rows.all = cells <= kBestFitCellCap;
    rows.first = rows.all ? 0 : geometry_.firstVisibleRow();
    rows.last = rows.all ? nr - 1 : std::min(nr - 1, rows.first + geometry_.pageRows() + 1);
    if (rows.all)
        return rows;
    // A large pivot costs what it shows, not what it holds: the rows in view, the grand total
    // and an even sample of the other rows.
    std::vector<int>& sample = rows.sample;
    const int step = std::max(1, nr / kBestFitSampleRows);
    for (int r = 0; r < nr; r += step)
        sample.push_back(r);
    for (int r = rows.first; r <= rows.last; ++r)
        sample.push_back(r);
    if (nr > 0)
        sample.push_back(nr - 1);
    std::sort(sample.begin(), sample.end());
    sample.erase(std::unique(sample.begin(), sample.end()), sample.end());
    return rows;
}

void TcxDBPivotGrid::fitWidths(bool keepHandWidths) {
    const QFontMetrics fm = fontMetrics();
    auto& e = *engine_;
    fitting_ = true;
    QHash<QString, int> kept;
    if (keepHandWidths) {
        for (const QString& key : std::as_const(handWidths_))
            if (widths_.contains(key))
                kept.insert(key, widths_.value(key));
    }
    handWidths_ = QSet<QString>(kept.keyBegin(), kept.keyEnd());
    widths_ = kept;
    layoutDirty_ = true;
    ensureLayout(false);
    const int nc = e.columnCount();
    const FitRows rows = fitRows(static_cast<long long>(e.rowCount()) * std::max(nc, 1));
    // The engine's estimate covers those rows' values (every value of a smaller pivot) and sets
    // the fields' widths for the export; measured texts refine it below.
    e.applyBestFit(fm.horizontalAdvance(QLatin1Char('0')), kTextPadding, rows.sampled());
    std::vector<int> need(static_cast<size_t>(nc), 0);
    for (int c = 0; c < nc; ++c) {
        const QString& key = columnKeys_[static_cast<size_t>(c)];
        need[static_cast<size_t>(c)] =
            kept.contains(key) ? kept.value(key) : columnNeed(c, rows);
    }
    // A group header over several columns (a client over its quantity and amount) shows its
    // whole text: the columns under it share what they lack, inner groups before outer ones.
    struct Spanning {
        int column, span, width;
    };
    std::vector<Spanning> spanning;
    const int box = PivotGridGeometry::kExpandBox + 8;
    for (int l = 0; l < e.columnLevelCount(); ++l) {
        for (int c = 0; c < nc;) {
            const auto h = e.columnHeader(c, l);
            if (h.anchorItem == c && h.anchorLevel == l && h.itemSpan > 1 &&
                h.kind != HeaderKind::Empty) {
                const auto d = e.drawColumnHeader(c, l);
                spanning.push_back({c, std::min(h.itemSpan, nc - c),
                                    fm.horizontalAdvance(d.text) + kTextPadding +
                                        (h.expandable ? box : 0)});
            }
            c = std::max(c + 1, h.anchorItem + h.itemSpan);
        }
    }
    std::stable_sort(spanning.begin(), spanning.end(),
                     [](const Spanning& a, const Spanning& b) { return a.span < b.span; });
    for (const Spanning& sp : spanning) {
        int sum = 0;
        std::vector<int> free;
        for (int c = sp.column; c < sp.column + sp.span; ++c) {
            sum += need[static_cast<size_t>(c)];
            if (!kept.contains(columnKeys_[static_cast<size_t>(c)]))
                free.push_back(c);
        }
        if (sum >= sp.width || free.empty())
            continue;
        const int extra = sp.width - sum;
        const int each = extra / static_cast<int>(free.size());
        for (size_t i = 0; i < free.size(); ++i)
            need[static_cast<size_t>(free[i])] +=
                each + (i + 1 == free.size() ? extra - each * static_cast<int>(free.size()) : 0);
    }
    for (int c = 0; c < nc; ++c)
        widths_.insert(columnKeys_[static_cast<size_t>(c)], need[static_cast<size_t>(c)]);

    // Texts of cells that span levels (a grand total, a collapsed group) need the levels together.
    std::vector<LevelSpan> spans;
    std::vector<int> levelWidths(static_cast<size_t>(e.rowLevelCount()), 0);
    for (int l = 0; l < e.rowLevelCount(); ++l) {
        const QString key = levelKey(l);
        levelWidths[static_cast<size_t>(l)] = kept.contains(key) ? kept.value(key) : levelNeed(l, rows, &spans);
    }
    for (const LevelSpan& sp : spans) {
        const int last = std::min(sp.level + sp.span, e.rowLevelCount()) - 1;
        int sum = 0;
        for (int l = sp.level; l <= last; ++l)
            sum += levelWidths[static_cast<size_t>(l)];
        if (sum < sp.width && !kept.contains(levelKey(last)))
            levelWidths[static_cast<size_t>(last)] += sp.width - sum;
    }
    for (int l = 0; l < e.rowLevelCount(); ++l)
        widths_.insert(levelKey(l), levelWidths[static_cast<size_t>(l)]);
    layoutDirty_ = true;
    ensureLayout(false);
    fitting_ = false;
    viewport()->update();
}

void TcxDBPivotGrid::FitColumn(int column) {
    ensureLayout();
    if (column < 0 || column >= geometry_.columnCount())
        return;
    SetColumnWidth(column, columnNeed(column, fitRows(engine_->rowCount())));
}

void TcxDBPivotGrid::FitRowLevel(int level) {
    ensureLayout();
    if (level < 0 || level >= geometry_.rowLevels())
        return;
    SetRowLevelWidth(level, levelNeed(level, fitRows(engine_->rowCount()), nullptr));
}

// ---- focus and selection

QRect TcxDBPivotGrid::Selection() const {
    const int fr = engine_->focusedRow(), fc = engine_->focusedColumn();
    if (fr < 0 || fc < 0)
        return QRect();
    const int ar = std::clamp(anchorRow_, 0, engine_->rowCount() - 1);
    const int ac = std::clamp(anchorColumn_, 0, engine_->columnCount() - 1);
    return QRect(QPoint(std::min(ac, fc), std::min(ar, fr)),
                 QPoint(std::max(ac, fc), std::max(ar, fr)));
}

void TcxDBPivotGrid::moveFocus(int row, int column, bool extend) {
    if (engine_->rowCount() == 0 || engine_->columnCount() == 0)
        return;
    const int before = engine_->focusedRow() * 1000003 + engine_->focusedColumn();
    engine_->setFocusedCell(row, column);
    if (!extend) {
        anchorRow_ = engine_->focusedRow();
        anchorColumn_ = engine_->focusedColumn();
    }
    ensureLayout();
    const QPoint s = geometry_.scrollToShow(engine_->focusedRow(), engine_->focusedColumn());
    horizontalScrollBar()->setValue(s.x());
    verticalScrollBar()->setValue(s.y());
    viewport()->update();
    if (before != engine_->focusedRow() * 1000003 + engine_->focusedColumn())
        emit focusedCellChanged(engine_->focusedRow(), engine_->focusedColumn());
}

void TcxDBPivotGrid::SetFocusedCell(int row, int column) {
    moveFocus(row, column, false);
}

void TcxDBPivotGrid::SelectCells(int row1, int column1, int row2, int column2) {
    moveFocus(row1, column1, false);
    moveFocus(row2, column2, true);
}

QString TcxDBPivotGrid::SelectionText() {
    const QRect s = Selection();
    if (s.isEmpty())
        return QString();
    QString out;
    for (int r = s.top(); r <= s.bottom(); ++r) {
        if (r > s.top())
            out += QLatin1Char('\n');
        for (int c = s.left(); c <= s.right(); ++c) {
            if (c > s.left())
                out += QLatin1Char('\t');
            QString t = engine_->drawCell(r, c).text;
            t.replace(QLatin1Char('\t'), QLatin1Char(' '));
            t.replace(QLatin1Char('\n'), QLatin1Char(' '));
            t.replace(QLatin1Char('\r'), QLatin1Char(' '));
            out += t;
        }
    }
    return out;
}

void TcxDBPivotGrid::CopyToClipboard() {
    QApplication::clipboard()->setText(SelectionText());
}

void TcxDBPivotGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        return;
    }
    if (event->key() == Qt::Key_Escape && drag_) {
        // Escape drops a drag or a resize in progress; a field header stays where it was.
        drag_.reset();
        viewport()->update();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        // Everything, with the focus on the first cell.
        moveFocus(engine_->rowCount() - 1, engine_->columnCount() - 1, false);
        moveFocus(0, 0, true);
        return;
    }
    const int nr = engine_->rowCount(), nc = engine_->columnCount();
    if (nr == 0 || nc == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    int r = engine_->focusedRow(), c = engine_->focusedColumn();
    ensureLayout();
    const int page = geometry_.pageRows();
    switch (event->key()) {
        case Qt::Key_Up:
            --r;
            break;
        case Qt::Key_Down:
            ++r;
            break;
        case Qt::Key_Left:
            --c;
            break;
        case Qt::Key_Right:
            ++c;
            break;
        case Qt::Key_PageUp:
            r -= page;
            break;
        case Qt::Key_PageDown:
            r += page;
            break;
        case Qt::Key_Home:
            c = 0;
            if (ctrl)
                r = 0;
            break;
        case Qt::Key_End:
            c = nc - 1;
            if (ctrl)
                r = nr - 1;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    moveFocus(std::clamp(r, 0, nr - 1), std::clamp(c, 0, nc - 1), shift);
}

void TcxDBPivotGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}
void TcxDBPivotGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// ---- mouse

PivotHit TcxDBPivotGrid::HitTest(QPoint pos) {
    ensureLayout();
    PivotHit h = geometry_.hitTest(pos);
    if (h.zone != PivotHitZone::ColumnHeader && h.zone != PivotHitZone::RowHeader)
        return h;
    const bool row = h.zone == PivotHitZone::RowHeader;
    const auto cell =
        row ? engine_->rowHeader(h.row, h.level) : engine_->columnHeader(h.column, h.level);
    if (!cell.expandable)
        return h;
    QRect rect = row ? geometry_.rowHeaderRect(cell.anchorItem, cell.anchorLevel, cell.itemSpan,
                                               cell.levelSpan)
                     : geometry_.columnHeaderRect(cell.anchorItem, cell.anchorLevel, cell.itemSpan,
                                                  cell.levelSpan);
    rect = rect.intersected(row ? geometry_.rowHeaderArea() : geometry_.columnHeaderArea());
    if (PivotGridGeometry::expandBoxRect(rect, geometry_.rowHeight())
            .adjusted(-2, -2, 2, 2)
            .contains(pos))
        h.zone = PivotHitZone::ExpandButton;
    return h;
}

QPoint TcxDBPivotGrid::FieldHeaderCenter(const PivotField* field) {
    ensureLayout();
    for (const PivotFieldButton& b : geometry_.buttons())
        if (b.field == field)
            return b.rect.center();
    return QPoint(-1, -1);
}

morvane::ui::PivotFilterPopup* TcxDBPivotGrid::ShowFilterPopup(PivotField* field) {
    if (!field)
        return nullptr;
    if (popup_)
        popup_->close();
    popup_ = new morvane::ui::PivotFilterPopup(*engine_, *field, filterPage_, this);
    QPoint at = FieldHeaderCenter(field);
    for (const PivotFieldButton& b : geometry_.buttons())
        if (b.field == field)
            at = b.rect.bottomLeft();
    popup_->move(viewport()->mapToGlobal(at));
    popup_->show();
    return popup_;
}

morvane::ui::PivotFilterPopup* TcxDBPivotGrid::FilterPopup() const {
    return popup_;
}

bool TcxDBPivotGrid::toggleExpandAt(const PivotHit& hit) {
    const bool row = hit.zone == PivotHitZone::ExpandButton && hit.row >= 0 && hit.column < 0;
    const auto cell =
        row ? engine_->rowHeader(hit.row, hit.level) : engine_->columnHeader(hit.column, hit.level);
    if (!cell.expandable)
        return false;
    engine_->setHeaderExpanded(row ? Axis::Row : Axis::Column, cell.anchorItem, cell.anchorLevel,
                               !cell.expanded);
    return true;
}

void TcxDBPivotGrid::clickHeader(const PivotHit& hit) {
    // A header selects the cells it covers.
    const bool row = hit.zone == PivotHitZone::RowHeader;
    const auto cell =
        row ? engine_->rowHeader(hit.row, hit.level) : engine_->columnHeader(hit.column, hit.level);
    const int first = cell.anchorItem, last = cell.anchorItem + cell.itemSpan - 1;
    if (row)
        SelectCells(first, 0, last, engine_->columnCount() - 1);
    else
        SelectCells(0, first, engine_->rowCount() - 1, last);
}

void TcxDBPivotGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const PivotHit hit = HitTest(pos);
    drag_.reset();
    auto start = [&](Drag::Mode mode) {
        drag_ = std::make_unique<Drag>();
        drag_->mode = mode;
        drag_->pressPos = drag_->pos = pos;
    };
    switch (hit.zone) {
        case PivotHitZone::FieldFilterButton:
            ShowFilterPopup(geometry_.buttons()[static_cast<size_t>(hit.button)].field);
            break;
        case PivotHitZone::FieldHeader:
            start(Drag::Mode::PressField);
            drag_->button = hit.button;
            break;
        case PivotHitZone::ColumnResize:
            start(Drag::Mode::ResizeColumn);
            drag_->index = hit.column;
            drag_->startWidth = geometry_.columnWidth(hit.column);
            break;
        case PivotHitZone::RowLevelResize:
            start(Drag::Mode::ResizeLevel);
            drag_->index = hit.level;
            drag_->startWidth = geometry_.levelWidth(hit.level);
            break;
        case PivotHitZone::ExpandButton:
            toggleExpandAt(hit);
            break;
        case PivotHitZone::ColumnHeader:
        case PivotHitZone::RowHeader:
            clickHeader(hit);
            break;
        case PivotHitZone::Cell:
            moveFocus(hit.row, hit.column, event->modifiers() & Qt::ShiftModifier);
            start(Drag::Mode::Select);
            break;
        default:
            break;
    }
}

void TcxDBPivotGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!drag_) {
        const PivotHit hit = HitTest(pos);
        const bool resize =
            hit.zone == PivotHitZone::ColumnResize || hit.zone == PivotHitZone::RowLevelResize;
        viewport()->setCursor(resize ? Qt::SplitHCursor : Qt::ArrowCursor);
        return;
    }
    drag_->pos = pos;
    switch (drag_->mode) {
        case Drag::Mode::PressField:
            if ((pos - drag_->pressPos).manhattanLength() < QApplication::startDragDistance())
                break;
            drag_->mode = Drag::Mode::DragField;
            [[fallthrough]];
        case Drag::Mode::DragField:
            drag_->target = geometry_.dropTarget(pos);
            viewport()->update();
            break;
        case Drag::Mode::ResizeColumn:
            SetColumnWidth(drag_->index, drag_->startWidth + pos.x() - drag_->pressPos.x());
            break;
        case Drag::Mode::ResizeLevel:
            SetRowLevelWidth(drag_->index, drag_->startWidth + pos.x() - drag_->pressPos.x());
            break;
        case Drag::Mode::Select: {
            // Past an edge of the body the selection grows by a row or column per move, and the
            // grid scrolls to follow it.
            const QRect body = geometry_.bodyArea();
            const int nc = geometry_.columnCount();
            if (nc == 0 || geometry_.rowCount() == 0)
                break;
            const int right = std::min(
                body.right(), geometry_.columnX(nc - 1) + geometry_.columnWidth(nc - 1) - 1);
            const int bottom = static_cast<int>(std::min<long long>(
                body.bottom(), geometry_.rowY(0) + geometry_.contentHeight() - 1));
            const QPoint inside(std::clamp(pos.x(), body.left(), std::max(body.left(), right)),
                                std::clamp(pos.y(), body.top(), std::max(body.top(), bottom)));
            const PivotHit hit = geometry_.hitTest(inside);
            if (hit.zone != PivotHitZone::Cell)
                break;
            int row = hit.row, column = hit.column;
            if (pos.y() > body.bottom())
                ++row;
            if (pos.y() < body.top())
                --row;
            if (pos.x() > body.right())
                ++column;
            if (pos.x() < body.left())
                --column;
            moveFocus(std::clamp(row, 0, geometry_.rowCount() - 1), std::clamp(column, 0, nc - 1),
                      true);
            break;
        }
    }
}

void TcxDBPivotGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (!drag_)
        return;
    const std::unique_ptr<Drag> drag = std::move(drag_);
    if (drag->mode == Drag::Mode::DragField) {
        const PivotFieldButton button = geometry_.buttons()[static_cast<size_t>(drag->button)];
        applyDrop(button, geometry_.dropTarget(event->position().toPoint()));
        viewport()->update();
    } else if (drag->mode == Drag::Mode::PressField) {
        // A click on a row or column field's header turns its sort order.
        const PivotFieldButton& b = geometry_.buttons()[static_cast<size_t>(drag->button)];
        if (b.field && (b.area == Area::Row || b.area == Area::Column))
            b.field->setSortOrder(b.field->sortOrder() == morvane::pivot::SortOrder::Ascending
                                      ? morvane::pivot::SortOrder::Descending
                                      : morvane::pivot::SortOrder::Ascending);
    }
}

void TcxDBPivotGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const PivotHit hit = HitTest(event->position().toPoint());
    // A double click on the right edge of a header fits that column to its texts.
    if (hit.zone == PivotHitZone::ColumnResize) {
        drag_.reset();
        FitColumn(hit.column);
        return;
    }
    if (hit.zone == PivotHitZone::RowLevelResize) {
        drag_.reset();
        FitRowLevel(hit.level);
        return;
    }
    if (hit.zone == PivotHitZone::RowHeader || hit.zone == PivotHitZone::ColumnHeader) {
        PivotHit h = hit;
        h.zone = PivotHitZone::ExpandButton;
        toggleExpandAt(h);
        return;
    }
    mousePressEvent(event);
}

void TcxDBPivotGrid::applyDrop(const PivotFieldButton& button, const PivotDropTarget& target) {
    if (!target.valid())
        return;
    if (!button.field && target.area != Area::Row && target.area != Area::Column)
        return;
    // The target slot counts buttons; the index counts the area's fields before it, leaving out
    // the dragged header itself and the data-field header.
    int index = 0, slot = 0;
    for (const PivotFieldButton& b : geometry_.buttons()) {
        if (b.area != target.area)
            continue;
        if (slot++ >= target.slot)
            break;
        if (b.field && b.field != button.field)
            ++index;
    }
    engine_->beginUpdate();
    if (button.field) {
        button.field->setArea(target.area);
        button.field->setAreaIndex(index);
    } else {
        engine_->setDataFieldArea(target.area);
        engine_->setDataFieldAreaIndex(index);
    }
    engine_->endUpdate();
}
