#include "reports/PeriodReport.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include <climits>

#include "entry/totalpub1.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/TcxButtonEdit.h"

namespace morvane::reports {

QString CodeListClause(const QString& column, const QString& list) {
    if (list.isEmpty())
        return QString();
    return " and " + column + " in(" + list + ")" + kCR;
}

QString ClientScopeClause(const QString& column) {
    if (pub_clientall)
        return QString();
    return CodeListClause(column, pub_clientcodes);
}

QString MonthOrderText() {
    return QStringLiteral("order by a.fcode,right('0'+convert(varchar(2),a.fmonth)+'月',3)");
}

QString ClientDocumentYearSQL(const QString& label, const QString& head, const QString& detail,
                              const QString& year, const QString& clients, const QString& houses,
                              const QString& goods) {
    QString sql = "select a.fcode " + label + "编号,a.fabbrev " + label + "简称,a.fmathod " +
                  label + "性质,a.fgrad " + label +
                  "等级,right('0'+convert(varchar(2),a.fmonth)+'月',3) as 月份,b.qty 数量,"
                  "b.sumto 金额 from (" +
                  kCR +
                  "select a.fcode,a.fabbrev,a.fmathod,a.fgrad,b.fmonth from dt_client a,"
                  "(select * from V_MonthList)b" +
                  kCR + "where fcode in(select fclientcode from " + head + ")" + kCR;
    sql += CodeListClause(QStringLiteral("a.fcode"), clients);
    sql += ClientScopeClause(QStringLiteral("a.fcode"));
    sql += ")a left join" + kCR +
           "(select b.fclientcode,month(b.fbilldate) as fmonth,sum(isnull(a.qty,0)) qty,"
           "sum(isnull(a.qty,0)*isnull(a.fbalancprice,0)) sumto" +
           kCR + " from " + detail + " a join " + head +
           " b on a.fbillid=b.fbillid where b.fposted=1 and year(b.fbilldate)=" + year + kCR;
    sql += CodeListClause(QStringLiteral("b.fclientcode"), clients);
    sql += ClientScopeClause(QStringLiteral("b.fclientcode"));
    sql += CodeListClause(QStringLiteral("b.fhousecode"), houses);
    sql += CodeListClause(QStringLiteral("a.fgoodsid"), goods);
    sql += "group by b.fclientcode,b.fbilldate)b" + kCR +
           "on a.fcode=b.fclientcode and a.fmonth=b.fmonth" + kCR + MonthOrderText();
    return sql;
}

}  // namespace morvane::reports

namespace {

QSpinBox* MakeSpinEdit(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(minimum, maximum);
    // The design value; creation replaces it with today's year or month.
    edit->setValue(minimum);
    return edit;
}

QString SpinText(QSpinBox* edit) {
    // A text still being typed counts as entered; one that is no number in range leaves the
    // last value standing, as leaving the edit would.
    edit->interpretText();
    return QString::number(edit->value());
}

}  // namespace

Tbase_PeriodReport::Tbase_PeriodReport(TPeriod period, unsigned filters,
                                       const QString& partnerLabel,
                                       const morvane::reports::TPeriodPivotDesign& design,
                                       QWidget* parent)
    : Tbase_OLAPreport(parent), period_(period), design_(design) {
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    RzLabel7 = new QLabel(QStringLiteral("年份："), cxGroupBox1);
    RzLabel7->setObjectName(QStringLiteral("RzLabel7"));
    edit_year = MakeSpinEdit(cxGroupBox1, "edit_year", 1901, INT_MAX);
    // The year and month take the line of the date ranges, which period windows hide.
    grid->addWidget(RzLabel7, 1, 0);
    grid->addWidget(edit_year, 1, 1);
    RzLabel8 = nullptr;
    edit_month = nullptr;
    if (period == TPeriod::Month) {
        RzLabel8 = new QLabel(QStringLiteral("月度："), cxGroupBox1);
        RzLabel8->setObjectName(QStringLiteral("RzLabel8"));
        edit_month = MakeSpinEdit(cxGroupBox1, "edit_month", 1, 12);
        grid->addWidget(RzLabel8, 1, 4);
        grid->addWidget(edit_month, 1, 5);
    }
    showFilters(filters, partnerLabel);
    DesignPivot();
}

void Tbase_PeriodReport::showFilters(unsigned filters, const QString& partnerLabel) {
    using namespace morvane::reports;
    for (QWidget* w : {static_cast<QWidget*>(oderdate_check), static_cast<QWidget*>(bill_date1),
                       static_cast<QWidget*>(RzLabel3), static_cast<QWidget*>(bill_date2),
                       static_cast<QWidget*>(modidate_check), static_cast<QWidget*>(input_date1),
                       static_cast<QWidget*>(RzLabel4), static_cast<QWidget*>(input_date2),
                       static_cast<QWidget*>(postedcheck), static_cast<QWidget*>(sizecheck),
                       static_cast<QWidget*>(flagcheck)}) {
        w->setVisible(false);
    }
    edit_client->setVisible((filters & pfClient) != 0);
    edit_supplier->setVisible((filters & pfSupplier) != 0);
    RzLabel1->setVisible((filters & (pfClient | pfSupplier)) != 0);
    edit_goods->setVisible((filters & pfGoods) != 0);
    RzLabel2->setVisible((filters & pfGoods) != 0);
    edit_house->setVisible((filters & pfHouse) != 0);
    RzLabel5->setVisible((filters & pfHouse) != 0);
    if (!partnerLabel.isEmpty())
        RzLabel1->setText(partnerLabel);
}

void Tbase_PeriodReport::DesignPivot() {
    TcxDBPivotGrid* grid = OLAP_PivotGrid;
    grid->BeginUpdate();
    morvane::pivot::PivotEngine& engine = grid->ViewData();
    const std::pair<const QStringList*, int> areas[] = {
        {&design_.rows, 1}, {&design_.columns, 0}, {&design_.data, 3}, {&design_.filter, 2}};
    for (const auto& [names, area] : areas) {
        for (const QString& name : *names) {
            engine.addField(name);
            grid->SetFieldArea(name, area);
        }
    }
    TcxPivotGridOptionsView view = grid->OptionsView();
    view.FilterFields = design_.filterArea;
    grid->SetOptionsView(view);
    TcxPivotGridOptionsDataField dataField = grid->OptionsDataField();
    dataField.Area = design_.dataInRows ? dfaRow : dfaColumn;
    dataField.AreaIndex = design_.dataAreaIndex;
    dataField.Caption = QStringLiteral("项目");
    grid->SetOptionsDataField(dataField);
    grid->EndUpdate();
}

void Tbase_PeriodReport::FormCreate(QObject* Sender) {
    Tbase_OLAPreport::FormCreate(Sender);
    const QDate today = QDate::currentDate();
    edit_year->setValue(today.year());
    if (edit_month)
        edit_month->setValue(today.month());
}

QString Tbase_PeriodReport::YearText() const {
    return SpinText(edit_year);
}

QString Tbase_PeriodReport::MonthText() const {
    return edit_month ? SpinText(edit_month) : QString();
}

QString Tbase_PeriodReport::MonthFirstDay() const {
    return YearText() + "-" + MonthText() + "-01";
}

void Tbase_PeriodReport::LayoutPivot() {
    OLAP_PivotGrid->BeginUpdate();
    for (int i = 0; i < OLAP_PivotGrid->FieldCount(); ++i)
        AttachZeroBlanking(*OLAP_PivotGrid->Fields(i));
    OLAP_PivotGrid->EndUpdate();
    OLAP_PivotGrid->ApplyBestFit();
}
