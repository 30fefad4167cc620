#include "demo/Simulation.h"

namespace morvane::demo::detail {

void Simulation::clientCharges(int day, int client) {
    const Client& c = m_.clients[std::size_t(client)];
    const std::string id = billId("FY", day);
    const int item = int(rng_.below(std::size(kClientCharges)));
    charges_.row(id, c.code, billDate(day), inputDate(day), posted(day),
                 double(rng_.range(2, 30) * 100), kClientCharges[item], clerk(), nullptr);
}

void Simulation::expenses(int day) {
    const CivilDate date = civilDate(day);
    // The own shops' monthly running costs, booked on the 25th.
    if (date.day == 25) {
        for (const Client& c : m_.clients) {
            if (c.kind != ClientKind::SelfShop || !c.activeOn(day))
                continue;
            const int docs = rng_.count(1.0 * scale_);
            for (int k = 0; k < docs; ++k) {
                const std::string id = billId("KZ", day);
                expense_.row(id, c.code, "店铺", billDate(day), inputDate(day), posted(day),
                             c.assistants.empty()
                                 ? std::nullopt
                                 : std::optional<std::string>(c.assistants.front()),
                             clerk(), nullptr);
                expenseDe_.row(id, "房租", double(rng_.range(150, 450) * 100), nullptr);
                expenseDe_.row(id, "水电费", double(rng_.range(800, 3000)), nullptr);
                expenseDe_.row(id, "工资", double(rng_.range(120, 300) * 100), nullptr);
                if (rng_.chance(0.5))
                    expenseDe_.row(id, "通讯费", double(rng_.range(200, 500)), nullptr);
            }
        }
    }
    // Head office costs on ordinary working days.
    if (weekday(day) < 5) {
        const int docs = rng_.count(0.15 * scale_);
        static const char* const depts[] = {"总部", "物流部", "商品部", "财务部"};
        static const char* const items[] = {"运费",   "广告费", "差旅费",
                                            "办公费", "招待费", "装修费"};
        for (int k = 0; k < docs; ++k) {
            const std::string id = billId("KZ", day);
            expense_.row(id, nullptr, depts[rng_.below(4)], billDate(day), inputDate(day),
                         posted(day), m_.employees[rng_.below(14)].code, clerk(), nullptr);
            const int lines = rng_.range(1, 2);
            for (int l = 0; l < lines; ++l) {
                const int item = int(rng_.below(std::size(items)));
                const double value =
                    item == 5 ? rng_.range(50, 300) * 100.0 : rng_.range(100, 8000);
                expenseDe_.row(id, items[item], value, nullptr);
            }
        }
    }
}

// Clients settle their account in the following weeks; the company pays its
// suppliers likewise.
void Simulation::monthEndMoney(int day) {
    for (std::size_t ci = 0; ci < m_.clients.size(); ++ci) {
        const Client& c = m_.clients[ci];
        double& due = receivable_[ci];
        if (c.kind == ClientKind::SelfShop || due <= 0)
            continue;
        const int docs = rng_.count(0.8 * scale_);
        if (docs == 0)
            continue;
        const double total = due * (0.85 + 0.15 * rng_.uniform());
        for (int k = 0; k < docs; ++k) {
            const int payDay = day + rng_.range(1, 20);
            if (!inPeriod(payDay) || !(c.activeOn(payDay) || payDay <= c.closeDay + 60))
                continue;
            if (payDay >= c.quietFrom && payDay <= c.quietTo)
                continue;
            const double value = std::max(100.0, round0(total / docs / 100) * 100);
            payment_.row(billId("HK", payDay), c.code, billDate(payDay), inputDate(payDay),
                         posted(payDay), value, kBankTypes[rng_.below(std::size(kBankTypes))],
                         clerk(), nullptr);
            due -= value;
        }
    }
    for (std::size_t si = 0; si < m_.suppliers.size(); ++si) {
        double& due = payable_[si];
        if (si == 0 || due <= 0)
            continue;  // the own workshop is not paid
        const int docs = rng_.count(0.7 * scale_);
        if (docs == 0)
            continue;
        const double total = due * (0.8 + 0.2 * rng_.uniform());
        for (int k = 0; k < docs; ++k) {
            const int payDay = day + rng_.range(5, 25);
            if (!inPeriod(payDay))
                continue;
            const double value = std::max(100.0, round0(total / docs / 100) * 100);
            payments_.row(billId("FK", payDay), m_.suppliers[si].code, billDate(payDay),
                          inputDate(payDay), posted(payDay), value, kBankTypes[rng_.below(2)],
                          clerk(), nullptr);
            due -= value;
        }
    }
}

}  // namespace morvane::demo::detail
