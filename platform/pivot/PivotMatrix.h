#pragma once

#include "platform/pivot/PivotTypes.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace morvane::pivot {

// One cell of the laid-out pivot.
struct MatrixCell {
    enum class Role { Corner, ColumnHeader, RowHeader, Cell };
    Role role = Role::Corner;
    HeaderKind headerKind = HeaderKind::Empty;  // headers
    CellKind cellKind = CellKind::Data;         // cells
    QString text;  // as displayed (display-text and, if asked, custom-draw handlers applied)
    Value value;   // raw: the summary of a cell, the group value of a value header
    Rgb color = 0xFFFFFFFF;
    // A header that spans several rows or columns is stored in its top-left
    // cell with its spans; the cells it covers are marked covered, with empty
    // text.
    int rowSpan = 1, colSpan = 1;
    bool covered = false;
};

// The pivot as a matrix: the header rows first (one per column field, plus
// one for the data-field captions when the columns hold several data
// fields, at the data fields' level), then one row per view row, the grand
// total last; the row-header columns first (one per row field, plus one for
// the data-field captions when the rows hold them), then one column per view
// column. An axis without fields has one header level: "Grand Total", or the
// data-field captions when it holds several data fields.
//
// A group value or total heads the rows (columns) of its group and spans the
// levels below it when nothing deeper is shown (totals, grand total,
// collapsed groups). The top-left corner is empty except, in the last header
// row, the captions of the row fields and the data-field caption ("项目"),
// when asked for and the view shows the row-field headers.
class PivotMatrix {
  public:
    PivotMatrix() = default;
    PivotMatrix(int rows, int columns, int headerRows, int headerColumns);

    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    int headerRowCount() const { return headerRows_; }
    int headerColumnCount() const { return headerColumns_; }

    const MatrixCell& at(int row, int column) const { return cells_[index(row, column)]; }
    MatrixCell& at(int row, int column) { return cells_[index(row, column)]; }

    std::vector<std::vector<QString>> texts() const;
    // Rows joined by '\n', cells by '\t' (tabs and line breaks inside a text
    // become blanks); no trailing line break.
    QString toTsv() const;

  private:
    size_t index(int r, int c) const {
        return static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c);
    }
    // The cells, row by row. A large pivot's cells take tens of megabytes:
    // mapped as huge pages rather than faulted in a small page at a time, and
    // made and released on several threads.
    class Cells {
      public:
        Cells() = default;
        explicit Cells(std::size_t count);
        Cells(const Cells& other);
        Cells(Cells&& other) noexcept { swap(other); }
        Cells& operator=(Cells other) noexcept {
            swap(other);
            return *this;
        }
        ~Cells();
        MatrixCell& operator[](std::size_t i) { return data_[i]; }
        const MatrixCell& operator[](std::size_t i) const { return data_[i]; }

      private:
        void swap(Cells& other) noexcept {
            std::swap(data_, other.data_);
            std::swap(count_, other.count_);
        }
        MatrixCell* data_ = nullptr;
        std::size_t count_ = 0;
    };

    int rows_ = 0, columns_ = 0, headerRows_ = 0, headerColumns_ = 0;
    Cells cells_;
};

struct MatrixShape {
    int rows = 0, columns = 0, headerRows = 0, headerColumns = 0;
};
using MatrixRowSink =
    std::function<void(const MatrixShape& shape, int row, std::vector<MatrixCell>& cells)>;

struct MatrixOptions {
    // Run the custom-draw handlers (screen and print texts); the export uses
    // the display texts only.
    bool customDraw = true;
    // Lay out every group expanded, whatever the view shows.
    bool expandAll = false;
    // Put the captions of the row fields (and of the data fields' level when
    // the rows hold it) in the last header row, when the view shows the
    // row-field headers.
    bool fieldCaptions = true;
};

}  // namespace morvane::pivot
