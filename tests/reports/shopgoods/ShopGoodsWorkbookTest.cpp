// The finished workbook of frm_ShopGoodsTotal on the demo data, cell by cell, against the
// documents and stock summed by hand-written SQL, with shares and ratios recomputed here.

#include <QCheckBox>
#include <map>
#include <set>

#include "platform/ui/SpreadSheetBook.h"
#include "platform/workbook/Sheet.h"
#include "reports/shopgoods/unt_ShopGoodsTotal.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

using morvane::shopgoods::kMeasures;
using morvane::shopgoods::kTypes;

constexpr int kSizes = 10;

// The share a of b as the sheet writes it: four decimals of the ratio, halves to even, as a
// percentage without trailing zeros. Integer arithmetic, independent of the window's code.
QString Percent(long long a, long long b) {
    if ((a < 0) != (b < 0))
        return "-" + Percent(a < 0 ? -a : a, b < 0 ? -b : b);
    if (a < 0)
        return Percent(-a, -b);
    long long n = a * 10000, q = n / b, r = n % b;
    if (2 * r > b || (2 * r == b && q % 2 != 0))
        ++q;
    QString text = QString::number(q / 100);
    if (q % 100 != 0) {
        text += "." + QString::number(q % 100).rightJustified(2, '0');
        if (text.endsWith('0'))
            text.chop(1);
    }
    return text + "%";
}

QString Shown(long long v) {
    return v == 0 ? QString() : QString::number(v);
}

// qty then s1..s10.
using Figures = std::array<long long, kSizes + 1>;

class ShopGoodsWorkbook : public ReportTest {
  protected:
    Tfrm_ShopGoodsTotal* RunShops(const QString& shops, bool category = false) {
        auto* w = Open<Tfrm_ShopGoodsTotal>();
        w->sel_client = shops;
        w->oderdate_check->setChecked(false);
        w->cxCheckBox1->setChecked(category);
        Run(w);
        return w;
    }

    // shop code|type|goods|colour name -> figures, summed by hand.
    std::map<QString, Figures> Truth(const QString& shops) {
        QString sizes, sums;
        for (int i = 1; i <= kSizes; ++i) {
            sizes += QString(",a.s%1").arg(i);
            sums += QString(",sum(coalesce(x.s%1,0))").arg(i);
        }
        auto part = [&](const char* type, const char* detail, const char* head) {
            return QString(
                       "select '%1' t,b.fclientcode shop,a.fgoodsid g,a.fcolorid c,a.qty%2 "
                       "from %3 a join %4 b on b.fbillid=a.fbillid")
                .arg(type, sizes, detail, head);
        };
        const QString sql = "select x.t,x.shop,x.g,k.colorname_ch,sum(coalesce(x.qty,0))" + sums +
                            " from (" + part("1进", "d_s_recevingdetail", "d_s_receving") +
                            " union all " + part("1进", "d_s_folddetail", "d_s_fold") +
                            " union all " + part("2销", "d_s_saledetail", "d_s_sale") +
                            " union all " + part("3退", "d_s_pureturndetail", "d_s_pureturn") +
                            " union all " + part("3退", "d_s_transferdetail", "d_s_transfer") +
                            " union all select '4存',a.fclientcode,a.fgoodsid,a.fcolorid,a.qty" +
                            sizes +
                            " from s_stock a) x join ba_color k on k.fcode=x.c where x.shop in(" +
                            shops + ") group by 1,2,3,4";
        std::map<QString, Figures> out;
        for (const QStringList& r : SqliteRows(sql)) {
            Figures f{};
            for (int i = 0; i <= kSizes; ++i)
                f[size_t(i)] = r[4 + i].toLongLong();
            out[r[1] + "|" + r[0] + "|" + r[2] + "|" + r[3]] = f;
        }
        return out;
    }
};

