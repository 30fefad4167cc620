#include "platform/tsql/TranslationError.h"

#include <cstdio>

namespace morvane::tsql {

namespace {

// The construct as a message can show it: control characters (a NUL, a line
// break inside a literal) written as \xNN, and a long text (a literal that a
// missing quote ran to the end of the statement) cut after 40 characters.
std::string printable(const std::string& construct) {
    constexpr std::size_t kMaxCharacters = 40;
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < construct.size(); ++i) {
        const auto c = static_cast<unsigned char>(construct[i]);
        if ((c & 0xC0) != 0x80 && ++characters > kMaxCharacters) {
            out += "...";
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string compose(const std::string& what, const std::string& construct, SourcePos pos) {
    return what + " '" + construct + "' at " + std::to_string(pos.line) + ":" +
           std::to_string(pos.column);
}

}  // namespace

TranslationError::TranslationError(const std::string& what, std::string construct, SourcePos pos)
    : std::runtime_error(compose(what, printable(construct), pos)),
      construct_(printable(construct)),
      pos_(pos) {}

}  // namespace morvane::tsql
