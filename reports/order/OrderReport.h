#pragma once
// Tbase_OrderReport: the windows that analyse document lines of client orders, wholesale
// sales and allocations over a date range. They keep the base filter panel: client and goods
// pickers, the business-date and entry-date ranges, and where a window names them the size
// and posted switches and the warehouse picker.
//
// Also what their statements share: the filter tail every one of them ends its conditions
// with, and the fixed lines of the client, goods and price-band statements.

#include <QString>

#include "framework/unt_BaseOLAPreport.h"

enum TOrderFilter : unsigned {
    ofSizePosted = 1,  // sizecheck and postedcheck
    ofHouse = 2,       // edit_house
};

class Tbase_OrderReport : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    Tbase_OrderReport(unsigned filters, const TPivotDesign& design, QWidget* parent = nullptr);

  protected:
    // The conditions after "where 1=1", each under its switch or list, in this order: posted
    // documents only (where the window honours postedcheck), business dates, entry dates,
    // goods, clients, the user's client scope and brand scope. Document head b, lines a,
    // goods view c.
    QString FilterTail(bool honoursPosted) const;
};

namespace morvane::reports::order {

// A date edit's date as the statements write it, yyyy-MM-dd.
QString DateText(const QDateEdit* edit);

// The first select line of the statements over document head b and client d.
extern const QString kClientColumns;
// The goods, goods attribute and measure lines of the two document-line windows.
extern const QString kLineColumns;
// Their closing grouping lines of goods, attributes, price and discount.
extern const QString kLineGroup;
// The document lines a of `detail` joined to their head b of `head`, the client d, its area e
// and the goods view c, up to "where 1=1" and a line break.
QString LineSource(const QString& detail, const QString& head);

// The category and price-band statement over the lines and heads that `from` joins (lines a,
// head b, client d); `filterTail` is the window's FilterTail.
QString SortSQL(const QString& from, const QString& filterTail);

}  // namespace morvane::reports::order
