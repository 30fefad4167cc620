#pragma once

// The demo host database: a SQLite file with the host application's tables,
// views and picker functions, filled with two years (2025 and 2026) of the
// business of a Chinese apparel company: own shops, counters, franchisees,
// wholesalers and agents; purchasing and own production; orders,
// allocations, shipments, shop receipts, retail, returns, transfers,
// settlements, charges and expenses; warehouse and shop stock by size.
//
// The content depends only on the seed and the scale: the same options give
// the same database, byte for byte in every table.

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane::demo {

struct DemoOptions {
    int scale = 1;  // documents grow linearly with it; master data stay fixed
    std::uint64_t seed = 20260101;
};

struct DemoStats {
    std::int64_t rows;  // rows inserted into all tables
    double seconds;     // wall time of the build
};

// Creates `file` afresh (an existing file is removed), builds the schema and
// fills it. Throws std::runtime_error with a clear message on failure.
DemoStats generateDemoDatabase(const std::string& file, const DemoOptions& options);

// The schema script (tables, views, then the indexes after the line
// "-- @indexes"), as built into the library.
std::string_view demoSchemaSql();

}  // namespace morvane::demo
