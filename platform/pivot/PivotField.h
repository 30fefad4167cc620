#pragma once

#include "platform/pivot/PivotTypes.h"

#include <QString>

#include <set>

namespace morvane::pivot {

// One field of a pivot, bound by name to the result column of the same name.
// Owned by its PivotEngine; every change re-lays the pivot out (lazily).
class PivotField {
  public:
    PivotField(const PivotField&) = delete;
    PivotField& operator=(const PivotField&) = delete;

    PivotEngine& grid() const { return *grid_; }
    // Position in the grid's field list.
    int index() const;
    // The result column the field reads; the name never changes.
    const QString& name() const { return name_; }
    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Moving a field into an area places it after the fields already there;
    // setting the area it is already in changes nothing.
    Area area() const { return area_; }
    void setArea(Area area);
    // Position among the fields of its area (-1 outside any area); setting it
    // moves the field within its area, the others keep their order.
    int areaIndex() const;
    void setAreaIndex(int index);

    SortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder order);

    const FieldFilter& filter() const { return filter_; }
    void setFilter(FieldFilter filter);
    void clearFilter() { setFilter(FieldFilter{}); }

    // Widths in pixels; the width is never below the minimum width.
    int minWidth() const { return minWidth_; }
    void setMinWidth(int w);
    int width() const { return width_ < minWidth_ ? minWidth_ : width_; }
    void setWidth(int w);

    // Expands or collapses every group of this field (row or column field).
    void setExpanded(bool expanded);
    bool expandedByDefault() const { return expanded_; }

    // Whether a row or column field's groups get their total row or column (the axis's totals
    // switched on); the grand total is the axis's own.
    bool totalsVisible() const { return totals_; }
    void setTotalsVisible(bool visible);

    // The display-text event: called for every group value of the field and,
    // for a data field, every cell it fills, before the text is shown or laid
    // out. An empty handler removes it.
    void setOnGetDisplayText(DisplayTextHandler handler);
    const DisplayTextHandler& onGetDisplayText() const { return onGetDisplayText_; }

    // Index of the bound result column, -1 when the current result has none
    // (the field then shows nothing).
    int sourceColumn() const { return column_; }

    // Display text of one of the field's group values, handler applied.
    QString displayText(const Value& v) const;

  private:
    friend class PivotEngine;
    PivotField(PivotEngine* grid, QString name)
        : grid_(grid), name_(name), caption_(std::move(name)) {}

    PivotEngine* grid_;
    QString name_;
    QString caption_;
    Area area_ = Area::None;
    long long areaOrder_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    FieldFilter filter_;
    int minWidth_ = 0;
    int width_ = 0;
    bool expanded_ = true;
    bool totals_ = true;
    std::set<QString> toggled_;  // paths of groups whose state differs from expanded_
    DisplayTextHandler onGetDisplayText_;
    int column_ = -1;
};

}  // namespace morvane::pivot
