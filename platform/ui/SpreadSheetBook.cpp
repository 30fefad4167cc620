#include "platform/ui/SpreadSheetBook.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

#include "platform/ui/SpreadSheetFormatDialog.h"
#include "platform/ui/TForm.h"
#include "platform/workbook/NumberFormat.h"
#include "platform/workbook/WorkbookFile.h"

using namespace morvane::workbook;

namespace morvane::ui {

namespace {

// Empty rows and columns shown past the used part, as a spreadsheet shows more than it holds.
constexpr int kSpareRows = 50;
constexpr int kSpareColumns = 10;
constexpr int kMinRows = 100;
constexpr int kMinColumns = 26;

QString ColumnName(int column) {
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

QColor ColorOf(Color c) {
    return QColor::fromRgb((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace

// The active sheet of the book as a table model: display texts, fonts, alignment, colours.
class SheetModel : public QAbstractTableModel {
  public:
    explicit SheetModel(TcxSpreadSheetBook* book) : QAbstractTableModel(book), book_(book) {}

    void reset() {
        beginResetModel();
        const Sheet& s = book_->ActiveSheet();
        int usedRows = s.rowCount(), usedColumns = std::max(s.columnCount(), s.columnWidthCount());
        for (const CellRange& m : s.merges()) {
            usedRows = std::max(usedRows, m.lastRow + 1);
            usedColumns = std::max(usedColumns, m.lastColumn + 1);
        }
        rows_ = std::max(kMinRows, usedRows + kSpareRows);
        columns_ = std::min(Sheet::kMaxColumns, std::max(kMinColumns, usedColumns + kSpareColumns));
        endResetModel();
    }
    void cellChanged(int row, int column) {
        if (row >= rows_ || column >= columns_) {
            reset();
            return;
        }
        emit dataChanged(index(row, column), index(row, column));
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const Sheet& s = book_->ActiveSheet();
        const Cell* cell = s.cell(index.row(), index.column());
        const FormatId id = cell ? cell->format : 0;
        const CellFormat& f = book_->Book().formats().at(id);
        switch (role) {
            case Qt::DisplayRole:
                return book_->CellText(index.row(), index.column());
            case Qt::EditRole: {
                if (!cell || cell->kind == Cell::Kind::Blank)
                    return QString();
                if (cell->kind == Cell::Kind::Text)
                    return QString::fromStdString(s.text(*cell));
                return book_->CellText(index.row(), index.column());
            }
            case Qt::FontRole:
                return book_->fontOf(id);
            case Qt::TextAlignmentRole: {
                Qt::Alignment h;
                switch (f.halign) {
                    case HAlign::Left:
                        h = Qt::AlignLeft;
                        break;
                    case HAlign::Center:
                        h = Qt::AlignHCenter;
                        break;
                    case HAlign::Right:
                        h = Qt::AlignRight;
                        break;
                    case HAlign::General:
                        h = book_->DefaultAlignment() & Qt::AlignHorizontal_Mask;
                        if (h == Qt::AlignLeft && cell && cell->kind == Cell::Kind::Number)
                            h = Qt::AlignRight;
                        break;
                }
                const Qt::Alignment v = f.valign == VAlign::Top      ? Qt::AlignTop
                                        : f.valign == VAlign::Center ? Qt::AlignVCenter
                                                                     : Qt::AlignBottom;
                return QVariant::fromValue(h | v);
            }
            case Qt::BackgroundRole:
                if (f.fill != kAutoColor)
                    return ColorOf(f.fill);
                return {};
            case Qt::ForegroundRole:
                if (f.font.color != kAutoColor)
                    return ColorOf(f.font.color);
                return {};
            default:
                return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole)
            return false;
        book_->SetCellText(index.row(), index.column(), value.toString());
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::DisplayRole)
            return orientation == Qt::Horizontal ? ColumnName(section)
                                                 : QString::number(section + 1);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return {};
    }

  private:
    TcxSpreadSheetBook* book_;
    int rows_ = kMinRows, columns_ = kMinColumns;
};

namespace {

// Draws a cell as the styled delegate does, then its borders (merged cells: the borders of
// their top-left cell around the whole range).
class BorderDelegate : public QStyledItemDelegate {
  public:
    BorderDelegate(TcxSpreadSheetBook* book) : QStyledItemDelegate(book), book_(book) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const Cell* cell = book_->ActiveSheet().cell(index.row(), index.column());
        if (!cell)
            return;
        const Borders& b = book_->Book().formats().at(cell->format).borders;
        if (b == Borders())
            return;
        painter->save();
        const QRect r = option.rect;
        auto line = [painter](BorderStyle s, QPoint from, QPoint to) {
            if (s == BorderStyle::None)
                return;
            painter->setPen(QPen(Qt::black, s == BorderStyle::Medium ? 2 : 1));
            painter->drawLine(from, to);
        };
        line(b.top, r.topLeft(), r.topRight());
        line(b.bottom, r.bottomLeft(), r.bottomRight());
        line(b.left, r.topLeft(), r.bottomLeft());
        line(b.right, r.topRight(), r.bottomRight());
        painter->restore();
    }

  private:
    TcxSpreadSheetBook* book_;
};

}  // namespace

}  // namespace morvane::ui

using morvane::ui::SheetModel;

TcxSpreadSheetBook::TcxSpreadSheetBook(QWidget* parent) : QTableView(parent) {
    book_.addSheet(QStringLiteral("Sheet1"));
    model_ = new SheetModel(this);
    setModel(model_);
    setItemDelegate(new morvane::ui::BorderDelegate(this));
    setGridStyle(Qt::SolidLine);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #d4d4d4; }"));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setMinimumSectionSize(4);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (popup_)
            popup_->popup(viewport()->mapToGlobal(pos));
    });
    defaultFont_ = font();
    relayout();
}

TcxSpreadSheetBook::~TcxSpreadSheetBook() = default;

Sheet& TcxSpreadSheetBook::ActiveSheet() {
    return book_.sheet(active_);
}

const Sheet& TcxSpreadSheetBook::ActiveSheet() const {
    return book_.sheet(active_);
}

void TcxSpreadSheetBook::SetActiveSheetIndex(int index) {
    if (index < 0 || index >= book_.sheetCount() || index == active_)
        return;
    active_ = index;
    Refresh();
}

void TcxSpreadSheetBook::SetBook(Workbook book) {
    if (book.sheetCount() == 0)
        book.addSheet(QStringLiteral("Sheet1"));
    book_ = std::move(book);
    active_ = 0;
    fonts_.clear();
    Refresh();
}

void TcxSpreadSheetBook::LoadFromFile(const QString& fileName) {
    SetBook(loadWorkbook(fileName));
}

void TcxSpreadSheetBook::SaveToFile(const QString& fileName) const {
    saveWorkbook(book_, fileName);
}

void TcxSpreadSheetBook::ClearAll() {
    ActiveSheet().clear();
    Refresh();
}

void TcxSpreadSheetBook::BeginUpdate() {
    if (updateDepth_++ == 0)
        setUpdatesEnabled(false);
}

void TcxSpreadSheetBook::EndUpdate() {
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ == 0) {
        relayout();
        setUpdatesEnabled(true);
    }
}

