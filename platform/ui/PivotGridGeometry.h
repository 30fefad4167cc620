#pragma once
// Where everything of the pivot grid lies in its viewport: the filter band, the band of the data
// and column field headers, the corner with the row field headers, the column header rows, the
// row header columns and the body. Column offsets are kept as prefix sums (binary search finds
// the first visible column); rows all have one height, so a row is found by division.
// Coordinates are viewport pixels; "content" coordinates are body pixels before scrolling.

#include "platform/pivot/PivotField.h"
#include "platform/pivot/PivotTypes.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <vector>

namespace morvane::ui {

enum class PivotHitZone {
    None,
    FilterArea,         // the filter band, outside any field header
    DataArea,           // the data field headers' part of the field band
    ColumnFieldArea,    // the column field headers' part of the field band
    RowFieldArea,       // the corner above the row headers
    FieldHeader,        // a field header button (button = its index)
    FieldFilterButton,  // the drop-down arrow of a field header
    ColumnHeader,       // a column header cell (column, level)
    RowHeader,          // a row header cell (row, level)
    ExpandButton,       // the expand/collapse box of a group header (resolved by the grid)
    Cell,               // a body cell (row, column)
    ColumnResize,       // the right edge of a column's header (column)
    RowLevelResize      // the right edge of a row header level (level)
};

// A field header button. The data-field header ("项目") has no field.
struct PivotFieldButton {
    QRect rect;
    morvane::pivot::PivotField* field = nullptr;
    morvane::pivot::Area area = morvane::pivot::Area::None;
    int slot = 0;  // position among the buttons of its area
    int line = 0;  // the line of its band it sits on (a band wraps buttons that do not fit)
    QString text;
    bool filterButton = false;  // shows the filter drop-down arrow
};

struct PivotHit {
    PivotHitZone zone = PivotHitZone::None;
    morvane::pivot::Area area = morvane::pivot::Area::None;
    int button = -1;
    int row = -1, column = -1, level = -1;
};

// Where a dragged field header would go: an area, the slot among its buttons, and the line that
// shows it.
struct PivotDropTarget {
    morvane::pivot::Area area = morvane::pivot::Area::None;
    int slot = 0;
    QRect indicator;
    bool valid() const { return area != morvane::pivot::Area::None; }
};

class PivotGridGeometry {
  public:
    static constexpr int kResizeMargin = 3;
    static constexpr int kFilterArrowWidth = 14;
    static constexpr int kExpandBox = 9;

    // What the bands depend on.
    struct Input {
        QSize viewport;
        int rowHeight = 20;
        bool showFilterFields = true, showDataFields = true, showColumnFields = true,
             showRowFields = true;
        int columnLevels = 1;
        int rowCount = 0;
        std::vector<int> columnWidths;
        std::vector<int> levelWidths;
        // Buttons per area in their order, each with its text; a row button's slot is the row
        // header level it sits over.
        std::vector<PivotFieldButton> filterButtons, dataButtons, columnButtons, rowButtons;
    };

    // Lays the bands and buttons out. Keeps the scroll offsets (clamped).
    void build(const Input& in, const QFontMetrics& fm);

    int rowHeight() const { return rowHeight_; }
    int rowCount() const { return rowCount_; }
    int columnCount() const { return static_cast<int>(columnOffsets_.size()) - 1; }
    int columnLevels() const { return columnLevels_; }
    int rowLevels() const { return static_cast<int>(levelOffsets_.size()) - 1; }
    int contentWidth() const { return columnOffsets_.back(); }
    long long contentHeight() const { return static_cast<long long>(rowCount_) * rowHeight_; }
    int headerTop() const { return headerTop_; }
    int bodyTop() const { return bodyTop_; }
    int rowHeaderWidth() const { return levelOffsets_.back(); }
    int bodyWidth() const;
    int bodyHeight() const;
    QRect filterArea() const { return filterArea_; }
    QRect dataArea() const { return dataArea_; }
    QRect columnFieldArea() const { return columnFieldArea_; }
    QRect cornerArea() const { return cornerArea_; }
    QRect columnHeaderArea() const;
    QRect rowHeaderArea() const;
    QRect bodyArea() const;
    const std::vector<PivotFieldButton>& buttons() const { return buttons_; }

    int columnWidth(int c) const { return columnOffsets_[c + 1] - columnOffsets_[c]; }
    int levelWidth(int l) const { return levelOffsets_[l + 1] - levelOffsets_[l]; }
    int levelX(int l) const { return levelOffsets_[l]; }

    // Scrolling, in body pixels.
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }
    int maxScrollX() const;
    int maxScrollY() const;
    void setScroll(int x, int y);

    // The column holding content x / the row holding content y, -1 outside.
    int columnAtContentX(int x) const;
    int rowAtContentY(long long y) const;
    // Visible body range; last < first when nothing is visible.
    int firstVisibleRow() const;
    int lastVisibleRow() const;
    int firstVisibleColumn() const;
    int lastVisibleColumn() const;
    // Rows that fit the body entirely (at least 1).
    int pageRows() const;

    int columnX(int c) const { return rowHeaderWidth() + columnOffsets_[c] - scrollX_; }
    int rowY(int r) const { return bodyTop_ + r * rowHeight_ - scrollY_; }
    QRect cellRect(int row, int column) const;
    // A header cell spanning items [item, item+itemSpan) and levels [level, level+levelSpan).
    QRect columnHeaderRect(int column, int level, int columnSpan, int levelSpan) const;
    QRect rowHeaderRect(int row, int level, int rowSpan, int levelSpan) const;
    // The expand box of a group header drawn in `header`.
    static QRect expandBoxRect(const QRect& header, int rowHeight);

    PivotHit hitTest(QPoint p) const;
    PivotDropTarget dropTarget(QPoint p) const;

    // Content scroll needed to show a cell entirely (unchanged axes keep their value).
    QPoint scrollToShow(int row, int column) const;

  private:
    // Places the buttons left to right between left and right from the band top `top`, starting a
    // new line where the next one would pass `right` (a line takes at least one button). Returns
    // the number of lines used (at least 1).
    int placeFlow(std::vector<PivotFieldButton> buttons, int left, int right, int top,
                  const QFontMetrics& fm);
    morvane::pivot::Area areaAt(QPoint p) const;

    int rowHeight_ = 20;
    int rowCount_ = 0;
    int columnLevels_ = 1;
    QSize viewport_;
    QRect filterArea_, dataArea_, columnFieldArea_, cornerArea_;
    int headerTop_ = 0, bodyTop_ = 0;
    std::vector<int> columnOffsets_{0};
    std::vector<int> levelOffsets_{0};
    std::vector<PivotFieldButton> buttons_;
    int scrollX_ = 0, scrollY_ = 0;
};

}  // namespace morvane::ui
