#include "pickers/unt_selectClient.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
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

namespace {

QComboBox* MakeCombo(QWidget* parent, const QString& name, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
    return combo;
}

}  // namespace

Tfrm_selectClient::Tfrm_selectClient(QWidget* parent) : Tbase_frmTop(parent) {
    SetCaption(QStringLiteral("客户/店铺选择"));
    resize(558, 432);
    morvane::pickers::SetFormColor(this, 15916757);

    Goods_Table = new TRemoteUdpDataSet(this);
    Goods_Table->setObjectName(QStringLiteral("Goods_Table"));
    Goods_Table->SetLockType(etBatchOptimistic);
    Goods_Table->SetSelectType(SelectAll);
    Goods_Table->SetPageSize(10);

    RzPanel1 = morvane::pickers::MakePanel(this, QStringLiteral("RzPanel1"), 87);
    com_Mathod =
        MakeCombo(RzPanel1, QStringLiteral("com_Mathod"), {"自营", "专柜", "批发", "加盟", "代理"});
    Com_priceType = MakeCombo(RzPanel1, QStringLiteral("Com_priceType"), {"按价格", "按折扣"});
    com_Grad = MakeCombo(RzPanel1, QStringLiteral("com_Grad"),
                         {"总代理", "一级代理", "二级代理", "经销商", "批发商", "一般客户"});
    edit_fcode = new QLineEdit(RzPanel1);
    edit_fcode->setObjectName(QStringLiteral("edit_fcode"));
    edit_fabbrev = new QLineEdit(RzPanel1);
    edit_fabbrev->setObjectName(QStringLiteral("edit_fabbrev"));
    RzBitBtn1 = MakeButton(RzPanel1, QStringLiteral("RzBitBtn1"), QStringLiteral("检索过滤"));
    auto* search = new QGridLayout(RzPanel1);
    search->addWidget(MakeLabel(RzPanel1, {}, QStringLiteral("客户性质：")), 0, 0);
    search->addWidget(com_Mathod, 0, 1);
    search->addWidget(MakeLabel(RzPanel1, {}, QStringLiteral("价格方式：")), 0, 2);
    search->addWidget(Com_priceType, 0, 3);
    search->addWidget(MakeLabel(RzPanel1, {}, QStringLiteral("客户等级：")), 0, 4);
    search->addWidget(com_Grad, 0, 5);
    search->addWidget(MakeLabel(RzPanel1, {}, QStringLiteral("客户编号：")), 1, 0);
    search->addWidget(edit_fcode, 1, 1);
    search->addWidget(MakeLabel(RzPanel1, {}, QStringLiteral("客户简称：")), 1, 2);
    search->addWidget(edit_fabbrev, 1, 3);
    search->addWidget(RzBitBtn1, 1, 5);

    cxGrid1DBTableView1 = morvane::pickers::MakePickerGrid(this, "cxGrid1DBTableView1");
    cxGrid1DBTableView1->SetColumns({
        {"checkid", "选择", 43, true, true},
        {"fcode", "客户编号", 64, false, false},
        {"fabbrev", "客户简称", 64, false, false},
        {"fmathod", "客户性质", 64, false, false},
        {"fgrad", "客户等级", 64, false, false},
        {"fprice_type", "价格方式", 64, false, false},
        {"fareaname", "地区名称", 64, false, false},
    });
    cxGrid1DBTableView1->SetColumnAutoWidth(true);
    cxGrid1DBTableView1->SetDataSet(Goods_Table);

    const morvane::pickers::ConfirmBar bar =
        morvane::pickers::MakeConfirmBar(this, QStringLiteral("RzCheckBox1"));
    RzPanel2 = bar.panel;
    RzCheckBox1 = bar.tickAll;
    RzBitBtn6 = bar.ok;
    RzBitBtn7 = bar.cancel;
    morvane::pickers::StackPickerLayout(this, RzPanel1, cxGrid1DBTableView1, bar.panel);

    Bind(RzBitBtn1, &QPushButton::clicked, this, [this] { RzBitBtn1Click(RzBitBtn1); });
    Bind(RzCheckBox1, &QCheckBox::toggled, this, [this] { RzCheckBox1Click(RzCheckBox1); });
    Bind(cxGrid1DBTableView1, &morvane::ui::DBTickGrid::DblClick, this,
         [this] { cxGrid1DBTableView1DblClick(cxGrid1DBTableView1); });
    Bind(RzBitBtn6, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrOk); });
    Bind(RzBitBtn7, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrCancel); });
}

void Tfrm_selectClient::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    cxGrid1DBTableView1->SetEvenRowStyle(pub_gridstyle);
    Goods_Table->Close();
    Goods_Table->setSetupUdpParent(pub_connection);
    QString sql = QStringLiteral("select * from fn_checkclient('') where 1=1");
    if (!pub_clientall && !pub_clientcodes.isEmpty()) {
        sql += " and fcode in(" + pub_clientcodes + ")";
    }
    OpenQuery(Goods_Table, sql);
}

void Tfrm_selectClient::RzBitBtn1Click(QObject* Sender) {
    QString where = QStringLiteral("where 1=1 ");
    const auto clause = [&where](const QString& column, const QString& text) {
        if (!text.isEmpty())
            where += " and " + column + "=" + "'" + QuotedText(text) + "'";
    };
    const auto contains = [&where](const QString& column, const QString& text) {
        if (!text.isEmpty()) {
            where += " and " + column + " like " + "'" + "%" + QuotedText(text) + "%" + "'";
        }
    };
    clause(QStringLiteral("fmathod"), com_Mathod->currentText());
    clause(QStringLiteral("fgrad"), com_Grad->currentText());
    clause(QStringLiteral("fprice_type"), Com_priceType->currentText());
    contains(QStringLiteral("fcode"), edit_fcode->text());
    contains(QStringLiteral("fabbrev"), edit_fabbrev->text());
    if (!pub_clientall && !pub_clientcodes.isEmpty()) {
        where += " and fcode in(" + pub_clientcodes + ")";
    }
    Goods_Table->Close();
    OpenQuery(Goods_Table, "select * from fn_checkclient('') " + where);
}

void Tfrm_selectClient::RzCheckBox1Click(QObject* Sender) {
    if (!Goods_Table->Active())
        return;
    morvane::ui::SetAllTicks(Goods_Table, QStringLiteral("checkid"), RzCheckBox1->isChecked());
}

void Tfrm_selectClient::cxGrid1DBTableView1DblClick(QObject* Sender) {
    SetModalResult(morvane::ui::mrOk);
}
