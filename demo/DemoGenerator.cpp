#include "demo/DemoGenerator.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "demo/Business.h"
#include "demo/Model.h"
#include "demo/Random.h"
#include "demo/SqliteDb.h"
#include "platform/tsql/SqliteFunctions.h"

namespace morvane::demo {

namespace {

// Schema, data, indexes and statistics, in one transaction without a journal:
// the file is scratch until the build has finished.
std::int64_t build(const std::string& file, const DemoOptions& options) {
    SqliteDb db(file);
    morvane::tsql::registerSqliteFunctions(db.handle());
    db.exec("PRAGMA journal_mode=OFF");
    db.exec("PRAGMA synchronous=OFF");
    db.exec("PRAGMA cache_size=-65536");
    db.exec("PRAGMA temp_store=MEMORY");

    const std::string_view schema = demoSchemaSql();
    const std::size_t split = schema.find("\n-- @indexes\n");
    if (split == std::string_view::npos)
        throw std::runtime_error("demo database: schema has no index section");

    db.exec("BEGIN");
    db.exec(std::string(schema.substr(0, split)));

    // Separate streams, so that the master data do not move when the
    // simulation draws differently.
    Rng root(options.seed);
    Rng masterRng = root.fork(1);
    Rng businessRng = root.fork(2);

    const Master master = buildMasterData(masterRng);
    writeMasterData(db, master);
    writeAccessData(db, master);
    simulateBusiness(db, master, options.scale, businessRng);

    db.exec(std::string(schema.substr(split)));
    db.exec("COMMIT");
    db.exec("ANALYZE");
    return db.rowsInserted();
}

}  // namespace

DemoStats generateDemoDatabase(const std::string& file, const DemoOptions& options) {
    if (options.scale < 1)
        throw std::runtime_error("demo database: scale must be at least 1");
    const auto started = std::chrono::steady_clock::now();

    std::error_code error;
    std::filesystem::remove(file, error);
    if (error)
        throw std::runtime_error("demo database: cannot remove '" + file + "': " + error.message());
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        std::filesystem::remove(file + suffix, error);

    std::int64_t rows = 0;
    try {
        rows = build(file, options);
    } catch (...) {
        std::filesystem::remove(file, error);  // no half-built database is left behind
        throw;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return {rows, seconds};
}

}  // namespace morvane::demo
