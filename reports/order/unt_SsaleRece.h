#pragma once
// frm_SsaleRece: retail sell-through of the goods that shops received in a date range:
// each selling shop crossed with every colour of those goods, with its retail sales of them
// (whenever sold) and its current stock.

#include "framework/unt_BaseOLAPreport.h"

class Tfrm_SsaleRece : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    explicit Tfrm_SsaleRece(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_SsaleRece* frm_SsaleRece;
