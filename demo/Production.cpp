#include "demo/Simulation.h"

namespace morvane::demo::detail {

// A receipt into a warehouse: bought-in goods, or finished goods of a cut.
void Simulation::purchase(int day, PurchaseEvent& e) {
    const std::string id = billId("JH", day);
    const std::string& supplier = m_.suppliers[std::size_t(e.supplier)].code;
    receving_.row(
        id, supplier, m_.houses[std::size_t(e.house)].code, billDate(day), inputDate(day),
        posted(day), e.produceId.empty() ? "采购入库" : "生产入库",
        rng_.chance(0.5) ? std::optional<std::string>("RK-" + id.substr(6)) : std::nullopt,
        e.produceId.empty() ? std::optional<std::string>()
                            : std::optional<std::string>(e.produceId),
        clerk(), nullptr);
    writeLines(recevingDe_, id, e.lines);
    for (const Line& l : e.lines) {
        Sizes& s = houseStock(e.house, l.gc);
        for (int i = 0; i < kSizeSlots; ++i)
            s.q[std::size_t(i)] += l.q.q[std::size_t(i)];
    }
    payable_[std::size_t(e.supplier)] += amount(e.lines);
}

// A cutting bill: the lay, its output through the sewing processes, any
// outsourced step, and the finished goods received two to three weeks later.
void Simulation::cut(int day, const CutEvent& e) {
    const Goods& g = m_.goods[std::size_t(e.goods)];
    const std::string id = billId("CC", day);
    knufe_.row(id, dateText(day), inputDate(day), posted(day),
               rng_.chance(0.6)
                   ? std::optional<std::string>("CJ" + std::to_string(rng_.range(1000, 9999)))
                   : std::nullopt,
               g.id, std::to_string(e.cutNo), e.produceId, nullptr);
    PurchaseEvent receipt;
    receipt.goods = e.goods;
    receipt.supplier = 0;
    receipt.house = 0;
    receipt.produceId = e.produceId;
    int total = 0;
    std::vector<std::pair<int, int>> colorQty;
    for (int k = 0; k < g.colorCount; ++k) {
        const int gc = g.firstColor + k;
        const int units = int(12 * g.popularity * (0.7 + 0.6 * rng_.uniform())) + 1;
        const Sizes q = spread(g, units);
        knufeDe_.row(id, colorOf(gc), units, q);
        total += units;
        colorQty.push_back({gc, units});
        Line l;
        l.gc = gc;
        l.q = q;
        if (rng_.chance(0.3)) {  // a piece or two lost to defects
            for (int& v : l.q.q)
                if (v > 0) {
                    --v;
                    break;
                }
        }
        l.tag = g.price;
        l.price = g.cost;
        l.discount = g.price > 0 ? round1(g.cost / g.price * 100) / 100 : 0;
        receipt.lines.push_back(l);
    }
    if (DayEvents* d = eventsOn(day + rng_.range(12, 18)))
        d->purchases.push_back(std::move(receipt));

    // Outsourced embroidery, printing, washing or pleating.
    if (rng_.chance(0.35)) {
        const int kind = int(rng_.below(4));
        const int outDay = day + 1;
        if (inPeriod(outDay)) {
            const std::string outId = billId("FW", outDay);
            const double price = round1(0.8 + 2.7 * rng_.uniform());
            knufeOut_.row(outId, dateText(outDay), inputDate(outDay), posted(outDay),
                          m_.suppliers[std::size_t(8 + kind)].code, g.id, id, kOutsourcing[kind],
                          price, nullptr);
            for (const auto& [gc, units] : colorQty) {
                int back = units;
                const int r = int(rng_.below(100));
                if (outDay > last_ - 20)
                    back = rng_.range(0, units);  // still out
                else if (r < 3)
                    back = units + rng_.range(1, 3);  // more came back than went
                else if (r < 8)
                    back = std::max(0, units - rng_.range(1, 3));
                knufeOutDe_.row(outId, colorOf(gc), units, back);
            }
            payable_[std::size_t(8 + kind)] += price * total;
        }
    }

    // Sewing output, process by process, recorded by piece tickets (proroll)
    // or by the counting station (procount).
    int start = day + 1;
    const auto steps = produceSteps_.find(e.produceId);
    if (steps == produceSteps_.end())
        return;
    for (int step : steps->second) {
        const std::size_t p = std::size_t(step);
        const int span = rng_.range(1, 3);
        int left = total;
        for (int dd = 0; dd < span && left > 0; ++dd) {
            const int outputDay = start + dd;
            int todays =
                dd == span - 1 ? left : std::max(1, left / (span - dd) + rng_.range(-2, 2));
            todays = std::min(todays, left);
            left -= todays;
            if (!inPeriod(outputDay))
                continue;
            const int workers = todays > 6 ? rng_.range(1, 2) : 1;
            int remaining = todays;
            for (int w = 0; w < workers && remaining > 0; ++w) {
                const int qty = w == workers - 1 ? remaining : remaining / 2;
                remaining -= qty;
                const std::string& worker =
                    rng_.chance(0.03)
                        ? m_.workers.back()
                        : m_.workers[4 + rng_.below(std::uint32_t(m_.workers.size() - 5))];
                const int r = int(rng_.below(100));
                if (r < 75) {
                    proroll_.row(e.produceId, id, std::to_string(e.cutNo), g.id,
                                 dateText(outputDay), m_.procedureCodes[p], qty, worker);
                } else if (r < 95 || qty < 2) {
                    procount_.row(e.produceId, id, m_.procedureCodes[p], qty, worker,
                                  dateText(outputDay));
                } else {  // the same day's work keyed partly in each
                    proroll_.row(e.produceId, id, std::to_string(e.cutNo), g.id,
                                 dateText(outputDay), m_.procedureCodes[p], qty / 2, worker);
                    procount_.row(e.produceId, id, m_.procedureCodes[p], qty - qty / 2, worker,
                                  dateText(outputDay));
                }
            }
        }
        start += 1;
    }
}

}  // namespace morvane::demo::detail
