#include <algorithm>
#include <cstdio>
#include <string>

#include "demo/Calendar.h"
#include "demo/MasterSeeds.h"

namespace morvane::demo::detail {

std::string code(const char* prefix, int number, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*d", prefix, width, number);
    return buffer;
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

namespace {

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

}  // namespace

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

}  // namespace morvane::demo::detail
