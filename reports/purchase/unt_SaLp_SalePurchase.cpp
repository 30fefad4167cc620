#include "reports/purchase/unt_SaLp_SalePurchase.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "forms/WindowClasses.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/ComponentPrinter.h"
#include "platform/ui/DBTickGrid.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TRzLauncher.h"
#include "platform/ui/TSaveDialog.h"
#include "platform/ui/TcxButtonEdit.h"
#include "platform/workbook/Workbook.h"
#include "platform/workbook/WorkbookFile.h"
#include "reports/purchase/TableReportLink.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using namespace morvane::sql;

MORVANE_WINDOW(Tfrm_SaLp_SalePurchase, frm_SaLp_SalePurchase)

namespace {

enum Column { cGoods, cName, cPrice, cBegin, cDays, cReceived, cSold, cAmount, cStock, cRatio };

// Columns whose texts are numbers in a workbook; the others are written as texts.
bool NumericColumn(int c) {
    return c != cGoods && c != cName && c != cBegin && c != cRatio;
}

}  // namespace

Tfrm_SaLp_SalePurchase::Tfrm_SaLp_SalePurchase(QWidget* parent) : Tbase_SaleOlAP(parent) {
    // No date filter: the business-date box starts unchecked and is hidden with its range.
    oderdate_check->setChecked(false);
    bill_date1->setEnabled(false);
    bill_date2->setEnabled(false);
    QWidget* hidden[] = {oderdate_check, bill_date1, RzLabel3,    bill_date2, edit_supplier,
                         modidate_check, input_date1, RzLabel4,   input_date2, postedcheck,
                         sizecheck,      flagcheck};
    for (QWidget* w : hidden)
        w->setVisible(false);
    cxGroupBox1->setFixedHeight(75);
    bit_run->setFixedHeight(23);

    cxGrid1 = new morvane::ui::DBTickGrid(TabSheet2);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1->SetColumns({
        {.fieldName = "goodsid", .caption = "货号", .width = 90},
        {.fieldName = "goodsname", .caption = "货品名称", .width = 160},
        {.fieldName = "unitprice", .caption = "吊牌价"},
        {.fieldName = "fbegindate", .caption = "最早到货日期", .width = 90},
        {.fieldName = "fsaledaycount", .caption = "销售天数"},
        {.fieldName = "recevingqty", .caption = "生产数"},
        {.fieldName = "saleqty", .caption = "销售数"},
        {.fieldName = "salesumto", .caption = "销售金额", .width = 100},
        {.fieldName = "stockqty", .caption = "库存数"},
        {.fieldName = "fbyb", .caption = "产/销比", .displayText = &RatioText},
    });
    cxGrid1->SetFooterCount(cGoods, QStringLiteral("合计"));
    for (int c : {cReceived, cSold, cStock})
        cxGrid1->SetFooterSum(c, QStringLiteral("#"));
    cxGrid1->SetFooterSum(cAmount);
    cxGrid1->SetFooterVisible(true);
    cxGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxGrid1->SetIncrementalSearch(false);
    cxGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    cxGrid1->SetRowIndicator(false);
    cxGrid1->SetDataSet(UDPDB_Report);
    auto* page = new QVBoxLayout(TabSheet2);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(cxGrid1);
    PageControl1->setCurrentWidget(TabSheet2);

    Cxgrid_pringLink2 = new TcxGridReportLink(this);
    Cxgrid_pringLink2->setObjectName(QStringLiteral("Cxgrid_pringLink2"));
    Cxgrid_pring->AddLink(Cxgrid_pringLink2);
}

void Tfrm_SaLp_SalePurchase::FormCreate(QObject* Sender) {
    Tbase_SaleOlAP::FormCreate(Sender);
    cxGrid1->SetEvenRowStyle(pub_gridstyle);
}

QString Tfrm_SaLp_SalePurchase::RatioText(const QString& value) {
    if (value.isEmpty())
        return value;
    bool ok = false;
    const double ratio = value.toDouble(&ok);
    // Four decimals times 100: rounding to 1e-10 drops the binary noise of the product.
    return ok ? QString::number(std::round(ratio * 100 * 1e10) / 1e10, 'g', 15) + QLatin1Char('%')
              : value;
}

