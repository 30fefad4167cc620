#include "demo/Business.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "demo/Calendar.h"
#include "demo/SqliteDb.h"

namespace morvane::demo {

namespace {

using Key = std::uint64_t;
Key key(int place, int gc) {
    return (Key(std::uint32_t(place)) << 32) | std::uint32_t(gc);
}

// One document line: a goods colour with its quantities per size and prices.
struct Line {
    int gc = 0;
    Sizes q;
    double tag = 0;       // tag price
    double discount = 1;  // price / tag
    double price = 0;     // settled unit price
};

struct ShopReceiptEvent {
    int client, house;
    std::string saleId;
    std::vector<Line> lines;
};
struct HeadOfficeReturnEvent {
    int client, house;
    std::string sourceId;
    std::vector<Line> lines;
};
struct FoldEvent {
    int client, from;
    std::string transferId;
    std::vector<Line> lines;
};
struct PurchaseEvent {
    int goods;
    int supplier;
    int house;
    std::string produceId;  // production receipts only
    std::vector<Line> lines;
};
struct CutEvent {
    int goods;
    int cutNo;
    std::string produceId;
};
struct OrderEvent {
    int client;
    int seasonKey;  // year * 10 + season
};
struct OrderShipmentEvent {
    int client;
    std::string orderId;
    std::string batch;
    std::vector<Line> wanted;
    std::string depositId;
    double deposit = 0;
};

struct DayEvents {
    std::vector<PurchaseEvent> purchases;
    std::vector<CutEvent> cuts;
    std::vector<OrderEvent> orders;
    std::vector<OrderShipmentEvent> orderShipments;
    std::vector<ShopReceiptEvent> shopReceipts;
    std::vector<HeadOfficeReturnEvent> returns;
    std::vector<FoldEvent> folds;
};

const char* const kClerks[] = {"管理员", "周静", "赵强", "陈明", "林晓燕"};
const char* const kPayTypes[] = {"现金", "微信", "支付宝", "银联卡"};
const char* const kBankTypes[] = {"银行转账", "银行转账", "支票", "现金"};
const char* const kClientCharges[] = {"运费", "装修补贴", "广告分摊", "物料费", "培训费"};
const char* const kOutsourcing[] = {"绣花", "印花", "水洗", "压褶"};
const char* const kSeasonNames[] = {"春", "夏", "秋", "冬"};
const int kSeasonLaunch[][2] = {{2, 15}, {4, 20}, {8, 10}, {10, 20}};  // month, day

// The day a season's goods start to go out: order-fair goods are delivered
// ten days before it, so the first stock must be in before that.
int seasonStart(const Goods& g) {
    return dayNumber(std::stoi(g.year), kSeasonLaunch[g.seasonNo - 1][0],
                     kSeasonLaunch[g.seasonNo - 1][1]);
}

double round1(double v) {
    return std::floor(v * 10 + 0.5) / 10;
}
double round0(double v) {
    return std::floor(v + 0.5);
}

class Simulation {
  public:
    Simulation(SqliteDb& db, const Master& m, int scale, Rng rng)
        : db_(db),
          m_(m),
          scale_(scale),
          rng_(rng),
          first_(kPeriodFirstDay),
          last_(kPeriodLastDay),
          days_(std::size_t(last_ - first_ + 1)),
          receivable_(m.clients.size()),
          payable_(m.suppliers.size()),
          held_(m.clients.size() * m.goodsColors.size()),
          heldList_(m.clients.size()),
          shipped_(m.clients.size()),
          order_(db, "d_order",
                 {"fbillid", "fclientcode", "fhousecode", "fbilldate", "finputdate", "fposted",
                  "fbilltype", "fmode", "fmanualid", "fmodidate", "fbatchno", "femployeeid",
                  "finputman", "fmemo"}),
          orderDe_(db, "d_orderdetail", kLineColumns, true),
          ration_(
              db, "d_ration",
              {"fbillid", "fclientcode", "fhousecode", "fbilldate", "finputdate", "fposted",
               "fbilltype", "fmode", "fmanualid", "fbatchno", "femployeeid", "finputman", "fmemo"}),
          rationDe_(db, "d_rationdetail", kLineColumns, true),
          sale_(db, "d_sale",
                {"fbillid", "fclientcode", "fhousecode", "fbilldate", "finputdate", "fposted",
                 "fbilltype", "fmode", "fmanualid", "fbatchno", "frationid", "femployeeid",
                 "finputman", "fmemo"}),
          saleDe_(db, "d_saledetail", kLineColumns, true),
          saleReturn_(db, "d_salereturn",
                      {"fbillid", "fclientcode", "fhousecode", "fbilldate", "finputdate", "fposted",
                       "fbilltype", "fmanualid", "fsourcebillid", "finputman", "fmemo"}),
          saleReturnDe_(db, "d_salereturndetail", kLineColumns, true),
          receving_(db, "d_receving",
                    {"fbillid", "fsuppliercode", "fhousecode", "fbilldate", "finputdate", "fposted",
                     "fbilltype", "fmanualid", "fproduceid", "finputman", "fmemo"}),
          recevingDe_(db, "d_recevingdetail", kLineColumns, true),
          payment_(db, "d_payment",
                   {"fbillid", "fclientcode", "fbilldate", "finputdate", "fposted", "famount",
                    "fpaytype", "finputman", "fmemo"}),
          payments_(db, "d_payments",
                    {"fbillid", "fsuppliercode", "fbilldate", "finputdate", "fposted", "famount",
                     "fpaytype", "finputman", "fmemo"}),
          deposit_(db, "d_subsreceipt",
                   {"fbillid", "fclientcode", "fbilldate", "finputdate", "fposted", "famount",
                    "fpaytype", "forderid", "finputman", "fmemo"}),
          depositFlag_(db, "d_subsreceipt_flag",
                       {"fbillid", "fclientcode", "fbilldate", "finputdate", "fposted", "famount",
                        "fsubsbillid", "fsalebillid", "finputman", "fmemo"}),
          charges_(db, "d_charges",
                   {"fbillid", "fclientcode", "fbilldate", "finputdate", "fposted", "famount",
                    "fitem", "finputman", "fmemo"}),
          expense_(db, "b_charges",
                   {"fbillid", "fclientcode", "fdeptname", "fbilldate", "finputdate", "fposted",
                    "femployeeid", "finputman", "fmemo"}),
          expenseDe_(db, "b_chargesde", {"fbillid", "fitem", "famount", "fmemo"}),
          retail_(db, "d_s_sale",
                  {"fbillid", "fclientcode", "fbilldate", "finputdate", "fposted", "fbilltype",
                   "femployeeid", "fvipcode", "fpaytype", "finputman", "fmemo"}),
          retailDe_(db, "d_s_saledetail", kLineColumns, true),
          shopReceipt_(db, "d_s_receving",
                       {"fbillid", "fclientcode", "fhousecode", "fsalebillid", "fbilldate",
                        "finputdate", "fposted", "finputman", "fmemo"}),
          shopReceiptDe_(db, "d_s_recevingdetail", kLineColumns, true),
          fold_(db, "d_s_fold",
                {"fbillid", "fclientcode", "foutclientcode", "ftransferid", "fbilldate",
                 "finputdate", "fposted", "finputman", "fmemo"}),
          foldDe_(db, "d_s_folddetail", kLineColumns, true),
          shopReturn_(db, "d_s_pureturn",
                      {"fbillid", "fclientcode", "fhousecode", "fbilldate", "finputdate", "fposted",
                       "finputman", "fmemo"}),
          shopReturnDe_(db, "d_s_pureturndetail", kLineColumns, true),
          transfer_(db, "d_s_transfer",
                    {"fbillid", "fclientcode", "ftoclientcode", "fbilldate", "finputdate",
                     "fposted", "finputman", "fmemo"}),
          transferDe_(db, "d_s_transferdetail", kLineColumns, true),
          produce_(db, "gm_produce",
                   {"fbillid", "fbilldate", "finputdate", "fposted", "fgoodsid", "fqty", "fmemo"}),
          produceDe_(db, "gm_producede", {"fbillid", "fprocedureid", "fproprice", "fsortno"}),
          knufe_(db, "gm_knufe",
                 {"fbillid", "fbilldate", "finputdate", "fposted", "fmanualid", "fgoodsid",
                  "fcutno", "fproduceid", "fmemo"}),
          knufeDe_(db, "gm_knufede", {"fbillid", "fcolorid", "fqty"}, true),
          knufeOut_(db, "gm_knufeout",
                    {"fbillid", "fbilldate", "finputdate", "fposted", "fsuppliercode", "fgoodsid",
                     "fknufeid", "ftype", "fprice", "fmemo"}),
          knufeOutDe_(db, "gm_knufeoutdetail", {"fbillid", "fcolorid", "fqty", "frecqty"}),
          proroll_(db, "gm_proroll",
                   {"fbillid", "fknufeid", "fcutno", "fgoodsid", "fadd_date", "fprocedue_no",
                    "fquantity_2", "femployeeid"}),
          procount_(
              db, "gm_procount",
              {"fproduceid", "fknufeid", "fprocedue_no", "fquantity", "femploycode", "fadd_date"}) {
    }

