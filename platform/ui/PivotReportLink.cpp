#include "platform/ui/PivotReportLink.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>

#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotGridStyles.h"

using morvane::pivot::CellKind;
using morvane::pivot::HeaderKind;
using morvane::pivot::MatrixCell;
using morvane::pivot::PivotMatrix;
using morvane::ui::PivotPrintPage;
using morvane::ui::PrintedCell;

namespace {

constexpr double kPointsPerScreenPixel = 72.0 / 96.0;
constexpr double kPadX = 3.0;  // points left and right of a text
constexpr double kPadY = 2.5;  // points above and below
// The repeated row headers take at most this share of a page's width.
constexpr double kRowHeaderShare = 0.5;
const QColor kGridLine(0x60, 0x60, 0x60);

}  // namespace

// The matrix and the measures that pagination and painting share.
struct TcxPivotGridReportLink::Layout {
    PivotMatrix matrix;
    std::vector<int> anchor;     // per cell: index of the cell that shows it
    std::vector<double> widths;  // per matrix column, points
    double rowHeight = 0;
    int headerRows = 0, headerColumns = 0;

    int at(int r, int c) const { return r * matrix.columnCount() + c; }
};

TcxPivotGridReportLink::TcxPivotGridReportLink(QObject* owner) : TBasedxReportLink(owner) {}

TcxPivotGridReportLink::~TcxPivotGridReportLink() = default;

void TcxPivotGridReportLink::SetComponent(TcxDBPivotGrid* grid) {
    component_ = grid;
    pages_.clear();
    Invalidate();
}

void TcxPivotGridReportLink::SetFontSize(double points) {
    fontSize_ = std::max(4.0, points);
    Invalidate();
}

void TcxPivotGridReportLink::SetBorders(bool on) {
    borders_ = on;
    Invalidate();
}

void TcxPivotGridReportLink::SetWhiteStyles(bool on) {
    whiteStyles_ = on;
    Invalidate();
}

const PivotPrintPage& TcxPivotGridReportLink::Page(int page) {
    static const PivotPrintPage none;
    if (page < 0 || page >= PageCount())
        return none;
    return pages_[static_cast<std::size_t>(page)];
}

namespace {

// Splits lengths into runs that fit `first` for the first run and `other` after it; a length
// that alone exceeds the room gets a run of its own. A run ends before an index whose `clean`
// flag is set when one lies in it (so that a group's headers stay on one page), else where the
// room ends.
std::vector<std::pair<int, int>> bands(const std::vector<double>& lengths,
                                       const std::vector<bool>& clean, int from, double first,
                                       double other) {
    std::vector<std::pair<int, int>> out;
    const int n = static_cast<int>(lengths.size());
    int start = from;
    double used = 0;
    double room = first;
    for (int i = from; i < n; ++i) {
        if (i > start && used + lengths[static_cast<std::size_t>(i)] > room + 1e-6) {
            int end = i;
            while (end > start + 1 && !clean[static_cast<std::size_t>(end)])
                --end;
            if (!clean[static_cast<std::size_t>(end)])
                end = i;
            out.emplace_back(start, end - 1);
            start = end;
            room = other;
            used = 0;
            for (int k = start; k < i; ++k)
                used += lengths[static_cast<std::size_t>(k)];
        }
        used += lengths[static_cast<std::size_t>(i)];
    }
    if (start < n)
        out.emplace_back(start, n - 1);
    return out;
}

}  // namespace

