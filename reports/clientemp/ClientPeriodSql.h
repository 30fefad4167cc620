#pragma once
// Statements of the franchise-client composite windows (frm_OLAPClientYear,
// frm_OLAPClientMonth) and the shop-assistant windows (frm_OLAPEmpSaleYear,
// frm_OLAPEmpSaleMonth). The builders take numbers for the year and month, so nothing but
// digits reaches the period conditions.

#include <QString>

namespace morvane::reports {

// Franchise clients (kind neither 自营 nor 专柜) crossed with the twelve months, left-joined
// with seven per-month sums of posted documents. `selClient` is the picker's code list; the
// signed-in user's client scope narrows the clients too.
QString ClientYearSQL(int year, const QString& selClient);
// The same crossed with the days of the month (fn_monthday of year-month-1).
QString ClientMonthSQL(int year, int month, const QString& selClient);

// Retail quantity and amount of one shop per assistant and month; the shop code is typed.
QString EmpSaleYearSQL(int year, const QString& shopCode);
// The same per assistant and day of the month (FN_MonthDay of year-month-01).
QString EmpSaleMonthSQL(int year, int month, const QString& shopCode);
// The shops with retail documents that the shop box of the two assistant windows lists,
// within the signed-in user's client scope.
QString EmpSaleShopListSQL();

}  // namespace morvane::reports
