#include <algorithm>
#include <cstdio>
#include <string>

#include "demo/Calendar.h"
#include "demo/GoodsPicture.h"
#include "demo/Model.h"
#include "demo/SqliteDb.h"

namespace morvane::demo {

namespace {

std::string code(const char* prefix, int number, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*d", prefix, width, number);
    return buffer;
}

double roundTo(double value, double step) {
    return double(long(value / step + 0.5)) * step;
}

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                 "徐", "孙", "马", "朱", "胡", "郭", "何", "林", "罗", "高",
                                 "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹"};
const char* const kGivenFemale[] = {"丽", "敏",   "静",   "婷",   "雪",   "芳",   "娜",   "琳",
                                    "霞", "佳怡", "晓燕", "秀英", "梦瑶", "欣然", "雨萱", "思琪"};
const char* const kGivenMale[] = {"伟", "强",   "磊",   "军",   "洋",   "勇",   "杰",   "涛",
                                  "斌", "建国", "志强", "海波", "俊杰", "宇航", "浩然", "子轩"};

std::string personName(Rng& rng, bool female) {
    std::string name = kSurnames[rng.below(std::size(kSurnames))];
    name += female ? kGivenFemale[rng.below(std::size(kGivenFemale))]
                   : kGivenMale[rng.below(std::size(kGivenMale))];
    return name;
}

std::string phone(Rng& rng) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "1%d%09u", 3 + int(rng.below(6)),
                  unsigned(rng.below(1000000000)));
    return buffer;
}

struct AreaSeed {
    const char* city;
    const char* region;
};
const AreaSeed kAreas[] = {{"上海", "华东"}, {"杭州", "华东"}, {"南京", "华东"}, {"苏州", "华东"},
                           {"宁波", "华东"}, {"广州", "华南"}, {"深圳", "华南"}, {"厦门", "华南"},
                           {"北京", "华北"}, {"天津", "华北"}, {"武汉", "华中"}, {"长沙", "华中"},
                           {"成都", "西南"}, {"重庆", "西南"}, {"西安", "西北"}, {"沈阳", "东北"}};

int areaOf(const char* city) {
    for (std::size_t i = 0; i < std::size(kAreas); ++i)
        if (std::string(kAreas[i].city) == city)
            return int(i);
    return 0;
}

struct ShopSeed {
    const char* city;
    const char* place;
};

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
const char* const kPatterns[] = {"修身", "宽松", "直筒", "收腰", "廓形", "A字"};
const char* const kSeasons[] = {"春", "夏", "秋", "冬"};
const int kSeasonLaunch[][2] = {{2, 15}, {4, 20}, {8, 10}, {10, 20}};  // month, day

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

struct BrandSeed {
    const char* name;
    const char* english;
    const char* prefix;  // goods numbers begin with it
    char sex;            // 'F', 'M' or 'U'
};
const BrandSeed kBrands[] = {{"莫凡", "MORVANE", "MF", 'F'},
                             {"雅岚", "YALAN", "YL", 'F'},
                             {"森屿", "SENYU", "SY", 'M'},
                             {"素本", "SUBEN", "08", 'U'}};

// Size positions: weights of the usual size mix per size class.
const int kWeightsTopMen[] = {1, 3, 6, 7, 5, 3, 1, 0, 0, 0};
const int kWeightsTopBasic[] = {1, 3, 6, 7, 6, 4, 2, 1, 1, 1};
const int kWeightsWomen[] = {2, 5, 7, 5, 2};
const int kWeightsTrousers[] = {1, 2, 4, 6, 7, 6, 4, 2, 1};

