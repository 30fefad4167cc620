#include "framework/PeriodReport.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

#include <climits>

#include "platform/ui/TcxButtonEdit.h"

namespace {

QSpinBox* MakeSpinEdit(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(minimum, maximum);
    // The design value; creation replaces it with today's year or month.
    edit->setValue(minimum);
    return edit;
}

int SpinValue(QSpinBox* edit) {
    // A text still being typed counts as entered; one that is no number in range leaves the
    // last value standing, as leaving the edit would.
    edit->interpretText();
    return edit->value();
}

}  // namespace

Tbase_PeriodReport::Tbase_PeriodReport(TPeriod period, unsigned filters, const TPivotDesign& design,
                                       QWidget* parent)
    : Tbase_OLAPreport(parent), period_(period) {
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    RzLabel7 = new QLabel(QStringLiteral("年份："), cxGroupBox1);
    RzLabel7->setObjectName(QStringLiteral("RzLabel7"));
    edit_year = MakeSpinEdit(cxGroupBox1, "edit_year", 1901, INT_MAX);
    // The year and month take the line of the date ranges, which period windows hide.
    grid->addWidget(RzLabel7, 1, 0);
    grid->addWidget(edit_year, 1, 1);
    RzLabel8 = nullptr;
    edit_month = nullptr;
    if (period == Month) {
        RzLabel8 = new QLabel(QStringLiteral("月度："), cxGroupBox1);
        RzLabel8->setObjectName(QStringLiteral("RzLabel8"));
        edit_month = MakeSpinEdit(cxGroupBox1, "edit_month", 1, 12);
        grid->addWidget(RzLabel8, 1, 4);
        grid->addWidget(edit_month, 1, 5);
    }
    showFilters(filters);
    SetDesign(design);
}

void Tbase_PeriodReport::showFilters(unsigned filters) {
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
    if (filters & pfSupplier)
        RzLabel1->setText(QStringLiteral("厂商选择："));
}

void Tbase_PeriodReport::FormCreate(QObject* Sender) {
    Tbase_OLAPreport::FormCreate(Sender);
    const QDate today = QDate::currentDate();
    edit_year->setValue(today.year());
    if (edit_month)
        edit_month->setValue(today.month());
}

int Tbase_PeriodReport::ReportYear() const {
    return SpinValue(edit_year);
}

int Tbase_PeriodReport::ReportMonth() const {
    return edit_month ? SpinValue(edit_month) : 0;
}

QString Tbase_PeriodReport::MonthFirstDay() const {
    return QString::number(ReportYear()) + "-" + QString::number(ReportMonth()) + "-01";
}
