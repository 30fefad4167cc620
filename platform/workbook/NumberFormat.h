#pragma once

#include <QString>

#include <string>

namespace morvane::workbook {

class Sheet;
class Workbook;

// A number as a cell of that number format shows it. Understood: "General"
// and "@" (shortest decimal form, up to 15 significant digits), fixed
// decimals ("0", "0.00"), thousands separators ("#,##0.00"), percentages
// ("0%", "0.00%"), and dates and times (codes with y, m, d, h or s, counted
// in days from 1899-12-30 as the spreadsheet programs do). A code of another
// kind shows the General form.
QString formatNumber(double value, const std::string& code);

// The number format that a percentage typed as text ("25%", "33.33%") gets,
// with as many decimals as the text has: "0%", "0.0%", "0.00%" and so on.
std::string percentFormatFor(const QString& text);

// The text a cell of the sheet shows: a text as it is, a number in its cell's
// number format, "" for a blank or no cell.
QString shownText(const Workbook& workbook, const Sheet& sheet, int row, int column);

}  // namespace morvane::workbook
