#include "platform/tsql/Translator.h"

#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "platform/tsql/Lexer.h"
#include "platform/tsql/Parser.h"
#include "platform/tsql/Printer.h"

namespace morvane::tsql {

std::string translate(std::string_view tsql) {
    return printSqlite(parseStatement(tokenize(tsql)));
}

namespace {

struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Entries are never removed: translateCached hands out references into the
// map, and unordered_map keeps references to its elements valid on rehash.
// Windows build a bounded set of statement shapes, so the map stays small.
struct Cache {
    std::shared_mutex mutex;
    std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> map;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

}  // namespace

const std::string& translateCached(std::string_view tsql) {
    Cache& c = cache();
    {
        std::shared_lock lock(c.mutex);
        auto it = c.map.find(tsql);
        if (it != c.map.end()) {
            return it->second;
        }
    }
    // Translate outside the lock; two threads racing on the same new text
    // both translate and the first insert wins.
    std::string sql = translate(tsql);
    std::unique_lock lock(c.mutex);
    auto [it, inserted] = c.map.try_emplace(std::string(tsql), std::move(sql));
    return it->second;
}

}  // namespace morvane::tsql
