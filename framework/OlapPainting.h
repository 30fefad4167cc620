#pragma once
// The text rules every pivot report paints with, shared by both pivot bases (the report window
// and the sales window): zero blanking, the share column ("比例") and the Chinese total
// captions. They change only a cell's text; colours and fonts stay the grid's.

#include <QString>

#include <optional>

#include "platform/pivot/PivotTypes.h"

namespace morvane::pivot {
class PivotEngine;
}

namespace morvane::framework {

// Caption of the data field whose cells show the share of the measure to their left.
inline const QString kShareCaption = QStringLiteral("比例");

// A data cell whose text is exactly "0" shows empty; "0.00", "00" and the rest stay.
void BlankZeroText(QString& text);

// The share of `left` in the row total `total` as shown: rounded to four decimals (halves to
// the even neighbour), times 100, shortest decimal text, then "%". Nothing when either text is
// empty, when the total's text begins with "0", or when a text is not a number.
std::optional<QString> ShareText(const QString& left, const QString& total);

// A header caption as shown: "Grand Total" -> "合计"; a caption holding "Total" after its first
// character gets "小计" for every "Total"; anything else is unchanged.
QString TotalCaption(const QString& caption);

// The share rule on one data cell: when the grid's rows are loaded (`dataOpen`) and the cell's
// data field is captioned "比例", its text becomes the share of the cell to its left in the
// row's last-but-one view column (the row total of that measure). Never sets info.done.
void ApplyShareRule(morvane::pivot::PivotEngine& grid, morvane::pivot::CellDrawInfo& info,
                    bool dataOpen);

// The caption rule on a row or column header cell. Never sets info.done.
void ApplyCaptionRule(morvane::pivot::HeaderDrawInfo& info);

}  // namespace morvane::framework
