#include "pickers/unt_SelectKnufe.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QVBoxLayout>

#include <stdexcept>

#include "pickers/PickerParts.h"
#include "platform/db/Backend.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/DBTickGrid.h"
#include "platform/ui/TcxStyle.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using morvane::pickers::Bind;
using morvane::pickers::MakeButton;
using morvane::pickers::MakeLabel;
using namespace morvane::sql;

// The memory table's "database": the rows last handed to it, given out once.
class KnufeMemoryRows : public morvane::db::Backend {
  public:
    morvane::db::ResultTable rows;

    morvane::db::ResultTable query(const std::string&) override { return std::move(rows); }
    std::int64_t execute(const std::string&) override {
        throw EDatabaseError("a memory table runs no statements");
    }
    void cancel() noexcept override {}
    std::string dbmsName() const override { return "memory"; }
};

namespace {

constexpr int kTextBytes = 20;  // width of the memory table's text fields

// The text as a field of `kTextBytes` bytes of the Chinese (GBK) code page keeps it: whole
// characters while they fit.
std::string FieldText(const QString& text) {
    QStringEncoder gbk("GBK");
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype next = end + (text.at(end).isHighSurrogate() ? 2 : 1);
        const QByteArray encoded = gbk.encode(QStringView(text).sliced(end, next - end));
        bytes += int(encoded.size());
        if (bytes > kTextBytes)
            break;
        end = next;
    }
    return text.left(end).toStdString();
}

}  // namespace

Tfrm_SelectKnufe::Tfrm_SelectKnufe(QWidget* parent) : Tbase_frmTop(parent) {
    SetCaption(QStringLiteral("裁床单选择"));
    SetFormStyle(morvane::ui::fsNormal);
    resize(780, 420);

    ads_main = new TRemoteUdpDataSet(this);
    ads_main->setObjectName(QStringLiteral("ads_main"));
    ads_main->SetLockType(etOptimistic);
    ads_main->SetSelectType(SelectAll);
    ads_main->SetPageSize(10);
    memory_ = new TRemoteUdpConnection(this);
    auto rows = std::make_unique<KnufeMemoryRows>();
    memoryRows_ = rows.get();
    memory_->OpenBackend(std::move(rows));
    dxMem_Master = new TRemoteUdpDataSet(this);
    dxMem_Master->setObjectName(QStringLiteral("dxMem_Master"));

    cxGroupBox1 = new QGroupBox(QStringLiteral("过滤条件"), this);
    cxGroupBox1->setObjectName(QStringLiteral("cxGroupBox1"));
    cxGroupBox1->setFixedHeight(81);
    cxCheckBox1 = new QCheckBox(QStringLiteral("日期:"), cxGroupBox1);
    cxCheckBox1->setObjectName(QStringLiteral("cxCheckBox1"));
    cxCheckBox1->setChecked(true);
    auto dateEdit = [this](const char* name) {
        auto* edit = new QDateEdit(cxGroupBox1);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        return edit;
    };
    cxDateEdit1 = dateEdit("cxDateEdit1");
    cxLabel3 = MakeLabel(cxGroupBox1, QStringLiteral("cxLabel3"), QStringLiteral("至"));
    cxDateEdit2 = dateEdit("cxDateEdit2");
    cxLabel1 = MakeLabel(cxGroupBox1, QStringLiteral("cxLabel1"), QStringLiteral("款号:"));
    edit_goodsid = new QLineEdit(cxGroupBox1);
    edit_goodsid->setObjectName(QStringLiteral("edit_goodsid"));
    cxLabel2 = MakeLabel(cxGroupBox1, QStringLiteral("cxLabel2"), QStringLiteral("床次:"));
    edit_fcutno = new QLineEdit(cxGroupBox1);
    edit_fcutno->setObjectName(QStringLiteral("edit_fcutno"));
    cxButton3 = MakeButton(cxGroupBox1, QStringLiteral("cxButton3"), QStringLiteral("查找"));
    auto* filter = new QGridLayout(cxGroupBox1);
    filter->setContentsMargins(6, 2, 6, 4);
    filter->addWidget(cxCheckBox1, 0, 0);
    filter->addWidget(cxDateEdit1, 0, 1);
    filter->addWidget(cxLabel3, 0, 2);
    filter->addWidget(cxDateEdit2, 0, 3);
    filter->addWidget(cxLabel1, 1, 0);
    filter->addWidget(edit_goodsid, 1, 1);
    filter->addWidget(cxLabel2, 1, 2);
    filter->addWidget(edit_fcutno, 1, 3);
    filter->addWidget(cxButton3, 0, 4, 2, 1);
    filter->setColumnStretch(5, 1);

    cxGrid1DBTableView1 = new morvane::ui::DBTickGrid(this);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->SetColumnAutoWidth(true);
    SetColumnsFlagVisible(true);
    auto* white = new TcxStyle(this);
    white->setObjectName(QStringLiteral("cxStyle1"));
    white->SetColor(morvane::ui::clWhite);
    cxGrid1DBTableView1->SetEvenRowStyle(white);
    cxGrid1DBTableView1->SetDataSet(dxMem_Master);

    RzPanel1 = morvane::pickers::MakePanel(this, QStringLiteral("RzPanel1"), 35);
    cxButton1 = MakeButton(RzPanel1, QStringLiteral("cxButton1"), QStringLiteral("确定"));
    cxButton1->setEnabled(false);
    cxButton2 = MakeButton(RzPanel1, QStringLiteral("cxButton2"), QStringLiteral("取消"));
    auto* buttons = new QHBoxLayout(RzPanel1);
    buttons->setContentsMargins(6, 2, 6, 2);
    buttons->addStretch();
    buttons->addWidget(cxButton1);
    buttons->addWidget(cxButton2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(cxGroupBox1);
    layout->addWidget(cxGrid1DBTableView1, 1);
    layout->addWidget(RzPanel1);

    Bind(cxButton3, &QPushButton::clicked, this, [this] { cxButton3Click(cxButton3); });
    Bind(cxButton1, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrOk); });
    Bind(cxButton2, &QPushButton::clicked, this, [this] { SetModalResult(morvane::ui::mrCancel); });
}

