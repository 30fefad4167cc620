#pragma once
// frm_NewGoodsRetail: shop retail by how long the goods have been on the market at each shop.
// A shop and goods pair that the shop holds in stock now and has sold in the period falls into
// an age band by the days from its first receipt at that shop to the period's end: bands of
// cxSpinEdit1 days ("A(1-7天)" to "H(50-56天)" for 7), then "I(大于56天)" for older goods and
// for goods the shop never received. The pivot shows per shop and goods category the styles,
// stock, sales quantity, amount and bill lines of each band. Its cells are drawn the grid's
// plain way.

#include "framework/unt_SaleOlAP.h"

class QSpinBox;

class Tfrm_NewGoodsRetail : public Tbase_SaleOlAP {
    Q_OBJECT
  public:
    explicit Tfrm_NewGoodsRetail(QWidget* parent = nullptr);

    QLabel* RzLabel7;        // "间隔时段:"
    QSpinBox* cxSpinEdit1;   // the band width in days, 7 to 30

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_NewGoodsRetail* frm_NewGoodsRetail;
