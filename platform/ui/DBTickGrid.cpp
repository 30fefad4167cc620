#include "platform/ui/DBTickGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>

#include <cmath>
#include <algorithm>

#include "platform/db/RemoteUdpDataSet.h"

namespace morvane::ui {

namespace {
constexpr int kDefaultColumnWidth = 64;
// Room left and right of a text, and the rows measured for a column's width.
constexpr int kCellPadding = 14;
constexpr int kMeasuredRows = 2000;
}

// The footer strip below the rows: one cell per column, aligned with the header sections.
class DBTickGrid::Footer : public QWidget {
  public:
    explicit Footer(DBTickGrid* grid) : QWidget(grid), grid_(grid) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(0, 0, width(), 0);
        QHeaderView* header = grid_->horizontalHeader();
        const int offset = grid_->viewport()->x() - x();
        for (int c = 0; c < grid_->model_->columnCount(); ++c) {
            if (header->isSectionHidden(c))
                continue;
            const QRect cell(header->sectionViewportPosition(c) + offset, 1, header->sectionSize(c),
                             height() - 1);
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(cell.topRight(), cell.bottomRight());
            p.setPen(palette().color(QPalette::ButtonText));
            // A sum stands under its column's last digits; a count or a caption on the left.
            const bool sum = grid_->footerSums_[static_cast<size_t>(c)];
            p.drawText(cell.adjusted(3, 0, -3, 0),
                       Qt::AlignVCenter | (sum ? Qt::AlignRight : Qt::AlignLeft),
                       grid_->FooterText(c));
        }
    }

  private:
    DBTickGrid* grid_;
};

DBTickGrid::DBTickGrid(QWidget* parent) : QTableView(parent), model_(new DataSetTableModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(14);
    SetRowHeight(rowHeight_);
    connect(model_, &DataSetTableModel::currentRowMoved, this, &DBTickGrid::followDataSet);
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { sumsValid_ = false; });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        sumsValid_ = false;
        applyColumnWidths();
        if (footer_)
            footer_->update();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (footer_)
            footer_->update();
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (footer_)
            footer_->update();
    });
}

void DBTickGrid::SetDataSet(TRemoteUdpDataSet* dataSet) {
    model_->SetDataSet(dataSet);
}

void DBTickGrid::SetColumns(std::vector<GridColumn> columns) {
    footerFormats_.assign(columns.size(), QString());
    footerCounts_.assign(columns.size(), false);
    footerSums_.assign(columns.size(), false);
    sumsValid_ = false;
    model_->SetColumns(std::move(columns));
    applyColumnWidths();
}

int DBTickGrid::contentWidth(int column) const {
    const GridColumn& col = model_->Columns()[static_cast<size_t>(column)];
    int w = col.width > 0 ? col.width : kDefaultColumnWidth;
    const QFontMetrics header(horizontalHeader()->font());
    w = std::max(w, header.horizontalAdvance(col.caption) + kCellPadding);
    if (col.tick)
        return w;
    // The first rows tell the widths well enough; a long list is not measured to its end.
    const QFontMetrics cells(font());
    const int rows = std::min(model_->rowCount(), kMeasuredRows);
    for (int r = 0; r < rows; ++r) {
        const QString text = model_->data(model_->index(r, column), Qt::DisplayRole).toString();
        w = std::max(w, cells.horizontalAdvance(text) + kCellPadding);
    }
    return w;
}

void DBTickGrid::applyColumnWidths() {
    const auto& columns = model_->Columns();
    // Each column at least as wide as its texts: a code or a name is never cut.
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        setColumnWidth(c, contentWidth(c));
    if (autoWidth_)
        fitColumns();
}

void DBTickGrid::SetGridLineColor(TColor color) {
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(ToQColor(color).name()));
}

void DBTickGrid::SetRowHeight(int pixels) {
    rowHeight_ = pixels;
    verticalHeader()->setDefaultSectionSize(pixels);
    verticalHeader()->setMinimumSectionSize(qMin(pixels, 12));
    horizontalHeader()->setFixedHeight(pixels);
}

void DBTickGrid::SetColumnAutoWidth(bool on) {
    autoWidth_ = on;
    horizontalHeader()->setStretchLastSection(false);
    applyColumnWidths();
}

void DBTickGrid::SetRowIndicator(bool on) {
    verticalHeader()->setVisible(on);
}

void DBTickGrid::fitColumns() {
    const auto& columns = model_->Columns();
    if (columns.empty())
        return;
    // What each column's texts need; when together they need more than the grid has, the
    // columns keep those widths and the grid scrolls sideways.
    std::vector<int> need;
    int declared = 0;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        need.push_back(contentWidth(c));
        declared += need.back();
    }
    const int available = viewport()->width();
    if (available <= 0 || declared <= 0)
        return;
    if (declared > available) {
        for (int c = 0; c < static_cast<int>(columns.size()); ++c)
            setColumnWidth(c, need[static_cast<size_t>(c)]);
        return;
    }
    int used = 0;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const int w = need[static_cast<size_t>(c)];
        // The last column takes what rounding left over, so the columns fill the width exactly.
        const int size = c + 1 == static_cast<int>(columns.size())
                             ? available - used
                             : static_cast<int>(static_cast<long long>(w) * available / declared);
        setColumnWidth(c, qMax(size, 8));
        used += size;
    }
}

