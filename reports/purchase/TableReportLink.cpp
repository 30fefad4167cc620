#include "reports/purchase/TableReportLink.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>

#include <algorithm>

#include "platform/ui/DBTickGrid.h"

namespace {

constexpr double kFontSize = 9.0;
constexpr double kPadX = 2.0;
const QColor kShade(0xE0, 0xE0, 0xE0);
const QColor kLine(0x80, 0x80, 0x80);

bool LooksNumeric(const QString& text) {
    bool ok = false;
    QString(text).remove(QLatin1Char('%')).toDouble(&ok);
    return ok;
}

}  // namespace

TcxGridReportLink::TcxGridReportLink(QObject* owner) : TBasedxReportLink(owner) {}

void TcxGridReportLink::SetComponent(morvane::ui::DBTickGrid* grid) {
    component_ = grid;
    Invalidate();
}

int TcxGridReportLink::CreateBodyPages(const QSizeF& firstBody, const QSizeF& otherBody) {
    captions_.clear();
    footer_.clear();
    rows_.clear();
    widths_.clear();
    numeric_.clear();
    pages_.clear();
    if (!component_)
        return 0;
    QAbstractItemModel* model = component_->model();
    const int columns = model->columnCount();
    if (columns == 0)
        return 0;
    bool anyFooter = false;
    for (int c = 0; c < columns; ++c) {
        captions_ << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        footer_ << component_->FooterText(c);
        anyFooter = anyFooter || !footer_.back().isEmpty();
    }
    if (!anyFooter)
        footer_.clear();
    numeric_.assign(columns, true);
    std::vector<bool> seen(columns, false);
    rows_.reserve(model->rowCount());
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList line;
        for (int c = 0; c < columns; ++c) {
            line << model->index(r, c).data(Qt::DisplayRole).toString();
            if (!line.back().isEmpty()) {
                seen[c] = true;
                numeric_[c] = numeric_[c] && LooksNumeric(line.back());
            }
        }
        rows_.push_back(std::move(line));
    }
    for (int c = 0; c < columns; ++c)
        numeric_[c] = numeric_[c] && seen[c];

    QFont font = PrintFont(kFontSize);
    const QFontMetricsF fm(font);
    font.setBold(true);
    const QFontMetricsF bold(font);
    rowHeight_ = fm.height() + 4;
    widths_.assign(columns, 0.0);
    const auto widen = [&](const QStringList& line, const QFontMetricsF& metrics) {
        for (int c = 0; c < columns && c < line.size(); ++c)
            widths_[c] = std::max(widths_[c], metrics.horizontalAdvance(line[c]) + 2 * kPadX + 1);
    };
    widen(captions_, bold);
    widen(footer_, bold);
    for (const QStringList& line : rows_)
        widen(line, fm);
    double total = 0;
    for (double w : widths_)
        total += w;
    const double room = std::min(firstBody.width(), otherBody.width());
    if (total > room) {
        for (double& w : widths_)
            w *= room / total;
    }

    // Rows under the captions, page by page; the footer after the last row, on a page of its
    // own when the last one is full.
    const auto fits = [&](double height) {
        return std::max(1, static_cast<int>(height / rowHeight_) - 1);
    };
    const int rowCount = static_cast<int>(rows_.size());
    int next = 0;
    bool footerPlaced = footer_.isEmpty();
    do {
        const int capacity = fits(pages_.empty() ? firstBody.height() : otherBody.height());
        Page page;
        page.firstRow = next;
        page.lastRow = std::min(rowCount, next + capacity) - 1;
        next = page.lastRow + 1;
        if (next >= rowCount && !footerPlaced && page.lastRow - page.firstRow + 1 < capacity) {
            page.footer = true;
            footerPlaced = true;
        }
        pages_.push_back(page);
    } while (next < rowCount || !footerPlaced);
    return static_cast<int>(pages_.size());
}

std::vector<QStringList> TcxGridReportLink::pageLines(int page) const {
    std::vector<QStringList> lines;
    if (page < 0 || page >= static_cast<int>(pages_.size()))
        return lines;
    const Page& p = pages_[static_cast<std::size_t>(page)];
    lines.push_back(captions_);
    for (int r = p.firstRow; r <= p.lastRow; ++r)
        lines.push_back(rows_[static_cast<std::size_t>(r)]);
    if (p.footer)
        lines.push_back(footer_);
    return lines;
}

void TcxGridReportLink::PaintBodyPage(QPainter& painter, int page) {
    const std::vector<QStringList> lines = pageLines(page);
    if (lines.empty())
        return;
    const bool footer = pages_[static_cast<std::size_t>(page)].footer;
    double tableWidth = 0;
    for (double w : widths_)
        tableWidth += w;
    painter.fillRect(QRectF(0, 0, tableWidth, rowHeight_), kShade);
    if (footer)
        painter.fillRect(QRectF(0, (lines.size() - 1) * rowHeight_, tableWidth, rowHeight_), kShade);

    QPen pen(kLine);
    pen.setWidthF(0.5);
    painter.setPen(pen);
    const double height = lines.size() * rowHeight_;
    for (std::size_t i = 0; i <= lines.size(); ++i)
        painter.drawLine(QPointF(0, i * rowHeight_), QPointF(tableWidth, i * rowHeight_));
    double x = 0;
    painter.drawLine(QPointF(0, 0), QPointF(0, height));
    for (double w : widths_) {
        x += w;
        painter.drawLine(QPointF(x, 0), QPointF(x, height));
    }

    painter.setPen(Qt::black);
    QFont font = PrintFont(kFontSize);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool shaded = i == 0 || (footer && i + 1 == lines.size());
        font.setBold(shaded);
        painter.setFont(font);
        const QFontMetricsF fm(font);
        x = 0;
        for (int c = 0; c < static_cast<int>(widths_.size()) && c < lines[i].size(); ++c) {
            const QRectF cell(x + kPadX, i * rowHeight_, widths_[c] - 2 * kPadX, rowHeight_);
            x += widths_[c];
            const QString text = fm.elidedText(lines[i][c], Qt::ElideRight, cell.width());
            const Qt::Alignment align = i == 0 ? Qt::AlignHCenter
                                        : numeric_[c] ? Qt::AlignRight
                                                      : Qt::AlignLeft;
            painter.drawText(cell, align | Qt::AlignVCenter, text);
        }
    }
}

QStringList TcxGridReportLink::BodyPageTexts(int page) {
    QStringList texts;
    for (const QStringList& line : pageLines(page))
        texts << line;
    return texts;
}
