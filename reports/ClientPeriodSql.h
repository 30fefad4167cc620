#pragma once
// Statements of the franchise-client composite windows (frm_OLAPClientYear,
// frm_OLAPClientMonth) and the shop-assistant windows (frm_OLAPEmpSaleYear,
// frm_OLAPEmpSaleMonth), built by concatenation with one carriage return as the line break.
// The builders take numbers for the year and month, so nothing but digits reaches the period
// conditions; the windows check their spin edits before calling.

#include <QString>

namespace morvane::reports {

// The client code list a restricted user's statements add ("" when no condition applies):
// pub_clientcodes while pub_clientall is false, else "".
QString ClientScopeCodes();

// Franchise clients (kind neither 自营 nor 专柜) crossed with the twelve months, left-joined
// with seven per-month sums of posted documents. `selClient` is the picker's code list and
// `scopeCodes` the user's; an empty list adds no clause.
QString ClientYearSQL(int year, const QString& selClient, const QString& scopeCodes);
// The same crossed with the days of the month (fn_monthday of year-month-1).
QString ClientMonthSQL(int year, int month, const QString& selClient, const QString& scopeCodes);

// Retail quantity and amount of one shop per assistant and month; the typed shop code has
// its apostrophes doubled.
QString EmpSaleYearSQL(int year, const QString& shopCode);
// The same per assistant and day of the month (FN_MonthDay of year-month-01).
QString EmpSaleMonthSQL(int year, int month, const QString& shopCode);
// The shops with retail documents that the shop box of the two assistant windows lists.
QString EmpSaleShopListSQL(const QString& scopeCodes);

}  // namespace morvane::reports
