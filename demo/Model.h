#pragma once

// The master data of the demo business, held in memory while the documents
// are simulated, and written to the database by writeMasterData.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "demo/GoodsPicture.h"
#include "demo/Random.h"

namespace morvane::demo {

class SqliteDb;

struct Area {
    std::string code, name, region;
};

struct Employee {
    std::string code, name, sex, dept, position;
    std::optional<std::string> client;  // shop of a shop assistant
    int joinDay = 0;
};

enum class ClientKind { SelfShop, Counter, Franchise, Wholesale, Agent, None };

struct Client {
    std::string code, name, abbrev;
    ClientKind kind = ClientKind::None;
    std::optional<std::string> mathod;  // 自营, 专柜, 加盟, 批发, 代理 or NULL
    std::string grad, priceType;
    double discount = 0.5;  // wholesale price = tag price x discount
    int area = 0;
    std::string supervisor;
    std::vector<std::string> assistants;  // shops only
    int openDay = 0;                      // no business before
    int closeDay = 1 << 30;               // no business after (stock returned that day)
    int quietFrom = -1, quietTo = -1;     // a closed-for-refit stretch without any document
    bool returnsOnly = false;             // only sales returns (a former partner)
    bool noBusiness = false;              // listed, never traded
    double traffic = 1.0;                 // relative retail and shipment volume
    bool retail() const {
        return kind == ClientKind::SelfShop || kind == ClientKind::Counter ||
               kind == ClientKind::Franchise;
    }
    bool activeOn(int day) const {
        return !noBusiness && !returnsOnly && day >= openDay && day <= closeDay &&
               !(day >= quietFrom && day <= quietTo);
    }
};

struct Supplier {
    std::string code, name, abbrev, type, keyman;
    int area = 0;
};

struct House {
    std::string code, name, type, keyman;
    int area = 0;
};

struct Color {
    std::string code, name, english;
    std::uint32_t rgb = 0;
};

struct SizeClass {
    std::string name;
    std::vector<std::string> sizes;  // by display index 1..n
};

struct Goods {
    std::string id, name, brand, year, season, sort, item, sex, style, material, lining, pattern,
        unit;
    int sizeClass = 0;
    std::vector<int> sizeWeights;  // per position of the size class
    double price = 0, cost = 0;
    int supplier = 0;
    int seasonNo = 1;  // 1 春 2 夏 3 秋 4 冬
    int launchDay = 0, inputDay = 0;
    bool ownMade = false;
    bool gift = false;
    bool picture = true;
    int popularity = 1;  // 1..5
    GarmentShape shape = GarmentShape::Top;
    int firstColor = 0;  // index into Master::goodsColors
    int colorCount = 0;
};

// Month and day on which each season's goods (春, 夏, 秋, 冬) start to sell;
// single goods launch up to 25 days later.
inline constexpr int kSeasonLaunch[4][2] = {{2, 15}, {4, 20}, {8, 10}, {10, 20}};

struct GoodsColor {
    int goods = 0;
    int color = 0;
};

struct Master {
    std::vector<Area> areas;
    std::vector<Employee> employees;
    std::vector<Client> clients;
    std::vector<Supplier> suppliers;
    std::vector<House> houses;
    std::vector<std::string> brands;
    std::vector<Color> colors;
    std::vector<SizeClass> sizeClasses;
    std::vector<Goods> goods;                 // ordered by launch day
    std::vector<GoodsColor> goodsColors;      // colours of goods i are firstColor..+colorCount
    std::vector<std::string> workers;         // production workers (one is not on file)
    std::vector<std::string> chargeItems;     // expense items
    std::vector<std::string> procedureCodes;  // sewing processes
    std::vector<double> procedurePrices;
    std::vector<std::string> procedureNames;
};

// Builds the fixed master data; `rng` decides prices, colours and the like.
Master buildMasterData(Rng& rng);

// Writes areas, employees, partners, goods (with pictures), sizes, goods
// attributes, price bands, expense items and processes.
void writeMasterData(SqliteDb& db, const Master& master);

// Users, groups, rights lists of the report windows, user scope rows.
void writeAccessData(SqliteDb& db, const Master& master);

}  // namespace morvane::demo
