#pragma once
// Tab-separated output of result rows and laid-out pivots, as the morvane tool
// prints them: LF line ends, TAB between cells, tabs and line breaks inside a
// text printed as blanks so that every row stays one line.

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvane::db {
class ResultTable;
}

namespace morvane::cli {

// Standard output could not take what the tool wrote (a full disk, a closed file).
class OutputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes the bytes to standard output (`out`), then or later checked: throws OutputError
// "cannot write to standard output: <reason>" when the stream failed.
void writeOut(std::FILE* out, std::string_view bytes);
// Flushes `out` and checks that every write reached it. Throws OutputError.
void flushOut(std::FILE* out);

// Appends text to line with TAB, CR and LF replaced by blanks.
void appendTsvText(std::string& line, std::string_view text);

// Header line of column names, then one line per row: NULL empty, integers in
// decimal, other numbers in their shortest round-trip form, texts as stored.
// Throws OutputError when `out` fails.
void writeTsv(const db::ResultTable& table, std::FILE* out);

}  // namespace morvane::cli
