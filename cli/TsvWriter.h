#pragma once
// Tab-separated output of result rows and laid-out pivots, as the morvane tool
// prints them: LF line ends, TAB between cells, tabs and line breaks inside a
// text printed as blanks so that every row stays one line.

#include <cstdio>
#include <string>
#include <string_view>

namespace morvane::db {
class ResultTable;
}

namespace morvane::cli {

// Appends text to line with TAB, CR and LF replaced by blanks.
void appendTsvText(std::string& line, std::string_view text);

// Header line of column names, then one line per row: NULL empty, integers in
// decimal, other numbers in their shortest round-trip form, texts as stored.
void writeTsv(const db::ResultTable& table, std::FILE* out);

}  // namespace morvane::cli
