#include "reports/unt_OLAPSaleYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPSaleYear* frm_OLAPSaleYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPSaleYear, "frm_OLAPSaleYear", "销售出仓年度分析总表",
                        frm_OLAPSaleYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("客户简称")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    d.filter = {QStringLiteral("客户编号"), QStringLiteral("客户性质")};
    return d;
}

}  // namespace

Tfrm_OLAPSaleYear::Tfrm_OLAPSaleYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfClient | pfGoods | pfHouse, QString(), Design(), parent) {
    SetCaption(QStringLiteral("销售出仓年度分析总表"));
}

void Tfrm_OLAPSaleYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPSaleYear = nullptr;
}

QString Tfrm_OLAPSaleYear::GetDataSQL() {
    return ClientDocumentYearSQL(QStringLiteral("客户"), QStringLiteral("d_sale"),
                                 QStringLiteral("d_saledetail"), YearText(), sel_client, sel_house,
                                 sel_goods);
}
