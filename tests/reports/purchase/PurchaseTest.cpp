// The sale-versus-purchase window: its statement in every filter state against golden/ and
// the corpus, its design dump, its figures against hand-written SQL (every goods item listed;
// a client narrows only the shipments, a warehouse everything), and its table as text, as a
// workbook and as printed pages.

#include <QDir>
#include <QFile>
#include <QAction>
#include <QTemporaryDir>

#include <cmath>
#include <map>

#include "platform/db/RemoteUdpDataSet.h"
#include "platform/workbook/XlsReader.h"
#include "reports/purchase/TableReportLink.h"
#include "reports/purchase/unt_SaLp_SalePurchase.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/SpineFixture.h"
#include "tests/support/WindowDump.h"

namespace morvane::test {
namespace {

const QString kClients = QStringLiteral("'ZY002','JM002','PF003'");
const QString kGoods = QStringLiteral("'YL251006','MF251008','MF252008','MF254005','YL253002'");
const QString kHouses = QStringLiteral("'CK01','CK03'");

class Purchase : public ReportTest {
  protected:
    // goods -> received, sold, amount, stock, from plain SQL with the branch conditions given.
    std::map<QString, std::vector<double>> Expected(const QString& saleWhere,
                                                    const QString& houseWhere);
};

TEST_F(Purchase, StatementsMatchTheGoldenTextsAndTheCorpus) {
    const auto statement = [&](const QString& clients, const QString& goods, const QString& houses) {
        auto* w = Open<Tfrm_SaLp_SalePurchase>();
        w->sel_client = clients;
        w->sel_goods = goods;
        w->sel_house = houses;
        return StatementOf(w);
    };
    const QString dir = QStringLiteral(MORVANE_PURCHASE_GOLDEN_DIR);
    QStringList problems;
    problems << CheckGolden(dir, "frm_SaLp_SalePurchase.defaults.sql", statement("", "", ""))
             << CheckGolden(dir, "frm_SaLp_SalePurchase.clients.sql", statement(kClients, "", ""))
             << CheckGolden(dir, "frm_SaLp_SalePurchase.houses.sql", statement("", "", kHouses))
             << CheckGolden(dir, "frm_SaLp_SalePurchase.goods.sql", statement("", kGoods, ""));
    SignIn(QStringLiteral("002"));
    problems << CheckGolden(dir, "frm_SaLp_SalePurchase.user002.sql", statement("", "", ""));

    const QDir corpus(QStringLiteral(MORVANE_CORPUS_DIR));
    pub_brandall = true;
    EXPECT_EQ(statement("", "", ""), ReadText(corpus.filePath("frm_SaLp_SalePurchase.plain.sql")));
    pub_brandall = false;
    pub_brandcodes = QStringLiteral("'莫凡','雅岚'");
    EXPECT_EQ(statement(kClients, kGoods, kHouses),
              ReadText(corpus.filePath("frm_SaLp_SalePurchase.filtered.sql")));
    problems.removeAll(QString());
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(Purchase, OpensAsDesigned) {
    auto* w = Open<Tfrm_SaLp_SalePurchase>();
    EXPECT_EQ(CheckGolden(MORVANE_PURCHASE_GOLDEN_DIR, "frm_SaLp_SalePurchase.dump.txt",
                          DumpWindow(w)),
              "");
}

std::map<QString, std::vector<double>> Purchase::Expected(const QString& saleWhere,
                                                          const QString& houseWhere) {
    const QString sql =
        "select g.goodsid,ifnull(c.q,0),ifnull(b.q,0),ifnull(b.s,0),ifnull(d.q,0) from goods g "
        "left join (select a.fgoodsid f,sum(a.qty) q,sum(a.qty*ifnull(a.fbalancprice,0)) s from "
        "d_saledetail a join d_sale h on a.fbillid=h.fbillid where h.fposted=1" + saleWhere +
        " group by 1) b on b.f=g.goodsid left join (select a.fgoodsid f,sum(a.qty) q from "
        "d_recevingdetail a join d_receving h on a.fbillid=h.fbillid where h.fposted=1" +
        houseWhere +
        " group by 1) c on c.f=g.goodsid left join (select fgoodsid f,sum(qty) q from stock h "
        "where 1=1" + houseWhere + " group by 1) d on d.f=g.goodsid";
    std::map<QString, std::vector<double>> out;
    for (const QStringList& r : SqliteRows(sql))
        out[r[0]] = {r[1].toDouble(), r[2].toDouble(), std::round(r[3].toDouble() * 100) / 100,
                     r[4].toDouble()};
    return out;
}

TEST_F(Purchase, FiguresMatchPlainQueriesPerFilter) {
    const QString client = SqliteRows("select fclientcode from d_sale where fposted=1 group by 1 "
                                      "order by count(*) desc limit 1")[0][0];
    const QString house = SqliteRows("select fhousecode from stock group by 1 order by count(*) "
                                     "desc limit 1")[0][0];
    const struct {
        QString client, house, saleWhere, houseWhere;
    } cases[] = {
        {"", "", "", ""},
        // Only the shipments narrow to the client.
        {client, "", " and h.fclientcode='" + client + "'", ""},
        {"", house, " and h.fhousecode='" + house + "'", " and h.fhousecode='" + house + "'"},
    };
    const int goodsCount = SqliteRows("select count(*) from goods")[0][0].toInt();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.client.toStdString() + "/" + c.house.toStdString());
        auto* w = Open<Tfrm_SaLp_SalePurchase>();
        w->sel_client = c.client.isEmpty() ? QString() : "'" + c.client + "'";
        w->sel_house = c.house.isEmpty() ? QString() : "'" + c.house + "'";
        Run(w);
        std::map<QString, std::vector<double>> got;
        for (const QStringList& r : ReportRows(
                 w, {"goodsid", "recevingqty", "saleqty", "salesumto", "stockqty"}))
            got[r[0]] = {r[1].toDouble(), r[2].toDouble(), std::round(r[3].toDouble() * 100) / 100,
                         r[4].toDouble()};
        EXPECT_EQ(int(got.size()), goodsCount);
        const auto expected = Expected(c.saleWhere, c.houseWhere);
        EXPECT_EQ(got, expected);
        // Goods without any movement are there with zeros.
        EXPECT_TRUE(std::any_of(got.begin(), got.end(), [](const auto& kv) {
            return kv.second == std::vector<double>{0, 0, 0, 0};
        }));
    }
}

// A goods item received 4 times and shipped 5 times shows 125%; one never received shows no
// ratio, date or day count. The table reads the same as text, as a workbook and on paper.
TEST_F(Purchase, TheTableAsShownAsTextWorkbookAndPages) {
    StartSession(QStringLiteral("001"), DemoCopy());
    ExecOnFile(host->DbFile(),
               "insert into goods(goodsid,fgoodsid,goodsname,brand,unitprice) values"
               "('ZZ125','ZZ125','比率样品','莫凡',99),('ZZ000','ZZ000','未到样品','莫凡',10);"
               "insert into d_receving(fbillid,fsuppliercode,fhousecode,fbilldate,fposted) values"
               "('RZ125','S01','CK01','2025-02-03',1);"
               "insert into d_recevingdetail(fbillid,fgoodsid,qty) values('RZ125','ZZ125',4);"
               "insert into d_sale(fbillid,fclientcode,fhousecode,fbilldate,fposted) values"
               "('SZ125','ZY002','CK01','2025-03-01',1);"
               "insert into d_saledetail(fbillid,fgoodsid,qty,fbalancprice) values"
               "('SZ125','ZZ125',5,20),('SZ125','ZZ000',2,5)");
    EXPECT_EQ(Tfrm_SaLp_SalePurchase::RatioText("0.5000"), "50%");
    auto* w = Open<Tfrm_SaLp_SalePurchase>();
    w->sel_goods = "'ZZ125','ZZ000'";
    Run(w);
    const int days = QDate(2025, 2, 3).daysTo(QDate::currentDate());
    EXPECT_EQ(w->ResultText().toStdString(),
              QString("货号\t货品名称\t吊牌价\t最早到货日期\t销售天数\t生产数\t销售数\t销售金额\t库存数\t产/销比\n"
                      "ZZ000\t未到样品\t10\t\t\t0\t2\t10\t0\t\n"
                      "ZZ125\t比率样品\t99\t2025-02-03\t%1\t4\t5\t100\t0\t125%\n"
                      "合计\t\t\t\t\t4\t7\t110\t\t\n")
                  .arg(days)
                  .toStdString());

    // Every goods item: the workbook holds the lines of the text, numbers as numbers.
    w->sel_goods.clear();
    Run(w);
    const QStringList lines = w->ResultText().split('\n', Qt::SkipEmptyParts);
    QTemporaryDir out;
    const QString xls = out.filePath("table.xls");
    host->runner.QueueSaveName(xls);
    w->ac_Excel->trigger();
    ASSERT_TRUE(host->runner.launched.contains(xls)) << Errors().toStdString();
    const workbook::Workbook book = workbook::readXls(xls);
    const workbook::Sheet& sheet = book.sheet(0);
    ASSERT_EQ(sheet.rowCount(), lines.size());
    int numbers = 0;
    for (int r = 0; r < lines.size(); ++r) {
        const QStringList cells = lines[r].split('\t');
        for (int c = 0; c < cells.size(); ++c) {
            const workbook::Cell* cell = sheet.cell(r, c);
            QString text;
            if (cell && cell->kind == workbook::Cell::Kind::Number) {
                text = QString::number(cell->number, 'g', 15);
                ++numbers;
            } else if (cell) {
                text = sheet.textAt(r, c);
            }
            ASSERT_EQ(text.toStdString(), cells[c].toStdString()) << r << "," << c;
        }
    }
    EXPECT_GT(numbers, lines.size() * 4);

    const QString pdf = out.filePath("table.pdf");
    host->runner.QueuePreviewPdf(pdf);
    w->ac_print->trigger();
    ASSERT_FALSE(host->runner.previews.empty());
    EXPECT_GT(host->runner.previews.back().pageCount, lines.size() / 60);
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(w->Cxgrid_pringLink2->Component(), nullptr);
}

}  // namespace
}  // namespace morvane::test
