#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "demo/Calendar.h"
#include "demo/MasterSeeds.h"

namespace morvane::demo::detail {

const BrandSeed kBrands[4] = {{"莫凡", "MORVANE", "MF", 'F'},
                              {"雅岚", "YALAN", "YL", 'F'},
                              {"森屿", "SENYU", "SY", 'M'},
                              {"素本", "SUBEN", "08", 'U'}};

namespace {

double roundTo(double value, double step) {
    return double(long(value / step + 0.5)) * step;
}

// What a goods item is: its category (sort), item, sizes, price range and seasons.
struct ItemSeed {
    const char* sort;
    const char* item;
    char sex;      // 'F' women only, 'M' men only, 'U' any
    int sizeKind;  // 0 tops, 1 trousers, 2 one size
    int priceLow, priceHigh;
    unsigned seasons;  // bit 0 春 .. bit 3 冬
    GarmentShape shape;
    const char* materials;  // candidates, '|' separated
};

const ItemSeed kItems[] = {
    {"上装", "T恤", 'U', 0, 99, 199, 0b0011, GarmentShape::Top, "纯棉|莫代尔|针织棉"},
    {"上装", "衬衫", 'U', 0, 199, 399, 0b0111, GarmentShape::Top, "纯棉|亚麻|真丝|涤纶"},
    {"上装", "POLO衫", 'M', 0, 149, 299, 0b0010, GarmentShape::Top, "纯棉|针织棉"},
    {"上装", "针织衫", 'U', 0, 199, 499, 0b0101, GarmentShape::Top, "羊毛|针织棉|莫代尔"},
    {"上装", "卫衣", 'U', 0, 199, 399, 0b0101, GarmentShape::Top, "纯棉|针织棉"},
    {"上装", "打底衫", 'U', 0, 79, 159, 0b1100, GarmentShape::Top, "莫代尔|纯棉"},
    {"外套", "夹克", 'U', 0, 399, 799, 0b0101, GarmentShape::Top, "涤纶|纯棉|牛仔布"},
    {"外套", "风衣", 'U', 0, 599, 1299, 0b0101, GarmentShape::Dress, "涤纶|纯棉"},
    {"外套", "西装", 'U', 0, 799, 1699, 0b0101, GarmentShape::Top, "羊毛|涤纶"},
    {"外套", "羽绒服", 'U', 0, 699, 1999, 0b1000, GarmentShape::Top, "羽绒|涤纶"},
    {"外套", "大衣", 'U', 0, 899, 2299, 0b1000, GarmentShape::Dress, "羊毛"},
    {"裤装", "牛仔裤", 'U', 1, 199, 459, 0b1111, GarmentShape::Trousers, "牛仔布"},
    {"裤装", "休闲裤", 'U', 1, 199, 399, 0b0111, GarmentShape::Trousers, "纯棉|涤纶|亚麻"},
    {"裤装", "阔腿裤", 'F', 1, 199, 399, 0b0011, GarmentShape::Trousers, "雪纺|亚麻|涤纶"},
    {"裤装", "西裤", 'U', 1, 299, 599, 0b0101, GarmentShape::Trousers, "羊毛|涤纶"},
    {"裙装", "连衣裙", 'F', 0, 299, 899, 0b0011, GarmentShape::Dress, "真丝|雪纺|纯棉"},
    {"裙装", "半身裙", 'F', 0, 199, 499, 0b0111, GarmentShape::Dress, "雪纺|羊毛|牛仔布"},
    {"配饰", "围巾", 'U', 2, 99, 299, 0b1000, GarmentShape::Accessory, "羊毛|真丝"},
    {"配饰", "帽子", 'U', 2, 59, 159, 0b1100, GarmentShape::Accessory, "羊毛|纯棉"},
    {"配饰", "袜子", 'U', 2, 29, 59, 0b1111, GarmentShape::Accessory, "纯棉"},
};

const char* const kStyles[] = {"休闲", "商务", "通勤", "运动", "街头", "简约"};
std::vector<std::string> split(const char* text) {
    std::vector<std::string> out;
    std::string current;
    for (const char* p = text; *p; ++p) {
        if (*p == '|') {
            out.push_back(current);
            current.clear();
        } else {
            current += *p;
        }
    }
    out.push_back(current);
    return out;
}

// Cuts (款式) that make sense for each kind of garment.
std::string patternFor(Rng& rng, const std::string& sort, const std::string& sex) {
    if (sort == "配饰")
        return "常规";
    if (sort == "裤装")
        return split("修身|宽松|直筒|九分")[rng.below(4)];
    if (sort == "裙装")
        return split("A字|收腰|修身|宽松")[rng.below(4)];
    if (sex == "女")
        return split("修身|宽松|收腰|廓形")[rng.below(4)];
    return split("修身|宽松|直筒|廓形")[rng.below(4)];
}
const char* const kSeasons[] = {"春", "夏", "秋", "冬"};

// Size positions: weights of the usual size mix per size class.
const int kWeightsTopMen[] = {1, 3, 6, 7, 5, 3, 1, 0, 0, 0};
const int kWeightsTopBasic[] = {1, 3, 6, 7, 6, 4, 2, 1, 1, 1};
const int kWeightsWomen[] = {2, 5, 7, 5, 2};
const int kWeightsTrousers[] = {1, 2, 4, 6, 7, 6, 4, 2, 1};

}  // namespace

void buildGoods(Rng& rng, Master& m) {
    for (const BrandSeed& b : kBrands)
        m.brands.push_back(b.name);
    const struct {
        const char* code;
        const char* name;
        const char* english;
        std::uint32_t rgb;
    } colors[] = {{"01", "黑色", "Black", 0x1E1E1E},       {"02", "白色", "White", 0xF5F5F5},
                  {"03", "米白", "Ivory", 0xEDE3CF},       {"04", "藏青", "Navy", 0x1F2A44},
                  {"05", "灰色", "Grey", 0x8C8C8C},        {"06", "卡其", "Khaki", 0xC3A66E},
                  {"07", "酒红", "Wine", 0x7B1F2D},        {"08", "墨绿", "Forest", 0x2F4F3A},
                  {"09", "浅蓝", "Light blue", 0x9CC3E6},  {"10", "粉红", "Pink", 0xF2A7B8},
                  {"11", "驼色", "Camel", 0xB68A5A},       {"12", "杏色", "Apricot", 0xE8CFA8},
                  {"13", "雾霾蓝", "Haze blue", 0x7D93A8}, {"14", "姜黄", "Turmeric", 0xD9A21B},
                  {"15", "砖红", "Brick", 0xB24B36},       {"16", "牛仔蓝", "Denim", 0x3E5F8A},
                  {"17", "深灰", "Charcoal", 0x4A4A4A},    {"18", "藕粉", "Lotus pink", 0xD8A7A0},
                  {"19", "橄榄绿", "Olive", 0x6B7A3A},     {"20", "咖啡", "Coffee", 0x6B4A33}};
    for (const auto& c : colors)
        m.colors.push_back({c.code, c.name, c.english, c.rgb});

    m.sizeClasses.push_back(
        {"通用码", {"XS", "S", "M", "L", "XL", "XXL", "XXXL", "4XL", "5XL", "6XL"}});
    m.sizeClasses.push_back({"女装码", {"155/80A", "160/84A", "165/88A", "170/92A", "175/96A"}});
    m.sizeClasses.push_back({"裤码", {"26", "27", "28", "29", "30", "31", "32", "33", "34"}});
    m.sizeClasses.push_back({"均码", {"F"}});

    struct SeasonPlan {
        int year, season, perBrand;
    };
    std::vector<SeasonPlan> plans = {{2024, 3, 6}, {2024, 4, 6}};
    for (int year : {2025, 2026})
        for (int season = 1; season <= 4; ++season)
            plans.push_back({year, season, 14});
    plans.push_back({2027, 1, 8});

    for (const SeasonPlan& plan : plans) {
        for (const BrandSeed& brand : kBrands) {
            std::vector<int> candidates;
            for (std::size_t i = 0; i < std::size(kItems); ++i) {
                const ItemSeed& it = kItems[i];
                if (!(it.seasons >> (plan.season - 1) & 1u))
                    continue;
                if (it.sex != 'U' && brand.sex != 'U' && it.sex != brand.sex)
                    continue;
                if (it.sex == 'F' && brand.sex == 'M')
                    continue;
                candidates.push_back(int(i));
            }
            for (int k = 1; k <= plan.perBrand; ++k) {
                const ItemSeed& it = kItems[std::size_t(rng.pick(candidates))];
                Goods g;
                char id[32];
                std::snprintf(id, sizeof id, "%s%02d%d%03d", brand.prefix, plan.year % 100,
                              plan.season, k);
                g.id = id;
                g.brand = brand.name;
                g.year = std::to_string(plan.year);
                g.seasonNo = plan.season;
                g.season = kSeasons[plan.season - 1];
                g.sort = it.sort;
                g.item = it.item;
                const char sex = it.sex != 'U' ? it.sex : brand.sex;
                g.sex = sex == 'F' ? "女" : sex == 'M' ? "男" : (rng.chance(0.5) ? "中性" : "男");
                const std::vector<std::string> materials = split(it.materials);
                g.material = rng.pick(materials);
                g.style = kStyles[rng.below(std::size(kStyles))];
                g.pattern = "";  // chosen once the wearer is known
                g.lining = it.sizeKind == 2                   ? "无里布"
                           : std::string(it.item) == "羽绒服" ? "羽绒内胆"
                           : it.shape == GarmentShape::Dress || std::string(it.sort) == "外套"
                               ? (rng.chance(0.5) ? "涤纶里" : "棉里")
                               : "无里布";
                g.unit = it.sizeKind == 2 && std::string(it.item) == "袜子" ? "双" : "件";
                if (std::string(it.sort) == "裤装")
                    g.unit = "条";
                g.shape = it.shape;
                g.pattern = patternFor(rng, g.sort, g.sex);
                const std::string sexWord = g.sex == "女" ? "女式" : g.sex == "男" ? "男士" : "";
                // 牛仔布牛仔裤, 羽绒羽绒服: the item already names the material.
                const std::string item = it.item;
                const bool itemNamesFabric =
                    g.material.size() >= 6 && item.compare(0, 6, g.material, 0, 6) == 0;
                const std::string fabric = itemNamesFabric ? "" : g.material;
                const std::string cut = g.pattern == "常规" ? "" : g.pattern;
                g.name = sexWord + cut + fabric + it.item;
                if (rng.chance(0.15))
                    g.name = sexWord + cut + fabric + "拼色印花" + it.item;
                const int steps = (it.priceHigh - it.priceLow) / 50;
                g.price = double(it.priceLow + 50 * rng.range(0, steps));
                g.price = double(long(g.price / 10) * 10 + 9);  // tag prices end in 9
                if (g.price > it.priceHigh)
                    g.price = it.priceHigh;
                g.cost = roundTo(g.price * (0.28 + 0.01 * rng.range(0, 10)), 0.1);
                if (it.sizeKind == 2) {
                    g.sizeClass = 3;
                    g.sizeWeights = {1};
                } else if (it.sizeKind == 1) {
                    g.sizeClass = 2;
                    g.sizeWeights.assign(std::begin(kWeightsTrousers), std::end(kWeightsTrousers));
                    if (g.sex == "女")
                        std::rotate(g.sizeWeights.begin(), g.sizeWeights.begin() + 2,
                                    g.sizeWeights.end());
                } else if (g.sex == "女") {
                    g.sizeClass = 1;
                    g.sizeWeights.assign(std::begin(kWeightsWomen), std::end(kWeightsWomen));
                } else {
                    g.sizeClass = 0;
                    const int* w = brand.sex == 'U' ? kWeightsTopBasic : kWeightsTopMen;
                    g.sizeWeights.assign(w, w + 10);
                }
                const int launchMonth = kSeasonLaunch[plan.season - 1][0];
                const int launchDay = kSeasonLaunch[plan.season - 1][1];
                g.launchDay = dayNumber(plan.year, launchMonth, launchDay) + rng.range(0, 25);
                g.inputDay = g.launchDay - rng.range(80, 110);
                g.ownMade = it.sizeKind != 2 && rng.chance(0.35);
                if (g.ownMade) {
                    g.supplier = 0;
                } else if (std::string(it.item) == "羽绒服") {
                    g.supplier = 6;
                } else if (std::string(it.item) == "牛仔裤") {
                    g.supplier = 3;
                } else if (it.sizeKind == 2) {
                    g.supplier = 7;
                } else {
                    g.supplier = 1 + int(rng.below(5));
                    if (g.supplier == 3)
                        g.supplier = 5;
                }
                g.popularity = rng.range(1, 5);
                g.picture = !rng.chance(0.03);
                const int colorCount = it.sizeKind == 2 ? rng.range(1, 3) : rng.range(2, 4);
                g.firstColor = int(m.goodsColors.size());
                g.colorCount = colorCount;
                std::vector<int> used;
                while (int(used.size()) < colorCount) {
                    int color = int(rng.below(std::uint32_t(m.colors.size())));
                    if (std::string(it.item) == "牛仔裤")
                        color = std::vector<int>{15, 8, 0, 16}[rng.below(4)];
                    if (std::find(used.begin(), used.end(), color) != used.end())
                        continue;
                    used.push_back(color);
                    m.goodsColors.push_back({int(m.goods.size()), color});
                }
                m.goods.push_back(std::move(g));
            }
        }
    }
    // The free shopping bag handed out with purchases: tag price 0.
    Goods bag;
    bag.id = "ZP0001";
    bag.name = "品牌环保购物袋";
    bag.brand = "莫凡";
    bag.year = "2025";
    bag.season = "春";
    bag.sort = "配饰";
    bag.item = "赠品";
    bag.sex = "中性";
    bag.style = "简约";
    bag.material = "无纺布";
    bag.lining = "无里布";
    bag.pattern = "常规";
    bag.unit = "个";
    bag.sizeClass = 3;
    bag.sizeWeights = {1};
    bag.price = 0;
    bag.cost = 1.5;
    bag.supplier = 7;
    bag.seasonNo = 1;
    bag.launchDay = dayNumber(2025, 1, 1);
    bag.inputDay = dayNumber(2024, 12, 1);
    bag.gift = true;
    bag.shape = GarmentShape::Accessory;
    bag.firstColor = int(m.goodsColors.size());
    bag.colorCount = 1;
    m.goodsColors.push_back({int(m.goods.size()), 1});
    m.goods.push_back(std::move(bag));

    // Keep goods in launch order; the simulation looks goods up by date.
    std::vector<int> order(m.goods.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return m.goods[std::size_t(a)].launchDay < m.goods[std::size_t(b)].launchDay;
    });
    std::vector<Goods> sorted;
    std::vector<GoodsColor> colorsSorted;
    for (int index : order) {
        Goods g = m.goods[std::size_t(index)];
        const int first = g.firstColor;
        g.firstColor = int(colorsSorted.size());
        for (int k = 0; k < g.colorCount; ++k)
            colorsSorted.push_back(
                {int(sorted.size()), m.goodsColors[std::size_t(first + k)].color});
        sorted.push_back(std::move(g));
    }
    m.goods = std::move(sorted);
    m.goodsColors = std::move(colorsSorted);

    m.chargeItems = {"房租",   "水电费", "工资",   "运费",   "广告费",
                     "差旅费", "办公费", "装修费", "通讯费", "招待费"};
    m.procedureCodes = {"01", "02", "03", "04", "05", "06", "07", "08", "09"};
    m.procedureNames = {"拷边", "合缝", "上领", "上袖", "钉扣", "锁眼", "整烫", "质检", "包装"};
    m.procedurePrices = {0.35, 0.80, 0.60, 0.70, 0.25, 0.20, 0.45, 0.15, 0.20};
}

}  // namespace morvane::demo::detail
