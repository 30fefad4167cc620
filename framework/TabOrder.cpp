#include "framework/TabOrder.h"

#include <QGridLayout>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace morvane::framework {

void SetReadingTabOrder(QGridLayout* filters, QWidget* run, const QList<QWidget*>& after) {
    struct Placed {
        int row, column, index;
        QWidget* widget;
    };
    std::vector<Placed> placed;
    for (int i = 0; i < filters->count(); ++i) {
        QWidget* w = filters->itemAt(i)->widget();
        if (!w || w == run || w->focusPolicy() == Qt::NoFocus)
            continue;
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        filters->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        placed.push_back({row, column, i, w});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column, a.index) < std::tie(b.row, b.column, b.index);
    });
    QList<QWidget*> chain;
    for (const Placed& p : placed)
        chain << p.widget;
    if (run)
        chain << run;
    chain << after;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace morvane::framework
