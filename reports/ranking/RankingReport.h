#pragma once
// Tbase_RankingReport: what the ranking, price and stock-ratio windows share on the sales
// pivot window. Their filter panel shows only the pickers and the date range the window
// reads, under the labels of its kind of documents:
//   rpWholesale  "客户选择：" client picker, goods picker, "销售日期:" range
//   rpRetail     "店铺选择：" shop picker, goods picker, "零售日期:" range
//   rpGoods      the goods picker alone on one line of a 49-pixel panel; the date box
//                unchecked and hidden
// The warehouse picker stays hidden: no statement of these windows reads it. The entry-date
// range, the posted, size and finished switches are hidden too.
//
// A window that groups by a goods category passes the statement listing the labels of its
// category box (framework/CategoryBox.h) and the label to preselect; the box goes after the
// date range (after the goods picker in rpGoods).

#include <QString>

#include "framework/unt_SaleOlAP.h"

enum TRankingPanel { rpWholesale, rpRetail, rpGoods };

class Tbase_RankingReport : public Tbase_SaleOlAP {
    Q_OBJECT
  public:
    Tbase_RankingReport(TRankingPanel panel, const TPivotDesign& design,
                        const QString& categoryList = QString(),
                        const QString& categoryPreselect = QString(), QWidget* parent = nullptr);

  protected:
    // The business-date bounds on b.fbilldate while oderdate_check is ticked, then the
    // entry-date bounds on b.finputdate while modidate_check is, each clause on its own line.
    QString DateClauses() const;
    // The filter tail of the ranking windows: DateClauses, the picked goods (a.fgoodsid) and
    // clients (b.fclientcode), the user's client scope (b.fclientcode) and brand scope
    // (c.brand).
    QString RankingFilterTail() const;
    // What the two stock-to-sales windows share after their head: the retail quantities of
    // the period per shop and goods beside the current shop stock, joined to goods (b),
    // dt_client (c) and v_clientprice (d), narrowed by the picked goods and shops and the
    // user's client and brand scope.
    QString StockRatioSource() const;

  private:
    void showGoodsOnly();
};
