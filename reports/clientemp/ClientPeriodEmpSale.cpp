#include "reports/clientemp/ClientPeriodEmpSale.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TcxLookupComboBox.h"
#include "reports/clientemp/ClientPeriodSql.h"
#include "session/totalpub1.h"

namespace {

TPivotDesign EmpSaleDesign(const QString& periodField) {
    return {.rows = {periodField},
            .columns = {"营业员编号", "营业员姓名"},
            .data = {"数量", "金额", "比例"},
            .fields = TPivotDesign::Kept,
            .filterArea = false};
}

}  // namespace

Tbase_EmpSaleReport::Tbase_EmpSaleReport(TPeriod period, const QString& periodField,
                                         QWidget* parent)
    : Tbase_PeriodReport(period, 0, EmpSaleDesign(periodField), parent) {
    ads_client = new TRemoteUdpDataSet(this);
    ads_client->setObjectName(QStringLiteral("ads_client"));

    Com_client = new TcxLookupComboBox(cxGroupBox1);
    Com_client->setObjectName(QStringLiteral("Com_client"));
    // Code, short name, kind.
    Com_client->SetListDataSet(ads_client, {{"fcode", QString(), 100}, {"fabbrev"}, {"fmathod"}});
    cxDBTextEdit5 = new QLineEdit(cxGroupBox1);
    cxDBTextEdit5->setObjectName(QStringLiteral("cxDBTextEdit5"));
    cxDBTextEdit5->setReadOnly(true);

    // The shop box takes the place of the hidden client edit, its label stays before it.
    RzLabel1->setText(QStringLiteral("店铺选择："));
    RzLabel1->setVisible(true);
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->addWidget(Com_client, 0, 1);
    grid->addWidget(cxDBTextEdit5, 0, 2, 1, 2);

    connect(ads_client, &TRemoteUdpDataSet::currentRowChanged, this, [this] { showCurrentShop(); });
    connect(ads_client, &TRemoteUdpDataSet::activeChanged, this, [this] { showCurrentShop(); });
    connect(ads_client, &TRemoteUdpDataSet::dataChanged, this, [this] { showCurrentShop(); });
    connect(Com_client, &TcxLookupComboBox::PropertiesValidate, this, [this](const QString& value) {
        morvane::ui::Guarded([this, &value] { Com_clientPropertiesValidate(Com_client, value); });
    });
}

Tbase_EmpSaleReport::~Tbase_EmpSaleReport() {
    // The children outlive this part of the window; the list must not reach back into it, nor
    // the shop box, whose focus leaves it while the window is torn down and would validate.
    ads_client->disconnect(this);
    Com_client->disconnect(this);
}

void Tbase_EmpSaleReport::FormCreate(QObject* Sender) {
    // The order of the steps matters when one fails: a shop list that cannot be read leaves
    // the year (and month) at their design values.
    Tbase_OLAPreport::FormCreate(Sender);
    OpenQuery(ads_client, morvane::reports::EmpSaleShopListSQL());
    Com_client->ClearValue();
    const QDate today = QDate::currentDate();
    edit_year->setValue(today.year());
    if (edit_month)
        edit_month->setValue(today.month());
}

void Tbase_EmpSaleReport::Com_clientPropertiesValidate(QObject* Sender,
                                                       const QString& DisplayValue) {
    if (ads_client->Active())
        ads_client->Locate(QStringLiteral("fcode"), DisplayValue, loCaseInsensitive);
}

QString Tbase_EmpSaleReport::ChosenShop() {
    const QString shop = Com_client->currentText();
    if (!shop.isEmpty())
        return shop;
    morvane::ui::Runner().MessageBox(QStringLiteral("系统提示"), QStringLiteral("请选择店铺!"),
                                     morvane::ui::MsgIcon::Information, morvane::ui::mbOK);
    Com_client->setFocus();
    return QString();
}

void Tbase_EmpSaleReport::showCurrentShop() {
    const bool onRow = ads_client->Active() && !ads_client->Eof();
    cxDBTextEdit5->setText(onRow ? ads_client->FieldByName(QStringLiteral("fabbrev"))->AsString()
                                 : QString());
}
