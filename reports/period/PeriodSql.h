#pragma once
// Statement parts the period windows share.

#include <QString>

namespace morvane::reports {

// "order by a.fcode," and the month label: the close of the yearly statements.
QString MonthOrderText();

// The yearly statement of the windows on client documents with detail lines: every client
// (labelled "<label>编号", "<label>简称", ...) with a document in `head`, crossed with the twelve
// months, left-joined with the posted quantities and amounts of `head` and `detail` in `year`.
// The house list narrows the sums only; pass "" where the window has none.
QString ClientDocumentYearSQL(const QString& label, const QString& head, const QString& detail,
                              int year, const QString& clients, const QString& houses,
                              const QString& goods);

}  // namespace morvane::reports
