#pragma once
// TcxSpreadSheetBook: a workbook shown as a spreadsheet inside a window. It holds an in-memory
// workbook and shows its active sheet as the spreadsheet programs do: column letters and row
// numbers, merged cells, borders, column widths, row heights, fonts, fills, alignment and number
// formats. The user selects cells and ranges with mouse and keyboard, copies the selection as
// tab-separated text (Ctrl+C), types into a cell, and opens a format-cells dialog for the
// selection (number format, font, alignment and merging, borders). A popup menu given to the
// book opens on a right click.
//
// The book loads and saves .xls (the workbook layer's own BIFF8 code) and .xlsx, by the file
// name's extension; a save replaces the file only once the new one is complete, and a failed
// load leaves the book as it was.
//
// Between BeginUpdate and EndUpdate the view neither lays out nor repaints.

#include <QFont>
#include <QHash>
#include <QTableView>

#include <functional>
#include <memory>

#include "platform/workbook/FormatChange.h"
#include "platform/workbook/Workbook.h"

class QMenu;

namespace morvane::ui {
class SheetModel;
}

class TcxSpreadSheetBook : public QTableView {
    Q_OBJECT
  public:
    explicit TcxSpreadSheetBook(QWidget* parent = nullptr);
    ~TcxSpreadSheetBook() override;

    // ---- the book
    morvane::workbook::Workbook& Book() { return book_; }
    const morvane::workbook::Workbook& Book() const { return book_; }
    // The sheet shown; a book always has one.
    morvane::workbook::Sheet& ActiveSheet();
    const morvane::workbook::Sheet& ActiveSheet() const;
    int ActiveSheetIndex() const { return active_; }
    void SetActiveSheetIndex(int index);
    // Takes the workbook (one sheet is added when it has none); the first sheet is shown.
    void SetBook(morvane::workbook::Workbook book);
    // Reads .xlsx for a name ending in ".xlsx", else .xls. Throws WorkbookError; the book
    // stays as it was.
    void LoadFromFile(const QString& fileName);
    // Writes .xlsx for a name ending in ".xlsx", else .xls. Throws WorkbookError.
    void SaveToFile(const QString& fileName) const;
    // Empties the active sheet: cells, merges, widths and heights.
    void ClearAll();

    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateDepth_ > 0; }
    // Lays the view out anew from the book (after changes made through Book()).
    void Refresh();

    // ---- look of cells without a format of their own
    QFont DefaultFont() const { return defaultFont_; }
    void SetDefaultFont(const QFont& font);
    // Horizontal alignment of cells whose format says "general".
    Qt::Alignment DefaultAlignment() const { return defaultAlignment_; }
    void SetDefaultAlignment(Qt::Alignment alignment);
    // Height in points of rows without a height of their own.
    double DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(double points);

    // ---- cells
    // The text a cell shows (number formats applied); "" for none.
    QString CellText(int row, int column) const;
    // The used part of the active sheet as it shows: one line per row, cells joined by tabs
    // (tabs and line breaks inside a text become blanks), lines joined by line feeds.
    QString SheetText() const;
    // Writes a typed text into a cell, keeping its format: a number becomes a number, "25%"
    // a percentage, a text that begins with an apostrophe the text after it, "" a blank.
    void SetCellText(int row, int column, const QString& text);

    // ---- selection (0-based; the rectangle's x is the column, y the row)
    QRect SelectionRect() const;
    void SelectRange(int row1, int column1, int row2, int column2);
    int ActiveRow() const;
    int ActiveColumn() const;
    QString SelectionText() const;
    void CopyToClipboard() const;

    // ---- formatting the selection
    void ApplyFormat(const morvane::workbook::FormatChange& change);
    // Shows the format-cells dialog for the selection through the host's modal runner and
    // applies what the user changed when it is confirmed.
    void ShowFormatCellsDialog();

    // ---- events
    // Right click: the menu opens at the mouse (not owned).
    void SetPopupMenu(QMenu* menu) { popup_ = menu; }
    QMenu* PopupMenu() const { return popup_; }
    // Key presses reach the handler first; setting the key to 0 consumes it.
    using KeyHandler = std::function<void(int& key, Qt::KeyboardModifiers shift)>;
    void SetOnKeyDown(KeyHandler handler) { onKeyDown_ = std::move(handler); }

    // Pixels of a column width in characters and of a row height in points.
    static int ColumnPixels(double characters);
    static int RowPixels(double points);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class morvane::ui::SheetModel;
    void relayout();
    QFont fontOf(morvane::workbook::FormatId id) const;

    morvane::workbook::Workbook book_;
    int active_ = 0;
    morvane::ui::SheetModel* model_;
    QMenu* popup_ = nullptr;
    KeyHandler onKeyDown_;
    QFont defaultFont_;
    Qt::Alignment defaultAlignment_ = Qt::AlignLeft;
    double defaultRowHeight_ = 12.75;
    int updateDepth_ = 0;
    mutable QHash<morvane::workbook::FormatId, QFont> fonts_;
};
