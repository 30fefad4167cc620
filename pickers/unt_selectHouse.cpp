#include "pickers/unt_selectHouse.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "pickers/PickerParts.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "session/totalpub1.h"

using morvane::pickers::Bind;
using morvane::pickers::MakeButton;

Tfrm_selectHouse::Tfrm_selectHouse(QWidget* parent) : Tbase_frmTop(parent) {
    SetCaption(QStringLiteral("仓库选择"));
    resize(524, 354);
    morvane::pickers::SetFormColor(this, 15916757);

    Goods_Table = new TRemoteUdpDataSet(this);
    Goods_Table->setObjectName(QStringLiteral("Goods_Table"));
    Goods_Table->SetLockType(etBatchOptimistic);
    Goods_Table->SetSelectType(SelectAll);
    Goods_Table->SetPageSize(10);

    cxGrid1DBTableView1 = morvane::pickers::MakePickerGrid(this, "cxGrid1DBTableView1");
    cxGrid1DBTableView1->SetEnterMovesToNextCell(true);
    cxGrid1DBTableView1->SetColumns({
        {"checkid", "选择", 59, true, true},
        {"fcode", "仓库编号", 0, false, false},
        {"fname", "仓库名称", 137, false, false},
        {"keyman", "联系人", 93, false, false},
        {"fareaname", "地区", 94, false, false},
    });
    cxGrid1DBTableView1->SetDataSet(Goods_Table);

    const morvane::pickers::ConfirmBar bar =
        morvane::pickers::MakeConfirmBar(this, QStringLiteral("CheckBox1"));
    CheckBox1 = bar.tickAll;
    RzBitBtn6 = bar.ok;
    RzBitBtn7 = bar.cancel;
    morvane::pickers::StackPickerLayout(this, nullptr, cxGrid1DBTableView1, bar.panel);

    Bind(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(CheckBox1); });
    Bind(RzBitBtn6, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrOk); });
    Bind(RzBitBtn7, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrCancel); });
}

void Tfrm_selectHouse::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    cxGrid1DBTableView1->SetEvenRowStyle(pub_gridstyle);
    QString sql = QStringLiteral("select * from fn_checkhouse('') where 1=1 ");
    if (!pub_houseall && !pub_housecodes.isEmpty()) {
        sql += " and fcode in(" + pub_housecodes + ")";
    }
    Goods_Table->Close();
    OpenQuery(Goods_Table, sql);
}

void Tfrm_selectHouse::CheckBox1Click(QObject* Sender) {
    if (!Goods_Table->Active())
        return;
    morvane::ui::SetAllTicks(Goods_Table, QStringLiteral("checkid"), CheckBox1->isChecked());
}
