#include "reports/period/unt_OLAPSaleYear.h"

#include "forms/WindowClasses.h"
#include "reports/period/PeriodSql.h"

MORVANE_WINDOW(Tfrm_OLAPSaleYear, frm_OLAPSaleYear)

// clang-format off
Tfrm_OLAPSaleYear::Tfrm_OLAPSaleYear(QWidget* parent)
    : Tbase_PeriodReport(Year, pfClient | pfGoods | pfHouse,
                         {.rows = {"客户简称"}, .columns = {"月份"}, .data = {"数量", "金额"}, .filter = {"客户编号", "客户性质"},
                          .fields = TPivotDesign::Kept},
                         parent) {}
// clang-format on

QString Tfrm_OLAPSaleYear::GetDataSQL() {
    return morvane::reports::ClientDocumentYearSQL("客户", "d_sale", "d_saledetail", ReportYear(),
                                                   sel_client, sel_house, sel_goods);
}
