#include "reports/unt_OLAPClientYear.h"

#include "framework/unt_basefrmClasses.h"
#include "reports/ClientPeriodDesign.h"
#include "reports/ClientPeriodSql.h"

Tfrm_OLAPClientYear* frm_OLAPClientYear = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_OLAPClientYear, "frm_OLAPClientYear", "加盟商综合分析年度总表",
                        frm_OLAPClientYear)

Tfrm_OLAPClientYear::Tfrm_OLAPClientYear(QWidget* parent)
    : Tbase_PeriodReport(TPeriod::Year, morvane::reports::pfClient, QString(),
                         morvane::reports::ClientCompositeDesign(QStringLiteral("月份"), 2),
                         parent) {
    SetCaption(QStringLiteral("加盟商综合分析年度总表"));
}

void Tfrm_OLAPClientYear::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_PeriodReport::FormClose(Sender, Action);
    frm_OLAPClientYear = nullptr;
}

QString Tfrm_OLAPClientYear::GetDataSQL() {
    return morvane::reports::ClientYearSQL(YearText().toInt(), sel_client,
                                           morvane::reports::ClientScopeCodes());
}
