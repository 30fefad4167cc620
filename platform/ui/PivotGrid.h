#pragma once
// TcxDBPivotGrid: the pivot grid of the report windows (OLAP_PivotGrid on a window). A scroll
// area that paints the pivot engine's view itself, visible part only: the filter area, the data
// and column field headers, the row field headers, the column and row headers with their expand
// boxes, and the cells with totals in the totals style. The user drags field headers between
// areas and within one, opens a field's filter drop-down, expands and collapses groups, sorts a
// field by clicking its header, moves a focused cell with the keyboard, selects a range with
// mouse or shift, copies it as tab-separated text (Ctrl+C) and resizes columns by dragging.
//
// The grid owns its PivotEngine (ViewData()) and reads its rows from a dataset or a source.
// Between BeginUpdate and EndUpdate it neither lays out nor repaints.

#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGridGeometry.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QSet>
#include <QPointer>

#include <memory>

class TRemoteUdpDataSet;
class TcxPivotGridStyles;

namespace morvane::ui {
class PivotFilterPopup;
}

// Which header areas and totals the grid shows.
struct TcxPivotGridOptionsView {
    bool FilterFields = true;
    bool DataFields = true;
    bool RowFields = true;
    bool ColumnFields = true;
    bool RowTotals = true;
    bool ColumnTotals = true;
    bool RowGrandTotals = true;
    bool ColumnGrandTotals = true;
    bool TotalsForSingleValues = false;
};

// Where the captions of several data fields go, and the caption of their header.
enum TcxPivotGridDataFieldArea { dfaColumn, dfaRow };
struct TcxPivotGridOptionsDataField {
    TcxPivotGridDataFieldArea Area = dfaColumn;
    int AreaIndex = -1;  // level among the area's fields; -1: innermost
    QString Caption = QStringLiteral("项目");
};

