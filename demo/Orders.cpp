#include "demo/Simulation.h"

namespace morvane::demo::detail {

void Simulation::placeOrder(int day, const OrderEvent& e) {
    const Client& c = m_.clients[std::size_t(e.client)];
    std::vector<int> goods;
    for (std::size_t gi = 0; gi < m_.goods.size(); ++gi) {
        const Goods& g = m_.goods[gi];
        if (!g.gift && std::stoi(g.year) * 10 + g.seasonNo == e.seasonKey)
            goods.push_back(int(gi));
    }
    if (goods.empty())
        return;
    const bool big = c.kind != ClientKind::Franchise;
    const int lines = rng_.range(8, 14);
    std::vector<Line> wanted;
    std::set<int> seen;
    for (int k = 0; k < lines * 3 && int(wanted.size()) < lines; ++k) {
        const int gi = rng_.pick(goods);
        if (int(rng_.below(5)) >= m_.goods[std::size_t(gi)].popularity)
            continue;
        const int gc = colorOfGoods(gi);
        if (!seen.insert(gc).second)
            continue;
        wanted.push_back(wholesaleLine(
            c, gc,
            spread(m_.goods[std::size_t(gi)], big ? rng_.range(10, 30) : rng_.range(6, 12))));
    }
    if (wanted.empty())
        return;
    const int year = e.seasonKey / 10, season = e.seasonKey % 10;
    const std::string batch = std::to_string(year) + kSeasonNames[season - 1] + "季订货会";
    const std::string id = billId("DH", day);
    const auto& launch = kSeasonLaunch;
    const int delivery = dayNumber(year, launch[season - 1][0], launch[season - 1][1]) - 10;
    order_.row(id, c.code, m_.houses[std::size_t(houseFor(c))].code, billDate(day), inputDate(day),
               posted(day), "订货单", "期货",
               rng_.chance(0.4)
                   ? std::optional<std::string>("DHH-" + std::to_string(rng_.range(100, 999)))
                   : std::nullopt,
               dateText(delivery), batch, c.supervisor, clerk(), nullptr);
    writeLines(orderDe_, id, wanted);

    OrderShipmentEvent ship;
    ship.client = e.client;
    ship.orderId = id;
    ship.batch = batch;
    ship.wanted = wanted;
    if ((c.kind == ClientKind::Franchise || c.kind == ClientKind::Agent) && rng_.chance(0.7)) {
        const int depositDay = day + rng_.range(0, 5);
        if (inPeriod(depositDay)) {
            ship.depositId = billId("DJ", depositDay);
            ship.deposit = std::max(100.0, round0(amount(wanted) * 0.25 / 100) * 100);
            deposit_.row(ship.depositId, c.code, billDate(depositDay), inputDate(depositDay),
                         posted(depositDay), ship.deposit,
                         kBankTypes[rng_.below(std::size(kBankTypes))], id, clerk(), "订货会订金");
        }
    }
    const int shipDay = std::max(day + 7, delivery - rng_.range(0, 10));
    if (DayEvents* d = eventsOn(shipDay))
        d->orderShipments.push_back(std::move(ship));
}

// A mid-season top-up order of a franchise shop or a wholesale client.
void Simulation::replenishOrder(int day, int client) {
    const Client& c = m_.clients[std::size_t(client)];
    std::vector<Line> wanted;
    const bool big = c.kind != ClientKind::Franchise;
    const int lines = rng_.range(3, 6);
    std::set<int> seen;
    for (int k = 0; k < lines * 3 && int(wanted.size()) < lines; ++k) {
        const int gi = activeGoods(day, 90, 0);
        if (gi < 0)
            continue;
        const int gc = colorOfGoods(gi);
        if (!seen.insert(gc).second)
            continue;
        wanted.push_back(wholesaleLine(
            c, gc, spread(m_.goods[std::size_t(gi)], big ? rng_.range(6, 15) : rng_.range(3, 8))));
    }
    if (wanted.empty())
        return;
    const std::string id = billId("DH", day);
    order_.row(id, c.code, m_.houses[std::size_t(houseFor(c))].code, billDate(day), inputDate(day),
               posted(day), "补货单", "补货", std::nullopt, dateText(day + 5), nullptr,
               c.supervisor, clerk(), nullptr);
    writeLines(orderDe_, id, wanted);
    OrderShipmentEvent ship;
    ship.client = client;
    ship.orderId = id;
    ship.wanted = std::move(wanted);
    if (DayEvents* d = eventsOn(day + rng_.range(3, 7)))
        d->orderShipments.push_back(std::move(ship));
}

// What the warehouses can deliver of the wanted lines: the regional
// warehouse first, then the main one, then the other finished-goods ones.
std::vector<Line> Simulation::takeFromStock(int house, const std::vector<Line>& wanted,
                                            int& usedHouse) {
    std::vector<Line> out;
    usedHouse = house;
    const int order[] = {house, 0, 1, 2, 3};
    for (const Line& w : wanted) {
        Line l = w;
        for (int i = 0; i < kSizeSlots; ++i) {
            int want = w.q.q[std::size_t(i)];
            int got = 0;
            for (int k = 0; k < 5 && want > 0; ++k) {
                if (k > 0 && order[k] == house)
                    continue;
                Sizes& s = houseStock(order[k], w.gc);
                const int take = std::min(want, s.q[std::size_t(i)]);
                s.q[std::size_t(i)] -= take;
                got += take;
                want -= take;
            }
            l.q.q[std::size_t(i)] = got;
        }
        if (l.q.total() > 0)
            out.push_back(l);
    }
    return out;
}

std::string Simulation::ship(int day, int client, const std::vector<Line>& wanted,
                             const std::string& mode, const std::string& batch, bool withRation) {
    const Client& c = m_.clients[std::size_t(client)];
    int house = houseFor(c);
    std::vector<Line> lines = takeFromStock(house, wanted, house);
    if (lines.empty())
        return {};
    std::optional<std::string> rationId;
    const std::optional<std::string> batchText =
        batch.empty() ? std::nullopt : std::optional<std::string>(batch);
    if (withRation && inPeriod(day - 1)) {
        rationId = billId("PH", day - 1);
        ration_.row(*rationId, c.code, m_.houses[std::size_t(house)].code, dateText(day - 1),
                    inputDate(day - 1), posted(day - 1), "配货单", mode, nullptr, batchText,
                    c.supervisor, clerk(), nullptr);
        writeLines(rationDe_, *rationId, wanted);
    }
    const std::string id = billId("XS", day);
    sale_.row(id, c.code, m_.houses[std::size_t(house)].code, billDate(day), inputDate(day),
              posted(day), "销售出仓", mode,
              rng_.chance(0.3) ? std::optional<std::string>("CK-" + id.substr(8)) : std::nullopt,
              batchText, rationId, c.supervisor, clerk(), nullptr);
    writeLines(saleDe_, id, lines);
    receivable_[std::size_t(client)] += amount(lines);
    for (const Line& l : lines)
        shipped_[std::size_t(client)].push_back(l.gc);
    if (c.retail()) {
        ShopReceiptEvent e{client, house, id, lines};
        if (DayEvents* d = eventsOn(day + rng_.range(1, 3)))
            d->shopReceipts.push_back(std::move(e));
    }
    return id;
}

}  // namespace morvane::demo::detail