void Tfrm_SelectKnufe::FormCreate(QObject* Sender) {
    Tbase_frmTop::FormCreate(Sender);
    const QDate today = QDate::currentDate();
    cxDateEdit2->setDate(today);
    cxDateEdit1->setDate(today.addDays(-30));
    cxButton3Click(cxButton3);
}

// clang-format off
QString Tfrm_SelectKnufe::SearchSQL() const {
    QString sql = "select b.fbillid,b.fbilldate,b.fmanualid,b.fgoodsid,c.goodsname,b.fcutno,sum(isnull(a.fqty,0)) fqty" + CR +
                  " from gm_knufede a join gm_knufe b on a.fbillid=b.fbillid" + CR +
                  "join goods c on b.fgoodsid=c.goodsid where 1=1" + CR;
    if (cxCheckBox1->isChecked())
        sql += " and b.fbilldate>=" + Quoted(cxDateEdit1->date().toString("yyyy-MM-dd")) + " and b.fbilldate<=" + Quoted(cxDateEdit2->date().toString("yyyy-MM-dd")) + CR;
    if (!edit_goodsid->text().isEmpty())
        sql += " and b.fgoodsid like " + Quoted("%" + edit_goodsid->text() + "%");
    if (!edit_fcutno->text().isEmpty())
        sql += " and b.fcutno=" + Quoted(edit_fcutno->text());
    return sql + " group by b.fbillid,b.fbilldate,b.fmanualid,b.fgoodsid,c.goodsname,b.fcutno";
}
// clang-format on

void Tfrm_SelectKnufe::cxButton3Click(QObject* Sender) {
    OpenQuery(ads_main, SearchSQL());
    cxButton1->setEnabled(true);
    copyRows();
}

