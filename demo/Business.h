#pragma once

// The two years of business of the demo company, simulated day by day:
// purchases and production, client orders, allocations and shipments, shop
// receipts, retail sales with returns, shop returns and transfers, payments,
// deposits, charges and expenses, and finally the stock that remains.

#include "demo/Model.h"
#include "demo/Random.h"

namespace morvane::demo {

class SqliteDb;

// Writes every document table, stock, s_stock and ba_clientprice. The
// number of documents grows linearly with `scale`.
void simulateBusiness(SqliteDb& db, const Master& master, int scale, Rng rng);

}  // namespace morvane::demo
