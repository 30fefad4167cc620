#pragma once
// frm_OLAPknufeTrance: cut pieces sent out to outside processors and returned, per outsourcing
// document, goods, cutting bill and process, with what is still outstanding (sent minus
// returned, negative when more came back than went out).

#include "framework/unt_BaseOLAPreport.h"

class Tfrm_OLAPknufeTrance : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    explicit Tfrm_OLAPknufeTrance(QWidget* parent = nullptr);

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_OLAPknufeTrance* frm_OLAPknufeTrance;
