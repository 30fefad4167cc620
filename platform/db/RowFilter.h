#pragma once

#include "platform/db/ResultTable.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::db {

// A dataset filter expression, compiled against the columns of a result:
//   comparison := field op literal | field IS [NOT] NULL
//   op         := = | <> | != | < | > | <= | >=
//   literal    := number | 'text' ('' for an apostrophe) | NULL | TRUE | FALSE
//   expression := comparisons joined by AND / OR, NOT, parentheses
// Field names may be written in brackets ([客户 编号]); keywords ignore case. A number compares
// numerically with a number cell and with a text cell that reads as a number; otherwise values
// compare as text. A text literal ending in '*' compared with = matches texts starting with
// what precedes the star (unless partial compare is off). A NULL cell matches only IS NULL,
// = NULL and <> literal-that-is-not-NULL never.
class RowFilter {
  public:
    struct Options {
        bool caseInsensitive = false;
        bool partialCompare = true;
    };
    // Index of a column by name, or nullopt; called once per field named in the text.
    using ColumnLookup = std::function<std::optional<std::size_t>(std::string_view)>;

    // Throws EDatabaseError for a syntax error or an unknown field.
    RowFilter(std::string_view text, const ColumnLookup& lookup, Options options);
    ~RowFilter();
    RowFilter(RowFilter&&) noexcept;
    RowFilter& operator=(RowFilter&&) noexcept;

    bool matches(const ResultTable& table, std::size_t row) const;

    struct Node;

  private:
    std::unique_ptr<Node> root_;
    Options options_;
};

}  // namespace morvane::db
