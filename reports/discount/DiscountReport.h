#pragma once
// Tbase_DiscountReport: what the three discount windows (frm_OLAPsaleDisc, frm_OLAPRetailDisc,
// frm_OLAPRetailDiscount) share: a filter panel reduced to the client and goods pickers (and,
// for wholesale, the warehouse picker) and the business-date range under the window's own
// caption; the entry-date range and the switches are hidden. Also the statement pieces of the
// two distribution windows, which spread goods colours over clients or shops.

#include <QString>

#include "framework/unt_BaseOLAPreport.h"

class Tbase_DiscountReport : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    // `clientLabel` is RzLabel1's text, `dateCaption` the business-date box's; `house` shows
    // the warehouse picker.
    Tbase_DiscountReport(const QString& clientLabel, const QString& dateCaption, bool house,
                         const TPivotDesign& design, QWidget* parent = nullptr);

  protected:
    // The business-date clause while its box is ticked, else "".
    QString BillDateClause() const;
    // The entry-date clause while its (hidden) box is ticked, else "".
    QString InputDateClause() const;
};

namespace morvane::reports {

// The goods-colour columns and measures (lines two and three of the distribution statements),
// each line closed by a line break.
QString DiscGoodsColourColumns();
// The goods-colour part of their grouping, closing the statement.
QString DiscGoodsColourGroup();

}  // namespace morvane::reports
