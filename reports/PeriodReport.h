#pragma once
// Tbase_PeriodReport: what the period report windows share. A period window reports one
// calendar month day by day, or one calendar year month by month, per business partner:
//   - the year spin edit edit_year ("年份：", from 1901, no maximum) and, for a month, the month
//     spin edit edit_month ("月度：", 1 to 12), both set from today's date at creation;
//   - the filter panel reduced to the pickers the window lists (date ranges and check boxes
//     hidden), with the partner label re-captioned where the window asks;
//   - the code-list and user-scope clauses of its statement;
//   - a pivot designed once (design-time fields in their areas, data-field header, filter area
//     on or off) that get data keeps: the fields only get the zero-blanking handler again and
//     best fit. A window that re-creates its fields at every run replaces LayoutPivot.
//
// A concrete window passes its period and its design to the constructor, sets its caption and
// supplies GetDataSQL; its close handler clears its own instance variable.

#include <QString>
#include <QStringList>

#include "framework/unt_BaseOLAPreport.h"

class QSpinBox;

namespace morvane::reports {

// One carriage return: the line break of every statement.
inline const QString kCR = QStringLiteral("\r");

// The base pickers a period window shows; every other filter control is hidden.
enum TPeriodFilter : unsigned {
    pfClient = 1,    // edit_client
    pfGoods = 2,     // edit_goods
    pfHouse = 4,     // edit_house
    pfSupplier = 8,  // edit_supplier, in the place of edit_client
};

// A window's pivot as designed: the design-time fields, area by area, in their order. Every
// field's caption is its result column.
struct TPeriodPivotDesign {
    QStringList rows;
    QStringList columns;
    QStringList data;
    QStringList filter;
    bool filterArea = true;  // false: the grid's filter area is switched off
    // Where the captions of several data fields go (caption "项目"); AreaIndex -1: innermost.
    bool dataInRows = false;
    int dataAreaIndex = -1;
};

// " and <column> in(<list>)" + line break, or "" for an empty list (no filter).
QString CodeListClause(const QString& column, const QString& list);
// "order by a.fcode," and the month label expression: the close of the yearly statements.
QString MonthOrderText();
// The yearly statement of the windows on client documents with detail lines: every client
// (short names labelled "<label>编号", "<label>简称", ...) with a document in `head`, crossed
// with the twelve months, left-joined with the posted quantities and amounts of `head` and
// `detail` in `year`. The house list narrows the sums only; pass "" where the window has none.
QString ClientDocumentYearSQL(const QString& label, const QString& head, const QString& detail,
                              const QString& year, const QString& clients, const QString& houses,
                              const QString& goods);
// The signed-in user's client scope on a column: the code-list clause of pub_clientcodes
// while pub_clientall is false; "" when the user is unrestricted or the list is empty.
QString ClientScopeClause(const QString& column);

}  // namespace morvane::reports

class Tbase_PeriodReport : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    enum class TPeriod { Year, Month };

    // The filter panel as the window shows it and the design-time pivot. `partnerLabel`, when
    // not empty, re-captions RzLabel1 (the label of the client or supplier edit).
    Tbase_PeriodReport(TPeriod period, unsigned filters, const QString& partnerLabel,
                       const morvane::reports::TPeriodPivotDesign& design,
                       QWidget* parent = nullptr);

    // Base creation, then edit_year (and edit_month) from today's date.
    void FormCreate(QObject* Sender) override;

    TPeriod Period() const { return period_; }

    // The year and month as they reach a statement: plain decimal numbers, no leading zero.
    // A text being typed is taken in first; the spin edits hold only numbers in range.
    QString YearText() const;
    QString MonthText() const;
    // Y + "-" + M + "-01": the date FN_MonthDay is given (2026-3-01).
    QString MonthFirstDay() const;

    QLabel* RzLabel7;      // "年份："
    QSpinBox* edit_year;   // 1901 .. no maximum
    QLabel* RzLabel8;      // "月度：" (nullptr in a yearly window)
    QSpinBox* edit_month;  // 1 .. 12 (nullptr in a yearly window)

  protected:
    // Keeps the design-time fields: gives each the zero-blanking handler, then best fit.
    void LayoutPivot() override;
    // Puts the design back: the design-time fields in their areas and the grid options.
    void DesignPivot();

  private:
    void showFilters(unsigned filters, const QString& partnerLabel);

    TPeriod period_;
    morvane::reports::TPeriodPivotDesign design_;
};
