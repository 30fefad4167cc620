#pragma once
// The data grid of the pickers: a table view over a TRemoteUdpDataSet with declared columns,
// a tick column written as local edits of the dataset, the row indicator following the
// dataset's current row, even rows in a shared style, incremental search in the focused
// column, an optional footer and a double-click signal. Rows cannot be inserted or deleted.

#include <QTableView>
#include <vector>

#include "platform/ui/Colors.h"
#include "platform/ui/DataSetTableModel.h"

class QWidget;
class TRemoteUdpDataSet;
class TcxStyle;

namespace morvane::ui {

class DBTickGrid : public QTableView {
    Q_OBJECT
  public:
    explicit DBTickGrid(QWidget* parent = nullptr);

    // The dataset is not owned. The grid follows it while it opens, closes and changes.
    void SetDataSet(TRemoteUdpDataSet* dataSet);
    TRemoteUdpDataSet* DataSet() const { return model_->DataSet(); }
    void SetColumns(std::vector<GridColumn> columns);
    DataSetTableModel* Model() const { return model_; }

    // Even rows take the style's colour; the other rows are white.
    void SetEvenRowStyle(TcxStyle* style) { model_->SetEvenRowStyle(style); }
    void SetGridLineColor(TColor color);
    // Data rows and the header are this many pixels high.
    void SetRowHeight(int pixels);
    // Columns are as wide as their caption and texts need (the first rows measured), never
    // narrower than declared. With auto width on they also fill the grid's width, sharing what
    // is left in proportion to those widths.
    void SetColumnAutoWidth(bool on);
    void SetIncrementalSearch(bool on) { incrementalSearch_ = on; }
    // Enter moves the focus to the next cell (and to the next row after the last column).
    void SetEnterMovesToNextCell(bool on) { enterMovesToNextCell_ = on; }
    void SetRowIndicator(bool on);

    // Footer texts under columns: the number of rows shown, or a fixed text when `format` is
    // not empty (a display format without digit placeholders prints only itself).
    void SetFooterCount(int column, const QString& format = QString());
    // Footer text under a column: the sum of its values over the rows shown, written through
    // a display format ("#": whole number, nothing for 0; none: the shortest decimal, at most
    // four places).
    void SetFooterSum(int column, const QString& format = QString());
    void SetFooterVisible(bool on);
    // The footer text under a column ("" when it has none or the footer is hidden).
    QString FooterText(int column) const;

    // Searches the focused column for the first row, from the current one on, whose text
    // begins with `text` (case-insensitive) and makes it current. False when none does.
    bool IncrementalSearch(const QString& text);

  signals:
    // A double click anywhere on the grid (the view's OnDblClick).
    void DblClick();

  protected:
    void keyboardSearch(const QString& search) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    class Footer;
    void followDataSet(int row);
    void fitColumns();
    int contentWidth(int column) const;
    void applyColumnWidths();
    void layoutFooter();

    DataSetTableModel* model_;
    Footer* footer_ = nullptr;
    std::vector<QString> footerFormats_;  // per column; null: no footer text
    std::vector<bool> footerCounts_;
    std::vector<bool> footerSums_;
    mutable std::vector<double> sums_;  // per column, while the rows stay as they are
    mutable bool sumsValid_ = false;
    bool incrementalSearch_ = true;
    bool enterMovesToNextCell_ = false;
    bool autoWidth_ = false;
    bool following_ = false;
    int rowHeight_ = 22;
};

// Sets the tick field of every row the dataset shows to `ticked`, as local edits, with the
// bound controls suspended for the loop. Does nothing when the dataset is closed.
void SetAllTicks(TRemoteUdpDataSet* dataSet, const QString& tickField, bool ticked);

}  // namespace morvane::ui
