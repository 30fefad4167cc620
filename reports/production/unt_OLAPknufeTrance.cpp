#include "reports/production/unt_OLAPknufeTrance.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QLabel>

#include "forms/WindowClasses.h"
#include "platform/ui/TcxButtonEdit.h"
#include "reports/production/KnufeReport.h"
#include "session/StatementText.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_OLAPknufeTrance, frm_OLAPknufeTrance)

Tfrm_OLAPknufeTrance::Tfrm_OLAPknufeTrance(QWidget* parent) : Tbase_OLAPreport(parent) {
    // The supplier picker takes the client picker's place.
    RzLabel1->setText(QStringLiteral("厂商选择："));
    oderdate_check->setText(QStringLiteral("发外日期:"));
    morvane::reports::ShowOnlyFilters(this, {RzLabel1, edit_supplier, RzLabel2, edit_goods,
                                             oderdate_check, bill_date1, RzLabel3, bill_date2});
    SetDesign({.rows = {"床次", "货号"},
               .columns = {"厂商简称", "加工工序"},
               .data = {"发出数量", "回收数量", "差异数量"},
               .filter = {"厂商编号", "发外单号", "发外日期", "裁床单号", "加工单价"},
               .fields = TPivotDesign::Kept});
}

// clang-format off
QString Tfrm_OLAPknufeTrance::GetDataSQL() {
    QString sql = "select b.fsuppliercode 厂商编号,c.fabbrev 厂商简称,b.fbillid 发外单号,b.fbilldate 发外日期,b.fgoodsid 货号," + CR +
                  "b.fknufeid 裁床单号,d.fcutno 床次,b.ftype 加工工序,b.fprice 加工单价," + CR +
                  "sum(isnull(a.fqty,0)) 发出数量,sum(isnull(a.frecqty,0)) 回收数量,sum(isnull(a.fqty,0)-isnull(a.frecqty,0)) 差异数量" + CR +
                  " from gm_knufeoutdetail a join gm_knufeout b on a.fbillid=b.fbillid" + CR +
                  "left join dt_supplier c on b.fsuppliercode=c.fcode" + CR +
                  "join gm_knufe d on b.fknufeid=d.fbillid" + CR +
                  "WHERE 1=1 " + CR;
    if (oderdate_check->isChecked())
        sql += " and b.fbilldate>=" + Quoted(bill_date1->date().toString("yyyy-MM-dd")) + " and b.fbilldate<=" + Quoted(bill_date2->date().toString("yyyy-MM-dd")) + CR;
    return sql + InList("b.fgoodsid", sel_goods) + InList("b.fsuppliercode", sel_supplier) +
           " group by b.fsuppliercode,c.fabbrev,b.fbillid,b.fbilldate,b.fgoodsid,b.fknufeid,d.fcutno,b.ftype,b.fprice" + CR +
           "order by b.fbilldate,d.fcutno,b.fbillid,b.fgoodsid";
}
// clang-format on
