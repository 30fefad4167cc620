#include "demo/Simulation.h"

namespace morvane::demo::detail {

void Simulation::receiveAtShop(int day, ShopReceiptEvent& e) {
    const Client& c = m_.clients[std::size_t(e.client)];
    const std::string id = billId("SH", day);
    shopReceipt_.row(id, c.code, m_.houses[std::size_t(e.house)].code, e.saleId, billDate(day),
                     inputDate(day), posted(day), clerk(), nullptr);
    writeLines(shopReceiptDe_, id, e.lines);
    for (const Line& l : e.lines) {
        Sizes& s = shopStock(e.client, l.gc);
        for (int i = 0; i < kSizeSlots; ++i)
            s.q[std::size_t(i)] += l.q.q[std::size_t(i)];
        priced_.insert({e.client, m_.goodsColors[std::size_t(l.gc)].goods});
    }
}

void Simulation::retailDay(int day, int client) {
    const Client& c = m_.clients[std::size_t(client)];
    const std::vector<int>& items = heldList_[std::size_t(client)];
    if (items.empty())
        return;
    const int dow = weekday(day);
    const double rate = 0.42 * scale_ * c.traffic * (dow >= 5 ? 1.5 : 1.0);
    const int tickets = rng_.count(rate);
    for (int t = 0; t < tickets; ++t) {
        const bool refund = rng_.chance(0.02);
        const int wantedLines = refund ? 1 : rng_.chance(0.6) ? 1 : rng_.chance(0.7) ? 2 : 3;
        const bool vip = rng_.chance(0.3);
        std::vector<Line> lines;
        for (int k = 0; k < wantedLines; ++k) {
            for (int tries = 0; tries < 8; ++tries) {
                const int gc = items[rng_.below(std::uint32_t(items.size()))];
                Sizes& s = shopStock(client, gc);
                const Goods& g = goodsOf(gc);
                if (!refund && s.total() == 0)
                    continue;
                Line l;
                l.gc = gc;
                l.q.used = s.used;
                std::vector<int> weights(std::size_t(s.used));
                for (int i = 0; i < s.used; ++i)
                    weights[std::size_t(i)] =
                        refund ? g.sizeWeights[std::size_t(i)] : s.q[std::size_t(i)];
                const int pos = int(rng_.weighted(weights.data(), weights.size()));
                const int qty =
                    refund ? 1 : (s.q[std::size_t(pos)] >= 2 && rng_.chance(0.08) ? 2 : 1);
                l.q.q[std::size_t(pos)] = qty;
                const int age = day - g.launchDay;
                double d = age < 45    ? 1.0
                           : age < 90  ? (rng_.chance(0.5) ? 0.9 : 1.0)
                           : age < 150 ? (rng_.chance(0.5) ? 0.8 : 0.7)
                           : age < 240 ? (rng_.chance(0.5) ? 0.6 : 0.5)
                                       : (rng_.chance(0.4)   ? 0.5
                                          : rng_.chance(0.5) ? 0.4
                                                             : 0.3);
                if (vip && d == 1.0)
                    d = 0.95;
                if (!refund && vip && rng_.chance(0.01))
                    d = 0;  // a member's birthday present
                l.tag = g.price;
                l.price = round0(g.price * d);
                l.discount = d;
                if (refund) {
                    s.q[std::size_t(pos)] += 1;
                } else {
                    s.q[std::size_t(pos)] -= qty;
                }
                lines.push_back(l);
                break;
            }
        }
        if (lines.empty())
            continue;
        if (!refund && rng_.chance(0.015)) {  // the free bag
            for (const Goods& g : m_.goods)
                if (g.gift) {
                    Line l;
                    l.gc = g.firstColor;
                    l.q.used = 1;
                    l.q.q[0] = 1;
                    l.tag = 0;
                    l.price = 0;
                    l.discount = 0;
                    lines.push_back(l);
                    break;
                }
        }
        const std::string id = billId("LS", day);
        const std::optional<std::string> assistant =
            c.assistants.empty() || rng_.chance(0.01)
                ? std::nullopt
                : std::optional<std::string>(
                      c.assistants[rng_.below(std::uint32_t(c.assistants.size()))]);
        char vipCode[16];
        std::snprintf(vipCode, sizeof vipCode, "VIP%06u", unsigned(rng_.below(40000)));
        retail_.row(id, c.code, billDate(day), inputDate(day), posted(day),
                    refund ? "零售退货" : "零售", assistant,
                    vip ? std::optional<std::string>(vipCode) : std::nullopt,
                    kPayTypes[rng_.below(std::size(kPayTypes))], clerk(), nullptr);
        writeLines(retailDe_, id, lines, refund ? -1 : 1);
        for (const Line& l : lines)
            priced_.insert({client, m_.goodsColors[std::size_t(l.gc)].goods});
    }
}

// A shop sends slow goods back to a warehouse; on closing it sends everything.
void Simulation::shopReturn(int day, int client, bool everything) {
    const Client& c = m_.clients[std::size_t(client)];
    std::vector<Line> lines;
    const std::vector<int>& items = heldList_[std::size_t(client)];
    if (items.empty())
        return;
    if (everything) {
        for (int gc : items) {
            Sizes& s = shopStock(client, gc);
            if (s.total() == 0)
                continue;
            Line l = wholesaleLine(c, gc, s);
            lines.push_back(l);
            for (int& v : s.q)
                v = 0;
        }
    } else {
        const int wanted = rng_.range(1, 4);
        for (int tries = 0; tries < 12 && int(lines.size()) < wanted; ++tries) {
            const int gc = items[rng_.below(std::uint32_t(items.size()))];
            if (goodsOf(gc).launchDay > day - 120)
                continue;
            Sizes& s = shopStock(client, gc);
            if (s.total() == 0)
                continue;
            bool dup = false;
            for (const Line& l : lines)
                dup = dup || l.gc == gc;
            if (dup)
                continue;
            Sizes q = s;
            if (rng_.chance(0.5))
                for (int& v : q.q)
                    v = (v + 1) / 2;
            for (int i = 0; i < kSizeSlots; ++i)
                s.q[std::size_t(i)] -= q.q[std::size_t(i)];
            lines.push_back(wholesaleLine(c, gc, q));
        }
    }
    if (lines.empty())
        return;
    const int house = rng_.chance(0.15) ? 4 : 0;
    const std::string id = billId("TH", day);
    shopReturn_.row(id, c.code, m_.houses[std::size_t(house)].code, billDate(day), inputDate(day),
                    posted(day), clerk(), everything ? "闭店退货" : nullptr);
    writeLines(shopReturnDe_, id, lines);
    HeadOfficeReturnEvent e{client, house, id, std::move(lines)};
    if (DayEvents* d = eventsOn(day + rng_.range(2, 5)))
        d->returns.push_back(std::move(e));
}

void Simulation::returnAtHeadOffice(int day, HeadOfficeReturnEvent& e) {
    const Client& c = m_.clients[std::size_t(e.client)];
    const std::string id = billId("XT", day);
    saleReturn_.row(id, c.code, m_.houses[std::size_t(e.house)].code, billDate(day), inputDate(day),
                    posted(day), "销售退货", nullptr,
                    e.sourceId.empty() ? std::nullopt : std::optional<std::string>(e.sourceId),
                    clerk(), nullptr);
    writeLines(saleReturnDe_, id, e.lines);
    for (const Line& l : e.lines) {
        Sizes& s = houseStock(e.house, l.gc);
        for (int i = 0; i < kSizeSlots; ++i)
            s.q[std::size_t(i)] += l.q.q[std::size_t(i)];
    }
    receivable_[std::size_t(e.client)] -= amount(e.lines);
}

// Own shops pass goods to one another: out at one, in (a fold) at the other.
void Simulation::transfer(int day, int client) {
    const Client& c = m_.clients[std::size_t(client)];
    std::vector<int> targets;
    for (std::size_t i = 0; i < m_.clients.size(); ++i) {
        const Client& o = m_.clients[i];
        if (int(i) != client && (o.kind == ClientKind::SelfShop || o.kind == ClientKind::Counter) &&
            o.activeOn(day + 1))
            targets.push_back(int(i));
    }
    const std::vector<int>& items = heldList_[std::size_t(client)];
    if (targets.empty() || items.empty())
        return;
    const int to = rng_.pick(targets);
    std::vector<Line> lines;
    const int wanted = rng_.range(1, 3);
    for (int tries = 0; tries < 10 && int(lines.size()) < wanted; ++tries) {
        const int gc = items[rng_.below(std::uint32_t(items.size()))];
        Sizes& s = shopStock(client, gc);
        if (s.total() == 0)
            continue;
        bool dup = false;
        for (const Line& l : lines)
            dup = dup || l.gc == gc;
        if (dup)
            continue;
        Sizes q;
        q.used = s.used;
        for (int i = 0; i < s.used; ++i) {
            q.q[std::size_t(i)] = std::min(s.q[std::size_t(i)], rng_.range(0, 2));
            s.q[std::size_t(i)] -= q.q[std::size_t(i)];
        }
        if (q.total() == 0)
            continue;
        Line l = wholesaleLine(c, gc, q);
        lines.push_back(l);
    }
    if (lines.empty())
        return;
    const std::string id = billId("DC", day);
    transfer_.row(id, c.code, m_.clients[std::size_t(to)].code, billDate(day), inputDate(day),
                  posted(day), clerk(), nullptr);
    writeLines(transferDe_, id, lines);
    FoldEvent e{to, client, id, std::move(lines)};
    if (DayEvents* d = eventsOn(day + 1))
        d->folds.push_back(std::move(e));
}

void Simulation::fold(int day, FoldEvent& e) {
    const std::string id = billId("DR", day);
    fold_.row(id, m_.clients[std::size_t(e.client)].code, m_.clients[std::size_t(e.from)].code,
              e.transferId, billDate(day), inputDate(day), posted(day), clerk(), nullptr);
    writeLines(foldDe_, id, e.lines);
    for (const Line& l : e.lines) {
        Sizes& s = shopStock(e.client, l.gc);
        for (int i = 0; i < kSizeSlots; ++i)
            s.q[std::size_t(i)] += l.q.q[std::size_t(i)];
        priced_.insert({e.client, m_.goodsColors[std::size_t(l.gc)].goods});
    }
}

// A wholesale client sends goods back (defects, unsold); `oldGoods` for the
// former partner who only returns last year's goods.
void Simulation::wholesaleReturn(int day, int client, bool oldGoods) {
    const Client& c = m_.clients[std::size_t(client)];
    std::vector<Line> lines;
    const int wanted = rng_.range(1, oldGoods ? 5 : 4);
    for (int tries = 0; tries < 10 && int(lines.size()) < wanted; ++tries) {
        int gc;
        if (oldGoods) {
            const int gi = int(rng_.below(std::uint32_t(m_.goods.size())));
            if (m_.goods[std::size_t(gi)].year != "2024")
                continue;
            gc = colorOfGoods(gi);
        } else {
            const std::vector<int>& got = shipped_[std::size_t(client)];
            if (got.empty())
                return;
            gc = got[rng_.below(std::uint32_t(got.size()))];
        }
        lines.push_back(wholesaleLine(
            c, gc, spread(goodsOf(gc), oldGoods ? rng_.range(5, 15) : rng_.range(2, 8))));
    }
    if (lines.empty())
        return;
    HeadOfficeReturnEvent e{client, oldGoods || rng_.chance(0.3) ? 4 : 0, std::string(),
                            std::move(lines)};
    returnAtHeadOffice(day, e);
}

}  // namespace morvane::demo::detail
