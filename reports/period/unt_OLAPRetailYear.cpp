#include "reports/period/unt_OLAPRetailYear.h"

#include <QLabel>

#include "forms/WindowClasses.h"
#include "reports/period/PeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPRetailYear, frm_OLAPRetailYear)

// clang-format off
Tfrm_OLAPRetailYear::Tfrm_OLAPRetailYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfClient | pfGoods,
                         {.rows = {"店铺编号", "店铺简称", "店铺性质"}, .columns = {"月份"}, .data = {"数量", "金额"},
                          .fields = TPivotDesign::Kept},
                         parent) {
    RzLabel1->setText("店铺选择：");
}
// clang-format on

QString Tfrm_OLAPRetailYear::GetDataSQL() {
    return morvane::reports::ClientDocumentYearSQL("店铺", "d_s_sale", "d_s_saledetail",
                                                   ReportYear(), sel_client, "", sel_goods);
}
