#include "reports/production/unt_GmKnufeEmp.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <memory>

#include "forms/WindowClasses.h"
#include "pickers/unt_SelectKnufe.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/production/KnufeReport.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_GmKnufeEmp, frm_GmKnufeEmp)

Tfrm_GmKnufeEmp::Tfrm_GmKnufeEmp(QWidget* parent) : Tbase_OLAPreport(parent) {
    ads_Knufe = new TRemoteUdpDataSet(this);
    ads_Knufe->setObjectName(QStringLiteral("ads_Knufe"));

    RzLabel1->setText(QStringLiteral("裁床单选择："));
    edit_client->clear();
    morvane::reports::ShowOnlyFilters(this, {RzLabel1, edit_client});

    auto* bill = new QHBoxLayout;
    auto field = [this, bill](QLabel*& label, QLineEdit*& edit, int n, const QString& caption) {
        label = new QLabel(caption, cxGroupBox1);
        label->setObjectName(QStringLiteral("cxLabel%1").arg(n));
        edit = new QLineEdit(cxGroupBox1);
        edit->setObjectName(QStringLiteral("cxDBTextEdit%1").arg(n));
        edit->setEnabled(false);
        bill->addWidget(label);
        bill->addWidget(edit);
    };
    field(cxLabel1, cxDBTextEdit1, 1, QStringLiteral("床次："));
    field(cxLabel2, cxDBTextEdit2, 2, QStringLiteral("款号："));
    field(cxLabel3, cxDBTextEdit3, 3, QStringLiteral("款式名称："));
    field(cxLabel4, cxDBTextEdit4, 4, QStringLiteral("实裁数："));
    static_cast<QGridLayout*>(cxGroupBox1->layout())->addLayout(bill, 1, 0, 1, 9);

    OLAP_PivotGrid->setFrameShape(QFrame::NoFrame);
    SetDesign({.rows = {"工序名称", "工价"},
               .columns = {"姓名"},
               .data = {"数量"},
               .filter = {"工序编号", "工号"},
               .fields = TPivotDesign::Kept,
               .shareCells = false});
    morvane::reports::SetTitledPrintDesign(Grid_PrintCompotLink1, 15, true);

    connect(ads_Knufe, &TRemoteUdpDataSet::activeChanged, this, [this] { showBill(); });
    connect(ads_Knufe, &TRemoteUdpDataSet::dataChanged, this, [this] { showBill(); });
    connect(ads_Knufe, &TRemoteUdpDataSet::currentRowChanged, this, [this] { showBill(); });
}

Tfrm_GmKnufeEmp::~Tfrm_GmKnufeEmp() {
    // The dataset outlives this part of the window; it must not reach back into it.
    ads_Knufe->disconnect(this);
}

void Tfrm_GmKnufeEmp::showBill() {
    const bool onRow = ads_Knufe->Active() && !ads_Knufe->Eof();
    auto show = [this, onRow](QLineEdit* edit, const char* column) {
        edit->setText(onRow ? ads_Knufe->FieldByName(QString::fromLatin1(column))->AsString()
                            : QString());
    };
    show(cxDBTextEdit1, "fcutno");
    show(cxDBTextEdit2, "fgoodsid");
    show(cxDBTextEdit3, "goodsname");
    show(cxDBTextEdit4, "fqty");
}

void Tfrm_GmKnufeEmp::edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    {
        auto picker = std::make_unique<Tfrm_SelectKnufe>();
        picker->Create();
        picker->SetColumnsFlagVisible(false);
        if (picker->ShowModal() == morvane::ui::mrOk) {
            TRemoteUdpDataSet* rows = picker->dxMem_Master;
            const bool onRow = rows->Active() && !rows->Eof();
            edit_client->setText(onRow ? rows->FieldByName(QStringLiteral("fbillid"))->AsString()
                                       : QString());
        }
    }
    OpenQuery(ads_Knufe, KnufeSummarySQL());
    ac_GetData->trigger();
}

// clang-format off
QString Tfrm_GmKnufeEmp::KnufeSummarySQL() const {
    return "select b.fbillid,b.fgoodsid,c.goodsname,b.fcutno,sum(isnull(a.fqty,0)) fqty" + CR +
           " from gm_knufede a join gm_knufe b on a.fbillid=b.fbillid" + CR +
           "join goods c on b.fgoodsid=c.goodsid" + CR +
           "where b.fbillid=" + Quoted(edit_client->text()) + CR +
           "group by b.fbillid,b.fgoodsid,c.goodsname,b.fcutno";
}

// Output is recorded through piece tickets (gm_proroll) and counts (gm_procount); both go in.
QString Tfrm_GmKnufeEmp::GetDataSQL() {
    const QString bill = edit_client->text();
    QString sql = "select a.fprocedue_no 工序编号,c.fprocedurename 工序名称,c.fproprice 工价,b.fcode 工号,b.fnamech 姓名,sum(isnull(fquantity_2,0)) 数量 from (" + CR +
                  "select fbillid,fprocedue_no,femployeeid,sum(isnull(fquantity_2,0)) fquantity_2 from (" + CR +
                  "select fbillid,fknufeid,fprocedue_no,fquantity_2,femployeeid from gm_proroll where 1=1" + CR;
    if (!bill.isEmpty())
        sql += " and fknufeid=" + Quoted(bill) + CR;
    sql += " union all" + CR +
           "select fproduceid,fknufeid,fprocedue_no,fquantity,femploycode from gm_procount where 1=1 " + CR;
    if (!bill.isEmpty())
        sql += " and fknufeid=" + Quoted(bill);
    return sql + ")a group by fbillid,fprocedue_no,femployeeid)a" + CR +
           "left join v_employee b on a.femployeeid=b.fcode" + CR +
           "join V_produceOfBill c on a.fbillid=c.fbillid and a.fprocedue_no=c.fprocedureid" + CR +
           "group by a.fprocedue_no,c.fprocedurename,b.fcode,b.fnamech,c.fproprice";
}

QString Tfrm_GmKnufeEmp::PrintTitle() const {
    return "生产状况表" + CR +
           "床次:" + cxDBTextEdit1->text() + "     款号:" + cxDBTextEdit2->text() + "    款式名称:" + cxDBTextEdit3->text() + "   实裁数:" + cxDBTextEdit4->text();
}
// clang-format on