TEST_F(ShopGoodsWorkbook, EveryCellOfThreeShopsMatchesTheDocumentsAndStock) {
    const QString shops = "'ZY002','ZY008','JM002'";
    Tfrm_ShopGoodsTotal* w = RunShops(shops);
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    const morvane::shopgoods::TShopGoodsLayout& l = w->Layout();
    auto text = [view](int r, int c) { return view->CellText(r, c); };
    const int h = 4, bw = kSizes + 4, gw = 4 * bw;
    ASSERT_EQ(l.headerColumns, h);
    ASSERT_EQ(l.sizeCount, kSizes);
    ASSERT_EQ(l.shopCount, 3);
    ASSERT_EQ(l.firstTotalsColumn, h + 3 * gw);
    const int c0 = l.firstTotalsColumn;
    const morvane::workbook::Sheet& sheet = view->ActiveSheet();

    // Header rows 1 to 3.
    std::map<QString, QString> codeOf;
    for (const QStringList& r :
         Rows("select fabbrev,fcode from dt_client where fcode in(" + shops + ")"))
        codeOf[r[0]] = r[1];
    QStringList shopCodes;
    for (int s = 0; s < 3; ++s) {
        const QString name = text(0, h + s * gw);
        ASSERT_TRUE(codeOf.count(name)) << name.toStdString();
        shopCodes << codeOf[name];
    }
    EXPECT_EQ(QSet<QString>(shopCodes.begin(), shopCodes.end()).size(), 3);
    EXPECT_EQ(text(0, c0), "总进销存");
    auto merged = [&sheet](int row, int first, int last) {
        const morvane::workbook::CellRange* m = sheet.mergeAt(row, first);
        return m && *m == morvane::workbook::CellRange{row, first, row, last};
    };
    EXPECT_TRUE(merged(0, c0, c0 + gw - 1));
    const QStringList sizeNames = {"XS", "S", "M", "L", "XL", "XXL", "XXXL", "4XL", "5XL", "6XL"};
    for (int g = 0; g <= 3; ++g)
        for (int t = 0; t < 4; ++t) {
            const int first = h + g * gw + t * bw;
            EXPECT_EQ(text(1, first), kTypes[t]) << first;
            EXPECT_TRUE(merged(1, first, first + bw - 1)) << first;
            for (int k = 0; k < bw; ++k)
                EXPECT_EQ(text(2, first + k), k < kSizes ? sizeNames[k] : kMeasures[k - kSizes]);
        }
    EXPECT_EQ(QStringList({text(2, 0), text(2, 1), text(2, 2), text(2, 3)}).join('|'),
              "货号|颜色|上柜日期|到货天数");

    // Data rows: figures per shop and type, totals over the shops, shares and ratios.
    const std::map<QString, Figures> truth = Truth(shops);
    const int last = sheet.rowCount() - 1;
    ASSERT_EQ(text(last, 0), "合计");
    std::map<QString, Figures> grand;  // shop|type over all rows
    for (const auto& [key, f] : truth) {
        const QStringList k = key.split('|');
        Figures& g = grand[k[0] + "|" + k[1]];
        for (size_t i = 0; i < f.size(); ++i)
            g[i] += f[i];
    }
    std::set<QString> seen;
    int checkedCells = 0, leadingZeros = 0;
    for (int r = 3; r <= last; ++r) {
        QString goods = text(r, 0);
        if (goods.endsWith("小计"))
            continue;
        if (goods.isEmpty()) {
            const morvane::workbook::CellRange* m = sheet.mergeAt(r, 0);
            ASSERT_NE(m, nullptr) << "row " << r + 1;
            goods = text(m->firstRow, 0);
        }
        const bool total = r == last;
        if (!total) {
            EXPECT_TRUE(seen.insert(goods + "|" + text(r, 1)).second) << goods.toStdString();
            const morvane::workbook::Cell* cell = sheet.cell(r, 0);
            if (goods.startsWith('0') && cell && cell->kind == morvane::workbook::Cell::Kind::Text)
                ++leadingZeros;
        }
        auto figures = [&](const QString& shop, int t) -> Figures {
            const QString key = shop + "|" + kTypes[t];
            if (total)
                return grand.count(key) ? grand.at(key) : Figures{};
            auto it = truth.find(key + "|" + goods + "|" + text(r, 1));
            return it == truth.end() ? Figures{} : it->second;
        };
        for (int t = 0; t < 4; ++t) {
            Figures all{};
            for (int s = 0; s < 3; ++s) {
                const Figures f = figures(shopCodes[s], t);
                for (size_t i = 0; i < f.size(); ++i)
                    all[i] += f[i];
            }
            const Figures allGrand = [&] {
                Figures g{};
                for (int s = 0; s < 3; ++s) {
                    auto it = grand.find(shopCodes[s] + "|" + kTypes[t]);
                    if (it != grand.end())
                        for (size_t i = 0; i < g.size(); ++i)
                            g[i] += it->second[i];
                }
                return g;
            }();
            for (int g = 0; g <= 3; ++g) {
                const bool totals = g == 3;
                const Figures f = totals ? all : figures(shopCodes[g], t);
                const long long blockGrand =
                    totals ? allGrand[0]
                           : (grand.count(shopCodes[g] + "|" + kTypes[t])
                                  ? grand.at(shopCodes[g] + "|" + kTypes[t])[0]
                                  : 0);
                const int first = h + g * gw + t * bw;
                const std::string where =
                    "row " + std::to_string(r + 1) + " column " + std::to_string(first + 1);
                for (int k = 0; k < kSizes; ++k)
                    EXPECT_EQ(text(r, first + k), Shown(f[size_t(k + 1)]))
                        << where << " size " << k;
                EXPECT_EQ(text(r, first + kSizes), Shown(f[0])) << where << " 合计";
                EXPECT_EQ(text(r, first + kSizes + 1),
                          f[0] != 0 && blockGrand != 0 ? Percent(f[0], blockGrand) : QString())
                    << where << " 占比";
                EXPECT_EQ(text(r, first + kSizes + 2), "") << where << " 动销率";
                const QString ratio =
                    !totals && f[0] != 0 && all[0] != 0 ? Percent(f[0], all[0]) : QString();
                EXPECT_EQ(text(r, first + kSizes + 3), ratio) << where << " 比例";
                checkedCells += bw;
            }
        }
    }
    for (const auto& [key, f] : truth) {
        const QStringList k = key.split('|');
        EXPECT_TRUE(seen.count(k[2] + "|" + k[3])) << "missing row " << key.toStdString();
    }
    EXPECT_GT(checkedCells, 10000);
    EXPECT_GT(leadingZeros, 0);  // goods numbers such as 08243001 keep their zero
}