    void run();

  private:
    inline static const std::vector<std::string_view> kLineColumns = {
        "fbillid", "fgoodsid", "fcolorid", "qty", "fprice", "fdiscount", "fbalancprice"};

    // ---- small helpers
    const Goods& goodsOf(int gc) const {
        return m_.goods[std::size_t(m_.goodsColors[std::size_t(gc)].goods)];
    }
    const std::string& colorOf(int gc) const {
        return m_.colors[std::size_t(m_.goodsColors[std::size_t(gc)].color)].code;
    }
    int sizeCount(const Goods& g) const {
        return int(m_.sizeClasses[std::size_t(g.sizeClass)].sizes.size());
    }
    bool inPeriod(int day) const { return day >= first_ && day <= last_; }
    DayEvents* eventsOn(int day) {
        return inPeriod(day) ? &days_[std::size_t(day - first_)] : nullptr;
    }
    static bool monthEnd(int day) { return civilDate(day + 1).day == 1; }

    std::string billId(const char* prefix, int day) {
        const CivilDate c = civilDate(day);
        char head[32];
        std::snprintf(head, sizeof head, "%s%04d%02d", prefix, c.year, c.month);
        const int number = ++billNumbers_[head];
        char id[40];
        std::snprintf(id, sizeof id, "%s%06d", head, number);
        return id;
    }
    // Most documents carry a plain date; a few were keyed in with the time.
    std::string billDate(int day) {
        if (rng_.chance(0.004))
            return dateTimeText(day, rng_.range(9 * 3600, 21 * 3600));
        return dateText(day);
    }
    std::string inputDate(int day) {
        const int r = int(rng_.below(100));
        return dateText(std::min(last_, day + (r < 80 ? 0 : r < 95 ? 1 : rng_.range(2, 3))));
    }
    // Recent documents are often still waiting for approval.
    int posted(int day) { return rng_.chance(day > last_ - 21 ? 0.55 : 0.975) ? 1 : 0; }
    const char* clerk() { return kClerks[rng_.below(std::size(kClerks))]; }

