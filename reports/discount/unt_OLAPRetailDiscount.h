#pragma once
// frm_OLAPRetailDiscount: shop retail sales (posted or not) of goods sorted into discount bands
// by the ratio of the selling price to the tag price, rounded to four decimals: 正价 from 1 to
// 10, then 9折 down to 1折 in tenths (a boundary belongs to the higher band), 赠送 for anything
// else. Goods without a tag price are left out. No user scope applies.

#include "reports/discount/DiscountReport.h"

class Tfrm_OLAPRetailDiscount : public Tbase_DiscountReport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPRetailDiscount(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPRetailDiscount* frm_OLAPRetailDiscount;
