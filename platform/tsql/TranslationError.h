#pragma once

#include <stdexcept>
#include <string>

namespace morvane::tsql {

// 1-based line and column (counted in characters) in the statement text. A
// carriage return, a line feed and a CR LF pair each end one line.
struct SourcePos {
    int line = 1;
    int column = 1;
};

// A statement the translator cannot turn into SQLite without changing its
// meaning: an unknown construct or a syntax error. The message reads
// "<what> '<construct>' at <line>:<column>"; the construct shows control
// characters as \xNN and at most 40 characters of a long text.
class TranslationError : public std::runtime_error {
  public:
    TranslationError(const std::string& what, std::string construct, SourcePos pos);

    const std::string& construct() const { return construct_; }
    SourcePos position() const { return pos_; }

  private:
    std::string construct_;
    SourcePos pos_;
};

}  // namespace morvane::tsql