    Sizes spread(const Goods& g, int total) {
        Sizes s;
        s.used = sizeCount(g);
        for (int i = 0; i < total; ++i)
            ++s.q[rng_.weighted(g.sizeWeights.data(), g.sizeWeights.size())];
        return s;
    }
    Sizes& houseStock(int house, int gc) {
        Sizes& s = houseStock_[key(house, gc)];
        if (s.used == 0)
            s.used = sizeCount(goodsOf(gc));
        return s;
    }
    Sizes& shopStock(int client, int gc) {
        Sizes& s = shopStock_[key(client, gc)];
        if (s.used == 0) {
            s.used = sizeCount(goodsOf(gc));
            char& flag = held_[std::size_t(client) * m_.goodsColors.size() + std::size_t(gc)];
            if (!flag) {
                flag = 1;
                heldList_[std::size_t(client)].push_back(gc);
            }
        }
        return s;
    }
    double wholesalePrice(const Client& c, const Goods& g) const {
        return c.priceType == "按价格" ? round0(g.price * c.discount)
                                       : round1(g.price * c.discount);
    }
    Line wholesaleLine(const Client& c, int gc, const Sizes& q) const {
        const Goods& g = goodsOf(gc);
        Line l;
        l.gc = gc;
        l.q = q;
        l.tag = g.price;
        l.price = wholesalePrice(c, g);
        l.discount = g.price > 0 ? round1(l.price / g.price * 100) / 100 : 0;
        return l;
    }
    // A goods item launched lately (or about to be), favouring popular ones.
    int activeGoods(int day, int back, int ahead) {
        auto lo = std::lower_bound(m_.goods.begin(), m_.goods.end(), day - back,
                                   [](const Goods& g, int d) { return g.launchDay < d; });
        auto hi = std::upper_bound(m_.goods.begin(), m_.goods.end(), day + ahead,
                                   [](int d, const Goods& g) { return d < g.launchDay; });
        const int a = int(lo - m_.goods.begin()), b = int(hi - m_.goods.begin());
        if (a >= b)
            return -1;
        for (int tries = 0; tries < 8; ++tries) {
            const int i = a + int(rng_.below(std::uint32_t(b - a)));
            const Goods& g = m_.goods[std::size_t(i)];
            if (g.gift)
                continue;
            if (int(rng_.below(5)) < g.popularity)
                return i;
        }
        return -1;
    }
    int colorOfGoods(int goods) {
        const Goods& g = m_.goods[std::size_t(goods)];
        return g.firstColor + int(rng_.below(std::uint32_t(g.colorCount)));
    }
    void writeLines(Insert& ins, const std::string& id, const std::vector<Line>& lines,
                    int sign = 1) {
        for (const Line& l : lines) {
            Sizes q = l.q;
            for (int& v : q.q)
                v *= sign;
            ins.row(id, goodsOf(l.gc).id, colorOf(l.gc), q.total(), l.tag, l.discount, l.price, q);
        }
    }
    static double amount(const std::vector<Line>& lines) {
        double total = 0;
        for (const Line& l : lines)
            total += l.price * l.q.total();
        return total;
    }
    int houseFor(const Client& c) const {
        const std::string& region = m_.areas[std::size_t(c.area)].region;
        if (region == "华东")
            return 1;
        if (region == "华南")
            return 2;
        return 0;
    }

