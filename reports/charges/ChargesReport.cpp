#include "reports/charges/ChargesReport.h"

#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <climits>

#include "platform/ui/TcxButtonEdit.h"

namespace {

QSpinBox* SpinEdit(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setRange(minimum, maximum);
    return edit;
}

QString SpinText(QSpinBox* edit) {
    // A number still being typed counts as entered; one out of range leaves the last value.
    edit->interpretText();
    return QString::number(edit->value());
}

}  // namespace

Tbase_ChargesReport::Tbase_ChargesReport(TChargesPeriod period, const TPivotDesign& design,
                                         QWidget* parent)
    : Tbase_SaleOlAP(parent) {
    QWidget* hidden[] = {RzLabel1,       edit_client, edit_supplier, RzLabel2,    edit_goods,
                         RzLabel5,       edit_house,  modidate_check, input_date1, RzLabel4,
                         input_date2,    postedcheck, sizecheck,      flagcheck};
    for (QWidget* w : hidden)
        w->setVisible(false);
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    // The period takes the first line, where the hidden pickers were.
    grid->removeWidget(bit_run);
    grid->addWidget(bit_run, 0, 9, 1, 2);
    if (period == cpDays) {
        oderdate_check->setText(QStringLiteral("日期:"));
        grid->removeWidget(oderdate_check);
        grid->removeWidget(bill_date1);
        grid->removeWidget(RzLabel3);
        grid->removeWidget(bill_date2);
        grid->addWidget(oderdate_check, 0, 0);
        grid->addWidget(bill_date1, 0, 1);
        grid->addWidget(RzLabel3, 0, 2);
        grid->addWidget(bill_date2, 0, 3);
        cxGroupBox1->setFixedHeight(55);
    } else {
        oderdate_check->setChecked(false);
        bill_date1->setEnabled(false);
        bill_date2->setEnabled(false);
        QWidget* dates[] = {oderdate_check, bill_date1, RzLabel3, bill_date2};
        for (QWidget* w : dates)
            w->setVisible(false);
        RzLabel7 = new QLabel(QStringLiteral("年份："), cxGroupBox1);
        RzLabel7->setObjectName(QStringLiteral("RzLabel7"));
        edit_year = SpinEdit(cxGroupBox1, "edit_year", 1901, INT_MAX);
        grid->addWidget(RzLabel7, 0, 0);
        grid->addWidget(edit_year, 0, 1);
        if (period == cpMonth) {
            RzLabel8 = new QLabel(QStringLiteral("月度："), cxGroupBox1);
            RzLabel8->setObjectName(QStringLiteral("RzLabel8"));
            edit_month = SpinEdit(cxGroupBox1, "edit_month", 1, 12);
            grid->addWidget(RzLabel8, 0, 2);
            grid->addWidget(edit_month, 0, 3);
        }
        cxGroupBox1->setFixedHeight(period == cpMonth ? 65 : 57);
    }
    SetDesign(design);
}

void Tbase_ChargesReport::FormCreate(QObject* Sender) {
    Tbase_SaleOlAP::FormCreate(Sender);
    const QDate today = QDate::currentDate();
    if (edit_year)
        edit_year->setValue(today.year());
    if (edit_month)
        edit_month->setValue(today.month());
}

QString Tbase_ChargesReport::YearText() const {
    return SpinText(edit_year);
}

QString Tbase_ChargesReport::MonthText() const {
    return SpinText(edit_month);
}
