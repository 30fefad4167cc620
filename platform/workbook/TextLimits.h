#pragma once
// What every workbook file must hold to stay valid: no cell text longer than the formats
// allow, and in .xlsx no character that XML 1.0 forbids. The writers apply these rules to
// every text as they write it and say once what they had to cut.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace morvane::workbook {

// Characters of one cell text in .xls and in .xlsx (UTF-16 units, as the formats count them).
inline constexpr int kCellTextLimit = 32767;

// The text cut to kCellTextLimit UTF-16 units, never inside a character; nullopt when it fits.
std::optional<std::string> cutCellText(std::string_view utf8);

// The text with every character XML 1.0 forbids (control characters other than tab, line
// feed and carriage return; U+FFFE and U+FFFF; invalid UTF-8) replaced by U+FFFD; nullopt
// when it has none.
std::optional<std::string> xmlSafeText(std::string_view utf8);

// The A1 name of a 0-based cell position ("B7").
std::string cellName(int row, int column);

// Cell texts a writer cut to the limit: how many, and where the first one is.
struct TextCuts {
    int count = 0;
    QString firstSheet;
    int firstRow = 0, firstColumn = 0;

    void add(const QString& sheet, int row, int column);
    // The sentence telling the user, once for the whole file ("" when nothing was cut):
    // "2 cell texts were longer than the 32,767 characters an .xlsx cell holds and were cut
    // to that length (the first in cell B7 of sheet Sheet1)."
    QString notice(std::string_view formatName) const;
};

}  // namespace morvane::workbook
