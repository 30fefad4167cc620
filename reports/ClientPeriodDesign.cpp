#include "reports/ClientPeriodDesign.h"

namespace morvane::reports {

TPeriodPivotDesign ClientCompositeDesign(const QString& periodField, int dataAreaIndex) {
    TPeriodPivotDesign design;
    design.rows = {QStringLiteral("客户编号"), QStringLiteral("客户简称")};
    design.columns = {periodField};
    design.data = {
        QStringLiteral("订货数量"),   QStringLiteral("订货金额"),   QStringLiteral("销售数量"),
        QStringLiteral("销售金额"),   QStringLiteral("退货数量"),   QStringLiteral("退货金额"),
        QStringLiteral("净出货数量"), QStringLiteral("净出货金额"), QStringLiteral("订金收入"),
        QStringLiteral("订金结转"),   QStringLiteral("回款金额"),   QStringLiteral("其它费用")};
    design.dataInRows = true;
    design.dataAreaIndex = dataAreaIndex;
    return design;
}

}  // namespace morvane::reports