void buildPartners(Rng& rng, Master& m) {
    for (const AreaSeed& a : kAreas)
        m.areas.push_back({code("A", int(m.areas.size()) + 1, 2), a.city, a.region});

    // Office staff and supervisors first (E...), then shop assistants (Y...).
    const char* const supervisorRegions[] = {"华东", "华东", "华南", "华北",
                                             "华中", "西南", "西北", "东北"};
    for (int i = 0; i < 8; ++i) {
        const bool female = rng.chance(0.6);
        m.employees.push_back({code("E", i + 1, 3), personName(rng, female), female ? "女" : "男",
                               std::string(supervisorRegions[i]) + "区", "督导", std::nullopt,
                               dayNumber(2018 + int(rng.below(6)), 1 + int(rng.below(12)), 1)});
    }
    const char* const office[][2] = {{"财务部", "会计"},     {"财务部", "出纳"},
                                     {"商品部", "商品经理"}, {"物流部", "仓库主管"},
                                     {"批发部", "业务员"},   {"批发部", "业务员"}};
    for (const auto& o : office) {
        const bool female = rng.chance(0.5);
        m.employees.push_back({code("E", int(m.employees.size()) + 1, 3), personName(rng, female),
                               female ? "女" : "男", o[0], o[1], std::nullopt,
                               dayNumber(2016 + int(rng.below(8)), 1 + int(rng.below(12)), 1)});
    }
    auto supervisorFor = [&](int area) {
        const std::string region = m.areas[std::size_t(area)].region;
        for (int i = 0; i < 8; ++i)
            if (region == supervisorRegions[i])
                return m.employees[std::size_t(i)].code;
        return m.employees[0].code;
    };

    auto addClient = [&](Client c) {
        if (c.supervisor.empty())
            c.supervisor = supervisorFor(c.area);
        m.clients.push_back(std::move(c));
    };

    const ShopSeed selfShops[] = {
        {"上海", "南京西路店"}, {"上海", "徐家汇店"}, {"杭州", "湖滨店"},   {"南京", "新街口店"},
        {"苏州", "观前街店"},   {"广州", "天河店"},   {"深圳", "万象城店"}, {"北京", "三里屯店"},
        {"成都", "春熙路店"},   {"武汉", "江汉路店"}};
    int n = 0;
    for (const ShopSeed& s : selfShops) {
        Client c;
        c.code = code("ZY", ++n, 3);
        c.abbrev = std::string(s.city) + s.place;
        c.name = "莫凡服饰有限公司" + c.abbrev;
        c.kind = ClientKind::SelfShop;
        c.mathod = "自营";
        c.grad = "一般客户";
        c.priceType = "按折扣";
        c.discount = 0.40;
        c.area = areaOf(s.city);
        c.traffic = 1.3 * (0.7 + 0.6 * rng.uniform());
        addClient(std::move(c));
    }
    const ShopSeed counters[] = {{"上海", "久光百货专柜"}, {"杭州", "银泰专柜"},
                                 {"南京", "德基广场专柜"}, {"北京", "SKP专柜"},
                                 {"深圳", "海岸城专柜"},   {"成都", "太古里专柜"},
                                 {"西安", "赛格专柜"},     {"长沙", "王府井专柜"}};
    n = 0;
    for (const ShopSeed& s : counters) {
        Client c;
        c.code = code("ZG", ++n, 3);
        c.abbrev = std::string(s.city) + s.place;
        c.name = c.abbrev;
        c.kind = ClientKind::Counter;
        c.mathod = "专柜";
        c.grad = "一般客户";
        c.priceType = "按折扣";
        c.discount = 0.55;
        c.area = areaOf(s.city);
        c.traffic = 1.0 * (0.7 + 0.6 * rng.uniform());
        addClient(std::move(c));
    }
    const ShopSeed franchises[] = {
        {"宁波", "鼓楼店"},   {"宁波", "天一广场店"}, {"苏州", "园区店"},   {"杭州", "萧山店"},
        {"南京", "河西店"},   {"上海", "松江店"},     {"广州", "北京路店"}, {"深圳", "东门店"},
        {"厦门", "中山路店"}, {"天津", "滨江道店"},   {"北京", "西单店"},   {"武汉", "光谷店"},
        {"长沙", "黄兴路店"}, {"成都", "双流店"},     {"重庆", "解放碑店"}, {"重庆", "观音桥店"},
        {"西安", "钟楼店"},   {"沈阳", "中街店"},     {"沈阳", "太原街店"}, {"苏州", "昆山店"},
        {"杭州", "滨江店"},   {"广州", "番禺店"},     {"成都", "高新店"},   {"长沙", "河西店"}};
    n = 0;
    for (const ShopSeed& s : franchises) {
        Client c;
        c.code = code("JM", ++n, 3);
        c.abbrev = std::string(s.city) + s.place;
        c.name = c.abbrev + "(" + personName(rng, rng.chance(0.6)) + ")";
        c.kind = ClientKind::Franchise;
        c.mathod = "加盟";
        c.grad = n % 5 == 0 ? "一般客户" : "经销商";
        c.priceType = n % 3 == 0 ? "按价格" : "按折扣";
        c.discount = 0.58 + 0.01 * rng.range(0, 7);
        c.area = areaOf(s.city);
        c.traffic = 0.7 * (0.6 + 0.8 * rng.uniform());
        if (n == 3) {  // closed for a refit over the summer of 2025
            c.quietFrom = dayNumber(2025, 6, 1);
            c.quietTo = dayNumber(2025, 8, 31);
        }
        if (n == 10)
            c.closeDay = dayNumber(2025, 10, 31);  // gave up the franchise
        if (n >= 21)
            c.openDay = dayNumber(2026, 3 + (n - 21) / 2, 1 + 9 * ((n - 21) % 2));
        addClient(std::move(c));
    }
    struct PartnerSeed {
        const char* city;
        const char* name;
        const char* abbrev;
    };
    const PartnerSeed wholesalers[] = {{"广州", "广州白马服装批发行", "广州白马"},
                                       {"杭州", "杭州四季青服饰商行", "杭州四季青"},
                                       {"武汉", "武汉汉正街服饰批发部", "汉正街服饰"},
                                       {"沈阳", "沈阳五爱市场恒发商行", "五爱恒发"},
                                       {"西安", "西安康复路服装批发部", "康复路批发"},
                                       {"成都", "成都荷花池服饰商行", "荷花池服饰"},
                                       {"北京", "北京动批天和商行", "动批天和"},
                                       {"深圳", "深圳南油服装城宏达", "南油宏达"},
                                       {"长沙", "长沙高桥大市场锦绣行", "高桥锦绣"},
                                       {"苏州", "常熟招商城服饰(已结业)", "常熟服饰"}};
    n = 0;
    for (const PartnerSeed& p : wholesalers) {
        Client c;
        c.code = code("PF", ++n, 3);
        c.name = p.name;
        c.abbrev = p.abbrev;
        c.kind = ClientKind::Wholesale;
        c.mathod = "批发";
        c.grad = "批发商";
        c.priceType = n % 2 == 0 ? "按价格" : "按折扣";
        c.discount = 0.42 + 0.01 * rng.range(0, 8);
        c.area = areaOf(p.city);
        c.supervisor = "E013";  // the wholesale sales rep
        c.traffic = 0.6 + 0.8 * rng.uniform();
        if (n == 10) {  // a former partner that only sends goods back
            c.returnsOnly = true;
        }
        addClient(std::move(c));
    }
    const PartnerSeed agents[] = {{"北京", "华北区总代理(北京恒远服饰)", "华北总代"},
                                  {"成都", "西南区总代理(成都锦程)", "西南总代"},
                                  {"沈阳", "东北区一级代理(沈阳博裕)", "东北一代"},
                                  {"长沙", "华中区一级代理(长沙正和)", "华中一代"},
                                  {"西安", "西北区二级代理(兰州瑞丰)", "西北二代"},
                                  {"厦门", "闽南二级代理(泉州佳美)", "闽南二代"}};
    n = 0;
    for (const PartnerSeed& p : agents) {
        Client c;
        c.code = code("DL", ++n, 3);
        c.name = p.name;
        c.abbrev = p.abbrev;
        c.kind = ClientKind::Agent;
        c.mathod = "代理";
        c.grad = n <= 2 ? "总代理" : n <= 4 ? "一级代理" : "二级代理";
        c.priceType = n % 2 == 0 ? "按价格" : "按折扣";
        c.discount = n <= 2 ? 0.38 : n <= 4 ? 0.42 : 0.46;
        c.area = areaOf(p.city);
        c.supervisor = "E014";
        c.traffic = n <= 2 ? 1.6 : 1.0;
        addClient(std::move(c));
    }
    const PartnerSeed others[] = {{"上海", "员工内购", "员工内购"},
                                  {"上海", "电商平台代发(待归类)", "电商代发"},
                                  {"上海", "样衣借出登记", "样衣借出"}};
    n = 0;
    for (const PartnerSeed& p : others) {
        Client c;
        c.code = code("QT", ++n, 3);
        c.name = p.name;
        c.abbrev = p.abbrev;
        c.kind = ClientKind::None;  // no kind recorded
        c.grad = "一般客户";
        c.priceType = "按折扣";
        c.discount = n == 1 ? 0.5 : 0.6;
        c.area = 0;
        c.traffic = 0.3;
        c.noBusiness = n == 3;
        addClient(std::move(c));
    }

    // Shop assistants: two to four per shop.
    int assistant = 0;
    for (Client& c : m.clients) {
        if (!c.retail())
            continue;
        const int count = rng.range(2, 4);
        for (int i = 0; i < count; ++i) {
            Employee e;
            e.code = code("Y", ++assistant, 3);
            const bool female = rng.chance(0.8);
            e.name = personName(rng, female);
            e.sex = female ? "女" : "男";
            e.dept = "店铺";
            e.position = i == 0 ? "店长" : "营业员";
            e.client = c.code;
            e.joinDay = std::max(c.openDay - 10, dayNumber(2020, 1, 1)) + int(rng.below(300));
            c.assistants.push_back(e.code);
            m.employees.push_back(std::move(e));
        }
    }
    // Production workers; G099 is a temporary hand who never made it into the
    // employee file, so reports show his output without a name.
    for (int i = 1; i <= 20; ++i) {
        Employee e;
        e.code = code("G", i, 3);
        const bool female = rng.chance(0.7);
        e.name = personName(rng, female);
        e.sex = female ? "女" : "男";
        e.dept = "生产车间";
        e.position = i <= 4 ? "裁剪工" : "车缝工";
        e.joinDay = dayNumber(2015 + int(rng.below(9)), 1 + int(rng.below(12)), 1);
        m.workers.push_back(e.code);
        m.employees.push_back(std::move(e));
    }
    m.workers.push_back("G099");

    const PartnerSeed suppliers[] = {
        {"上海", "莫凡服饰生产车间", "本厂车间"},     {"苏州", "苏州锦华制衣有限公司", "锦华制衣"},
        {"宁波", "宁波申洲针织有限公司", "申洲针织"}, {"广州", "广州新塘牛仔制衣厂", "新塘牛仔"},
        {"杭州", "杭州丝绸服饰有限公司", "杭州丝绸"}, {"武汉", "武汉汉派服饰有限公司", "汉派服饰"},
        {"厦门", "厦门鸿星羽绒制品厂", "鸿星羽绒"},   {"南京", "南京云锦配饰有限公司", "云锦配饰"},
        {"苏州", "苏州精艺绣花厂", "精艺绣花"},       {"广州", "广州彩虹印花厂", "彩虹印花"},
        {"广州", "广州新塘水洗厂", "新塘水洗"},       {"宁波", "宁波巧手压褶加工坊", "巧手压褶"},
        {"苏州", "吴江恒力面料有限公司", "恒力面料"}, {"杭州", "绍兴柯桥纺织品商行", "柯桥纺织"}};
    const char* const supplierTypes[] = {"自产", "成衣", "成衣", "成衣", "成衣", "成衣", "成衣",
                                         "成衣", "加工", "加工", "加工", "加工", "面料", "面料"};
    for (std::size_t i = 0; i < std::size(suppliers); ++i) {
        m.suppliers.push_back({code("S", int(i) + 1, 3), suppliers[i].name, suppliers[i].abbrev,
                               supplierTypes[i], personName(rng, rng.chance(0.4)),
                               areaOf(suppliers[i].city)});
    }

    const char* const houses[][3] = {{"总仓", "成品仓", "上海"},     {"华东分仓", "成品仓", "杭州"},
                                     {"华南分仓", "成品仓", "广州"}, {"电商仓", "成品仓", "上海"},
                                     {"次品仓", "次品仓", "上海"},   {"样品仓", "样品仓", "上海"}};
    for (std::size_t i = 0; i < std::size(houses); ++i)
        m.houses.push_back({code("CK", int(i) + 1, 2), houses[i][0], houses[i][1],
                            personName(rng, rng.chance(0.3)), areaOf(houses[i][2])});
}

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
                g.pattern = kPatterns[rng.below(std::size(kPatterns))];
                g.lining = it.sizeKind == 2                   ? "无里布"
                           : std::string(it.item) == "羽绒服" ? "羽绒内胆"
                           : it.shape == GarmentShape::Dress || std::string(it.sort) == "外套"
                               ? (rng.chance(0.5) ? "涤纶里" : "棉里")
                               : "无里布";
                g.unit = it.sizeKind == 2 && std::string(it.item) == "袜子" ? "双" : "件";
                if (std::string(it.sort) == "裤装")
                    g.unit = "条";
                g.shape = it.shape;
                const std::string sexWord = g.sex == "女" ? "女式" : g.sex == "男" ? "男士" : "";
                g.name = sexWord + g.pattern + g.material + it.item;
                if (rng.chance(0.15))
                    g.name = sexWord + g.pattern + g.material + "拼色印花" + it.item;
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
    bag.pattern = "廓形";
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

}  // namespace

