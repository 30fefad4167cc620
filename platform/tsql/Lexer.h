#pragma once

// Tokenizer for T-SQL statement text: identifiers (plain, [bracketed],
// "quoted"; UTF-8 letters count as identifier characters), string literals
// ('..' and N'..', '' for an apostrophe), numbers, operators. White space is
// blanks, tabs, CR and LF; -- and (nested) /* */ comments are skipped.

#include <string>
#include <string_view>
#include <vector>

#include "platform/tsql/TranslationError.h"

namespace morvane::tsql {

enum class TokenKind { Identifier, QuotedIdentifier, String, Integer, Decimal, Symbol, End };

struct Token {
    TokenKind kind;
    std::string text;   // identifier name, string value, number as written, symbol
    std::string lower;  // lower-case text of plain identifiers (keyword checks)
    SourcePos pos;
};

// Splits the whole statement; the last token is End. Throws TranslationError
// for an unterminated literal or comment and for characters T-SQL does not use.
std::vector<Token> tokenize(std::string_view text);

}  // namespace morvane::tsql
