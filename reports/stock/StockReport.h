#pragma once
// Tbase_StockReport: the windows that spread the current stock of goods and colours over the
// places that hold it (warehouses, own shops, franchisees, all of them). The filter panel
// keeps the goods picker and the pickers and size switch a window names; the date ranges and
// the posted switch are hidden, since stock has no date.
//
// Also what the stock statements share: the goods attributes of vgoodscolor c and the clause
// that narrows a shop statement to one kind of client.

#include <QString>

#include "framework/unt_BaseOLAPreport.h"

enum TStockFilter : unsigned {
    sfClient = 1,  // edit_client
    sfHouse = 2,   // edit_house
    sfSize = 4,    // sizecheck
};

class Tbase_StockReport : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    Tbase_StockReport(unsigned filters, const TPivotDesign& design, QWidget* parent = nullptr);
};

namespace morvane::reports::stock {

// The goods attributes of vgoodscolor c as a select line, ending in ",".
extern const QString kGoodsColumns;
// The same attributes as the grouping line closing the statements.
extern const QString kGoodsGroup;

// The statement of the shop stock windows: s_stock summed per shop, goods and colour for the
// clients whose kind is 自营 or 专柜 (own shops and counters), or every other kind
// (franchisees). The picked shops and the user's client scope narrow the kind's clients; the
// user's brand scope and the picked goods narrow the goods. `sizeColumns` follows the
// measures (SizeColumnsText of the window).
QString ShopStockSQL(bool franchise, const QString& selClient, const QString& selGoods,
                     const QString& sizeColumns);

}  // namespace morvane::reports::stock
