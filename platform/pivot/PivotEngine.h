#pragma once

#include "platform/pivot/PivotField.h"
#include "platform/pivot/PivotMatrix.h"
#include "platform/pivot/PivotSource.h"
#include "platform/pivot/PivotTypes.h"

#include <QLocale>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace morvane::pivot {

namespace detail {
struct EngineState;
}

// A resolved header cell of the view (see PivotEngine::rowHeader).
struct HeaderCell {
    HeaderKind kind = HeaderKind::Empty;
    QString text;                         // display text, before custom drawing
    Value value;                          // the group value of a Value or Total header
    const PivotField* field = nullptr;    // row/column field, or data field of a caption
    int anchorItem = 0, anchorLevel = 0;  // the cell that shows this one
    int itemSpan = 1, levelSpan = 1;      // rows (or columns) and levels it covers
    bool expandable = false;              // a group that has deeper groups
    bool expanded = false;
    bool isAnchor(int item, int level) const { return item == anchorItem && level == anchorLevel; }
};

// The pivot engine behind the pivot grid: fields over a result set, their
// areas, aggregation with totals at every level, expansion, sorting, value
// filters, the view's cells and headers with their display texts, custom-draw
// events and the laid-out matrix. Nothing here draws; the grid widget, the
// export and the printer read the view.
//
// Summaries: every data field is summed over the rows of its cell. Integer
// columns give integer sums (exact, no rounding through doubles), real columns
// real sums; NULLs are left out and a cell without any value is empty (a zero
// sum shows "0"). A text column in the data area is counted: its non-NULL
// values. Totals: after each expanded group of two or more values (or of any
// size with totalsForSingleValues), unless its field's totals are hidden
// (PivotField::setTotalsVisible), a total row or column captioned
// "<value> Total", and a "Grand Total" last (not when the axis's outer field
// shows a single value, unless grandTotalsForSingleValues); a collapsed group
// shows one row or column of its totals. Group values sort ascending (NULL first, numbers by
// value, texts by the locale's collation), each field either way.
//
// Layout is lazy: changes mark the pivot stale and the next read lays it out
// again. Values of each bound column are interned once per result set, so
// moving fields, sorting, filtering and expanding re-aggregate from ids.
class PivotEngine {
  public:
    PivotEngine();
    ~PivotEngine();
    PivotEngine(const PivotEngine&) = delete;
    PivotEngine& operator=(const PivotEngine&) = delete;

    // ---- data
    // A new result set (or none). Fields stay and are bound again by name.
    void setSource(std::shared_ptr<const PivotSource> source);
    const PivotSource* source() const;
    // The rows of the current source changed (same columns, new values).
    void refresh();
    // Locale of the text order of group values (default: QLocale()).
    void setLocale(const QLocale& locale);

    // ---- fields
    void deleteAllFields();
    // One field per result column, in column order, named and captioned by
    // the column, in no area. Fields already present are kept and count for
    // the columns of their name; two columns of one name get two fields.
    void createAllFields();
    // A design-time field bound to the column of that name; it survives new
    // result sets. Returns the existing field when there is one of that name.
    // Fields are bound by name and order: the n-th field of a name reads the
    // n-th column of that name.
    PivotField& addField(const QString& name);
    void removeField(PivotField& field);
    int fieldCount() const;
    PivotField& field(int index);
    const PivotField& field(int index) const;
    // GetFieldByName: the (first) field of that name, or nullptr.
    PivotField* fieldByName(const QString& name);
    // Moves the field of that name into the area, after the fields already
    // there. Returns false when there is no such field.
    bool setFieldArea(const QString& name, Area area);
    // The fields of an area in their order.
    std::vector<PivotField*> fieldsInArea(Area area) const;

    // ---- updates: no change notification between the two; nested.
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const;
    // Called after a change (once per outermost update).
    void setOnChanged(std::function<void()> handler);

    // ---- options
    const ViewOptions& viewOptions() const;
    void setViewOptions(const ViewOptions& options);
    const ViewStyles& styles() const;
    void setStyles(const ViewStyles& styles);
    // Where the captions of several data fields go: the column area (default)
    // or the row area, at a level index among that area's fields (-1 or past
    // the end: innermost). Caption of the data-field header: "项目".
    Area dataFieldArea() const;
    void setDataFieldArea(Area area);
    int dataFieldAreaIndex() const;
    void setDataFieldAreaIndex(int index);
    const QString& dataFieldCaption() const;
    void setDataFieldCaption(const QString& caption);

