#include "pickers/unt_selectgoods.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "pickers/PickerParts.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "platform/ui/HostInterface.h"
#include "platform/ui/TRzCheckTree.h"
#include "session/totalpub1.h"

using morvane::pickers::Bind;
using morvane::pickers::MakeButton;
using morvane::pickers::QuotedText;

Tfrm_selectgoods::Tfrm_selectgoods(QWidget* parent) : Tbase_frmTop(parent) {
    SetCaption(QStringLiteral("货号选择"));
    // A normal window with only a system menu, unlike the other pickers.
    SetFormStyle(morvane::ui::fsNormal);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(622, 420);

    Goods_Table = new TRemoteUdpDataSet(this);
    Goods_Table->setObjectName(QStringLiteral("Goods_Table"));
    Goods_Table->SetLockType(etBatchOptimistic);
    Goods_Table->SetSelectType(SelectAll);
    Goods_Table->SetPageSize(10);
    ads_temp = new TRemoteUdpDataSet(this);
    ads_temp->setObjectName(QStringLiteral("ads_temp"));

    RzPanel1 = morvane::pickers::MakePanel(this, QStringLiteral("RzPanel1"), 0);
    RzPanel1->setFixedWidth(147);
    tree = new TRzCheckTree(RzPanel1);
    tree->setObjectName(QStringLiteral("tree"));
    QFont treeFont(QStringLiteral("宋体"));
    treeFont.setPixelSize(13);
    tree->setFont(treeFont);
    RzPanel3 = morvane::pickers::MakePanel(RzPanel1, QStringLiteral("RzPanel3"), 0);
    RzLabel1 =
        morvane::pickers::MakeLabel(RzPanel3, QStringLiteral("RzLabel1"), QStringLiteral("货号:"));
    edit_goods = new QLineEdit(RzPanel3);
    edit_goods->setObjectName(QStringLiteral("edit_goods"));
    RzBitBtn1 = MakeButton(RzPanel3, QStringLiteral("RzBitBtn1"), QStringLiteral("检索过滤"));
    auto* searchLayout = new QVBoxLayout(RzPanel3);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    auto* goodsRow = new QHBoxLayout;
    goodsRow->addWidget(RzLabel1);
    goodsRow->addWidget(edit_goods, 1);
    searchLayout->addLayout(goodsRow);
    searchLayout->addWidget(RzBitBtn1);
    auto* left = new QVBoxLayout(RzPanel1);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(tree, 1);
    left->addWidget(RzPanel3);

    cxGrid1DBTableView1 = morvane::pickers::MakePickerGrid(this, "cxGrid1DBTableView1");
    cxGrid1DBTableView1->SetRowIndicator(false);
    cxGrid1DBTableView1->SetColumns({
        {"checkid", "选择", 53, true, true},
        {"goodsid", "货号", 73, false, false},
        {"goodsname", "货品名称", 104, false, false},
        {"brand", "品牌", 62, false, false},
        {"sort", "类别", 49, true, false},
        {"ayear", "年份", 53, false, false},
        {"unitprice", "吊牌价", 61, false, false},
    });
    cxGrid1DBTableView1->SetFooterVisible(true);
    cxGrid1DBTableView1->SetFooterCount(0, QStringLiteral("记录数"));
    cxGrid1DBTableView1->SetFooterCount(1);
    cxGrid1DBTableView1->SetDataSet(Goods_Table);

    auto* bar = morvane::pickers::MakePanel(this, QStringLiteral("RzPanel2"), 31);
    CheckBox1 = new QCheckBox(QStringLiteral("全选"), bar);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    RzBitBtn6 = MakeButton(bar, QStringLiteral("RzBitBtn6"), QStringLiteral("确定"));
    RzBitBtn7 = MakeButton(bar, QStringLiteral("RzBitBtn7"), QStringLiteral("取消"));
    auto* bottom = new QHBoxLayout(bar);
    bottom->setContentsMargins(6, 2, 6, 2);
    bottom->addWidget(CheckBox1);
    bottom->addStretch();
    bottom->addWidget(RzBitBtn6);
    bottom->addWidget(RzBitBtn7);

    auto* right = new QVBoxLayout;
    right->setSpacing(0);
    right->addWidget(cxGrid1DBTableView1, 1);
    right->addWidget(bar);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(RzPanel1);
    layout->addLayout(right, 1);

    Bind(RzBitBtn1, &QPushButton::clicked, this, [this] { RzBitBtn1Click(RzBitBtn1); });
    Bind(edit_goods, &QLineEdit::returnPressed, this, [this] {
        QChar key(13);
        edit_goodsKeyPress(edit_goods, key);
    });
    Bind(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(CheckBox1); });
    Bind(cxGrid1DBTableView1, &morvane::ui::DBTickGrid::DblClick, this,
         [this] { cxGrid1DBTableView1DblClick(cxGrid1DBTableView1); });
    Bind(RzBitBtn6, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrOk); });
    Bind(RzBitBtn7, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrCancel); });
}

