#pragma once
// Tbase_PeriodReport: the windows that report one calendar month day by day, or one calendar
// year month by month:
//   - the year spin edit edit_year ("年份：", from 1901) and, for a month, the month spin edit
//     edit_month ("月度：", 1 to 12), both set from today's date at creation;
//   - the filter panel reduced to the pickers the window names (date ranges and check boxes
//     hidden); the supplier edit takes the client edit's place under "厂商选择：".
//
// A concrete window passes its period, its pickers and its pivot design to the constructor
// and supplies GetDataSQL.

#include <QString>

#include "framework/unt_BaseOLAPreport.h"

class QSpinBox;

// The base pickers a period window shows; every other filter control is hidden.
enum TPeriodFilter : unsigned {
    pfClient = 1,    // edit_client
    pfGoods = 2,     // edit_goods
    pfHouse = 4,     // edit_house
    pfSupplier = 8,  // edit_supplier, in the place of edit_client
};

class Tbase_PeriodReport : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    enum TPeriod { Year, Month };

    Tbase_PeriodReport(TPeriod period, unsigned filters, const TPivotDesign& design,
                       QWidget* parent = nullptr);

    // Base creation, then edit_year (and edit_month) from today's date.
    void FormCreate(QObject* Sender) override;

    TPeriod Period() const { return period_; }

    // The year and month of the report; a text still being typed is taken in first. The spin
    // edits hold only numbers in range, so these reach a statement as plain numbers.
    int ReportYear() const;
    int ReportMonth() const;  // 0 in a yearly window
    // "Y-M-01", the first day of the month as FN_MonthDay takes it (2026-3-01).
    QString MonthFirstDay() const;

    QLabel* RzLabel7;      // "年份："
    QSpinBox* edit_year;   // 1901 .. no maximum
    QLabel* RzLabel8;      // "月度：" (nullptr in a yearly window)
    QSpinBox* edit_month;  // 1 .. 12 (nullptr in a yearly window)

  private:
    void showFilters(unsigned filters);

    TPeriod period_;
};