    // ---- value filter drop-down: the field's distinct values in its sort
    // order, a page at a time.
    static constexpr int kFilterPageSize = 150;
    int distinctValueCount(const PivotField& field) const;
    std::vector<Value> distinctValues(const PivotField& field, int first,
                                      int count = kFilterPageSize) const;

    // ---- expansion
    // Expands or collapses the group shown by a header cell of a row or
    // column field; other cells are ignored.
    void setHeaderExpanded(Axis axis, int item, int level, bool expanded);
    void expandAll();
    void collapseAll();

    // ---- the view: body rows and columns, their headers and cells
    int rowCount() const;
    int columnCount() const;
    int rowLevelCount() const;     // row-header columns
    int columnLevelCount() const;  // column-header rows
    HeaderCell rowHeader(int row, int level) const;
    HeaderCell columnHeader(int column, int level) const;
    // The field shown at a header level, or nullptr (data captions, none).
    const PivotField* rowLevelField(int level) const;
    const PivotField* columnLevelField(int level) const;
    bool rowLevelIsData(int level) const;
    bool columnLevelIsData(int level) const;

    Value cellValue(int row, int column) const;
    // Display text of a cell (data field's display-text handler applied).
    QString cellText(int row, int column) const;
    CellKind cellKind(int row, int column) const;
    const PivotField* cellDataField(int row, int column) const;

    int focusedRow() const;
    int focusedColumn() const;
    void setFocusedCell(int row, int column);

    // The group of a row field (or column field) that a view row (column)
    // belongs to; none for the total rows of outer groups and the grand total.
    std::optional<Value> rowGroupValue(int row, const PivotField& field) const;
    QString rowGroupText(int row, const PivotField& field) const;
    std::optional<Value> columnGroupValue(int column, const PivotField& field) const;
    QString columnGroupText(int column, const PivotField& field) const;

    // ---- custom drawing: handlers may change the text and colour
    void setOnCustomDrawCell(CellDrawHandler handler);
    void setOnCustomDrawColumnHeader(HeaderDrawHandler handler);
    void setOnCustomDrawRowHeader(HeaderDrawHandler handler);
    CellDrawInfo drawCell(int row, int column);
    HeaderDrawInfo drawColumnHeader(int column, int level);
    HeaderDrawInfo drawRowHeader(int row, int level);

    // ---- widths
    // Fits widths to the texts: text length in average characters (wide
    // characters count two) times charWidth, plus padding; never below a
    // field's minimum width. Sets the widths of row, column and data fields
    // and of every view column.
    void applyBestFit(int charWidth = 7, int padding = 10);
    // The same from the texts of the given view rows only (and every column's
    // headers and column field values): for a grid that fits what it shows
    // and a sample of the rest, at a cost that does not grow with the rows.
    void applyBestFit(int charWidth, int padding, const std::vector<int>* rows);
    int columnWidth(int column) const;
    int rowLevelWidth(int level) const;

    // ---- the laid-out pivot
    // The whole matrix (see PivotMatrix for its rows and columns).
    PivotMatrix layoutMatrix(const MatrixOptions& options = {});
    // The same, one matrix row at a time, top to bottom, for writers that
    // stream (a large export never holds the whole matrix). The sink may
    // move the cells out. Returns the matrix's shape.
    MatrixShape layoutRows(const MatrixOptions& options, const MatrixRowSink& sink);

  private:
    friend class PivotField;
    void fieldChanged(bool structure);
    void bindFields();
    void changed();
    void ensure() const;
    HeaderCell makeHeader(Axis axis, int item, int level) const;
    HeaderDrawInfo drawHeader(Axis axis, int item, int level);
    QString groupText(const PivotField* f, const Value& v) const;
    QString pathKey(Axis axis, std::int32_t node) const;
    // Lays out into the matrix when one is given (sized here), else row by
    // row into the sink.
    MatrixShape layoutInto(const MatrixOptions& options, PivotMatrix* matrix,
                           const MatrixRowSink& sink);

    std::unique_ptr<detail::EngineState> d_;
};

}  // namespace morvane::pivot