int Master::houseIndex(const std::string& houseCode) const {
    for (std::size_t i = 0; i < houses.size(); ++i)
        if (houses[i].code == houseCode)
            return int(i);
    return 0;
}

Master buildMasterData(Rng& rng) {
    Master m;
    buildPartners(rng, m);
    buildGoods(rng, m);
    return m;
}

void writeMasterData(SqliteDb& db, const Master& m) {
    {
        Insert ins(db, "ba_area", {"fcode", "fname", "fregion"});
        for (const Area& a : m.areas)
            ins.row(a.code, a.name, a.region);
    }
    {
        Insert ins(db, "dt_employee",
                   {"fcode", "fnamech", "fsex", "fdeptname", "fposition", "fclientcode", "fmobile",
                    "fjoindate", "fstopbit"});
        Rng rng(0x5EED);
        for (const Employee& e : m.employees)
            ins.row(e.code, e.name, e.sex, e.dept, e.position, e.client, phone(rng),
                    dateText(e.joinDay), 0);
    }
    {
        Insert ins(
            db, "dt_client",
            {"fcode", "fname", "fabbrev", "fmathod", "fgrad", "fprice_type", "fdiscount",
             "fareacode", "frpdtmancode", "keyman", "ftel", "faddress", "fopendate", "fstopbit"});
        Rng rng(0xC11E);
        for (const Client& c : m.clients) {
            const Area& area = m.areas[std::size_t(c.area)];
            const std::string address =
                area.name + "市" + c.abbrev.substr(0, std::min<std::size_t>(c.abbrev.size(), 12)) +
                std::to_string(rng.range(1, 999)) + "号";
            const int open = c.openDay > 0
                                 ? c.openDay
                                 : dayNumber(2015 + int(rng.below(9)), 1 + int(rng.below(12)), 1);
            ins.row(c.code, c.name, c.abbrev, c.mathod, c.grad, c.priceType, c.discount, area.code,
                    c.supervisor, personName(rng, rng.chance(0.5)), phone(rng), address,
                    dateText(open), c.closeDay < (1 << 30) || c.returnsOnly ? 1 : 0);
        }
    }
    {
        Insert ins(
            db, "dt_supplier",
            {"fcode", "fname", "fabbrev", "ftype", "keyman", "fareacode", "ftel", "faddress"});
        Rng rng(0x5A9);
        for (const Supplier& s : m.suppliers) {
            const Area& area = m.areas[std::size_t(s.area)];
            ins.row(s.code, s.name, s.abbrev, s.type, s.keyman, area.code, phone(rng),
                    area.name + "市工业园区" + std::to_string(rng.range(1, 300)) + "号");
        }
    }
    {
        Insert ins(db, "dt_house",
                   {"fcode", "fname", "ftype", "keyman", "fareacode", "ftel", "faddress"});
        Rng rng(0x40515E);
        for (const House& h : m.houses) {
            const Area& area = m.areas[std::size_t(h.area)];
            ins.row(h.code, h.name, h.type, h.keyman, area.code, phone(rng),
                    area.name + "市物流园" + std::to_string(rng.range(1, 99)) + "号库");
        }
    }
    {
        Insert ins(db, "ba_brand", {"fname", "fenname", "fmemo"});
        for (const BrandSeed& b : kBrands)
            ins.row(b.name, b.english, nullptr);
    }
    {
        Insert ins(db, "ba_color", {"fcode", "colorname_ch", "colorname_en", "frgb"});
        for (const Color& c : m.colors)
            ins.row(c.code, c.name, c.english, int(c.rgb));
    }
    {
        Insert ins(db, "ba_size", {"size_class", "size_name", "displayindex"});
        for (const SizeClass& s : m.sizeClasses)
            for (std::size_t i = 0; i < s.sizes.size(); ++i)
                ins.row(s.name, s.sizes[i], int(i) + 1);
    }
    {
        Insert goods(
            db, "goods",
            {"goodsid", "fgoodsid",   "goodsname", "brand",     "ayear",      "season",
             "sort",    "item",       "sex",       "style",     "masterial",  "lining",
             "patter",  "size_class", "unit",      "unitprice", "fcostprice", "fsuppliercode",
             "strat",   "inputdate",  "fmemo"});
        Insert colors(db, "goodscolor", {"goodsid", "colorid"});
        Insert images(db, "goodsImage", {"fgoodsid", "fimage", "finputdate"});
        for (const Goods& g : m.goods) {
            goods.row(g.id, g.id, g.name, g.brand, g.year, g.season, g.sort, g.item, g.sex, g.style,
                      g.material, g.lining, g.pattern, m.sizeClasses[std::size_t(g.sizeClass)].name,
                      g.unit, g.price, g.cost, m.suppliers[std::size_t(g.supplier)].code,
                      dateText(g.launchDay), dateText(g.inputDay), g.gift ? "随单赠送" : nullptr);
            for (int k = 0; k < g.colorCount; ++k)
                colors.row(
                    g.id,
                    m.colors[std::size_t(m.goodsColors[std::size_t(g.firstColor + k)].color)].code);
            if (g.picture) {
                const Color& main =
                    m.colors[std::size_t(m.goodsColors[std::size_t(g.firstColor)].color)];
                const std::vector<unsigned char> jpeg =
                    makeGoodsPicture(main.rgb, g.shape, int((&g - m.goods.data()) % 4));
                images.row(g.id, Blob{&jpeg}, dateText(g.inputDay + 3));
            }
        }
    }
    {
        // Goods attributes offered in the goods picker and the category boxes.
        struct Field {
            int fid;
            const char* name;
            const char* label;
            int visible;
        };
        const Field fields[] = {{1001, "sort", "类别", 1},   {1002, "brand", "品牌", 1},
                                {1003, "ayear", "年份", 1},  {1004, "season", "季节", 1},
                                {1005, "item", "项目", 1},   {1006, "sex", "性别", 1},
                                {1007, "style", "风格", 1},  {1008, "masterial", "面料", 1},
                                {1009, "patter", "款式", 1}, {1010, "lining", "里料", 0},
                                {1011, "unit", "单位", 0},   {1012, "size_class", "尺码类别", 0}};
        Insert remark(db, "ba_fieldremark",
                      {"fid", "ftablename", "fname", "fFieldremark", "visiblebit"});
        Insert values(db, "ba_fieldvalues", {"ftablename", "ffieldname", "fFieldValues"});
        for (const Field& f : fields) {
            remark.row(f.fid, "goods", f.name, f.label, f.visible);
            std::vector<std::string> seen;
            for (const Goods& g : m.goods) {
                const std::string name = f.name;
                const std::string value = name == "sort"        ? g.sort
                                          : name == "brand"     ? g.brand
                                          : name == "ayear"     ? g.year
                                          : name == "season"    ? g.season
                                          : name == "item"      ? g.item
                                          : name == "sex"       ? g.sex
                                          : name == "style"     ? g.style
                                          : name == "masterial" ? g.material
                                          : name == "patter"    ? g.pattern
                                          : name == "lining"    ? g.lining
                                          : name == "unit"
                                              ? g.unit
                                              : m.sizeClasses[std::size_t(g.sizeClass)].name;
                if (std::find(seen.begin(), seen.end(), value) == seen.end())
                    seen.push_back(value);
            }
            std::sort(seen.begin(), seen.end());
            for (const std::string& v : seen)
                values.row("goods", f.name, v);
        }
        // One attribute of another table, which the goods picker must not offer.
        remark.row(2001, "dt_client", "fmathod", "客户性质", 1);
        values.row("dt_client", "fmathod", "加盟");
    }
    {
        Insert ins(db, "ba_pricerange", {"fcode", "fname", "fminprice", "fmaxprice"});
        const struct {
            const char* name;
            double low, high;
        } bands[] = {{"100元以下", 0, 100},   {"100-199元", 100, 200}, {"200-299元", 200, 300},
                     {"300-499元", 300, 500}, {"500-799元", 500, 800}, {"800-1499元", 800, 1500}};
        int n = 0;
        for (const auto& b : bands)
            ins.row(code("P", ++n, 2), b.name, b.low, b.high);
    }
    {
        Insert ins(db, "ba_chargeitem", {"fcode", "fname"});
        int n = 0;
        for (const std::string& item : m.chargeItems)
            ins.row(code("F", ++n, 2), item);
    }
    {
        Insert ins(db, "gm_procedure", {"fcode", "fname", "fprice"});
        for (std::size_t i = 0; i < m.procedureCodes.size(); ++i)
            ins.row(m.procedureCodes[i], m.procedureNames[i], m.procedurePrices[i]);
    }
}

}  // namespace morvane::demo
