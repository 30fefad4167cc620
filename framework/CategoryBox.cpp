#include "framework/CategoryBox.h"

#include <QComboBox>
#include <QRegularExpression>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

namespace morvane::framework {

// clang-format off
const QString kCategoryLabelsSQL = QStringLiteral("select * from ba_fieldremark where fTableName='goods' and visiblebit=1  order by fid");
const QString kCategoryLabelsNoBrandSQL = QStringLiteral("select * from ba_fieldremark where fTableName='goods' and visiblebit=1 and fid not in(1002,1003,1004) order by fid");
// clang-format on

namespace {

void Tell(QComboBox* box, const QString& text) {
    ui::Runner().MessageBox(QStringLiteral("系统提示"), text, ui::MsgIcon::Information, ui::mbOK);
    box->setFocus();
}

// Whether goods has the column, as the database names it (without regard to case, as the
// host's collation compares names). Only a plain name can be one: the resolved text goes into
// the statement unquoted, after "c.".
bool GoodsHasColumn(TRemoteUdpDataSet* scratch, const QString& column) {
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plainName.match(column).hasMatch())
        return false;
    OpenQuery(scratch, QStringLiteral("select top 0 * from goods"));
    return scratch->FieldNames().contains(column, Qt::CaseInsensitive);
}

}  // namespace

void FillCategoryBox(QComboBox* box, TRemoteUdpDataSet* scratch, const QString& listSql,
                     const QString& preselect) {
    OpenQuery(scratch, listSql);
    box->clear();
    for (scratch->First(); !scratch->Eof(); scratch->Next())
        box->addItem(scratch->FieldByName(QStringLiteral("fFieldremark"))->AsString());
    box->setCurrentIndex(preselect.isEmpty() ? -1 : box->findText(preselect));
    if (box->currentIndex() < 0)
        box->setCurrentText(QString());
}

QString ChosenCategoryColumn(QComboBox* box, TRemoteUdpDataSet* scratch) {
    const QString label = box->currentText();
    if (label.isEmpty()) {
        Tell(box, QStringLiteral("请选择大类名称"));
        return QString();
    }
    // clang-format off
    OpenQuery(scratch, "select * from ba_fieldremark where ftablename='goods' and ffieldremark=" + sql::Quoted(label));
    // clang-format on
    QString column;
    if (!scratch->IsEmpty()) {
        scratch->First();
        column = scratch->FieldByName(QStringLiteral("fname"))->AsString();
    }
    if (column.isEmpty() || !GoodsHasColumn(scratch, column)) {
        Tell(box, "大类名称“" + label + "”在货品资料中没有对应的字段，请重新选择");
        return QString();
    }
    return column;
}

}  // namespace morvane::framework