void TcxSpreadSheetBook::Refresh() {
    if (updateDepth_ == 0)
        relayout();
}

void TcxSpreadSheetBook::relayout() {
    model_->reset();
    const Sheet& s = ActiveSheet();
    clearSpans();
    for (const CellRange& m : s.merges())
        setSpan(m.firstRow, m.firstColumn, m.lastRow - m.firstRow + 1,
                m.lastColumn - m.firstColumn + 1);
    QHeaderView* h = horizontalHeader();
    const int defaultWidth = ColumnPixels(s.defaultColumnWidth());
    h->setDefaultSectionSize(defaultWidth);
    // After the reset every section has the default size: only sizes of their own are set.
    for (int c = 0; c < std::min(model_->columnCount(), s.columnWidthCount()); ++c)
        if (const double w = s.columnWidth(c); w > 0)
            h->resizeSection(c, ColumnPixels(w));
    QHeaderView* v = verticalHeader();
    const int defaultHeight = RowPixels(defaultRowHeight_);
    v->setDefaultSectionSize(defaultHeight);
    for (int r = 0; r < std::min(model_->rowCount(), s.rowCount()); ++r)
        if (const double ht = s.rowHeight(r); ht > 0)
            v->resizeSection(r, RowPixels(ht));
}

void TcxSpreadSheetBook::SetDefaultFont(const QFont& font) {
    defaultFont_ = font;
    fonts_.clear();
    Refresh();
}

void TcxSpreadSheetBook::SetDefaultAlignment(Qt::Alignment alignment) {
    defaultAlignment_ = alignment;
    Refresh();
}

void TcxSpreadSheetBook::SetDefaultRowHeight(double points) {
    defaultRowHeight_ = points;
    Refresh();
}

QFont TcxSpreadSheetBook::fontOf(FormatId id) const {
    auto it = fonts_.find(id);
    if (it != fonts_.end())
        return *it;
    // The default format shows in the book's default font; any other in its own.
    QFont f = defaultFont_;
    if (id != 0) {
        const Font& x = book_.formats().at(id).font;
        f = QFont(QString::fromStdString(x.name));
        f.setPointSizeF(x.size > 0 ? x.size : 10);
        f.setBold(x.bold);
        f.setItalic(x.italic);
    }
    fonts_.insert(id, f);
    return f;
}

