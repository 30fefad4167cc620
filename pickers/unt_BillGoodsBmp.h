#pragma once
// Tfrm_BillGoodsBmp "图片显示": the small modeless window that shows one goods picture. The
// report window that opens it binds cxDBImage1 to its picture dataset (field fimage, JPEG).
// One window exists at a time, referred to by frm_BillGoodsBmp; closing the window frees it
// and clears that reference, so the next request creates a new one.

#include "platform/ui/TForm.h"

class QFrame;
class TcxDBImage;

class Tfrm_BillGoodsBmp : public morvane::ui::TForm {
    Q_OBJECT
  public:
    explicit Tfrm_BillGoodsBmp(QWidget* parent = nullptr);
    ~Tfrm_BillGoodsBmp() override;

    // Size 514 x 327, then shown (the window is visible once created).
    virtual void FormCreate(QObject* Sender);
    virtual void FormClose(QObject* Sender, morvane::ui::TCloseAction& Action);

    QFrame* RzPanel1;
    TcxDBImage* cxDBImage1;

  protected:
    void DoCreate() override { FormCreate(this); }
    void DoClose(morvane::ui::TCloseAction& action) override { FormClose(this, action); }
};

// The one picture window of the plug-in; nullptr when none is open.
extern Tfrm_BillGoodsBmp* frm_BillGoodsBmp;
