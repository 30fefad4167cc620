#pragma once
// Paints a pivot grid's viewport: only the rows, columns and header cells that intersect the
// area being painted. Texts and colours come from the engine's custom-draw calls, so display-text
// and custom-draw handlers decide what is shown; the styles table gives every other colour.

#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGridGeometry.h"

#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QVarLengthArray>

class QPainter;
class TcxPivotGridStyles;

namespace morvane::ui {

struct PivotPaintState {
    QRect selection;  // body cells (left = column, top = row); empty: none
    int focusedRow = -1, focusedColumn = -1;
    bool hasFocus = false;
    int draggedButton = -1;  // index into the geometry's buttons
    QPoint dragPos;
    PivotDropTarget drop;
};

class PivotGridPainter {
  public:
    PivotGridPainter(morvane::pivot::PivotEngine& engine, const PivotGridGeometry& geometry,
                     const TcxPivotGridStyles& styles, const QFont& font);

    void paint(QPainter& p, const QRect& clip, const PivotPaintState& state);

    // Colours the engine is told to use, so that a handler that leaves a colour alone can be told
    // apart from one that sets it.
    static morvane::pivot::ViewStyles engineStyles(const TcxPivotGridStyles& styles);

  private:
    void paintFieldAreas(QPainter& p, const PivotPaintState& state);
    void paintButton(QPainter& p, const PivotFieldButton& b, bool ghost);
    void paintColumnHeaders(QPainter& p, const QRect& clip);
    void paintRowHeaders(QPainter& p, const QRect& clip);
    void paintCells(QPainter& p, const QRect& clip, const PivotPaintState& state);
    void paintHeaderCell(QPainter& p, const QRect& cell, const QRect& visible,
                         const morvane::pivot::HeaderCell& h,
                         const morvane::pivot::HeaderDrawInfo& d, bool row);
    void drawText(QPainter& p, const QRect& r, const QString& text, int align);
    QColor headerColor(const morvane::pivot::HeaderDrawInfo& d, bool row) const;

    morvane::pivot::PivotEngine& engine_;
    const PivotGridGeometry& geo_;
    const TcxPivotGridStyles& styles_;
    QFont font_;
    morvane::pivot::ViewStyles engineColors_;
    int avgChar_ = 7;
    QVarLengthArray<QLine, 512> lines_;
};

}  // namespace morvane::ui
