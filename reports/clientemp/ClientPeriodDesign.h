#pragma once
// The pivot of the two franchise-client composite windows: client code and short name down
// the rows, the period across the columns, the twelve business figures as data with their
// captions in the rows under the header "项目". Data cells are drawn the grid's default way.

#include <QString>

#include "framework/PivotDesign.h"

namespace morvane::reports {

// `periodField`: 月份 or 日期; `dataAreaIndex`: level of the data captions among the rows
// (-1 innermost).
TPivotDesign ClientCompositeDesign(const QString& periodField, int dataAreaIndex);

}  // namespace morvane::reports
