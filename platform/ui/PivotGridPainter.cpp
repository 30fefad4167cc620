#include "platform/ui/PivotGridPainter.h"

#include "platform/ui/PivotGridStyles.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace morvane::ui {

using morvane::pivot::Area;
using morvane::pivot::CellKind;
using morvane::pivot::HeaderKind;
using S = TcxPivotGridStyles;

namespace {

const QColor kLine(0xD4, 0xD8, 0xDE);
const QColor kHeaderLine(0xB9, 0xC0, 0xCA);
const QColor kButtonBorder(0x9A, 0xA3, 0xB0);
const QColor kText(0x20, 0x24, 0x2A);
const QColor kHint(0x8A, 0x92, 0x9C);
const QColor kFilterOn(0x1E, 0x6F, 0xD9);

morvane::pivot::Rgb rgb(const QColor& c) {
    return c.rgba();
}

void triangle(QPainter& p, QPoint center, int size, bool down, const QColor& color) {
    const int h = size / 2;
    QPolygon poly;
    if (down)
        poly << QPoint(center.x() - h, center.y() - h / 2)
             << QPoint(center.x() + h, center.y() - h / 2)
             << QPoint(center.x(), center.y() + h / 2 + 1);
    else
        poly << QPoint(center.x() - h, center.y() + h / 2)
             << QPoint(center.x() + h, center.y() + h / 2)
             << QPoint(center.x(), center.y() - h / 2 - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(poly);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

PivotGridPainter::PivotGridPainter(morvane::pivot::PivotEngine& engine,
                                   const PivotGridGeometry& geometry,
                                   const TcxPivotGridStyles& styles, const QFont& font)
    : engine_(engine), geo_(geometry), styles_(styles), font_(font) {
    engineColors_ = engineStyles(styles);
    avgChar_ = std::max(1, QFontMetrics(font_).averageCharWidth());
}

morvane::pivot::ViewStyles PivotGridPainter::engineStyles(const TcxPivotGridStyles& styles) {
    morvane::pivot::ViewStyles v;
    v.content = rgb(styles.Color(S::psContent));
    v.total = rgb(styles.Color(S::psTotal));
    v.header = rgb(styles.Color(S::psColumnHeader));
    return v;
}

void PivotGridPainter::paint(QPainter& p, const QRect& clip, const PivotPaintState& state) {
    p.setFont(font_);
    p.fillRect(clip, styles_.Color(S::psBackground));
    paintFieldAreas(p, state);
    if (geo_.columnHeaderArea().intersects(clip))
        paintColumnHeaders(p, clip);
    if (geo_.rowHeaderArea().intersects(clip))
        paintRowHeaders(p, clip);
    if (geo_.bodyArea().intersects(clip))
        paintCells(p, clip, state);
    p.setClipping(false);
    if (state.draggedButton >= 0 && state.draggedButton < static_cast<int>(geo_.buttons().size())) {
        if (state.drop.valid()) {
            const QRect& r = state.drop.indicator;
            p.fillRect(r, kFilterOn);
            triangle(p, QPoint(r.center().x(), r.top() - 3), 8, true, kFilterOn);
            triangle(p, QPoint(r.center().x(), r.bottom() + 3), 8, false, kFilterOn);
        }
        PivotFieldButton ghost = geo_.buttons()[static_cast<size_t>(state.draggedButton)];
        ghost.rect.moveCenter(state.dragPos);
        paintButton(p, ghost, true);
    }
}

void PivotGridPainter::paintFieldAreas(QPainter& p, const PivotPaintState& state) {
    struct Band {
        QRect rect;
        int slot;
        Area area;
        const char* hint;
    };
    const Band bands[] = {
        {geo_.filterArea(), S::psFilterHeaderArea, Area::Filter, "拖动筛选字段至此处"},
        {geo_.dataArea(), S::psDataHeaderArea, Area::Data, "拖动数据项至此处"},
        {geo_.columnFieldArea(), S::psColumnHeaderArea, Area::Column, "拖动列字段至此处"},
        {geo_.cornerArea(), S::psRowHeaderArea, Area::Row, "拖动行字段至此处"},
    };
    for (const Band& b : bands) {
        if (b.rect.isEmpty())
            continue;
        p.fillRect(b.rect, styles_.Color(b.slot));
        bool any = false;
        for (const PivotFieldButton& btn : geo_.buttons())
            any = any || btn.area == b.area;
        if (!any) {
            p.setPen(kHint);
            QRect r = b.rect.adjusted(6, 0, -4, 0);
            if (b.area == Area::Row)
                r.setTop(geo_.bodyTop() - geo_.rowHeight());
            p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       QString::fromUtf8(b.hint));
        }
    }
    if (!geo_.filterArea().isEmpty()) {
        p.setPen(styles_.Color(S::psFilterSeparator));
        p.drawLine(geo_.filterArea().bottomLeft(), geo_.filterArea().bottomRight());
    }
    for (size_t i = 0; i < geo_.buttons().size(); ++i)
        if (static_cast<int>(i) != state.draggedButton)
            paintButton(p, geo_.buttons()[i], false);
}

void PivotGridPainter::paintButton(QPainter& p, const PivotFieldButton& b, bool ghost) {
    QColor face = styles_.Color(S::psFieldHeader);
    if (ghost)
        face.setAlpha(210);
    p.setPen(kButtonBorder);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(b.rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setBrush(Qt::NoBrush);
    QRect text = b.rect.adjusted(6, 0, -4, 0);
    if (b.filterButton) {
        const int ax = b.rect.right() - PivotGridGeometry::kFilterArrowWidth;
        const bool active = b.field && b.field->filter().active();
        triangle(p, QPoint(ax + PivotGridGeometry::kFilterArrowWidth / 2, b.rect.center().y()), 8,
                 true, active ? kFilterOn : QColor(0x55, 0x5C, 0x66));
        p.setPen(kButtonBorder);
        p.drawLine(ax, b.rect.top() + 3, ax, b.rect.bottom() - 3);
        text.setRight(ax - 2);
    }
    if (b.field && (b.area == Area::Row || b.area == Area::Column)) {
        const bool desc = b.field->sortOrder() == morvane::pivot::SortOrder::Descending;
        triangle(p, QPoint(text.right() - 5, b.rect.center().y()), 6, desc,
                 QColor(0x70, 0x78, 0x84));
        text.setRight(text.right() - 12);
    }
    p.setPen(kText);
    drawText(p, text, b.text, Qt::AlignLeft);
}

QColor PivotGridPainter::headerColor(const morvane::pivot::HeaderDrawInfo& d, bool row) const {
    if (d.kind == HeaderKind::GrandTotal && d.color == engineColors_.total)
        return styles_.Color(S::psGrandTotal);
    if (row && d.color == engineColors_.header)
        return styles_.Color(S::psRowHeader);
    return QColor::fromRgba(d.color);
}

void PivotGridPainter::drawText(QPainter& p, const QRect& r, const QString& text, int align) {
    if (text.isEmpty() || r.width() <= 0)
        return;
    const int flags = align | Qt::AlignVCenter | Qt::TextSingleLine;
    // Most texts fit; measure only those that might not.
    if (text.size() * avgChar_ * 2 > r.width()) {
        const QFontMetrics fm(font_);
        if (fm.horizontalAdvance(text) > r.width()) {
            p.drawText(r, flags, fm.elidedText(text, Qt::ElideRight, r.width()));
            return;
        }
    }
    p.drawText(r, flags, text);
}

void PivotGridPainter::paintHeaderCell(QPainter& p, const QRect& cell, const QRect& visible,
                                       const morvane::pivot::HeaderCell& h,
                                       const morvane::pivot::HeaderDrawInfo& d, bool row) {
    p.fillRect(cell, headerColor(d, row));
    p.setPen(kHeaderLine);
    p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
    p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    if (d.done)
        return;
    // A cell that runs out of view shows its text in the part still visible.
    QRect textRect = cell.intersected(visible);
    if (row)
        textRect.setHeight(std::min(textRect.height(), geo_.rowHeight()));
    else
        textRect.setWidth(std::min(textRect.width(), std::max(cell.width(), 1)));
    if (h.expandable) {
        const QRect box = PivotGridGeometry::expandBoxRect(textRect, geo_.rowHeight());
        p.setPen(QColor(0x7A, 0x82, 0x8E));
        p.fillRect(box, QColor(255, 255, 255));
        p.drawRect(box.adjusted(0, 0, -1, -1));
        const int cy = box.center().y(), cx = box.center().x();
        p.drawLine(box.left() + 2, cy, box.right() - 2, cy);
        if (!h.expanded)
            p.drawLine(cx, box.top() + 2, cx, box.bottom() - 2);
        textRect.setLeft(box.right() + 4);
    } else {
        textRect.setLeft(textRect.left() + 4);
    }
    p.setPen(kText);
    drawText(p, textRect.adjusted(0, 0, -3, 0), d.text, Qt::AlignLeft);
}

void PivotGridPainter::paintColumnHeaders(QPainter& p, const QRect& clip) {
    const QRect area = geo_.columnHeaderArea();
    p.setClipRect(area.intersected(clip));
    const int c0 = geo_.firstVisibleColumn(), c1 = geo_.lastVisibleColumn();
    for (int l = 0; l < geo_.columnLevels(); ++l) {
        for (int c = c0; c <= c1;) {
            const morvane::pivot::HeaderCell h = engine_.columnHeader(c, l);
            const int next = std::max(c + 1, h.anchorItem + h.itemSpan);
            if (h.anchorLevel == l) {
                const QRect cell = geo_.columnHeaderRect(h.anchorItem, l, h.itemSpan, h.levelSpan);
                if (h.kind == HeaderKind::Empty) {
                    p.fillRect(cell, styles_.Color(S::psColumnHeader));
                    p.setPen(kHeaderLine);
                    p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
                } else {
                    const auto d = engine_.drawColumnHeader(h.anchorItem, l);
                    paintHeaderCell(p, cell, area, h, d, false);
                }
            }
            c = next;
        }
    }
}

void PivotGridPainter::paintRowHeaders(QPainter& p, const QRect& clip) {
    const QRect area = geo_.rowHeaderArea();
    p.setClipRect(area.intersected(clip));
    const int r0 = geo_.firstVisibleRow(), r1 = geo_.lastVisibleRow();
    for (int l = 0; l < geo_.rowLevels(); ++l) {
        for (int r = r0; r <= r1;) {
            const morvane::pivot::HeaderCell h = engine_.rowHeader(r, l);
            const int next = std::max(r + 1, h.anchorItem + h.itemSpan);
            if (h.anchorLevel == l) {
                const QRect cell = geo_.rowHeaderRect(h.anchorItem, l, h.itemSpan, h.levelSpan);
                if (h.kind == HeaderKind::Empty) {
                    p.fillRect(cell, styles_.Color(S::psRowHeader));
                    p.setPen(kHeaderLine);
                    p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
                } else {
                    const auto d = engine_.drawRowHeader(h.anchorItem, l);
                    paintHeaderCell(p, cell, area, h, d, true);
                }
            }
            r = next;
        }
    }
}

void PivotGridPainter::paintCells(QPainter& p, const QRect& clip, const PivotPaintState& state) {
    const QRect area = geo_.bodyArea();
    const QRect visible = area.intersected(clip);
    p.setClipRect(visible);
    int r0 = geo_.firstVisibleRow(), r1 = geo_.lastVisibleRow();
    int c0 = geo_.firstVisibleColumn(), c1 = geo_.lastVisibleColumn();
    // Narrow the ranges to the part being painted.
    const int clipTopRow =
        geo_.rowAtContentY(static_cast<long long>(visible.top()) - geo_.bodyTop() + geo_.scrollY());
    if (clipTopRow > r0)
        r0 = clipTopRow;
    r1 = std::min(r1, r0 + visible.height() / geo_.rowHeight() + 1);
    const int clipLeft =
        geo_.columnAtContentX(visible.left() - geo_.rowHeaderWidth() + geo_.scrollX());
    if (clipLeft > c0)
        c0 = clipLeft;
    const QColor grand = styles_.Color(S::psGrandTotal);
    QColor sel = styles_.Color(S::psSelected);
    sel.setAlpha(64);
    const int bottom = geo_.rowY(r1) + geo_.rowHeight() - 1;
    lines_.clear();
    int right = 0;
    for (int c = c0; c <= c1; ++c) {
        const int x = geo_.columnX(c), w = geo_.columnWidth(c);
        right = x + w - 1;
        if (x > visible.right()) {
            c1 = c - 1;
            break;
        }
        for (int r = r0; r <= r1; ++r) {
            const QRect cell(x, geo_.rowY(r), w, geo_.rowHeight());
            const morvane::pivot::CellDrawInfo info = engine_.drawCell(r, c);
            QColor fill = info.kind == CellKind::GrandTotal && info.color == engineColors_.total
                              ? grand
                              : QColor::fromRgba(info.color);
            p.fillRect(cell, fill);
            if (state.selection.contains(c, r))
                p.fillRect(cell, sel);
            if (info.done || info.text.isEmpty())
                continue;
            p.setPen(kText);
            drawText(p, cell.adjusted(4, 0, -4, 0), info.text,
                     info.value.isNumber() ? Qt::AlignRight : Qt::AlignLeft);
        }
        lines_.append(QLine(right, geo_.rowY(r0), right, bottom));
    }
    for (int r = r0; r <= r1; ++r) {
        const int y = geo_.rowY(r) + geo_.rowHeight() - 1;
        lines_.append(QLine(area.left(), y, right, y));
    }
    p.setPen(kLine);
    p.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    if (state.hasFocus && state.focusedRow >= r0 && state.focusedRow <= r1 &&
        state.focusedColumn >= c0 && state.focusedColumn <= c1) {
        QPen pen(styles_.Color(S::psSelected));
        pen.setWidth(2);
        p.setPen(pen);
        p.drawRect(geo_.cellRect(state.focusedRow, state.focusedColumn).adjusted(1, 1, -1, -1));
    }
}

}  // namespace morvane::ui
