#include "reports/clientemp/ClientPeriodDesign.h"

namespace morvane::reports {

TPivotDesign ClientCompositeDesign(const QString& periodField, int dataAreaIndex) {
    return {.rows = {"客户编号", "客户简称"},
            .columns = {periodField},
            .data = {"订货数量", "订货金额", "销售数量", "销售金额", "退货数量", "退货金额",
                     "净出货数量", "净出货金额", "订金收入", "订金结转", "回款金额", "其它费用"},
            .fields = TPivotDesign::Kept,
            .dataInRows = true,
            .dataAreaIndex = dataAreaIndex,
            .shareCells = false};
}

}  // namespace morvane::reports
