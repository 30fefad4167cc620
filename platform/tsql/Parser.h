#pragma once

// Recursive-descent parser from tokens to the syntax tree. It accepts the
// T-SQL subset the report statements use and throws TranslationError for
// anything else, naming the construct and where it stands.

#include <string_view>
#include <vector>

#include "platform/tsql/Ast.h"
#include "platform/tsql/Lexer.h"

namespace morvane::tsql {

// Parses a batch that holds one statement, optionally preceded or followed
// by `set dateformat ...` (dropped) and separated by semicolons.
Statement parseStatement(const std::vector<Token>& tokens);

}  // namespace morvane::tsql
