#include "platform/db/TranslatedText.h"

#include "platform/db/DatabaseError.h"
#include "platform/tsql/Translator.h"

namespace morvane::db {

const std::string& translatedStatement(const std::string& tsql) {
    try {
        return tsql::translateCached(tsql);
    } catch (const tsql::TranslationError& error) {
        throw EDatabaseError(error.what());
    }
}

}  // namespace morvane::db
