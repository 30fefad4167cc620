#include "tests/entry/TestWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QVBoxLayout>
#include <stdexcept>

#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/TcxButtonEdit.h"

Tfrm_TestReport* frm_TestReport = nullptr;
Tfrm_TestQuote* frm_TestQuote = nullptr;
Tfrm_TestBroken* frm_TestBroken = nullptr;

MORVANE_REGISTER_WINDOW(Tfrm_TestReport, "frm_OLAPSaleMonth", "测试报表", frm_TestReport)
MORVANE_REGISTER_WINDOW(Tfrm_TestQuote, "frm_OLAPSale", "测试'报表", frm_TestQuote)
MORVANE_REGISTER_WINDOW(Tfrm_TestBroken, "frm_OLAPorder", "测试故障", frm_TestBroken)

Tfrm_TestPicker::Tfrm_TestPicker() {
    SetCaption(QStringLiteral("测试选择"));
    Goods_Table = new TRemoteUdpDataSet(this);
    Goods_Table->setObjectName(QStringLiteral("Goods_Table"));
    Goods_Table->SetLockType(etBatchOptimistic);
    auto* layout = new QVBoxLayout(this);
    edit_fcode = new QLineEdit(this);
    edit_fcode->setObjectName(QStringLiteral("edit_fcode"));
    layout->addWidget(edit_fcode);
    auto* second = new QLineEdit(this);
    second->setObjectName(QStringLiteral("edit_fabbrev"));
    layout->addWidget(second);
}

void Tfrm_TestPicker::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    OpenQuery(Goods_Table, "select 0 as checkid,fcode,fabbrev from dt_client order by fcode");
}

Tfrm_TestReport::Tfrm_TestReport() {
    SetCaption(QStringLiteral("测试报表"));
    SetFormStyle(morvane::ui::fsMDIChild);
    UDPDB_Report = new TRemoteUdpDataSet(this);
    UDPDB_Report->setObjectName(QStringLiteral("UDPDB_Report"));
    ac_GetData = new QAction(QStringLiteral("统计"), this);
    ac_GetData->setObjectName(QStringLiteral("ac_GetData"));
    auto* layout = new QVBoxLayout(this);
    edit_client = new TcxButtonEdit(this);
    edit_client->setObjectName(QStringLiteral("edit_client"));
    edit_client->setText(QStringLiteral("全部"));
    postedcheck = new QCheckBox(QStringLiteral("审核否"), this);
    postedcheck->setObjectName(QStringLiteral("postedcheck"));
    bill_date1 = new QDateEdit(QDate(2026, 3, 1), this);
    bill_date1->setObjectName(QStringLiteral("bill_date1"));
    edit_note = new QLineEdit(this);
    edit_note->setObjectName(QStringLiteral("edit_note"));
    for (QWidget* w : {static_cast<QWidget*>(edit_client), static_cast<QWidget*>(postedcheck),
                       static_cast<QWidget*>(bill_date1), static_cast<QWidget*>(edit_note)}) {
        layout->addWidget(w);
    }
    connect(ac_GetData, &QAction::triggered, this,
            [this] { morvane::ui::Guarded([this] { ac_GetDataExecute(); }); });
    connect(edit_client, &TcxButtonEdit::PropertiesButtonClick, this,
            [this] { morvane::ui::Guarded([this] { edit_clientPropertiesButtonClick(); }); });
}

Tfrm_TestReport::~Tfrm_TestReport() {
    // Leaves the open-window list when the window goes.
    if (pub_mainform) {
        const int i = pub_mainform->OpenWindows().IndexOf(Caption());
        if (i >= 0)
            pub_mainform->OpenWindows().Delete(i);
    }
}

void Tfrm_TestReport::FormCreate(QObject* Sender) {
    Tbase_frm::FormCreate(Sender);
    if (pub_mainform)
        pub_mainform->OpenWindows().Add(Caption());
}

void Tfrm_TestReport::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_frm::FormClose(Sender, Action);
    ClearInstance();
}

void Tfrm_TestReport::ClearInstance() {
    frm_TestReport = nullptr;
}

void Tfrm_TestReport::edit_clientPropertiesButtonClick() {
    auto* picker = new Tfrm_TestPicker();
    picker->Create();
    if (picker->ShowModal() == morvane::ui::mrOk) {
        TRemoteUdpDataSet* t = picker->Goods_Table;
        t->SetFiltered(false);
        t->SetFilter(QStringLiteral("checkid=1"));
        t->SetFiltered(true);
        t->First();
        t->DisableControls();
        edit_client->setText(t->GetRecordCount() > 0 ? QStringLiteral("部分条件")
                                                     : QStringLiteral("全部条件"));
        sel_client.clear();
        for (; !t->Eof(); t->Next())
            sel_client += "'" + t->FieldByName("fcode")->AsString() + "',";
        if (sel_client.endsWith(','))
            sel_client.chop(1);
        t->EnableControls();
    }
    delete picker;
}

void Tfrm_TestReport::ac_GetDataExecute() {
    if (edit_note->text() == QStringLiteral("?")) {
        morvane::ui::Runner().MessageBox(QStringLiteral("系统提示"), QStringLiteral("请输入备注!"),
                                         morvane::ui::MsgIcon::Information, morvane::ui::mbOK);
        edit_note->setFocus();
        return;
    }
    QString sql = "select fcode 客户编号,fabbrev 客户简称,'" +
                  edit_note->text().replace("'", "''") + "' 备注 from dt_client where 1=1" +
                  QChar(13);
    if (!sel_client.isEmpty())
        sql += " and fcode in(" + sel_client + ")" + QChar(13);
    if (postedcheck->isChecked())
        sql += " and fposted=1" + QString(QChar(13));
    sql += " and '" + bill_date1->date().toString("yyyy-MM-dd") + "'>='2000-01-01'" + QChar(13);
    sql += "order by fcode";
    UDPDB_Report->Close();
    OpenQuery(UDPDB_Report, sql);
}

QString Tfrm_TestReport::ResultText() const {
    if (!UDPDB_Report->Active())
        return QString();
    QString out = UDPDB_Report->FieldNames().join('\t') + '\n';
    for (UDPDB_Report->First(); !UDPDB_Report->Eof(); UDPDB_Report->Next()) {
        QStringList cells;
        for (int i = 0; i < UDPDB_Report->FieldCount(); ++i) {
            cells << UDPDB_Report->Fields(i)->AsString();
        }
        out += cells.join('\t') + '\n';
    }
    return out;
}

Tfrm_TestQuote::Tfrm_TestQuote() {
    SetCaption(QStringLiteral("测试'报表"));
}

void Tfrm_TestQuote::ClearInstance() {
    frm_TestQuote = nullptr;
}

Tfrm_TestBroken::Tfrm_TestBroken() {
    SetCaption(QStringLiteral("测试故障"));
}

void Tfrm_TestBroken::FormCreate(QObject* Sender) {
    Tfrm_TestReport::FormCreate(Sender);
    throw std::runtime_error("creation step failed");
}

void Tfrm_TestBroken::ClearInstance() {
    frm_TestBroken = nullptr;
}
