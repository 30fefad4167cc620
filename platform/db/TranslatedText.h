#pragma once

#include <string>

namespace morvane::db {

// The SQLite text of a T-SQL statement, from the process-wide translation cache. A statement the
// translator cannot handle raises EDatabaseError carrying the translator's message.
const std::string& translatedStatement(const std::string& tsql);

}  // namespace morvane::db
