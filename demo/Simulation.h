#pragma once

// The day-by-day simulation behind simulateBusiness (Business.h): its state
// (the stock of every warehouse and shop, open balances, pending deliveries)
// and the document kinds it writes. Internal to the demo generator; the
// definitions are spread over Business.cpp (calendar and supply), Orders.cpp
// (orders and shipments), ShopTrade.cpp (shops), Production.cpp (purchase
// and production) and Settlement.cpp (money).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "demo/Calendar.h"
#include "demo/Model.h"
#include "demo/Random.h"
#include "demo/SqliteDb.h"

namespace morvane::demo::detail {

// Stock is kept per place (warehouse or client index) and goods colour.
using Key = std::uint64_t;
inline Key key(int place, int gc) {
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

// Things that happen on a later day than the one that caused them; each
// day's list is worked off when the simulation reaches that day.
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

inline const char* const kClerks[] = {"管理员", "周静", "赵强", "陈明", "林晓燕"};
inline const char* const kPayTypes[] = {"现金", "微信", "支付宝", "银联卡"};
inline const char* const kBankTypes[] = {"银行转账", "银行转账", "支票", "现金"};
inline const char* const kClientCharges[] = {"运费", "装修补贴", "广告分摊", "物料费", "培训费"};
inline const char* const kOutsourcing[] = {"绣花", "印花", "水洗", "压褶"};
inline const char* const kSeasonNames[] = {"春", "夏", "秋", "冬"};

// The day a season's goods start to go out: order-fair goods are delivered
// ten days before it, so the first stock must be in before that.
inline int seasonStart(const Goods& g) {
    return dayNumber(std::stoi(g.year), kSeasonLaunch[g.seasonNo - 1][0],
                     kSeasonLaunch[g.seasonNo - 1][1]);
}

inline double round1(double v) {
    return std::floor(v * 10 + 0.5) / 10;
}
inline double round0(double v) {
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
    std::vector<Line> takeFromStock(int house, const std::vector<Line>& wanted, int& usedHouse);
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

}  // namespace morvane::demo::detail