class TcxDBPivotGrid : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TcxDBPivotGrid(QWidget* parent = nullptr);
    ~TcxDBPivotGrid() override;

    // ---- rows
    // The dataset whose rows the grid reads (not owned); nullptr unbinds, after which the grid
    // reads nothing more. The grid follows the dataset's changes.
    TRemoteUdpDataSet* DataSet() const;
    void SetDataSet(TRemoteUdpDataSet* dataSet);
    // Rows that do not come from a dataset; unbinds any dataset.
    void SetSource(std::shared_ptr<const morvane::pivot::PivotSource> source);

    // ---- the engine: fields, view data, handlers
    morvane::pivot::PivotEngine& ViewData() { return *engine_; }
    const morvane::pivot::PivotEngine& ViewData() const { return *engine_; }

    void DeleteAllFields() { engine_->deleteAllFields(); }
    void CreateAllFields() { engine_->createAllFields(); }
    int FieldCount() const { return engine_->fieldCount(); }
    morvane::pivot::PivotField* Fields(int index) { return &engine_->field(index); }
    morvane::pivot::PivotField* GetFieldByName(const QString& name) {
        return engine_->fieldByName(name);
    }
    // The field goes after those already in the area.
    bool SetFieldArea(const QString& name, morvane::pivot::Area area) {
        return engine_->setFieldArea(name, area);
    }

    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateDepth_ > 0; }

    // Widths that fit the texts: every text when the pivot has at most kBestFitCellCap cells,
    // else the headers, the texts of the rows in view and the engine's estimate over those rows,
    // the grand total and kBestFitSampleRows rows spread over the rest.
    // Header texts count wherever they are: a group header spanning several columns widens
    // them together when it needs more than they have. Once called, the fit is made again
    // after every change of the layout (a field dragged, a group expanded, a filter, a sort),
    // keeping the widths the user set by hand; a new ApplyBestFit drops those as well.
    static constexpr long long kBestFitCellCap = 200000;
    static constexpr int kBestFitSampleRows = 500;
    void ApplyBestFit();
    // Fits one view column (or row header level) to its texts, as a double click on the right
    // edge of its header does; the width then counts as set by hand.
    void FitColumn(int column);
    void FitRowLevel(int level);

    TcxPivotGridOptionsView OptionsView() const;
    void SetOptionsView(const TcxPivotGridOptionsView& options);
    TcxPivotGridOptionsDataField OptionsDataField() const;
    void SetOptionsDataField(const TcxPivotGridOptionsDataField& options);
    TcxPivotGridStyles* Styles() const { return styles_; }
    // Values a filter drop-down lists at a time.
    int FilterDropDownItemCount() const { return filterPage_; }
    void SetFilterDropDownItemCount(int count) { filterPage_ = count < 1 ? 1 : count; }

    void SetOnCustomDrawCell(morvane::pivot::CellDrawHandler h);
    void SetOnCustomDrawColumnHeader(morvane::pivot::HeaderDrawHandler h);
    void SetOnCustomDrawRowHeader(morvane::pivot::HeaderDrawHandler h);

    // ---- focus and selection (view coordinates of the body)
    int FocusedRow() const { return engine_->focusedRow(); }
    int FocusedColumn() const { return engine_->focusedColumn(); }
    // Focuses a cell, collapses the selection onto it and scrolls it into view.
    void SetFocusedCell(int row, int column);
    // The selected range (left = first column, top = first row); empty without rows.
    QRect Selection() const;
    void SelectCells(int row1, int column1, int row2, int column2);
    // The selected cells' texts as shown (display-text and custom-draw handlers applied), cells
    // joined by tabs, rows by line breaks; tabs and line breaks inside a text become blanks.
    QString SelectionText();
    void CopyToClipboard();

    // ---- widths
    int ColumnWidth(int column);
    // A view column's width; never below its field's minimum width nor kMinColumnWidth.
    void SetColumnWidth(int column, int width);
    int RowLevelWidth(int level);
    void SetRowLevelWidth(int level, int width);
    static constexpr int kMinColumnWidth = 16;

    // ---- layout, for tools and tests
    const morvane::ui::PivotGridGeometry& Geometry();
    // What lies at a viewport point (expand boxes resolved).
    morvane::ui::PivotHit HitTest(QPoint viewportPos);
    // Viewport centre of a field's header button, or (-1,-1) when it shows none; nullptr: the
    // data-field header.
    QPoint FieldHeaderCenter(const morvane::pivot::PivotField* field);
    // Opens the filter drop-down of a field under its header; the open drop-down, or nullptr.
    morvane::ui::PivotFilterPopup* ShowFilterPopup(morvane::pivot::PivotField* field);
    morvane::ui::PivotFilterPopup* FilterPopup() const;

  signals:
    void focusedCellChanged(int row, int column);
    void layoutChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    struct Drag;
    void engineChanged();
    void bindDataSet();
    void syncStyles();
    // Lays out what changed; a fit pending after a change of the layout runs too unless
    // `fit` is false (EndUpdate: the caller is about to fit anyway).
    void ensureLayout(bool fit = true);
    // Best fit over every column and level; `keepHandWidths` leaves the widths set by hand.
    void fitWidths(bool keepHandWidths);
    // The rows a fit reads: every row when the pivot has at most kBestFitCellCap `cells`; else
    // the rows in view (first..last), and for the row headers and the engine's estimate also
    // `sample`: those rows, the grand total and kBestFitSampleRows rows spread over the rest.
    struct FitRows {
        bool all = true;
        int first = 0, last = -1;
        std::vector<int> sample;  // ascending, no repeats; empty when all
        const std::vector<int>* sampled() const { return all ? nullptr : &sample; }
    };
    FitRows fitRows(long long cells) const;
    // The width a column's (a level's) own texts need, over the rows the fit reads.
    int columnNeed(int column, const FitRows& rows);
    // A row header that spans levels (a grand total, a collapsed group) and the width it needs.
    struct LevelSpan {
        int level, span, width;
    };
    int levelNeed(int level, const FitRows& rows, std::vector<LevelSpan>* spans);
    void rebuildGeometry();
    void updateScrollBars();
    void moveFocus(int row, int column, bool extend);
    void applyDrop(const morvane::ui::PivotFieldButton& button,
                   const morvane::ui::PivotDropTarget& target);
    void clickHeader(const morvane::ui::PivotHit& hit);
    bool toggleExpandAt(const morvane::ui::PivotHit& hit);
    QString columnKey(int column);
    QString levelKey(int level);
    int minWidthOf(int column);

    std::unique_ptr<morvane::pivot::PivotEngine> engine_;
    QPointer<TRemoteUdpDataSet> dataSet_;
    TcxPivotGridStyles* styles_;
    QPointer<morvane::ui::PivotFilterPopup> popup_;
    int filterPage_ = morvane::pivot::PivotEngine::kFilterPageSize;
    int updateDepth_ = 0;
    bool layoutDirty_ = true;
    bool geometryDirty_ = true;

    morvane::ui::PivotGridGeometry geometry_;
    morvane::ui::PivotGridGeometry::Input input_;
    std::vector<QString> columnKeys_;
    // Widths set by best fit or by the user, by column path and by row level field, so that they
    // survive re-layouts that keep the column.
    QHash<QString, int> widths_;
    // Keys of widths_ the user set (a drag, a double click, SetColumnWidth); a refit keeps them.
    QSet<QString> handWidths_;
    bool autoFit_ = false;     // ApplyBestFit was called: refit after layout changes
    bool fitPending_ = false;  // the layout changed since the last fit
    bool fitting_ = false;

    int anchorRow_ = 0, anchorColumn_ = 0;
    std::unique_ptr<Drag> drag_;
};