int TcxSpreadSheetBook::ColumnPixels(double characters) {
    return std::max(4, static_cast<int>(std::lround(characters * 7)) + 5);
}

int TcxSpreadSheetBook::RowPixels(double points) {
    return std::max(4, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

QString TcxSpreadSheetBook::CellText(int row, int column) const {
    return shownText(book_, ActiveSheet(), row, column);
}

QString TcxSpreadSheetBook::SheetText() const {
    const Sheet& s = ActiveSheet();
    QStringList lines;
    for (int r = 0; r < s.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < s.columnCount(); ++c) {
            QString t = CellText(r, c);
            t.replace(QLatin1Char('\t'), QLatin1Char(' '));
            t.replace(QLatin1Char('\r'), QLatin1Char(' '));
            t.replace(QLatin1Char('\n'), QLatin1Char(' '));
            cells << t;
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TcxSpreadSheetBook::SetCellText(int row, int column, const QString& text) {
    Sheet& s = ActiveSheet();
    const Cell* old = s.cell(row, column);
    const FormatId format = old ? old->format : 0;
    if (text.isEmpty()) {
        if (old)
            s.setBlank(row, column, format);
    } else if (text.startsWith(QLatin1Char('\''))) {
        s.setText(row, column, text.mid(1), format);
    } else {
        bool ok = false;
        const double v = text.toDouble(&ok);
        const bool percent = text.endsWith(QLatin1Char('%'));
        double p = 0;
        bool pok = false;
        if (percent)
            p = text.chopped(1).toDouble(&pok);
        if (ok) {
            s.setNumber(row, column, v, format);
        } else if (pok) {
            CellFormat f = book_.formats().at(format);
            f.numberFormat = percentFormatFor(text);
            s.setNumber(row, column, p / 100, book_.addFormat(f));
        } else {
            s.setText(row, column, text, format);
        }
    }
    if (updateDepth_ == 0)
        model_->cellChanged(row, column);
}

QRect TcxSpreadSheetBook::SelectionRect() const {
    QRect rect;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        rect = rect.united(QRect(QPoint(r.left(), r.top()), QPoint(r.right(), r.bottom())));
    if (rect.isNull() && currentIndex().isValid())
        rect = QRect(currentIndex().column(), currentIndex().row(), 1, 1);
    return rect;
}

void TcxSpreadSheetBook::SelectRange(int row1, int column1, int row2, int column2) {
    const QModelIndex a = model_->index(row1, column1), b = model_->index(row2, column2);
    setCurrentIndex(a);
    selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
}

int TcxSpreadSheetBook::ActiveRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int TcxSpreadSheetBook::ActiveColumn() const {
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

QString TcxSpreadSheetBook::SelectionText() const {
    const QRect r = SelectionRect();
    QStringList lines;
    for (int row = r.top(); row <= r.bottom(); ++row) {
        QStringList cells;
        for (int c = r.left(); c <= r.right(); ++c) {
            QString t = CellText(row, c);
            t.replace(QLatin1Char('\t'), QLatin1Char(' '));
            t.replace(QLatin1Char('\n'), QLatin1Char(' '));
            cells << t;
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TcxSpreadSheetBook::CopyToClipboard() const {
    QApplication::clipboard()->setText(SelectionText());
}

void TcxSpreadSheetBook::ApplyFormat(const FormatChange& change) {
    const QRect r = SelectionRect();
    if (r.isNull() || change.empty())
        return;
    applyFormatChange(book_, ActiveSheet(), {r.top(), r.left(), r.bottom(), r.right()}, change);
    Refresh();
}

void TcxSpreadSheetBook::ShowFormatCellsDialog() {
    const QRect r = SelectionRect();
    if (r.isNull())
        return;
    const Cell* cell = ActiveSheet().cell(r.top(), r.left());
    const CellRange range{r.top(), r.left(), r.bottom(), r.right()};
    const CellRange* merged = ActiveSheet().mergeAt(r.top(), r.left());
    TcxSpreadSheetFormatDialog dialog(book_.formats().at(cell ? cell->format : 0),
                                      merged && *merged == range);
    if (dialog.ShowModal() == morvane::ui::mrOk)
        ApplyFormat(dialog.Change());
}

void TcxSpreadSheetBook::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown_) {
        int key = event->key();
        onKeyDown_(key, event->modifiers());
        if (key == 0) {
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        const QRect r = SelectionRect();
        for (int row = r.top(); row <= r.bottom(); ++row)
            for (int c = r.left(); c <= r.right(); ++c)
                if (ActiveSheet().cell(row, c))
                    SetCellText(row, c, QString());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}
