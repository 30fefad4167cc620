#include "pickers/unt_selectSupplier.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "pickers/PickerParts.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "session/totalpub1.h"

using morvane::pickers::Bind;
using morvane::pickers::MakeButton;
using morvane::pickers::MakeLabel;
using morvane::pickers::QuotedText;

Tfrm_selectSupplier::Tfrm_selectSupplier(QWidget* parent) : Tbase_frmTop(parent) {
    SetCaption(QStringLiteral("供应商选择"));
    resize(534, 367);
    morvane::pickers::SetFormColor(this, 16777211);

    Goods_Table = new TRemoteUdpDataSet(this);
    Goods_Table->setObjectName(QStringLiteral("Goods_Table"));
    Goods_Table->SetLockType(etBatchOptimistic);
    Goods_Table->SetSelectType(SelectAll);
    Goods_Table->SetPageSize(10);

    RzPanel1 = morvane::pickers::MakePanel(this, QStringLiteral("RzPanel1"), 33);
    RzLabel1 = MakeLabel(RzPanel1, QStringLiteral("RzLabel1"), QStringLiteral("供应商编号:"));
    edit_code = new QLineEdit(RzPanel1);
    edit_code->setObjectName(QStringLiteral("edit_code"));
    RzLabel2 = MakeLabel(RzPanel1, QStringLiteral("RzLabel2"), QStringLiteral("供应商简称:"));
    edit_abbrev = new QLineEdit(RzPanel1);
    edit_abbrev->setObjectName(QStringLiteral("edit_abbrev"));
    cxButton1 = MakeButton(RzPanel1, QStringLiteral("cxButton1"), QStringLiteral("检索"));
    cxButton1->setVisible(false);
    auto* search = new QHBoxLayout(RzPanel1);
    search->setContentsMargins(6, 2, 6, 2);
    search->addWidget(RzLabel1);
    search->addWidget(edit_code);
    search->addWidget(RzLabel2);
    search->addWidget(edit_abbrev);
    search->addWidget(cxButton1);
    search->addStretch();

    cxGrid1DBTableView1 = morvane::pickers::MakePickerGrid(this, "cxGrid1DBTableView1");
    cxGrid1DBTableView1->SetEnterMovesToNextCell(true);
    cxGrid1DBTableView1->SetColumns({
        {"checkid", "选择", 59, true, true},
        {"fcode", "供应商编号", 82, false, false},
        {"fabbrev", "供应商名称", 158, false, false},
        {"keyman", "联系人", 93, false, false},
        {"fareaname", "地区", 94, false, false},
    });
    cxGrid1DBTableView1->SetDataSet(Goods_Table);

    const morvane::pickers::ConfirmBar bar =
        morvane::pickers::MakeConfirmBar(this, QStringLiteral("CheckBox1"));
    CheckBox1 = bar.tickAll;
    RzBitBtn6 = bar.ok;
    RzBitBtn7 = bar.cancel;
    morvane::pickers::StackPickerLayout(this, RzPanel1, cxGrid1DBTableView1, bar.panel);

    Bind(cxButton1, &QPushButton::clicked, this, [this] { cxButton1Click(cxButton1); });
    // An edit validates when the user confirms it: Enter, or leaving it after a change.
    Bind(edit_code, &QLineEdit::editingFinished, this,
         [this] { edit_codePropertiesValidate(edit_code); });
    Bind(edit_abbrev, &QLineEdit::editingFinished, this,
         [this] { edit_abbrevPropertiesValidate(edit_abbrev); });
    Bind(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(CheckBox1); });
    Bind(RzBitBtn6, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrOk); });
    Bind(RzBitBtn7, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrCancel); });
}

void Tfrm_selectSupplier::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    cxGrid1DBTableView1->SetEvenRowStyle(pub_gridstyle);
    cxButton1Click(cxButton1);
}

void Tfrm_selectSupplier::cxButton1Click(QObject* Sender) {
    Goods_Table->Close();
    QString sql = QStringLiteral("select * from fn_checksupplier('') where 1=1 ");
    if (!edit_code->text().isEmpty()) {
        sql += " and fcode like '%" + QuotedText(edit_code->text()) + "%'";
    }
    if (!edit_abbrev->text().isEmpty()) {
        sql += " and fabbrev like '%" + QuotedText(edit_abbrev->text()) + "%'";
    }
    OpenQuery(Goods_Table, sql);
}

void Tfrm_selectSupplier::edit_codePropertiesValidate(QObject* Sender) {
    cxButton1Click(cxButton1);
}

void Tfrm_selectSupplier::edit_abbrevPropertiesValidate(QObject* Sender) {
    cxButton1Click(cxButton1);
}

void Tfrm_selectSupplier::CheckBox1Click(QObject* Sender) {
    if (!Goods_Table->Active())
        return;
    morvane::ui::SetAllTicks(Goods_Table, QStringLiteral("checkid"), CheckBox1->isChecked());
}