std::unique_ptr<TcxPivotGridReportLink::Layout> TcxPivotGridReportLink::measure() {
    auto owned = std::make_unique<Layout>();
    if (!component_)
        return owned;
    TcxDBPivotGrid& grid = *component_;
    morvane::pivot::PivotEngine& engine = grid.ViewData();
    Layout& lay = *owned;
    morvane::pivot::MatrixOptions options;
    options.customDraw = true;
    lay.matrix = engine.layoutMatrix(options);
    const PivotMatrix& m = lay.matrix;
    const int rows = m.rowCount();
    const int cols = m.columnCount();
    if (rows == 0 || cols == 0)
        return owned;
    lay.headerRows = m.headerRowCount();
    lay.headerColumns = m.headerColumnCount();

    // Which cell shows each cell: itself, or the spanning header that covers it.
    lay.anchor.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    std::iota(lay.anchor.begin(), lay.anchor.end(), 0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const MatrixCell& cell = m.at(r, c);
            if (cell.covered || (cell.rowSpan == 1 && cell.colSpan == 1))
                continue;
            const int self = lay.at(r, c);
            for (int rr = r; rr < std::min(rows, r + cell.rowSpan); ++rr) {
                for (int cc = c; cc < std::min(cols, c + cell.colSpan); ++cc)
                    lay.anchor[static_cast<std::size_t>(lay.at(rr, cc))] = self;
            }
        }
    }

    // Widths: the grid's, widened where a printed text needs more.
    const QFont font = PrintFont(fontSize_);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF fm(font);
    const QFontMetricsF fmBold(bold);
    lay.rowHeight = std::ceil(fm.height() + 2 * kPadY);
    lay.widths.assign(static_cast<std::size_t>(cols), 0.0);
    for (int c = 0; c < cols; ++c) {
        const int screen =
            c < lay.headerColumns ? grid.RowLevelWidth(c) : grid.ColumnWidth(c - lay.headerColumns);
        lay.widths[static_cast<std::size_t>(c)] = screen * kPointsPerScreenPixel;
    }
    // Characters never wider than the font's size (CJK are square, Latin narrower) let most
    // texts pass without being measured.
    const double charBound = std::max(fm.maxWidth(), fmBold.maxWidth());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const MatrixCell& cell = m.at(r, c);
            if (cell.covered || cell.colSpan != 1 || cell.text.isEmpty())
                continue;
            double& width = lay.widths[static_cast<std::size_t>(c)];
            if (cell.text.size() * charBound + 2 * kPadX <= width)
                continue;
            const bool strong = cell.cellKind != CellKind::Data ||
                                cell.headerKind == HeaderKind::Total ||
                                cell.headerKind == HeaderKind::GrandTotal;
            width = std::max(width,
                             (strong ? fmBold : fm).horizontalAdvance(cell.text) + 2 * kPadX + 1);
        }
    }
    for (double& w : lay.widths)
        w = std::ceil(std::max(w, 2 * kPadX + fm.averageCharWidth()));

    // A header over several columns gets the room its text needs, added to its last column.
    for (int r = 0; r < lay.headerRows; ++r) {
        for (int c = lay.headerColumns; c < cols; ++c) {
            const MatrixCell& cell = m.at(r, c);
            if (cell.covered || cell.colSpan < 2)
                continue;
            const int last = std::min(cols, c + cell.colSpan) - 1;
            double spanned = 0;
            for (int k = c; k <= last; ++k)
                spanned += lay.widths[static_cast<std::size_t>(k)];
            const double need = fmBold.horizontalAdvance(cell.text) + 2 * kPadX + 1;
            if (need > spanned)
                lay.widths[static_cast<std::size_t>(last)] += std::ceil(need - spanned);
        }
    }

    return owned;
}

double TcxPivotGridReportLink::ContentWidthPt() {
    if (!measured_)
        measured_ = measure();
    return std::accumulate(measured_->widths.begin(), measured_->widths.end(), 0.0);
}

void TcxPivotGridReportLink::Invalidate() {
    measured_.reset();
    TBasedxReportLink::Invalidate();
}