void Tfrm_SelectKnufe::copyRows() {
    using morvane::db::ColumnBuilder;
    using morvane::db::ColumnType;
    ColumnBuilder flag("fcheckid", ColumnType::Boolean);
    ColumnBuilder qty("fqty", ColumnType::Integer);
    const char* const texts[] = {"fbillid", "fbilldate", "fmanualid",
                                 "fcutno",  "fgoodsid",  "goodsname"};
    std::vector<ColumnBuilder> text;
    for (const char* name : texts)
        text.emplace_back(name, ColumnType::Text);
    for (ads_main->First(); !ads_main->Eof(); ads_main->Next()) {
        flag.appendInteger(0);
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i].appendText(FieldText(ads_main->FieldByName(texts[i])->AsString()));
        qty.appendInteger(ads_main->FieldByName(QStringLiteral("fqty"))->AsLargeInt());
    }
    std::vector<morvane::db::Column> columns;
    columns.push_back(flag.finish());
    for (ColumnBuilder& b : text)
        columns.push_back(b.finish());
    columns.push_back(qty.finish());
    memoryRows_->rows = morvane::db::ResultTable(std::move(columns));
    dxMem_Master->Close();
    // The base creation attaches every dataset of the window to the database; this one reads
    // its own rows.
    dxMem_Master->setSetupUdpParent(memory_);
    dxMem_Master->Open();
}

void Tfrm_SelectKnufe::SetColumnsFlagVisible(bool visible) {
    // Without the tick column the other columns share the whole width.
    flagVisible_ = visible;
    std::vector<morvane::ui::GridColumn> columns = {
        {"fbillid", "裁床单号", 99}, {"fbilldate", "裁床日期", 100}, {"fmanualid", "手工单号", 76},
        {"fcutno", "床次", 67},      {"fgoodsid", "货号", 85},       {"goodsname", "品名", 114},
        {"fqty", "实裁数", 77},
    };
    if (visible)
        columns.insert(columns.begin(), {"fcheckid", "选择", 0, true, true});
    cxGrid1DBTableView1->SetColumns(std::move(columns));
}

QStringList Tfrm_SelectKnufe::ScriptTick(const QStringList& codes) {
    const bool chosen = morvane::ui::Guarded([&] {
        const QString problem = scriptChoose(codes);
        if (!problem.isEmpty())
            throw std::runtime_error(problem.toStdString());
    });
    if (!chosen)
        SetModalResult(morvane::ui::mrCancel);
    return {};
}

QString Tfrm_SelectKnufe::scriptChoose(const QStringList& codes) {
    const bool oneBill = !ColumnsFlagVisible();
    if (oneBill && codes.size() != 1) {
        return "this window takes one cutting bill, not " +
               (codes.isEmpty() ? QStringLiteral("none") : codes.join(','));
    }
    const QString listed = cxCheckBox1->isChecked()
                               ? "the bills of " + cxDateEdit1->date().toString("yyyy-MM-dd") +
                                     " to " + cxDateEdit2->date().toString("yyyy-MM-dd")
                               : QStringLiteral("the bills of all dates");
    if (!dxMem_Master->Active())
        return "the cutting-bill picker lists no bills";
    QStringList missing;
    for (const QString& code : codes) {
        if (!dxMem_Master->Locate(QStringLiteral("fbillid"), code, loCaseInsensitive))
            missing << code;
    }
    if (!missing.isEmpty()) {
        return "cutting bill " + missing.join(',') + " is not among " + listed +
               " that the picker lists; nothing was chosen";
    }
    if (oneBill)
        return QString();  // the Locate above left the bill focused
    TField* flag = dxMem_Master->FieldByName(QStringLiteral("fcheckid"));
    TField* bill = dxMem_Master->FieldByName(QStringLiteral("fbillid"));
    dxMem_Master->DisableControls();
    for (dxMem_Master->First(); !dxMem_Master->Eof(); dxMem_Master->Next()) {
        if (!codes.contains(bill->AsString(), Qt::CaseInsensitive))
            continue;
        dxMem_Master->Edit();
        flag->SetAsBoolean(true);
        dxMem_Master->Post();
    }
    dxMem_Master->First();
    dxMem_Master->EnableControls();
    return QString();
}
