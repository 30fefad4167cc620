#include "tests/support/TestWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/PivotField.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"

Tfrm_TestReport* frm_TestReport = nullptr;
Tfrm_TestQuote* frm_TestQuote = nullptr;
Tfrm_TestBroken* frm_TestBroken = nullptr;
Tfrm_TestGoodsSale* frm_TestGoodsSale = nullptr;

MORVANE_TEST_WINDOW(Tfrm_TestReport, "frm_OLAPSaleMonth", "测试报表", frm_TestReport)
MORVANE_TEST_WINDOW(Tfrm_TestQuote, "frm_OLAPSale", "测试'报表", frm_TestQuote)
MORVANE_TEST_WINDOW(Tfrm_TestBroken, "frm_OLAPorder", "测试故障", frm_TestBroken)
MORVANE_TEST_WINDOW(Tfrm_TestGoodsSale, "frm_OLAPSaleYear", "测试批发销售", frm_TestGoodsSale)

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

Tfrm_TestGoodsSale::Tfrm_TestGoodsSale() {
    SetCaption(QStringLiteral("测试批发销售"));
    // All four pickers: the supplier edit gets a cell of its own on the third line, beside the
    // typed brand filter.
    edit_supplier->setVisible(true);
    RzLabel6 = new QLabel(QStringLiteral("供应商选择："), cxGroupBox1);
    RzLabel6->setObjectName(QStringLiteral("RzLabel6"));
    edit_brand = new QLineEdit(cxGroupBox1);
    edit_brand->setObjectName(QStringLiteral("edit_brand"));
    edit_brand->setPlaceholderText(QStringLiteral("品牌"));
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->removeWidget(edit_supplier);
    grid->addWidget(edit_brand, 2, 2, 1, 2);
    grid->addWidget(RzLabel6, 2, 4);
    grid->addWidget(edit_supplier, 2, 5, 1, 3);
    connect(edit_supplier, &TcxButtonEdit::PropertiesButtonClick, this, [this](int i) {
        morvane::ui::Guarded([this, i] { edit_supplierPropertiesButtonClick(edit_supplier, i); });
    });
}

void Tfrm_TestGoodsSale::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_OLAPreport::FormClose(Sender, Action);
    frm_TestGoodsSale = nullptr;
}

QString Tfrm_TestGoodsSale::GetDataSQL() {
    const QChar cr(13);
    const auto day = [](const QDateEdit* edit) {
        return "'" + edit->date().toString(QStringLiteral("yyyy-MM-dd")) + "'";
    };
    QString sql =
        "select b.fclientcode 客户编号,c.fabbrev 客户,g.brand 品牌,a.fgoodsid 货号,"
        "isnull(k.colorname_ch,a.fcolorid) 颜色,sum(a.qty) 数量,sum(a.qty*a.fbalancprice) 金额";
    if (sizecheck->isChecked() && !size_columns.isEmpty())
        sql += "," + size_columns;
    sql += QString(cr) + "from d_saledetail a inner join d_sale b on b.fbillid=a.fbillid" + cr +
           "inner join dt_client c on c.fcode=b.fclientcode" + cr +
           "inner join goods g on g.goodsid=a.fgoodsid" + cr +
           "left join ba_color k on k.fcode=a.fcolorid" + cr + "where 1=1" + cr;
    if (!sel_client.isEmpty())
        sql += " and b.fclientcode in(" + sel_client + ")" + cr;
    if (!sel_goods.isEmpty())
        sql += " and a.fgoodsid in(" + sel_goods + ")" + cr;
    if (!sel_supplier.isEmpty())
        sql += " and g.fsuppliercode in(" + sel_supplier + ")" + cr;
    if (!sel_house.isEmpty())
        sql += " and b.fhousecode in(" + sel_house + ")" + cr;
    if (!edit_brand->text().isEmpty()) {
        QString brand = edit_brand->text();
        sql += " and g.brand like '%" + brand.replace("'", "''") + "%'" + cr;
    }
    if (oderdate_check->isChecked()) {
        sql += " and b.fbilldate>=" + day(bill_date1) + " and b.fbilldate<=" + day(bill_date2) + cr;
    }
    if (modidate_check->isChecked()) {
        sql += " and b.finputdate>=" + day(input_date1) + " and b.finputdate<=" + day(input_date2) +
               cr;
    }
    if (postedcheck->isChecked())
        sql += " and b.fposted=1" + QString(cr);
    if (!pub_clientall && !pub_clientcodes.isEmpty())
        sql += " and b.fclientcode in(" + pub_clientcodes + ")" + cr;
    if (!pub_houseall && !pub_housecodes.isEmpty())
        sql += " and b.fhousecode in(" + pub_housecodes + ")" + cr;
    if (!pub_brandall && !pub_brandcodes.isEmpty())
        sql += " and g.brand in(" + pub_brandcodes + ")" + cr;
    sql += "group by b.fclientcode,c.fabbrev,g.brand,a.fgoodsid,isnull(k.colorname_ch,a.fcolorid)";
    return sql;
}

void Tfrm_TestGoodsSale::SetFieldAreas() {
    SetFieldArea(QStringLiteral("客户"), 1);
    SetFieldArea(QStringLiteral("货号"), 1);
    SetFieldArea(QStringLiteral("颜色"), 0);
    SetFieldArea(QStringLiteral("数量"), 3);
    SetFieldArea(QStringLiteral("金额"), 3);
}

QPoint Tfrm_TestGoodsSale::FieldHeaderPos(const QString& field) {
    morvane::pivot::PivotField* f = OLAP_PivotGrid->GetFieldByName(field);
    return f ? OLAP_PivotGrid->FieldHeaderCenter(f) : QPoint(-1, -1);
}

QPoint Tfrm_TestGoodsSale::AreaDropPos(int area) {
    const morvane::ui::PivotGridGeometry& g = OLAP_PivotGrid->Geometry();
    QRect band;
    switch (area) {
        case 0:
            band = g.columnFieldArea();
            break;
        case 1:
            band = g.cornerArea();
            break;
        case 2:
            band = g.filterArea();
            break;
        default:
            band = g.dataArea();
            break;
    }
    // Near the right end of the band: past every header already there.
    return QPoint(band.right() - 6, band.center().y());
}

QPoint Tfrm_TestGoodsSale::CellPos(int row, int column) {
    return OLAP_PivotGrid->Geometry().cellRect(row, column).center();
}

QStringList Tfrm_TestGoodsSale::AreaFields(int area) const {
    const morvane::pivot::PivotEngine& view = OLAP_PivotGrid->ViewData();
    std::vector<const morvane::pivot::PivotField*> fields;
    for (int i = 0; i < view.fieldCount(); ++i) {
        const morvane::pivot::PivotField& f = view.field(i);
        if (static_cast<int>(f.area()) == area)
            fields.push_back(&f);
    }
    std::sort(fields.begin(), fields.end(),
              [](auto* a, auto* b) { return a->areaIndex() < b->areaIndex(); });
    QStringList names;
    for (const auto* f : fields)
        names << f->name();
    return names;
}
