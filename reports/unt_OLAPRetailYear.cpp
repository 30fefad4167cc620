#include "reports/unt_OLAPRetailYear.h"

#include "framework/unt_basefrmClasses.h"

using namespace morvane::reports;

Tfrm_OLAPRetailYear* frm_OLAPRetailYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPRetailYear, "frm_OLAPRetailYear", "店铺零售年度分析总表",
                        frm_OLAPRetailYear)

namespace {

TPeriodPivotDesign Design() {
    TPeriodPivotDesign d;
    d.rows = {QStringLiteral("店铺编号"), QStringLiteral("店铺简称"), QStringLiteral("店铺性质")};
    d.columns = {QStringLiteral("月份")};
    d.data = {QStringLiteral("数量"), QStringLiteral("金额")};
    return d;
}

}  // namespace

Tfrm_OLAPRetailYear::Tfrm_OLAPRetailYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, pfClient | pfGoods, QStringLiteral("店铺选择："), Design(),
                         parent) {
    SetCaption(QStringLiteral("店铺零售年度分析总表"));
}

void Tfrm_OLAPRetailYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPRetailYear = nullptr;
}

QString Tfrm_OLAPRetailYear::GetDataSQL() {
    return ClientDocumentYearSQL(QStringLiteral("店铺"), QStringLiteral("d_s_sale"),
                                 QStringLiteral("d_s_saledetail"), YearText(), sel_client,
                                 QString(), sel_goods);
}