int TcxPivotGridReportLink::CreateBodyPages(const QSizeF& firstBody, const QSizeF& otherBody) {
    pages_.clear();
    if (!component_)
        return 0;
    TcxDBPivotGrid& grid = *component_;
    morvane::pivot::PivotEngine& engine = grid.ViewData();
    // The measures of ContentWidthPt when it ran for this pagination, else new ones.
    const std::unique_ptr<Layout> owned = measured_ ? std::move(measured_) : measure();
    Layout& lay = *owned;
    const PivotMatrix& m = lay.matrix;
    const int rows = m.rowCount();
    const int cols = m.columnCount();
    if (rows == 0 || cols == 0)
        return 0;
    const QFont font = PrintFont(fontSize_);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF fm(font);
    const QFontMetricsF fmBold(bold);
    // A page of columns ends where no header over several columns is cut, when it can.
    std::vector<bool> cleanBreak(static_cast<std::size_t>(cols) + 1, true);
    for (int r = 0; r < lay.headerRows; ++r) {
        for (int c = lay.headerColumns; c < cols; ++c) {
            const MatrixCell& cell = m.at(r, c);
            if (cell.covered || cell.colSpan < 2)
                continue;
            const int last = std::min(cols, c + cell.colSpan) - 1;
            for (int k = c + 1; k <= last; ++k)
                cleanBreak[static_cast<std::size_t>(k)] = false;
        }
    }

    // The repeated row headers keep room for the body; a body column wider than the page is
    // narrowed to it (its texts then end in "…").
    const double pageWidth = std::min(firstBody.width(), otherBody.width());
    const bool hasBody = cols > lay.headerColumns;
    double headerWidth =
        std::accumulate(lay.widths.begin(), lay.widths.begin() + lay.headerColumns, 0.0);
    const double headerRoom = hasBody ? pageWidth * kRowHeaderShare : pageWidth;
    if (headerWidth > headerRoom) {
        const double scale = headerRoom / headerWidth;
        for (int c = 0; c < lay.headerColumns; ++c)
            lay.widths[static_cast<std::size_t>(c)] =
                std::floor(lay.widths[static_cast<std::size_t>(c)] * scale);
        headerWidth =
            std::accumulate(lay.widths.begin(), lay.widths.begin() + lay.headerColumns, 0.0);
    }
    const double bodyRoom = pageWidth - headerWidth;
    for (int c = lay.headerColumns; c < cols; ++c) {
        double& w = lay.widths[static_cast<std::size_t>(c)];
        w = std::min(w, bodyRoom);
    }

    // Column bands across, row bands down (the first one below the title); every band of
    // columns uses the same row bands so that pages put side by side line up.
    std::vector<std::pair<int, int>> columnBands;
    if (hasBody)
        columnBands = bands(lay.widths, cleanBreak, lay.headerColumns, bodyRoom, bodyRoom);
    else
        columnBands.emplace_back(lay.headerColumns, lay.headerColumns - 1);
    const double headerHeight = lay.headerRows * lay.rowHeight;
    std::vector<double> heights(static_cast<std::size_t>(rows), lay.rowHeight);
    std::vector<std::pair<int, int>> rowBands =
        bands(heights, std::vector<bool>(heights.size(), true), lay.headerRows,
              firstBody.height() - headerHeight, otherBody.height() - headerHeight);
    if (rowBands.empty())
        rowBands.emplace_back(lay.headerRows, lay.headerRows - 1);

    for (const auto& [firstColumn, lastColumn] : columnBands) {
        std::vector<int> visibleCols(static_cast<std::size_t>(lay.headerColumns));
        std::iota(visibleCols.begin(), visibleCols.end(), 0);
        for (int c = firstColumn; c <= lastColumn; ++c)
            visibleCols.push_back(c);
        std::vector<double> xs{0.0};
        for (int c : visibleCols)
            xs.push_back(xs.back() + lay.widths[static_cast<std::size_t>(c)]);

        for (const auto& [firstRow, lastRow] : rowBands) {
            PivotPrintPage page;
            page.firstRow = firstRow;
            page.lastRow = lastRow;
            page.firstColumn = firstColumn;
            page.lastColumn = lastColumn;
            std::vector<int> visibleRows(static_cast<std::size_t>(lay.headerRows));
            std::iota(visibleRows.begin(), visibleRows.end(), 0);
            for (int r = firstRow; r <= lastRow; ++r)
                visibleRows.push_back(r);

            const int nr = static_cast<int>(visibleRows.size());
            const int nc = static_cast<int>(visibleCols.size());
            auto anchorAt = [&](int vr, int vc) {
                return lay.anchor[static_cast<std::size_t>(
                    lay.at(visibleRows[static_cast<std::size_t>(vr)],
                           visibleCols[static_cast<std::size_t>(vc)]))];
            };
            for (int vr = 0; vr < nr; ++vr) {
                for (int vc = 0; vc < nc; ++vc) {
                    // A cell (or the part of a spanning header on this page) is drawn from the
                    // first place on the page that shows it.
                    const int a = anchorAt(vr, vc);
                    if ((vr > 0 && anchorAt(vr - 1, vc) == a) ||
                        (vc > 0 && anchorAt(vr, vc - 1) == a))
                        continue;
                    int vr2 = vr, vc2 = vc;
                    while (vr2 + 1 < nr && anchorAt(vr2 + 1, vc) == a)
                        ++vr2;
                    while (vc2 + 1 < nc && anchorAt(vr, vc2 + 1) == a)
                        ++vc2;
                    const MatrixCell& src = m.at(a / cols, a % cols);
                    PrintedCell out;
                    switch (src.role) {
                        case MatrixCell::Role::Corner:
                            out.kind = PrintedCell::Kind::Corner;
                            break;
                        case MatrixCell::Role::ColumnHeader:
                            out.kind = PrintedCell::Kind::ColumnHeader;
                            break;
                        case MatrixCell::Role::RowHeader:
                            out.kind = PrintedCell::Kind::RowHeader;
                            break;
                        case MatrixCell::Role::Cell:
                            out.kind = PrintedCell::Kind::Cell;
                            break;
                    }
                    out.rect = QRectF(
                        xs[static_cast<std::size_t>(vc)], vr * lay.rowHeight,
                        xs[static_cast<std::size_t>(vc2 + 1)] - xs[static_cast<std::size_t>(vc)],
                        (vr2 - vr + 1) * lay.rowHeight);
                    const bool isCell = src.role == MatrixCell::Role::Cell;
                    const bool grand = isCell ? src.cellKind == CellKind::GrandTotal
                                              : src.headerKind == HeaderKind::GrandTotal;
                    out.bold = isCell ? src.cellKind != CellKind::Data
                                      : src.headerKind == HeaderKind::Total || grand;
                    out.rightAligned = isCell && src.value.isNumber();
                    // Colours as the grid paints them: the grand total in its own style when it
                    // has one, row headers in the row-header style, the rest as laid out.
                    QColor fill = QColor::fromRgba(src.color);
                    const auto& engineStyles = engine.styles();
                    const TcxPivotGridStyles* styles = grid.Styles();
                    if (grand && src.color == engineStyles.total)
                        fill = styles->Color(TcxPivotGridStyles::psGrandTotal);
                    else if (src.role == MatrixCell::Role::RowHeader &&
                             src.color == engineStyles.header)
                        fill = styles->Color(TcxPivotGridStyles::psRowHeader);
                    else if (src.role == MatrixCell::Role::Corner)
                        fill = QColor::fromRgba(engineStyles.header);
                    out.fill = whiteStyles_ ? 0xFFFFFFFF : fill.rgba();
                    const QFontMetricsF& metrics = out.bold ? fmBold : fm;
                    const double room = out.rect.width() - 2 * kPadX;
                    out.text = metrics.horizontalAdvance(src.text) <= room
                                   ? src.text
                                   : metrics.elidedText(src.text, Qt::ElideRight, room);
                    page.cells.push_back(std::move(out));
                }
            }
            pages_.push_back(std::move(page));
        }
    }
    return static_cast<int>(pages_.size());
}

