#pragma once

#include "platform/pivot/Value.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace morvane::pivot {

// Default display texts of the grid: whole numbers in decimal, real numbers in
// the shortest general form with up to 15 significant digits (no thousands
// separators, no trailing zeros, exponent as "1E20" / "1E-5" when the number is
// very large or very small), texts as they are, NULL as the empty text.
QString formatInteger(std::int64_t v);
QString formatReal(double v);
QString formatValue(const Value& v);

// Width of a text in average-character units: one per character, two for the
// wide (CJK and full-width) characters. Used by best fit.
int textWidthUnits(QStringView text);
// textWidthUnits(formatValue(v)), without making the text of a number.
int numberWidthUnits(const Value& v);

}  // namespace morvane::pivot
