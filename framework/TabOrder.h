#pragma once
// Tab order in reading order for a report window: the filter panel's controls line by line,
// left to right (as its grid layout places them, whatever order they were made in), then the
// get-data button, then the grid, then the buttons under it.

#include <QList>

class QGridLayout;
class QWidget;

namespace morvane::framework {

// `filters` is the filter panel's grid layout; `run` the get-data button (taken out of the
// panel's order and put after it); `after` what follows, in order (the grid, the buttons).
void SetReadingTabOrder(QGridLayout* filters, QWidget* run, const QList<QWidget*>& after);

}  // namespace morvane::framework