TEST_F(ShopGoodsWorkbook, OneShopRepeatsItsFiguresAndEveryRatioIsWhole) {
    Tfrm_ShopGoodsTotal* w = RunShops("'ZY001'");
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    const morvane::shopgoods::TShopGoodsLayout& l = w->Layout();
    ASSERT_EQ(l.shopCount, 1);
    const int gw = l.groupWidth(), bw = l.blockWidth();
    int ratios = 0;
    for (int r = 3; r < view->ActiveSheet().rowCount(); ++r)
        for (int k = 0; k < gw - 1; ++k) {
            const QString shop = view->CellText(r, l.headerColumns + k);
            const QString totals = view->CellText(r, l.firstTotalsColumn + k);
            if (k % bw == bw - 1) {  // 比例
                const QString sum = view->CellText(r, l.headerColumns + k - 3);
                EXPECT_EQ(shop, sum.isEmpty() ? "" : "100%") << r << " " << k;
                EXPECT_EQ(totals, "");
                ratios += !sum.isEmpty();
            } else {
                EXPECT_EQ(totals, shop) << r << " " << k;
            }
        }
    EXPECT_GT(ratios, 0);
}

TEST_F(ShopGoodsWorkbook, CategoryModeHasOneHeaderColumnAndTheSameArithmetic) {
    const QString shops = "'ZY002','JM002'";
    Tfrm_ShopGoodsTotal* w = RunShops(shops, true);
    TcxSpreadSheetBook* view = w->Total_cxSpreadSheetBook;
    const morvane::shopgoods::TShopGoodsLayout& l = w->Layout();
    ASSERT_EQ(l.headerColumns, 1);
    EXPECT_EQ(view->CellText(2, 0), "类别");
    const int bw = l.blockWidth(), gw = l.groupWidth();
    // Sales quantity per category and shop, by hand.
    std::map<QString, long long> sales;
    for (const QStringList& r :
         SqliteRows("select b.fclientcode,g.sort,sum(a.qty) from d_s_saledetail a join d_s_sale b "
                    "on b.fbillid=a.fbillid join goods g on g.goodsid=a.fgoodsid where "
                    "b.fclientcode in(" +
                    shops + ") group by 1,2"))
        sales[r[0] + "|" + r[1]] = r[2].toLongLong();
    std::map<QString, QString> codeOf;
    for (const QStringList& r :
         Rows("select fabbrev,fcode from dt_client where fcode in(" + shops + ")"))
        codeOf[r[0]] = r[1];
    const int last = view->ActiveSheet().rowCount() - 1;
    int rows = 0;
    for (int r = 3; r < last; ++r, ++rows) {
        const QString sort = view->CellText(r, 0);
        long long all = 0;
        for (int s = 0; s < 2; ++s)
            all += sales[codeOf[view->CellText(0, 1 + s * gw)] + "|" + sort];
        for (int s = 0; s < 2; ++s) {
            const long long mine = sales[codeOf[view->CellText(0, 1 + s * gw)] + "|" + sort];
            const int first = 1 + s * gw + bw;  // the "2销" block
            EXPECT_EQ(view->CellText(r, first + l.sizeCount), Shown(mine)) << sort.toStdString();
            EXPECT_EQ(view->CellText(r, first + l.sizeCount + 3),
                      mine != 0 && all != 0 ? Percent(mine, all) : QString());
        }
        EXPECT_EQ(view->CellText(r, l.firstTotalsColumn + bw + l.sizeCount), Shown(all));
    }
    EXPECT_GT(rows, 2);
}

}  // namespace
}  // namespace morvane::test