void DBTickGrid::SetFooterCount(int column, const QString& format) {
    if (column < 0 || column >= static_cast<int>(footerCounts_.size()))
        return;
    footerCounts_[column] = true;
    footerFormats_[column] = format;
    if (footer_)
        footer_->update();
}

void DBTickGrid::SetFooterSum(int column, const QString& format) {
    if (column < 0 || column >= static_cast<int>(footerSums_.size()))
        return;
    footerSums_[column] = true;
    footerFormats_[column] = format;
    if (footer_)
        footer_->update();
}

void DBTickGrid::SetFooterVisible(bool on) {
    if (on == (footer_ != nullptr))
        return;
    if (on) {
        footer_ = new Footer(this);
        footer_->show();
    } else {
        delete footer_;
        footer_ = nullptr;
    }
    layoutFooter();
}

QString DBTickGrid::FooterText(int column) const {
    if (!footer_ || column < 0 || column >= static_cast<int>(footerCounts_.size()))
        return QString();
    const QString& format = footerFormats_[column];
    if (footerSums_[column]) {
        if (!sumsValid_) {
            sums_.assign(footerSums_.size(), 0.0);
            for (int c = 0; c < static_cast<int>(footerSums_.size()); ++c) {
                if (!footerSums_[c])
                    continue;
                for (int r = 0; r < model_->rowCount(); ++r)
                    sums_[c] += model_->index(r, c).data(Qt::EditRole).toString().toDouble();
            }
            sumsValid_ = true;
        }
        // Four decimals at most, as money has; further digits are the noise of the additions.
        const double sum = std::round(sums_[column] * 1e4) / 1e4;
        if (format == QLatin1String("#"))
            return qRound64(sum) == 0 ? QString() : QString::number(qRound64(sum));
        return QString::number(sum, 'g', 15);
    }
    if (!footerCounts_[column])
        return QString();
    if (format.isEmpty())
        return QString::number(model_->rowCount());
    // A display format prints the number through its digit placeholders; without any it is
    // a fixed text.
    if (!format.contains('0') && !format.contains('#'))
        return format;
    QString text = format;
    const int first = text.indexOf(QRegularExpression(QStringLiteral("[0#,.]+")));
    const int length = text.mid(first).indexOf(QRegularExpression(QStringLiteral("[^0#,.]")));
    text.replace(first, length < 0 ? text.size() - first : length,
                 QString::number(model_->rowCount()));
    return text;
}

void DBTickGrid::layoutFooter() {
    // The footer lies in a bottom contents margin, below the rows and the scroll bar.
    const int h = footer_ ? rowHeight_ : 0;
    if (contentsMargins().bottom() != h)
        setContentsMargins(0, 0, 0, h);
    if (footer_) {
        footer_->setGeometry(frameWidth(), height() - h - frameWidth(), width() - 2 * frameWidth(),
                             h);
        footer_->update();
    }
}

void DBTickGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (autoWidth_)
        fitColumns();
    if (footer_)
        layoutFooter();
}

bool DBTickGrid::IncrementalSearch(const QString& text) {
    if (text.isEmpty() || model_->rowCount() == 0)
        return false;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const int start = qMax(currentIndex().row(), 0);
    const int rows = model_->rowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % rows;
        const QString cell = model_->index(row, column).data(Qt::DisplayRole).toString();
        if (cell.startsWith(text, Qt::CaseInsensitive)) {
            setCurrentIndex(model_->index(row, column));
            return true;
        }
    }
    return false;
}

void DBTickGrid::keyboardSearch(const QString& search) {
    if (!incrementalSearch_)
        return;
    QTableView::keyboardSearch(search);
}

void DBTickGrid::keyPressEvent(QKeyEvent* event) {
    if (enterMovesToNextCell_ && state() != QAbstractItemView::EditingState &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        const QModelIndex at = currentIndex();
        if (at.isValid()) {
            int row = at.row();
            int column = at.column() + 1;
            if (column >= model_->columnCount()) {
                column = 0;
                row = qMin(row + 1, model_->rowCount() - 1);
            }
            setCurrentIndex(model_->index(row, column));
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DBTickGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void DBTickGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    // The grid's current row is the dataset's current row.
    TRemoteUdpDataSet* ds = model_->DataSet();
    if (following_ || !current.isValid() || !ds || !ds->Active())
        return;
    if (current.row() != previous.row() && ds->RecNo() != current.row() + 1) {
        following_ = true;
        ds->SetRecNo(current.row() + 1);
        following_ = false;
    }
}

void DBTickGrid::followDataSet(int row) {
    if (following_)
        return;
    following_ = true;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
    } else if (currentIndex().row() != row) {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        setCurrentIndex(model_->index(row, column));
    }
    following_ = false;
}

void SetAllTicks(TRemoteUdpDataSet* dataSet, const QString& tickField, bool ticked) {
    if (!dataSet || !dataSet->Active())
        return;
    dataSet->DisableControls();
    struct Resume {
        TRemoteUdpDataSet* ds;
        ~Resume() { ds->EnableControls(); }
    } resume{dataSet};
    for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
        dataSet->Edit();
        dataSet->FieldByName(tickField)->SetAsInteger(ticked ? 1 : 0);
        dataSet->Post();
    }
}

}  // namespace morvane::ui
