#pragma once
// What the three production windows (frm_OLAPknufeTrance, frm_GmKnufeEmp, frm_KnufeFlagDay)
// share: a filter panel narrowed to the controls a window names, and the print design of the
// two windows that print a title of their own.

#include <initializer_list>

class QWidget;
class Tbase_OLAPreport;
class TcxPivotGridReportLink;

namespace morvane::reports {

// Hides every control of the base filter panel except `shown` (and the run button).
void ShowOnlyFilters(Tbase_OLAPreport* window, std::initializer_list<QWidget*> shown);

// The title font 宋体 `titlePixels` high on screen, the body text 宋体 13 pixels high, black on
// white throughout; `borders` keeps the lines around the cells.
void SetTitledPrintDesign(TcxPivotGridReportLink* link, int titlePixels, bool borders);

}  // namespace morvane::reports
