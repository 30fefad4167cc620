#include "demo/Business.h"

#include "demo/Simulation.h"

namespace morvane::demo::detail {

// Purchase receipts of bought-in goods and the production of own-made goods.
void Simulation::scheduleSupply() {
    for (std::size_t gi = 0; gi < m_.goods.size(); ++gi) {
        const Goods& g = m_.goods[gi];
        if (g.year == "2024")
            continue;  // last year's goods are opening stock
        if (!g.ownMade) {
            // Three in five deliveries come before the season (the order-fair
            // goods go out then), the rest as repeat orders while it sells.
            const int batches = std::max(1, rng_.count(1.5 * scale_));
            const int early = std::max(1, batches * 3 / 5);
            for (int b = 0; b < batches; ++b) {
                const int day = b < early
                                    ? std::min(g.launchDay, seasonStart(g)) - rng_.range(15, 30)
                                    : g.launchDay + rng_.range(0, 60);
                PurchaseEvent e;
                e.goods = int(gi);
                e.supplier = g.supplier;
                const int r = int(rng_.below(100));
                e.house = g.gift ? 0 : r < 70 ? 0 : r < 85 ? 1 : r < 97 ? 2 : 3;
                for (int k = 0; k < g.colorCount; ++k) {
                    Line l;
                    l.gc = g.firstColor + k;
                    const int units =
                        g.gift ? 200 : int(12 * g.popularity * (0.7 + 0.6 * rng_.uniform())) + 1;
                    l.q = spread(g, units);
                    l.tag = g.price;
                    l.price = g.cost;
                    l.discount = g.price > 0 ? round1(g.cost / g.price * 100) / 100 : 0;
                    e.lines.push_back(l);
                }
                if (DayEvents* d = eventsOn(day))
                    d->purchases.push_back(std::move(e));
            }
            continue;
        }
        // Own production: one production order, cut in several lays.
        const int cuts = std::max(1, rng_.count(1.5 * scale_));
        const int orderDay = std::min(g.launchDay, seasonStart(g)) - rng_.range(55, 65);
        const std::string produceId = billId("SC", std::max(first_, orderDay));
        if (inPeriod(orderDay) || (orderDay < first_ && g.launchDay + 40 >= first_)) {
            const int day = std::max(first_, orderDay);
            produce_.row(produceId, dateText(day), inputDate(day), 1, g.id,
                         cuts * g.colorCount * 12 * g.popularity, nullptr);
            int sortNo = 0;
            std::vector<int>& steps = produceSteps_[produceId];
            for (std::size_t p = 0; p < m_.procedureCodes.size(); ++p) {
                const bool always = p < 2 || p >= 6;
                if (!always && rng_.chance(0.35))
                    continue;
                steps.push_back(int(p));
                produceDe_.row(
                    produceId, m_.procedureCodes[p],
                    std::floor(m_.procedurePrices[p] * (0.9 + 0.4 * rng_.uniform()) * 100 + 0.5) /
                        100,
                    ++sortNo);
            }
        }
        const int earlyCuts = std::max(1, cuts * 3 / 5);
        for (int c = 0; c < cuts; ++c) {
            int day = c < earlyCuts ? std::min(g.launchDay, seasonStart(g)) - rng_.range(35, 50)
                                    : g.launchDay + rng_.range(-30, 40);
            if (day < first_ && g.launchDay + 40 >= first_)
                day = first_ + rng_.range(0, 5);
            if (DayEvents* d = eventsOn(day))
                d->cuts.push_back({int(gi), c + 1, produceId});
        }
    }
}

// Orders of the season's order fairs, about eleven weeks before launch.
void Simulation::scheduleOrders() {
    std::set<int> seasons;
    for (const Goods& g : m_.goods)
        if (!g.gift && g.year != "2024")
            seasons.insert(std::stoi(g.year) * 10 + g.seasonNo);
    const auto& launch = kSeasonLaunch;
    for (int season : seasons) {
        const int year = season / 10, s = season % 10;
        const int fair = dayNumber(year, launch[s - 1][0], launch[s - 1][1]) - 75;
        for (std::size_t ci = 0; ci < m_.clients.size(); ++ci) {
            const Client& c = m_.clients[ci];
            if (!(c.kind == ClientKind::Franchise || c.kind == ClientKind::Wholesale ||
                  c.kind == ClientKind::Agent || c.code == "QT002"))
                continue;
            const int orders = rng_.count(1.0 * scale_ * std::min(1.5, c.traffic + 0.3));
            for (int k = 0; k < orders; ++k) {
                const int day = fair + rng_.range(0, 10);
                if (!c.activeOn(day))
                    continue;
                if (DayEvents* d = eventsOn(day))
                    d->orders.push_back({int(ci), season});
            }
        }
    }
}

// Last year's autumn and winter goods are in the warehouse and the shops
// when the period begins; no document of this period brought them in.
void Simulation::openingStock() {
    for (std::size_t gi = 0; gi < m_.goods.size(); ++gi) {
        const Goods& g = m_.goods[gi];
        if (g.year != "2024")
            continue;
        for (int k = 0; k < g.colorCount; ++k) {
            Sizes add = spread(g, (10 + 4 * g.popularity) * scale_);
            Sizes& s = houseStock(0, g.firstColor + k);
            for (int i = 0; i < kSizeSlots; ++i)
                s.q[std::size_t(i)] += add.q[std::size_t(i)];
        }
    }
    for (std::size_t ci = 0; ci < m_.clients.size(); ++ci) {
        const Client& c = m_.clients[ci];
        if (!c.retail() || c.openDay > first_)
            continue;
        const int items = rng_.range(12, 18);
        for (int k = 0; k < items; ++k) {
            const int goods = int(rng_.below(std::uint32_t(m_.goods.size())));
            const Goods& g = m_.goods[std::size_t(goods)];
            if (g.year != "2024")
                continue;
            const int gc = colorOfGoods(goods);
            Sizes add = spread(g, rng_.range(3, 6) * scale_);
            Sizes& s = shopStock(int(ci), gc);
            for (int i = 0; i < kSizeSlots; ++i)
                s.q[std::size_t(i)] += add.q[std::size_t(i)];
            priced_.insert({int(ci), goods});
        }
    }
}

void Simulation::runDay(int day) {
    DayEvents& today = days_[std::size_t(day - first_)];
    for (PurchaseEvent& e : today.purchases)
        purchase(day, e);
    for (const CutEvent& e : today.cuts)
        cut(day, e);
    for (ShopReceiptEvent& e : today.shopReceipts)
        receiveAtShop(day, e);
    for (FoldEvent& e : today.folds)
        fold(day, e);
    for (HeadOfficeReturnEvent& e : today.returns)
        returnAtHeadOffice(day, e);
    for (const OrderEvent& e : today.orders)
        placeOrder(day, e);
    for (OrderShipmentEvent& e : today.orderShipments) {
        const Client& c = m_.clients[std::size_t(e.client)];
        if (!c.activeOn(day))
            continue;
        const std::string saleId =
            ship(day, e.client, e.wanted, e.batch.empty() ? "补货" : "期货", e.batch, true);
        if (!saleId.empty() && !e.depositId.empty()) {
            depositFlag_.row(billId("JZ", day), c.code, billDate(day), inputDate(day), posted(day),
                             e.deposit, e.depositId, saleId, clerk(), "订金转货款");
        }
    }

    for (std::size_t ci = 0; ci < m_.clients.size(); ++ci) {
        const Client& c = m_.clients[ci];
        const int client = int(ci);
        if (c.returnsOnly) {
            if (day <= dayNumber(2025, 12, 31))
                for (int k = rng_.count(0.6 * scale_ / 30.0); k > 0; --k)
                    wholesaleReturn(day, client, true);
            continue;
        }
        if (c.kind == ClientKind::Franchise && day == c.closeDay) {
            shopReturn(day, client, true);
            continue;
        }
        // A new shop gets its first stock a few days before it opens.
        if (c.retail() && day == c.openDay - 5) {
            std::vector<Line> wanted;
            for (int k = 0; k < 12; ++k) {
                const int gi = activeGoods(day, 90, 0);
                if (gi >= 0)
                    wanted.push_back(wholesaleLine(c, colorOfGoods(gi),
                                                   spread(m_.goods[std::size_t(gi)], 4 * scale_)));
            }
            ship(day, client, wanted, "铺货", "", true);
        }
        if (!c.activeOn(day))
            continue;
        if (c.kind == ClientKind::SelfShop || c.kind == ClientKind::Counter) {
            const int shipments = rng_.count(scale_ * c.traffic / 18.0);
            for (int k = 0; k < shipments; ++k) {
                std::vector<Line> wanted;
                std::set<int> seen;
                const int lines = rng_.range(3, 6);
                for (int t = 0; t < lines * 2 && int(wanted.size()) < lines; ++t) {
                    const int gi = activeGoods(day, 90, 5);
                    if (gi < 0)
                        continue;
                    const int gc = colorOfGoods(gi);
                    if (seen.insert(gc).second)
                        wanted.push_back(wholesaleLine(
                            c, gc, spread(m_.goods[std::size_t(gi)], rng_.range(3, 8))));
                }
                ship(day, client, wanted, "配货", "", rng_.chance(0.6));
            }
            for (int k = rng_.count(scale_ / 70.0); k > 0; --k)
                transfer(day, client);
        }
        if (c.kind == ClientKind::Franchise || c.kind == ClientKind::Wholesale ||
            c.kind == ClientKind::Agent) {
            for (int k = rng_.count(0.5 * scale_ * c.traffic / 30.0); k > 0; --k)
                replenishOrder(day, client);
        }
        for (int k = c.code == "QT001" ? rng_.count(scale_ / 20.0) : 0; k > 0; --k) {
            // staff purchases
            std::vector<Line> wanted;
            const int gi = activeGoods(day, 200, 0);
            if (gi >= 0)
                wanted.push_back(wholesaleLine(
                    c, colorOfGoods(gi), spread(m_.goods[std::size_t(gi)], rng_.range(1, 3))));
            ship(day, client, wanted, "内购", "", false);
        }
        if (c.retail()) {
            retailDay(day, client);
            for (int k = rng_.count(scale_ / 45.0); k > 0; --k)
                shopReturn(day, client, false);
        }
        if (c.kind == ClientKind::Wholesale || c.kind == ClientKind::Agent)
            for (int k = rng_.count(0.25 * scale_ / 30.0); k > 0; --k)
                wholesaleReturn(day, client, false);
        if (c.kind == ClientKind::Franchise || c.kind == ClientKind::Agent ||
            c.kind == ClientKind::Wholesale)
            for (int k = rng_.count(0.3 * scale_ / 30.0); k > 0; --k)
                clientCharges(day, client);
    }
    expenses(day);
    if (monthEnd(day))
        monthEndMoney(day);
    today = DayEvents();  // free what has been written
}

void Simulation::writeStock() {
    std::vector<Key> keys;
    for (const auto& [k, s] : houseStock_)
        if (s.total() != 0)
            keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    Insert stock(db_, "stock", {"fhousecode", "fgoodsid", "fcolorid", "qty"}, true);
    for (Key k : keys) {
        const Sizes& s = houseStock_[k];
        const int gc = int(k & 0xFFFFFFFFu);
        stock.row(m_.houses[std::size_t(k >> 32)].code, goodsOf(gc).id, colorOf(gc), s.total(), s);
    }
    keys.clear();
    for (const auto& [k, s] : shopStock_)
        if (s.total() != 0)
            keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    Insert shop(db_, "s_stock", {"fclientcode", "fgoodsid", "fcolorid", "qty"}, true);
    for (Key k : keys) {
        const Sizes& s = shopStock_[k];
        const int gc = int(k & 0xFFFFFFFFu);
        shop.row(m_.clients[std::size_t(k >> 32)].code, goodsOf(gc).id, colorOf(gc), s.total(), s);
    }
    // A colour the goods no longer lists (dropped from goodscolor after the
    // goods were delivered): the stock reports that join vgoodscolor omit it.
    for (const Goods& g : m_.goods) {
        if (g.gift || g.year != "2025")
            continue;
        bool listed = false;
        for (int k = 0; k < g.colorCount; ++k)
            listed =
                listed ||
                m_.colors[std::size_t(m_.goodsColors[std::size_t(g.firstColor + k)].color)].code ==
                    "20";
        if (listed)
            continue;
        Sizes s;
        s.used = sizeCount(g);
        s.q[0] = 2;
        shop.row(m_.clients.front().code, g.id, "20", 2, s);
        break;
    }
    // Cost price per shop and goods: the company's cost for own shops, the
    // shop's own purchase price for counters and franchisees.
    Insert prices(db_, "ba_clientprice", {"fclientcode", "fgoodsid", "planprice"});
    for (const auto& [client, goods] : priced_) {
        const Client& c = m_.clients[std::size_t(client)];
        const Goods& g = m_.goods[std::size_t(goods)];
        prices.row(c.code, g.id, c.kind == ClientKind::SelfShop ? g.cost : wholesalePrice(c, g));
    }
}

void Simulation::run() {
    scheduleSupply();
    scheduleOrders();
    openingStock();
    for (int day = first_; day <= last_; ++day)
        runDay(day);
    writeStock();
}

}  // namespace morvane::demo::detail

namespace morvane::demo {

void simulateBusiness(SqliteDb& db, const Master& master, int scale, Rng rng) {
    detail::Simulation simulation(db, master, scale, rng);
    simulation.run();
}

}  // namespace morvane::demo