void Tfrm_selectgoods::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    if (pub_fontsize > 0) {
        QFont f = font();
        f.setPointSize(pub_fontsize);
        setFont(f);
    }
    cxGrid1DBTableView1->SetEvenRowStyle(pub_gridstyle);
    Goods_Table->setSetupUdpParent(pub_connection);
    ads_temp->setSetupUdpParent(pub_connection);
    // The list stays empty until the first search.
    RzBitBtn6->setEnabled(false);
    CheckBox1->setEnabled(false);
    BuildTree();
}

void Tfrm_selectgoods::BuildTree() {
    QObject* owner = morvane::session::ApplicationOwner();
    auto fields = std::make_unique<TRemoteUdpDataSet>(owner);
    auto values = std::make_unique<TRemoteUdpDataSet>(owner);
    OpenQuery(fields.get(), QStringLiteral("select * from dbo.ba_fieldremark where "
                                           "ftablename='goods' and visiblebit=1 order by fid"));
    OpenQuery(values.get(),
              QStringLiteral("select * from dbo.ba_fieldvalues where ftablename='goods'") +
                  QChar(13) +
                  " and ffieldname in(select fname from ba_fieldremark where ftablename='goods' "
                  "and visiblebit=1)");
    tree->clear();
    // Walking backwards and inserting in first place leaves the roots in fid order and each
    // root's values in the order they were read.
    for (fields->Last(); !fields->Bof(); fields->Prior()) {
        QTreeWidgetItem* root = tree->InsertNode(
            nullptr, 0, fields->FieldByName(QStringLiteral("fFieldremark"))->AsString().trimmed());
        values->SetFiltered(false);
        values->SetFilter("fFieldname='" +
                          fields->FieldByName(QStringLiteral("fname"))->AsString().trimmed() + "'");
        values->SetFiltered(true);
        for (values->Last(); !values->Bof(); values->Prior()) {
            tree->InsertNode(
                root, 0, values->FieldByName(QStringLiteral("fFieldValues"))->AsString().trimmed());
        }
    }
}

void Tfrm_selectgoods::RzBitBtn1Click(QObject* Sender) {
    QString condition;
    for (QTreeWidgetItem* node : tree->NodesInOrder()) {
        if (TRzCheckTree::ItemState(node) != TRzCheckTree::csPartiallyChecked)
            continue;
        OpenQuery(ads_temp,
                  "select fname from ba_fieldremark where ftablename='goods' and "
                  "visiblebit=1 and fFieldremark='" +
                      QuotedText(node->text(0)) + "'" + " order by ftablename,fid");
        if (ads_temp->IsEmpty())
            continue;
        QStringList ticked;
        for (int i = 0; i < node->childCount(); ++i) {
            QTreeWidgetItem* child = node->child(i);
            if (TRzCheckTree::ItemState(child) == TRzCheckTree::csChecked) {
                ticked << "'" + QuotedText(child->text(0)) + "'";
            }
        }
        condition +=
            "(" + ads_temp->Fields(0)->AsString().trimmed() + " in(" + ticked.join(',') + "))and";
    }
    condition.chop(3);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor {
        ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    QString sql = QStringLiteral(
                      "select checkid,goodsid,goodsname,ayear,season,brand,unit,sort,item,sex,"
                      "size_class,unitprice,strat,inputdate from fn_checkgoods('') where 1=1 ") +
                  QChar(13);
    if (!pub_brandall)
        sql += " and brand in(" + pub_brandcodes + ")" + QChar(13);
    if (!condition.isEmpty())
        sql += " and " + condition;
    if (!edit_goods->text().isEmpty()) {
        sql += " and goodsid like '%" + QuotedText(edit_goods->text()) + "%'";
    }
    Goods_Table->Close();
    OpenQuery(Goods_Table, sql);
    const bool rows = Goods_Table->Active() && Goods_Table->GetRecordCount() > 0;
    RzBitBtn6->setEnabled(rows);
    CheckBox1->setEnabled(rows);
}

void Tfrm_selectgoods::edit_goodsKeyPress(QObject* Sender, QChar& Key) {
    if (Key == QChar(13))
        RzBitBtn1Click(RzBitBtn1);
}

void Tfrm_selectgoods::CheckBox1Click(QObject* Sender) {
    if (!Goods_Table->Active())
        return;
    morvane::ui::SetAllTicks(Goods_Table, QStringLiteral("checkid"), CheckBox1->isChecked());
}

void Tfrm_selectgoods::cxGrid1DBTableView1DblClick(QObject* Sender) {
    if (!Goods_Table->Active() || Goods_Table->IsEmpty())
        return;
    TField* tick = Goods_Table->FieldByName(QStringLiteral("checkid"));
    const bool ticked = tick->AsInteger() == 1;
    Goods_Table->Edit();
    tick->SetAsInteger(ticked ? 0 : 1);
    Goods_Table->Post();
}

void Tfrm_selectgoods::PrepareScriptedPick() {
    if (!Goods_Table->Active())
        RzBitBtn1Click(RzBitBtn1);
}

void Tfrm_selectgoods::showEvent(QShowEvent* event) {
    Tbase_frmTop::showEvent(event);
    // Centred on the host's main window.
    if (pub_mainform && pub_mainform->MdiArea()) {
        const QRect host = pub_mainform->MdiArea()->window()->frameGeometry();
        move(host.center() - rect().center());
    }
}