// clang-format off
QString Tfrm_SaLp_SalePurchase::GetDataSQL() {
    return "select a.goodsid,a.goodsname,a.unitprice,c.fbegindate,DATEDIFF(day,c.fbegindate, getdate()) as fsaledaycount,sum(isnull(c.qty,0)) recevingqty," + CR +
           "sum(isnull(b.qty,0)) saleqty,sum(isnull(b.sumto,0)) salesumto,sum(isnull(d.qty,0)) stockqty,fbyb=case when sum(isnull(c.qty,0))=0 then null" + CR +
           "else convert([numeric](18, 4),convert([numeric](18, 4),sum(isnull(b.qty,0)))/convert([numeric](18, 4),sum(isnull(c.qty,0)))) end" + CR +
           " from goods a left join (select a.fgoodsid,sum(a.qty) as qty,sum(a.qty*isnull(a.fbalancprice,0)) sumto from d_saledetail a join d_sale b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1" + CR +
           InList("b.fclientcode", sel_client) + InList("b.fhousecode", sel_house) +
           " group by a.fgoodsid)b on a.goodsid=b.fgoodsid left join" + CR +
           "(select a.fgoodsid,min(b.fbilldate) as fbegindate,sum(a.qty) as qty from d_recevingdetail a join d_receving b on a.fbillid=b.fbillid" + CR +
           "where b.fposted=1 " + CR +
           InList("b.fhousecode", sel_house) +
           " group by a.fgoodsid)c on a.goodsid=c.fgoodsid left join" + CR +
           "(select a.fgoodsid,sum(a.qty) qty from stock a where 1=1 " + CR +
           InList("a.fhousecode", sel_house) +
           " group by a.fgoodsid)d" + CR +
           "on a.goodsid=d.fgoodsid where 1=1 " + CR +
           InList("a.goodsid", sel_goods) + ScopeClause("a.brand", Scope::Brand) +
           " group by a.goodsid,a.goodsname,a.unitprice,c.fbegindate";
}
// clang-format on

std::vector<QStringList> Tfrm_SaLp_SalePurchase::TableLines() const {
    std::vector<QStringList> lines;
    const QAbstractItemModel* model = cxGrid1->model();
    const int columns = model->columnCount();
    QStringList line;
    for (int c = 0; c < columns; ++c)
        line << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    lines.push_back(line);
    for (int r = 0; r < model->rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < columns; ++c)
            line << model->index(r, c).data(Qt::DisplayRole).toString();
        lines.push_back(line);
    }
    line.clear();
    for (int c = 0; c < columns; ++c)
        line << cxGrid1->FooterText(c);
    lines.push_back(line);
    return lines;
}

QString Tfrm_SaLp_SalePurchase::ResultText() const {
    if (!UDPDB_Report->Active())
        return QString();
    QString text;
    for (const QStringList& line : TableLines())
        text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

void Tfrm_SaLp_SalePurchase::ac_ExcelExecute(QObject* Sender) {
    if (!SaveDialog1->Execute())
        return;
    namespace wb = morvane::workbook;
    wb::Workbook book;
    wb::Sheet& sheet = book.addSheet(QStringLiteral("Sheet1"));
    wb::CellFormat caption;
    caption.font.bold = true;
    caption.halign = wb::HAlign::Center;
    caption.borders = wb::Borders::all(wb::BorderStyle::Thin);
    wb::CellFormat footer = caption;
    footer.halign = wb::HAlign::General;
    wb::CellFormat cell;
    cell.borders = wb::Borders::all(wb::BorderStyle::Thin);
    const wb::FormatId captionId = book.addFormat(caption), footerId = book.addFormat(footer),
                       cellId = book.addFormat(cell);
    const std::vector<QStringList> lines = TableLines();
    std::vector<int> widths(lines.front().size(), 6);
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const wb::FormatId format = r == 0 ? captionId : r + 1 == int(lines.size()) ? footerId : cellId;
        for (int c = 0; c < lines[r].size(); ++c) {
            const QString& text = lines[r][c];
            widths[c] = std::max<int>(widths[c], text.toLocal8Bit().size() + 2);
            bool number = false;
            const double value = r > 0 && NumericColumn(c) ? text.toDouble(&number) : 0;
            if (number)
                sheet.setNumber(r, c, value, format);
            else if (!text.isEmpty())
                sheet.setText(r, c, text, format);
            else
                sheet.setBlank(r, c, format);
        }
    }
    for (int c = 0; c < static_cast<int>(widths.size()); ++c)
        sheet.setColumnWidth(c, std::min(widths[c], 40));
    wb::saveWorkbook(book, SaveDialog1->FileName());
    RzLauncher1->SetFileName(SaveDialog1->FileName());
    RzLauncher1->Launch();
}

void Tfrm_SaLp_SalePurchase::ac_printExecute(QObject* Sender) {
    Cxgrid_pringLink1->SetComponent(nullptr);
    Cxgrid_pringLink2->SetComponent(cxGrid1);
    Cxgrid_pring->SetCurrentLink(Cxgrid_pringLink2);
    try {
        Cxgrid_pring->Preview(true);
    } catch (...) {
        Cxgrid_pringLink2->SetComponent(nullptr);
        throw;
    }
    Cxgrid_pringLink2->SetComponent(nullptr);
}
