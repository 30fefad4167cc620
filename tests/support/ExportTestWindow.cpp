#include "tests/support/ExportTestWindow.h"

#include "tests/support/TestWindows.h"

Tfrm_ExportTest* frm_ExportTest = nullptr;

MORVANE_TEST_WINDOW(Tfrm_ExportTest, "frm_OLAPAllStock", "导出测试", frm_ExportTest)

Tfrm_ExportTest::Tfrm_ExportTest() {
    SetCaption(QStringLiteral("导出测试"));
}

void Tfrm_ExportTest::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_OLAPreport::FormClose(Sender, Action);
    frm_ExportTest = nullptr;
}

QString Tfrm_ExportTest::GetDataSQL() {
    return QStringLiteral(
        "select '甲店' 店铺,'A1' 货号,'红色' 颜色,3 数量\r"
        "union all select '甲店','A1','蓝色',1\r"
        "union all select '甲店','A2','红色',4\r"
        "union all select '乙店','B1','红色',0\r"
        "union all select '乙店','B2','蓝色',2\r");
}

void Tfrm_ExportTest::SetFieldAreas() {
    SetFieldArea(QStringLiteral("店铺"), 1);
    SetFieldArea(QStringLiteral("货号"), 1);
    SetFieldArea(QStringLiteral("颜色"), 0);
    SetFieldArea(QStringLiteral("数量"), 3);
}
