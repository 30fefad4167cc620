#include "reports/production/unt_KnufeFlagDay.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

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

MORVANE_WINDOW(Tfrm_KnufeFlagDay, frm_KnufeFlagDay)

namespace {

QSpinBox* SpinEdit(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(minimum, maximum);
    return edit;
}

int SpinValue(QSpinBox* edit) {
    // A text still being typed counts as entered; one out of range keeps the last value.
    edit->interpretText();
    return edit->value();
}

}  // namespace

Tfrm_KnufeFlagDay::Tfrm_KnufeFlagDay(QWidget* parent) : Tbase_OLAPreport(parent) {
    ads_temp = new TRemoteUdpDataSet(this);
    ads_temp->setObjectName(QStringLiteral("ads_temp"));

    RzLabel1->setText(QStringLiteral("裁床单："));
    morvane::reports::ShowOnlyFilters(this, {RzLabel1, edit_client});
    RzLabel7 = new QLabel(QStringLiteral("年份："), cxGroupBox1);
    RzLabel7->setObjectName(QStringLiteral("RzLabel7"));
    // Years a date of the database can hold, so that only a real month reaches a statement.
    Edit_Year = SpinEdit(cxGroupBox1, "Edit_Year", 1901, 9999);
    RzLabel8 = new QLabel(QStringLiteral("月度："), cxGroupBox1);
    RzLabel8->setObjectName(QStringLiteral("RzLabel8"));
    Edit_Month = SpinEdit(cxGroupBox1, "Edit_Month", 1, 12);
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->addWidget(RzLabel7, 1, 0);
    grid->addWidget(Edit_Year, 1, 1);
    grid->addWidget(RzLabel8, 1, 4);
    grid->addWidget(Edit_Month, 1, 5);

    SetDesign({.rows = {"床次", "货号", "工序号"},
               .columns = {"日期"},
               .data = {"数量"},
               .filter = {"工序名"},
               .fields = TPivotDesign::Kept});
    morvane::reports::SetTitledPrintDesign(Grid_PrintCompotLink1, 14, false);
}

void Tfrm_KnufeFlagDay::FormCreate(QObject* Sender) {
    Tbase_OLAPreport::FormCreate(Sender);
    const QDate today = QDate::currentDate();
    Edit_Year->setValue(today.year());
    Edit_Month->setValue(today.month());
}

int Tfrm_KnufeFlagDay::ReportYear() const {
    return SpinValue(Edit_Year);
}

int Tfrm_KnufeFlagDay::ReportMonth() const {
    return SpinValue(Edit_Month);
}

void Tfrm_KnufeFlagDay::edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    auto picker = std::make_unique<Tfrm_SelectKnufe>();
    picker->Create();
    picker->SetColumnsFlagVisible(true);
    if (picker->ShowModal() == morvane::ui::mrOk) {
        TRemoteUdpDataSet* rows = picker->dxMem_Master;
        QStringList bills;
        if (rows->Active()) {
            rows->DisableControls();
            for (rows->First(); !rows->Eof(); rows->Next()) {
                if (rows->FieldByName(QStringLiteral("fcheckid"))->AsBoolean())
                    bills << rows->FieldByName(QStringLiteral("fbillid"))->AsString();
            }
            rows->EnableControls();
        }
        sel_knufe = CodeList(bills);
    }
    edit_client->setText(QStringLiteral("部分条件"));
}

// clang-format off
QString Tfrm_KnufeFlagDay::SampleSQL() const {
    return "select top 1 a.fcutno,a.fgoodsid,a.fprocedue_no,b.fprocedurename from gm_proroll a join V_produceOfBill b on a.fbillid=b.fbillid and a.fprocedue_no=b.fprocedureid" + CR +
           "where year(a.fadd_date)=" + QString::number(ReportYear()) + " and month(a.fadd_date)=" + QString::number(ReportMonth());
}

QString Tfrm_KnufeFlagDay::GetDataSQL() {
    const QString y = QString::number(ReportYear()), m = QString::number(ReportMonth());
    OpenQuery(ads_temp, SampleSQL());
    // P1..P4: cut number, style, process number and name of the sample; "" without output.
    QString p[4];
    if (!ads_temp->Eof()) {
        for (int i = 0; i < 4; ++i)
            p[i] = ads_temp->Fields(i)->AsString();
    }
    return "select right('00'+convert(varchar(2),day(b.fbilldate)),2) as 日期," + CR +
           "床次=case when a.fcutno is null then " + Quoted(p[0]) + " else a.fcutno end," + CR +
           "货号=case when a.fgoodsid is null then " + Quoted(p[1]) + " else a.fgoodsid end," + CR +
           "工序号=case when a.fprocedue_no is null then " + Quoted(p[2]) + " else a.fprocedue_no end," + CR +
           "工序名=case when a.fprocedurename is null then " + Quoted(p[3]) + " else a.fprocedurename end," + CR +
           "数量=case when a.fqty is null then 0 else a.fqty end" + CR +
           "from (SELECT * from FN_MonthDay(" + Quoted(y + "-" + m + "-01") + "))b left join (" + CR +
           "select a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,c.fprocedurename,sum(isnull(a.fqty,0)) fqty from (" + CR +
           "select a.fbillid,a.fknufeid,a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,sum(isnull(fquantity_2,0)) fqty from gm_proroll a" + CR +
           "group by a.fbillid,a.fknufeid,a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no" + CR +
           "union all" + CR +
           "select b.fproduceid,b.fbillid,b.fcutno,b.fgoodsid,a.fadd_date,a.fprocedue_no,sum(isnull(fquantity,0)) fqty from gm_procount a join gm_knufe b on a.fknufeid=b.fbillid" + CR +
           "group by b.fproduceid,b.fbillid,b.fcutno,b.fgoodsid,a.fadd_date,a.fprocedue_no)a" + CR +
           "join V_produceOfBill c on a.fbillid=c.fbillid and a.fprocedue_no=c.fprocedureid" + CR +
           "where 1=1 and year(a.fadd_date)=" + y + " and month(a.fadd_date)=" + m + CR +
           InList("a.fknufeid", sel_knufe) +
           " group by a.fcutno,a.fgoodsid,a.fadd_date,a.fprocedue_no,c.fprocedurename)a on b.fbilldate=a.fadd_date" + CR +
           "order by b.fbilldate,a.fcutno,a.fprocedue_no";
}

QString Tfrm_KnufeFlagDay::PrintTitle() const {
    return Caption() + CR + "    年份:" + Edit_Year->text() + "    月度:" + Edit_Month->text();
}
// clang-format on
