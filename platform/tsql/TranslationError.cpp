#include "platform/tsql/TranslationError.h"

namespace morvane::tsql {

namespace {
std::string compose(const std::string& what, const std::string& construct, SourcePos pos) {
    return what + " '" + construct + "' at " + std::to_string(pos.line) + ":" +
           std::to_string(pos.column);
}
}  // namespace

TranslationError::TranslationError(const std::string& what, std::string construct, SourcePos pos)
    : std::runtime_error(compose(what, construct, pos)),
      construct_(std::move(construct)),
      pos_(pos) {}

}  // namespace morvane::tsql
