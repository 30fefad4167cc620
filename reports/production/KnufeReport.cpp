#include "reports/production/KnufeReport.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "framework/unt_BaseOLAPreport.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TcxButtonEdit.h"

namespace morvane::reports {

namespace {

// Screen pixels at 96 dots per inch as printed points.
double Points(int pixels) {
    return pixels * 72.0 / 96.0;
}

}  // namespace

void ShowOnlyFilters(Tbase_OLAPreport* w, std::initializer_list<QWidget*> shown) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             w->RzLabel1, w->edit_client, w->edit_supplier, w->RzLabel2, w->edit_goods, w->RzLabel5,
             w->edit_house, w->oderdate_check, w->bill_date1, w->RzLabel3, w->bill_date2,
             w->modidate_check, w->input_date1, w->RzLabel4, w->input_date2, w->postedcheck,
             w->sizecheck, w->flagcheck}) {
        control->setVisible(std::find(shown.begin(), shown.end(), control) != shown.end());
    }
}

void SetTitledPrintDesign(TcxPivotGridReportLink* link, int titlePixels, bool borders) {
    QFont title = link->ReportTitle.Font;
    title.setFamily(QStringLiteral("宋体"));
    title.setPointSizeF(Points(titlePixels));
    link->ReportTitle.Font = title;
    link->SetFontSize(Points(13));
    link->SetWhiteStyles(true);
    link->SetBorders(borders);
    link->Invalidate();
}

}  // namespace morvane::reports
