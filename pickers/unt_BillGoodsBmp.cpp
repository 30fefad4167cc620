#include "pickers/unt_BillGoodsBmp.h"

#include <QFrame>
#include <QMdiArea>
#include <QVBoxLayout>

#include "platform/ui/HostInterface.h"
#include "platform/ui/TcxDBImage.h"
#include "session/totalpub1.h"

Tfrm_BillGoodsBmp* frm_BillGoodsBmp = nullptr;

Tfrm_BillGoodsBmp::Tfrm_BillGoodsBmp(QWidget* parent) : TForm(parent) {
    SetCaption(QStringLiteral("图片显示"));
    SetFormStyle(morvane::ui::fsStayOnTop);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(13);
    setFont(f);
    resize(514, 327);

    RzPanel1 = new QFrame(this);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setFrameShape(QFrame::StyledPanel);
    cxDBImage1 = new TcxDBImage(RzPanel1);
    cxDBImage1->setObjectName(QStringLiteral("cxDBImage1"));
    cxDBImage1->SetDataField(QStringLiteral("fimage"));
    cxDBImage1->SetStretch(true);
    cxDBImage1->setContextMenuPolicy(Qt::NoContextMenu);
    auto* inner = new QVBoxLayout(RzPanel1);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(cxDBImage1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RzPanel1);
}

Tfrm_BillGoodsBmp::~Tfrm_BillGoodsBmp() {
    if (frm_BillGoodsBmp == this)
        frm_BillGoodsBmp = nullptr;
}

void Tfrm_BillGoodsBmp::FormCreate(QObject* Sender) {
    resize(514, 327);
    // Centred on the host's main window.
    if (pub_mainform && pub_mainform->MdiArea()) {
        const QRect host = pub_mainform->MdiArea()->window()->frameGeometry();
        move(host.center() - rect().center());
    }
    show();
}

void Tfrm_BillGoodsBmp::FormClose(QObject* Sender, morvane::ui::TCloseAction& Action) {
    Action = morvane::ui::caFree;
    if (frm_BillGoodsBmp == this)
        frm_BillGoodsBmp = nullptr;
}
