#pragma once
// Tbase_ChargesReport: the expense windows on the sales pivot window. They total the posted
// expense documents (b_charges, b_chargesde) by expense item over one period:
//   cpDays   a business-date range: the date box "日期:", checked to begin with;
//   cpMonth  one month of a year: the spin edits edit_year ("年份：") and edit_month ("月度：");
//   cpYear   one year: edit_year alone.
// The spin edits start at today's year and month. Every picker, the entry-date range and the
// posted, size and finished switches are hidden; the date box too where a spin edit sets the
// period. Their pivot fields are made once and survive new results.

#include <QString>

#include "framework/unt_SaleOlAP.h"

class QSpinBox;

enum TChargesPeriod { cpDays, cpMonth, cpYear };

class Tbase_ChargesReport : public Tbase_SaleOlAP {
    Q_OBJECT
  public:
    Tbase_ChargesReport(TChargesPeriod period, const TPivotDesign& design,
                        QWidget* parent = nullptr);

    // Base creation, then the spin edits from today's date.
    void FormCreate(QObject* Sender) override;

    QLabel* RzLabel7 = nullptr;      // "年份："
    QSpinBox* edit_year = nullptr;   // from 1901
    QLabel* RzLabel8 = nullptr;      // "月度："
    QSpinBox* edit_month = nullptr;  // 1 to 12

  protected:
    // The spin edits' values as statement text; a text still being typed counts as entered.
    QString YearText() const;
    QString MonthText() const;
};
