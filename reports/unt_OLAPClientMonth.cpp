#include "reports/unt_OLAPClientMonth.h"

#include "framework/unt_basefrmClasses.h"
#include "reports/ClientPeriodDesign.h"
#include "reports/ClientPeriodSql.h"

Tfrm_OLAPClientMonth* frm_OLAPClientMonth = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPClientMonth, "frm_OLAPClientMonth", "加盟商综合分析月度总表",
                        frm_OLAPClientMonth)

Tfrm_OLAPClientMonth::Tfrm_OLAPClientMonth(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Month, morvane::reports::pfClient, QString(),
                         morvane::reports::ClientCompositeDesign(QStringLiteral("日期"), -1),
                         parent) {
    SetCaption(QStringLiteral("加盟商综合分析月度总表"));
}

void Tfrm_OLAPClientMonth::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPClientMonth = nullptr;
}

QString Tfrm_OLAPClientMonth::GetDataSQL() {
    return morvane::reports::ClientMonthSQL(YearText().toInt(), MonthText().toInt(), sel_client,
                                            morvane::reports::ClientScopeCodes());
}
