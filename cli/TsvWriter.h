#pragma once
// Tab-separated output of result rows and laid-out pivots, as the morvane tool
// prints them: LF line ends, TAB between cells, tabs and line breaks inside a
// text printed as blanks so that every row stays one line.

#include <cstdio>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/Backend.h"

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

// The same lines written piece by piece as a result is fetched, byte for byte
// what writeTsv prints for the whole result. A piece is written as it comes,
// with one exception: an integer beyond 2^53 in a column of integers is held
// back with the pieces after it until the column's type is settled, because
// should a real come later, the whole result would show that integer as a
// real (rounded).
class TsvStream {
  public:
    explicit TsvStream(std::FILE* out) : out_(out) {}
    void write(const db::ResultPiece& piece);
    // Writes what is still held back; call after the last piece.
    void finish();

  private:
    struct Held {
        db::ResultTable rows;
        std::vector<bool> asReal;  // by column: integers shown as the reals they became
    };
    void writeRows(const db::ResultTable& rows, const std::vector<bool>& asReal);

    std::FILE* out_;
    bool header_ = false;
    std::deque<Held> held_;
    std::vector<bool> unsettled_;  // by column: held integers that a real would round
    std::string line_;
};

}  // namespace morvane::cli
