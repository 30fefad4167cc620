#include "platform/ui/PivotGridGeometry.h"

#include <algorithm>

namespace morvane::ui {

using morvane::pivot::Area;

namespace {
constexpr int kBandPadding = 6;
constexpr int kButtonGap = 4;
constexpr int kSortArrowWidth = 12;

int buttonWidth(const PivotFieldButton& b, const QFontMetrics& fm) {
    int w = fm.horizontalAdvance(b.text) + 16;
    if (b.field && b.area != Area::Data && b.area != Area::Filter)
        w += kSortArrowWidth;
    if (b.filterButton)
        w += PivotGridGeometry::kFilterArrowWidth;
    return w;
}

// The width the buttons take on one line, with the gaps at both ends.
int flowWidth(const std::vector<PivotFieldButton>& buttons, const QFontMetrics& fm) {
    int w = kButtonGap;
    for (const PivotFieldButton& b : buttons)
        w += buttonWidth(b, fm) + kButtonGap;
    return w;
}
}  // namespace

void PivotGridGeometry::build(const Input& in, const QFontMetrics& fm) {
    rowHeight_ = std::max(8, in.rowHeight);
    rowCount_ = std::max(0, in.rowCount);
    columnLevels_ = std::max(1, in.columnLevels);
    viewport_ = in.viewport;
    const int vw = viewport_.width();

    columnOffsets_.assign(in.columnWidths.size() + 1, 0);
    for (size_t c = 0; c < in.columnWidths.size(); ++c)
        columnOffsets_[c + 1] = columnOffsets_[c] + std::max(1, in.columnWidths[c]);
    levelOffsets_.assign(in.levelWidths.size() + 1, 0);
    for (size_t l = 0; l < in.levelWidths.size(); ++l)
        levelOffsets_[l + 1] = levelOffsets_[l] + std::max(1, in.levelWidths[l]);
    const int rhw = rowHeaderWidth();

    // The bands grow by a line for every line of buttons they wrap onto.
    auto bandHeight = [&](int lines) { return lines * rowHeight_ + kBandPadding; };
    int y = 0;
    buttons_.clear();
    filterArea_ = QRect();
    if (in.showFilterFields) {
        const int lines = placeFlow(in.filterButtons, 0, vw, y, fm);
        filterArea_ = QRect(0, y, vw, bandHeight(lines));
        y += filterArea_.height();
    }

    // The data field headers sit over the row headers and the column field headers over the
    // column headers while the data headers fit there. Otherwise the data headers take the room
    // the column field headers leave (wrapping if they must), and the column field headers follow
    // after the widest line of data headers, so the two never overlap.
    const bool fieldBand = in.showDataFields || in.showColumnFields;
    dataArea_ = columnFieldArea_ = QRect();
    if (fieldBand) {
        int split = rhw;
        int dataLines = 0, columnLines = 0;
        if (in.showDataFields) {
            const int natural = flowWidth(in.dataButtons, fm);
            int right = rhw;
            if (natural > rhw) {
                int widest = 0;
                for (const PivotFieldButton& b : in.dataButtons)
                    widest = std::max(widest, buttonWidth(b, fm));
                const int columnRoom = in.showColumnFields ? flowWidth(in.columnButtons, fm) : 0;
                right = std::max({rhw, vw - columnRoom, widest + 2 * kButtonGap});
            }
            const size_t first = buttons_.size();
            dataLines = placeFlow(in.dataButtons, 0, right, y, fm);
            if (natural > rhw) {
                split = rhw;
                for (size_t i = first; i < buttons_.size(); ++i)
                    split = std::max(split, buttons_[i].rect.right() + 1 + kButtonGap);
            }
        }
        if (in.showColumnFields)
            columnLines = placeFlow(in.columnButtons, split, std::max(split, vw), y, fm);
        const int height = bandHeight(std::max(dataLines, columnLines));
        if (in.showDataFields)
            dataArea_ = QRect(0, y, split, height);
        if (in.showColumnFields)
            columnFieldArea_ = QRect(split, y, std::max(0, vw - split), height);
        y += height;
    }
    headerTop_ = y;
    bodyTop_ = y + columnLevels_ * rowHeight_;
    cornerArea_ = QRect(0, headerTop_, rhw, bodyTop_ - headerTop_);

    if (in.showRowFields) {
        int slot = 0;
        for (PivotFieldButton b : in.rowButtons) {
            const int level = b.slot;
            if (level < 0 || level >= rowLevels())
                continue;
            b.rect = QRect(levelOffsets_[level] + 2, bodyTop_ - rowHeight_ + 2,
                           std::max(4, levelWidth(level) - 4), rowHeight_ - 4);
            b.slot = slot++;
            b.line = 0;
            buttons_.push_back(std::move(b));
        }
    }
    setScroll(scrollX_, scrollY_);
}

int PivotGridGeometry::placeFlow(std::vector<PivotFieldButton> buttons, int left, int right,
                                 int top, const QFontMetrics& fm) {
    int x = left + kButtonGap;
    int line = 0, slot = 0;
    for (PivotFieldButton& b : buttons) {
        const int w = buttonWidth(b, fm);
        if (x > left + kButtonGap && x + w + kButtonGap > right) {
            ++line;
            x = left + kButtonGap;
        }
        b.rect = QRect(x, top + kBandPadding / 2 + line * rowHeight_ + 2, w, rowHeight_ - 4);
        b.slot = slot++;
        b.line = line;
        x += w + kButtonGap;
        buttons_.push_back(std::move(b));
    }
    return line + 1;
}

int PivotGridGeometry::bodyWidth() const {
    return std::max(0, viewport_.width() - rowHeaderWidth());
}
int PivotGridGeometry::bodyHeight() const {
    return std::max(0, viewport_.height() - bodyTop_);
}
QRect PivotGridGeometry::columnHeaderArea() const {
    return QRect(rowHeaderWidth(), headerTop_, bodyWidth(), bodyTop_ - headerTop_);
}
QRect PivotGridGeometry::rowHeaderArea() const {
    return QRect(0, bodyTop_, rowHeaderWidth(), bodyHeight());
}
QRect PivotGridGeometry::bodyArea() const {
    return QRect(rowHeaderWidth(), bodyTop_, bodyWidth(), bodyHeight());
}

int PivotGridGeometry::maxScrollX() const {
    return std::max(0, contentWidth() - bodyWidth());
}
int PivotGridGeometry::maxScrollY() const {
    const long long m = contentHeight() - bodyHeight();
    return static_cast<int>(std::clamp<long long>(m, 0, INT32_MAX));
}
void PivotGridGeometry::setScroll(int x, int y) {
    scrollX_ = std::clamp(x, 0, maxScrollX());
    scrollY_ = std::clamp(y, 0, maxScrollY());
}

int PivotGridGeometry::columnAtContentX(int x) const {
    if (x < 0 || x >= contentWidth())
        return -1;
    const auto it = std::upper_bound(columnOffsets_.begin(), columnOffsets_.end(), x);
    return static_cast<int>(it - columnOffsets_.begin()) - 1;
}
int PivotGridGeometry::rowAtContentY(long long y) const {
    if (y < 0 || y >= contentHeight())
        return -1;
    return static_cast<int>(y / rowHeight_);
}

int PivotGridGeometry::firstVisibleRow() const {
    return rowCount_ == 0 ? 0 : std::min(rowCount_ - 1, scrollY_ / rowHeight_);
}
int PivotGridGeometry::lastVisibleRow() const {
    if (rowCount_ == 0 || bodyHeight() == 0)
        return -1;
    const long long bottom = static_cast<long long>(scrollY_) + bodyHeight() - 1;
    return static_cast<int>(std::min<long long>(rowCount_ - 1, bottom / rowHeight_));
}
int PivotGridGeometry::firstVisibleColumn() const {
    const int c = columnAtContentX(scrollX_);
    return c < 0 ? 0 : c;
}
int PivotGridGeometry::lastVisibleColumn() const {
    if (columnCount() == 0 || bodyWidth() == 0)
        return -1;
    const int c = columnAtContentX(std::min(contentWidth() - 1, scrollX_ + bodyWidth() - 1));
    return c;
}
int PivotGridGeometry::pageRows() const {
    return std::max(1, bodyHeight() / rowHeight_);
}

QRect PivotGridGeometry::cellRect(int row, int column) const {
    return QRect(columnX(column), rowY(row), columnWidth(column), rowHeight_);
}
QRect PivotGridGeometry::columnHeaderRect(int column, int level, int columnSpan,
                                          int levelSpan) const {
    const int last = std::min(columnCount(), column + std::max(1, columnSpan));
    return QRect(columnX(column), headerTop_ + level * rowHeight_,
                 columnOffsets_[last] - columnOffsets_[column], levelSpan * rowHeight_);
}
QRect PivotGridGeometry::rowHeaderRect(int row, int level, int rowSpan, int levelSpan) const {
    const int last = std::min(rowLevels(), level + std::max(1, levelSpan));
    return QRect(levelOffsets_[level], rowY(row), levelOffsets_[last] - levelOffsets_[level],
                 std::max(1, rowSpan) * rowHeight_);
}
QRect PivotGridGeometry::expandBoxRect(const QRect& header, int rowHeight) {
    const int top = header.top() + (rowHeight - kExpandBox) / 2;
    return QRect(header.left() + 4, top, kExpandBox, kExpandBox);
}

Area PivotGridGeometry::areaAt(QPoint p) const {
    if (filterArea_.contains(p))
        return Area::Filter;
    if (dataArea_.contains(p))
        return Area::Data;
    if (columnFieldArea_.contains(p) || columnHeaderArea().contains(p))
        return Area::Column;
    if (cornerArea_.contains(p) || rowHeaderArea().contains(p))
        return Area::Row;
    return Area::None;
}

PivotHit PivotGridGeometry::hitTest(QPoint p) const {
    PivotHit h;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const PivotFieldButton& b = buttons_[i];
        if (!b.rect.contains(p))
            continue;
        h.zone = b.filterButton && p.x() > b.rect.right() - kFilterArrowWidth
                     ? PivotHitZone::FieldFilterButton
                     : PivotHitZone::FieldHeader;
        h.area = b.area;
        h.button = static_cast<int>(i);
        return h;
    }
    const int rhw = rowHeaderWidth();
    auto levelEdge = [&](int x) {
        for (int l = 0; l < rowLevels(); ++l)
            if (std::abs(x - levelOffsets_[l + 1]) <= kResizeMargin)
                return l;
        return -1;
    };
    if (filterArea_.contains(p)) {
        h.zone = PivotHitZone::FilterArea;
        h.area = Area::Filter;
    } else if (dataArea_.contains(p)) {
        h.zone = PivotHitZone::DataArea;
        h.area = Area::Data;
    } else if (columnFieldArea_.contains(p)) {
        h.zone = PivotHitZone::ColumnFieldArea;
        h.area = Area::Column;
    } else if (cornerArea_.contains(p)) {
        h.area = Area::Row;
        h.level = levelEdge(p.x());
        h.zone = h.level >= 0 ? PivotHitZone::RowLevelResize : PivotHitZone::RowFieldArea;
    } else if (p.y() >= headerTop_ && p.y() < bodyTop_ && p.x() >= rhw) {
        const int cx = p.x() - rhw + scrollX_;
        h.column = columnAtContentX(cx);
        h.level = (p.y() - headerTop_) / rowHeight_;
        if (h.column < 0)
            return PivotHit{};
        h.area = Area::Column;
        h.zone = PivotHitZone::ColumnHeader;
        if (columnOffsets_[h.column + 1] - cx <= kResizeMargin) {
            h.zone = PivotHitZone::ColumnResize;
        } else if (cx - columnOffsets_[h.column] < kResizeMargin && h.column > 0) {
            h.zone = PivotHitZone::ColumnResize;
            --h.column;
        }
    } else if (p.y() >= bodyTop_) {
        h.row = rowAtContentY(static_cast<long long>(p.y()) - bodyTop_ + scrollY_);
        if (h.row < 0)
            return PivotHit{};
        if (p.x() < rhw) {
            h.area = Area::Row;
            const int edge = levelEdge(p.x());
            if (edge >= 0) {
                h.zone = PivotHitZone::RowLevelResize;
                h.level = edge;
                h.row = -1;
                return h;
            }
            h.zone = PivotHitZone::RowHeader;
            const auto it = std::upper_bound(levelOffsets_.begin(), levelOffsets_.end(), p.x());
            h.level = static_cast<int>(it - levelOffsets_.begin()) - 1;
        } else {
            h.column = columnAtContentX(p.x() - rhw + scrollX_);
            if (h.column < 0)
                return PivotHit{};
            h.zone = PivotHitZone::Cell;
        }
    }
    return h;
}

