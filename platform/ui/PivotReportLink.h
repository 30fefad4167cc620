#pragma once
// TcxPivotGridReportLink: prints a pivot grid as the grid lays it out: the column header rows,
// the row headers, the cells, totals and grand totals with the grid's display texts (display-text
// and custom-draw handlers applied), every group expanded as displayed, header cells shaded and
// totals in the totals colour and bold, thin grid lines.
//
// Columns that do not fit across a page continue on further pages with the row headers repeated;
// rows that do not fit down a page continue with the column header rows repeated. Pages run down
// first, then across. Column widths are the grid's (screen pixels at 96 dpi) in points, widened
// where a printed text needs more so that no text is cut; only a column wider than the page is
// narrowed to it, its texts ending in "…".
//
// The link reads the grid when it paginates; it holds no reference to the grid's engine after
// SetComponent(nullptr).

#include "platform/ui/ReportLink.h"

#include <QPointer>
#include <QRectF>
#include <QRgb>

#include <memory>
#include <vector>

class TcxDBPivotGrid;

namespace morvane::ui {

// One printed cell of a page, in points relative to the body's top-left.
struct PrintedCell {
    enum class Kind { Corner, ColumnHeader, RowHeader, Cell };
    Kind kind = Kind::Cell;
    QRectF rect;
    QString text;  // the text as printed (elided when the column is narrowed)
    QRgb fill = 0xFFFFFFFF;
    bool bold = false;
    bool rightAligned = false;
};

// A page of the laid-out pivot: which matrix rows and columns it shows (header rows and
// row-header columns are repeated on every page) and its cells in reading order.
struct PivotPrintPage {
    int firstRow = 0, lastRow = -1;        // body rows of the matrix (inclusive)
    int firstColumn = 0, lastColumn = -1;  // body columns of the matrix (inclusive)
    std::vector<PrintedCell> cells;
};

}  // namespace morvane::ui

class TcxPivotGridReportLink : public TBasedxReportLink {
    Q_OBJECT
  public:
    explicit TcxPivotGridReportLink(QObject* owner = nullptr);
    ~TcxPivotGridReportLink() override;

    // The grid printed (not owned); nullptr detaches. Setting it re-paginates.
    TcxDBPivotGrid* Component() const { return component_; }
    void SetComponent(TcxDBPivotGrid* grid);

    // Point size of the body texts (default 9).
    double FontSize() const { return fontSize_; }
    void SetFontSize(double points);

    // Thin lines around every printed cell (default on).
    bool Borders() const { return borders_; }
    void SetBorders(bool on);
    // Every printed cell on white instead of the grid's header and totals colours (default off).
    bool WhiteStyles() const { return whiteStyles_; }
    void SetWhiteStyles(bool on);

    // The laid-out page (0-based), paginating first when needed.
    const morvane::ui::PivotPrintPage& Page(int page);

    // The printed width of the whole pivot at full size: the grid's widths, widened where a
    // printed text needs more.
    double ContentWidthPt() override;
    void Invalidate() override;

  protected:
    int CreateBodyPages(const QSizeF& firstBody, const QSizeF& otherBody) override;
    void PaintBodyPage(QPainter& painter, int page) override;
    QStringList BodyPageTexts(int page) override;

  private:
    struct Layout;
    // The matrix with its printed widths, before any narrowing to the page.
    std::unique_ptr<Layout> measure();
    QPointer<TcxDBPivotGrid> component_;
    std::unique_ptr<Layout> measured_;  // kept from ContentWidthPt for the next pagination
    double fontSize_ = 9.0;
    bool borders_ = true;
    bool whiteStyles_ = false;
    std::vector<morvane::ui::PivotPrintPage> pages_;
};