    // ---- the business
    void scheduleSupply();
    void scheduleOrders();
    void openingStock();
    void runDay(int day);
    void purchase(int day, PurchaseEvent& e);
    void cut(int day, const CutEvent& e);
    void placeOrder(int day, const OrderEvent& e);
    void replenishOrder(int day, int client);
    std::vector<Line> takeFromStock(const Client& c, int house, const std::vector<Line>& wanted,
                                    int& usedHouse);
    std::string ship(int day, int client, const std::vector<Line>& wanted, const std::string& mode,
                     const std::string& batch, bool withRation);
    void receiveAtShop(int day, ShopReceiptEvent& e);
    void retailDay(int day, int client);
    void shopReturn(int day, int client, bool everything);
    void transfer(int day, int client);
    void wholesaleReturn(int day, int client, bool oldGoods);
    void returnAtHeadOffice(int day, HeadOfficeReturnEvent& e);
    void fold(int day, FoldEvent& e);
    void monthEndMoney(int day);
    void clientCharges(int day, int client);
    void expenses(int day);
    void writeStock();

    SqliteDb& db_;
    const Master& m_;
    int scale_;
    Rng rng_;
    int first_, last_;
    std::vector<DayEvents> days_;
    std::map<std::string, int> billNumbers_;
    std::unordered_map<Key, Sizes> houseStock_, shopStock_;
    std::vector<double> receivable_, payable_;
    std::vector<char> held_;
    std::vector<std::vector<int>> heldList_;  // goods colours a shop ever held
    std::vector<std::vector<int>> shipped_;   // goods colours a client was shipped
    std::set<std::pair<int, int>> priced_;    // (client, goods) pairs for ba_clientprice
    std::map<std::string, std::vector<int>> produceSteps_;  // processes of each production order

