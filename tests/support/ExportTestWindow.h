#pragma once
// A pivot report window for the headless output tests, registered as frm_OLAPAllStock
// "导出测试": five rows of two shops with Chinese texts and one zero quantity; shops and goods
// in rows, colours in columns, the quantity as data.

#include "framework/unt_BaseOLAPreport.h"

class Tfrm_ExportTest : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    Tfrm_ExportTest();
    void FormClose(QObject* Sender, TCloseAction& Action) override;

  protected:
    QString GetDataSQL() override;
    void SetFieldAreas() override;
};

extern Tfrm_ExportTest* frm_ExportTest;