PivotDropTarget PivotGridGeometry::dropTarget(QPoint p) const {
    PivotDropTarget t;
    t.area = areaAt(p);
    QRect band;
    switch (t.area) {
        case Area::Filter:
            band = filterArea_;
            break;
        case Area::Data:
            band = dataArea_;
            break;
        case Area::Column:
            band = columnFieldArea_;
            break;
        case Area::Row:
            band = QRect(0, bodyTop_ - rowHeight_, rowHeaderWidth(), rowHeight_);
            break;
        case Area::None:
            return t;
    }
    std::vector<const PivotFieldButton*> inArea;
    for (const PivotFieldButton& b : buttons_)
        if (b.area == t.area)
            inArea.push_back(&b);
    // The line of the band under the point; the slot counts the buttons on the lines above and
    // those on its line left of the point.
    int lines = 1;
    for (const PivotFieldButton* b : inArea)
        lines = std::max(lines, b->line + 1);
    const int firstLineTop = band.top() + kBandPadding / 2;
    const int line =
        p.y() < firstLineTop ? 0 : std::min(lines - 1, (p.y() - firstLineTop) / rowHeight_);
    t.slot = 0;
    for (const PivotFieldButton* b : inArea)
        if (b->line < line || (b->line == line && b->rect.center().x() < p.x()))
            ++t.slot;
    const int count = static_cast<int>(inArea.size());
    const PivotFieldButton* next =
        t.slot < count && inArea[static_cast<size_t>(t.slot)]->line == line
            ? inArea[static_cast<size_t>(t.slot)]
            : nullptr;
    const PivotFieldButton* prev =
        t.slot > 0 && inArea[static_cast<size_t>(t.slot - 1)]->line == line
            ? inArea[static_cast<size_t>(t.slot - 1)]
            : nullptr;
    int x = band.left() + kButtonGap / 2;
    if (next)
        x = next->rect.left() - kButtonGap / 2;
    else if (prev)
        x = prev->rect.right() + kButtonGap / 2;
    if (t.area == Area::Row)
        t.indicator = QRect(x - 1, band.top() + 1, 3, std::max(4, band.height() - 2));
    else
        t.indicator = QRect(x - 1, firstLineTop + line * rowHeight_ - 2, 3, rowHeight_ + 4);
    return t;
}

QPoint PivotGridGeometry::scrollToShow(int row, int column) const {
    int x = scrollX_, y = scrollY_;
    if (column >= 0 && column < columnCount()) {
        const int left = columnOffsets_[column], right = columnOffsets_[column + 1];
        if (right > x + bodyWidth())
            x = right - bodyWidth();
        if (left < x)
            x = left;
    }
    if (row >= 0 && row < rowCount_) {
        const long long top = static_cast<long long>(row) * rowHeight_;
        const long long bottom = top + rowHeight_;
        if (bottom > y + bodyHeight())
            y = static_cast<int>(bottom - bodyHeight());
        if (top < y)
            y = static_cast<int>(top);
    }
    return QPoint(x, y);
}

}  // namespace morvane::ui