void TcxPivotGridReportLink::PaintBodyPage(QPainter& painter, int page) {
    if (page < 0 || page >= static_cast<int>(pages_.size()))
        return;
    const auto& cells = pages_[static_cast<std::size_t>(page)].cells;
    // In passes (fills, lines, plain texts, bold texts), so that the painter's state changes a
    // few times per page and not per cell: a recorded preview page or a PDF page stays small.
    for (const PrintedCell& cell : cells) {
        if (qAlpha(cell.fill) != 0 && cell.fill != 0xFFFFFFFF)
            painter.fillRect(cell.rect, QColor::fromRgba(cell.fill));
    }
    if (borders_) {
        QPen line(kGridLine);
        line.setWidthF(0.5);
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        std::vector<QRectF> rects;
        rects.reserve(cells.size());
        for (const PrintedCell& cell : cells)
            rects.push_back(cell.rect);
        painter.drawRects(rects.data(), static_cast<int>(rects.size()));
    }

    painter.setPen(Qt::black);
    QFont font = PrintFont(fontSize_);
    for (const bool bold : {false, true}) {
        font.setBold(bold);
        painter.setFont(font);
        const QFontMetricsF fm(font);
        for (const PrintedCell& cell : cells) {
            if (cell.bold != bold || cell.text.isEmpty())
                continue;
            const double baseline =
                cell.rect.top() + (cell.rect.height() - fm.height()) / 2 + fm.ascent();
            const double x = cell.rightAligned
                                 ? cell.rect.right() - kPadX - fm.horizontalAdvance(cell.text)
                                 : cell.rect.left() + kPadX;
            painter.drawText(QPointF(x, baseline), cell.text);
        }
    }
}

QStringList TcxPivotGridReportLink::BodyPageTexts(int page) {
    QStringList texts;
    if (page < 0 || page >= static_cast<int>(pages_.size()))
        return texts;
    for (const PrintedCell& cell : pages_[static_cast<std::size_t>(page)].cells) {
        if (!cell.text.isEmpty())
            texts << cell.text;
    }
    return texts;
}