    Insert order_, orderDe_, ration_, rationDe_, sale_, saleDe_, saleReturn_, saleReturnDe_,
        receving_, recevingDe_, payment_, payments_, deposit_, depositFlag_, charges_, expense_,
        expenseDe_, retail_, retailDe_, shopReceipt_, shopReceiptDe_, fold_, foldDe_, shopReturn_,
        shopReturnDe_, transfer_, transferDe_, produce_, produceDe_, knufe_, knufeDe_, knufeOut_,
        knufeOutDe_, proroll_, procount_;
};

// Purchase receipts of bought-in goods and the production of own-made goods.
void Simulation::scheduleSupply() {
    for (std::size_t gi = 0; gi < m_.goods.size(); ++gi) {
        const Goods& g = m_.goods[gi];
        if (g.year == "2024")
            continue;  // last year's goods are opening stock
        if (!g.ownMade) {
            const int batches = std::max(1, rng_.count(1.5 * scale_));
            for (int b = 0; b < batches; ++b) {
                const int day = b == 0 ? std::min(g.launchDay, seasonStart(g)) - rng_.range(15, 30)
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
        for (int c = 0; c < cuts; ++c) {
            int day = c == 0 ? std::min(g.launchDay, seasonStart(g)) - rng_.range(35, 50)
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
        const int items = rng_.range(5, 9);
        for (int k = 0; k < items; ++k) {
            const int goods = int(rng_.below(std::uint32_t(m_.goods.size())));
            const Goods& g = m_.goods[std::size_t(goods)];
            if (g.year != "2024")
                continue;
            const int gc = colorOfGoods(goods);
            Sizes add = spread(g, rng_.range(2, 5) * scale_);
            Sizes& s = shopStock(int(ci), gc);
            for (int i = 0; i < kSizeSlots; ++i)
                s.q[std::size_t(i)] += add.q[std::size_t(i)];
            priced_.insert({int(ci), goods});
        }
    }
}

void Simulation::purchase(int day, PurchaseEvent& e) {
    const Goods& g = m_.goods[std::size_t(e.goods)];
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
    (void)g;
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
            spread(m_.goods[std::size_t(gi)], big ? rng_.range(10, 30) : rng_.range(4, 10))));
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
std::vector<Line> Simulation::takeFromStock(const Client& c, int house,
                                            const std::vector<Line>& wanted, int& usedHouse) {
    (void)c;
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
    std::vector<Line> lines = takeFromStock(c, house, wanted, house);
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
            if (day <= dayNumber(2025, 12, 31) && rng_.count(0.6 * scale_ / 30.0) > 0)
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
                            c, gc, spread(m_.goods[std::size_t(gi)], rng_.range(2, 6))));
                }
                ship(day, client, wanted, "配货", "", rng_.chance(0.6));
            }
            if (rng_.count(scale_ / 70.0) > 0)
                transfer(day, client);
        }
        if (c.kind == ClientKind::Franchise || c.kind == ClientKind::Wholesale ||
            c.kind == ClientKind::Agent) {
            if (rng_.count(0.5 * scale_ * c.traffic / 30.0) > 0)
                replenishOrder(day, client);
        }
        if (c.code == "QT001" && rng_.count(scale_ / 20.0) > 0) {  // staff purchases
            std::vector<Line> wanted;
            const int gi = activeGoods(day, 200, 0);
            if (gi >= 0)
                wanted.push_back(wholesaleLine(
                    c, colorOfGoods(gi), spread(m_.goods[std::size_t(gi)], rng_.range(1, 3))));
            ship(day, client, wanted, "内购", "", false);
        }
        if (c.retail()) {
            retailDay(day, client);
            if (rng_.count(scale_ / 45.0) > 0)
                shopReturn(day, client, false);
        }
        if ((c.kind == ClientKind::Wholesale || c.kind == ClientKind::Agent) &&
            rng_.count(0.25 * scale_ / 30.0) > 0)
            wholesaleReturn(day, client, false);
        if ((c.kind == ClientKind::Franchise || c.kind == ClientKind::Agent ||
             c.kind == ClientKind::Wholesale) &&
            rng_.count(0.3 * scale_ / 30.0) > 0)
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

}  // namespace

void simulateBusiness(SqliteDb& db, const Master& master, int scale, Rng rng) {
    Simulation simulation(db, master, scale, rng);
    simulation.run();
}

}  // namespace morvane::demo
