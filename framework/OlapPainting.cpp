#include "framework/OlapPainting.h"

#include <cfenv>
#include <cmath>

#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/PivotField.h"

namespace morvane::framework {

void BlankZeroText(QString& text) {
    if (text == QLatin1String("0"))
        text.clear();
}

std::optional<QString> ShareText(const QString& left, const QString& total) {
    if (left.isEmpty() || total.isEmpty() || total.front() == QLatin1Char('0'))
        return std::nullopt;
    // The grid writes measures without thousands separators and with a point; a text that is
    // not such a number (a custom format, a stray caption) leaves the cell as it was.
    bool okLeft = false, okTotal = false;
    const double l = left.toDouble(&okLeft);
    const double t = total.toDouble(&okTotal);
    if (!okLeft || !okTotal || t == 0.0)
        return std::nullopt;
    // Four decimals of the ratio, halves to even: nearbyint honours the default rounding mode,
    // which is round-to-nearest-even. Dividing the rounded count of ten-thousandths by 100
    // gives the percentage without a second rounding step.
    const int mode = std::fegetround();
    if (mode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double tenThousandths = std::nearbyint(l / t * 10000.0);
    if (mode != FE_TONEAREST)
        std::fesetround(mode);
    double percent = tenThousandths / 100.0;
    if (percent == 0.0)
        percent = 0.0;  // no "-0"
    return QString::number(percent, 'g', 15) + QLatin1Char('%');
}

QString TotalCaption(const QString& caption) {
    static const QString total = QStringLiteral("Total");
    if (caption == QLatin1String("Grand Total"))
        return QStringLiteral("合计");
    if (caption.indexOf(total) > 0) {
        QString shown = caption;
        shown.replace(total, QStringLiteral("小计"));
        return shown;
    }
    return caption;
}

void ApplyShareRule(morvane::pivot::PivotEngine& grid, morvane::pivot::CellDrawInfo& info,
                    bool dataOpen) {
    if (!dataOpen || !info.dataField || info.dataField->caption() != kShareCaption)
        return;
    const int n = grid.columnCount();
    if (info.column < 1 || n < 2 || info.row < 0)
        return;
    // With the share as the last data field, the column before the last is the row's grand
    // total of the measure the share belongs to.
    const QString left = grid.cellText(info.row, info.column - 1);
    const QString total = grid.cellText(info.row, n - 2);
    if (auto share = ShareText(left, total))
        info.text = *share;
}

void ApplyCaptionRule(morvane::pivot::HeaderDrawInfo& info) {
    info.text = TotalCaption(info.text);
}

}  // namespace morvane::framework
