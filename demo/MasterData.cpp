#include <algorithm>
#include <cstdio>
#include <string>

#include "demo/Calendar.h"
#include "demo/GoodsPicture.h"
#include "demo/MasterSeeds.h"
#include "demo/Model.h"
#include "demo/SqliteDb.h"

namespace morvane::demo {

using detail::BrandSeed;
using detail::code;
using detail::kBrands;
using detail::personName;
using detail::phone;

Master buildMasterData(Rng& rng) {
    Master m;
    detail::buildPartners(rng, m);
    detail::buildGoods(rng, m);
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
