// A pivot report window end to end through the test plug-in on the demo database: pickers, get
// data against a query of the test's own, a header dragged with the mouse, F7, the close; then
// the same report through "morvane run --library".

#include <gtest/gtest.h>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "hostkit/HostSession.h"
#include "hostkit/MenuTable.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "hostkit/WindowDriver.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxDBImage.h"
#include "tests/support/SpineFixture.h"

using namespace morvane::host;

namespace {

const QString kWindow = QStringLiteral("frm_OLAPSaleYear");
const QString kCaption = QStringLiteral("测试批发销售");
const QString kUser = QStringLiteral("001");
const QString kFrom = QStringLiteral("2026-03-01");
const QString kTo = QStringLiteral("2026-04-30");

using Rows = std::vector<QStringList>;

// Rows of a statement run beside the plug-in, on a connection of the test's own.
Rows Query(const QString& db, const QString& sql) {
    TRemoteUdpConnection connection;
    connection.OpenSqlite(db);
    TRemoteUdpDataSet data;
    data.setSetupUdpParent(&connection);
    data.SetSQL(sql);
    data.Open();
    Rows rows;
    for (data.First(); !data.Eof(); data.Next()) {
        QStringList row;
        for (int i = 0; i < data.FieldCount(); ++i)
            row << data.Fields(i)->AsString();
        rows.push_back(row);
    }
    return rows;
}

QString Quoted(const QStringList& codes) {
    QStringList q;
    for (const QString& c : codes)
        q << "'" + c + "'";
    return q.join(',');
}

// Quantity and amount of one pivot cell; an empty text is a cell without rows or a blanked 0.
struct Measures {
    long long qty = 0;
    double amount = 0;
    void operator+=(const Measures& m) {
        qty += m.qty;
        amount += m.amount;
    }
};

Measures Parse(const QString& qty, const QString& amount) {
    return {qty.isEmpty() ? 0 : qty.toLongLong(), amount.isEmpty() ? 0 : amount.toDouble()};
}

void ExpectSame(const Measures& shown, const Measures& wanted, const std::string& where) {
    EXPECT_EQ(shown.qty, wanted.qty) << where;
    EXPECT_NEAR(shown.amount, wanted.amount, 1e-6 * std::max(1.0, std::fabs(wanted.amount)))
        << where;
}

// The sale lines of the picks in the date range per client short name, goods and colour name.
using Key = std::tuple<QString, QString, QString>;
std::map<Key, Measures> ExpectedLines(const QString& db, const QStringList& clients,
                                      const QStringList& goods) {
    const Rows rows =
        Query(db,
              "select (select c.fabbrev from dt_client c where c.fcode=s.fclientcode),"
              " d.fgoodsid,"
              " coalesce((select k.colorname_ch from ba_color k where k.fcode=d.fcolorid),"
              " d.fcolorid), d.qty, d.qty*d.fbalancprice"
              " from d_sale s, d_saledetail d"
              " where d.fbillid=s.fbillid and s.fbilldate between '" +
                  kFrom + "' and '" + kTo + "' and s.fclientcode in(" + Quoted(clients) +
                  ") and d.fgoodsid in(" + Quoted(goods) + ")");
    std::map<Key, Measures> out;
    for (const QStringList& r : rows)
        out[{r[0], r[1], r[2]}] += Measures{r[3].toLongLong(), r[4].toDouble()};
    return out;
}

// Header lines up to the one starting with `captions`, then the body.
struct PivotText {
    std::vector<QStringList> header;
    std::vector<QStringList> body;
};

PivotText Split(const QString& tsv, const QString& captions) {
    PivotText p;
    bool inBody = false;
    for (const QString& line : tsv.split('\n')) {
        const QStringList cells = line.split('\t');
        (inBody ? p.body : p.header).push_back(cells);
        if (!inBody && cells.value(0) == captions)
            inBody = true;
    }
    return p;
}

// The client / goods by colour pivot: every cell, every client subtotal and the grand total.
void CheckClientGoodsPivot(const QString& tsv, const std::map<Key, Measures>& lines) {
    const PivotText p = Split(tsv, QStringLiteral("客户"));
    ASSERT_EQ(p.header.size(), 2u) << tsv.toStdString();
    const QStringList& colours = p.header[0];
    const int n = int(colours.size());
    ASSERT_GE(n, 6);
    ASSERT_EQ(colours[n - 2], QStringLiteral("合计"));
    EXPECT_EQ(p.header[1].mid(0, 4), (QStringList{QStringLiteral("客户"), QStringLiteral("货号"),
                                                  QStringLiteral("数量"), QStringLiteral("金额")}));

    std::map<Key, Measures> perColour;
    std::map<std::pair<QString, QString>, Measures> perGoods;
    std::map<QString, Measures> perClient;
    Measures grand;
    QSet<QString> wantedColours, shownColours;
    for (const auto& [key, m] : lines) {
        perColour[key] = m;
        perGoods[{std::get<0>(key), std::get<1>(key)}] += m;
        perClient[std::get<0>(key)] += m;
        grand += m;
        wantedColours << std::get<2>(key);
    }
    // Each colour over its two data columns, once.
    for (int c = 2; c < n - 2; c += 2)
        shownColours << colours[c];
    EXPECT_EQ(shownColours, wantedColours);
    EXPECT_EQ(int(shownColours.size()), (n - 4) / 2);

    QString client;
    std::size_t goodsRows = 0;
    bool sawGrandTotal = false;
    for (const QStringList& row : p.body) {
        ASSERT_EQ(row.size(), n) << row.join('|').toStdString();
        const Measures total = Parse(row[n - 2], row[n - 1]);
        if (row[0] == QStringLiteral("合计")) {
            ExpectSame(total, grand, "grand total");
            sawGrandTotal = true;
            continue;
        }
        if (row[0].endsWith(QStringLiteral(" 小计"))) {
            const QString of = row[0].chopped(3);
            ASSERT_TRUE(perClient.count(of)) << of.toStdString();
            ExpectSame(total, perClient[of], "subtotal of " + of.toStdString());
            continue;
        }
        if (!row[0].isEmpty())
            client = row[0];
        const QString goods = row[1];
        const std::string where = (client + "/" + goods).toStdString();
        ASSERT_TRUE(perGoods.count({client, goods})) << where;
        ExpectSame(total, perGoods[{client, goods}], where);
        for (int c = 2; c < n - 2; c += 2) {
            const auto it = perColour.find({client, goods, colours[c]});
            ExpectSame(Parse(row[c], row[c + 1]), it == perColour.end() ? Measures{} : it->second,
                       where + "/" + colours[c].toStdString());
        }
        ++goodsRows;
    }
    EXPECT_EQ(goodsRows, perGoods.size());
    EXPECT_TRUE(sawGrandTotal);
}

class EndToEnd : public ::testing::Test {
  protected:
    // The three clients with the most bills in the range; the four goods with a picture they
    // bought most often.
    static void SetUpTestSuite() {
        db_ = new QString(morvane::test::DemoDb());
        clients_ = new QStringList(FirstColumn(
            Query(*db_, "select top 3 fclientcode from d_sale where fbilldate between '" + kFrom +
                            "' and '" + kTo +
                            "' group by fclientcode order by count(*) desc, fclientcode")));
        goods_ = new QStringList(FirstColumn(
            Query(*db_,
                  "select top 4 d.fgoodsid from d_saledetail d, d_sale s"
                  " where s.fbillid=d.fbillid and s.fbilldate between '" +
                      kFrom + "' and '" + kTo + "' and s.fclientcode in(" + Quoted(*clients_) +
                      ") and d.fgoodsid in(select fgoodsid from goodsImage)"
                      " group by d.fgoodsid order by count(*) desc, d.fgoodsid")));
    }
    static void TearDownTestSuite() {
        delete db_;
        delete clients_;
        delete goods_;
    }
    static QStringList FirstColumn(const Rows& rows) {
        QStringList out;
        for (const QStringList& r : rows)
            out << r[0];
        return out;
    }

    static inline QString* db_ = nullptr;
    static inline QStringList* clients_ = nullptr;
    static inline QStringList* goods_ = nullptr;
};

// A method of the window reached by name: its class lives in the plug-in.
template <class T>
T Invoke(QObject* target, const char* method, QGenericArgument a0 = QGenericArgument(),
         QGenericArgument a1 = QGenericArgument()) {
    T value{};
    EXPECT_TRUE(QMetaObject::invokeMethod(
        target, method, Qt::DirectConnection,
        QReturnArgument<T>(QMetaType::fromType<T>().name(), value), a0, a1))
        << method;
    return value;
}

QImage GoodsPicture(const QString& db, const QString& goods) {
    TRemoteUdpConnection connection;
    connection.OpenSqlite(db);
    TRemoteUdpDataSet data;
    data.setSetupUdpParent(&connection);
    data.SetSQL("select fimage from goodsImage where fgoodsid='" + goods + "'");
    data.Open();
    return QImage::fromData(data.Fields(0)->Value().toByteArray());
}

// The morvane program's output; the plug-in can only come from --library.
QString Tool(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MORVANE_PLUGIN", "/nonexistent/libmorvane.so");
    p.setProcessEnvironment(env);
    p.start(MORVANE_TOOL, args);
    EXPECT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString ButtonEditText(QWidget* window, const char* name) {
    auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name));
    return edit ? edit->text() : QStringLiteral("<no edit>");
}

}  // namespace

TEST_F(EndToEnd, PivotReportInTheHostFromPickersToClose) {
    ASSERT_EQ(clients_->size(), 3);
    ASSERT_EQ(goods_->size(), 4);
    const std::map<Key, Measures> lines = ExpectedLines(*db_, *clients_, *goods_);
    ASSERT_FALSE(lines.empty());

    ScriptedRunner runner;
    RecordedErrors errors;
    HostSession session(runner, errors, MORVANE_TESTPLUGIN);
    session.Connect({*db_, {}});
    HostMainForm& main = session.MainForm();
    main.resize(1280, 900);
    main.show();
    QApplication::setActiveWindow(&main);

    const MenuEntry* entry = MenuTable::Load().Find(kWindow);
    ASSERT_NE(entry, nullptr);
    QPointer<QWidget> window = session.OpenWindow(kWindow, kUser, entry->listName);
    ASSERT_FALSE(window.isNull());
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(window->windowTitle(), kCaption);
    EXPECT_EQ(main.OpenWindowList().Items(), QStringList{kCaption});
    EXPECT_TRUE(window->isVisible());
    for (const char* edit : {"edit_client", "edit_goods", "edit_supplier", "edit_house"}) {
        auto* w = window->findChild<QWidget*>(QString::fromLatin1(edit));
        ASSERT_NE(w, nullptr) << edit;
        EXPECT_TRUE(w->isVisible()) << edit;
        EXPECT_EQ(ButtonEditText(window, edit), QStringLiteral("全部")) << edit;
    }

    // A first client pick with nothing ticked, then the real picks.
    WindowDriver driver(window, runner);
    driver.Pick("edit_client", {});
    EXPECT_EQ(ButtonEditText(window, "edit_client"), QStringLiteral("全部条件"));
    driver.Pick("edit_client", *clients_);
    EXPECT_EQ(ButtonEditText(window, "edit_client"), QStringLiteral("部分条件"));
    driver.Pick("edit_goods", *goods_);
    EXPECT_EQ(ButtonEditText(window, "edit_goods"), QStringLiteral("部分条件"));
    EXPECT_EQ(ButtonEditText(window, "edit_house"), QStringLiteral("全部"));
    EXPECT_EQ(runner.formsShown,
              (QStringList{QStringLiteral("客户/店铺选择"), QStringLiteral("客户/店铺选择"),
                           QStringLiteral("货号选择")}));
    driver.Set("bill_date1", kFrom);
    driver.Set("bill_date2", kTo);

    auto* getData = window->findChild<QAction*>(QStringLiteral("ac_GetData"));
    ASSERT_NE(getData, nullptr);
    getData->trigger();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    const QString sql = driver.StatementText();
    // The code lists come in the pickers' row order.
    EXPECT_TRUE(sql.contains(" and b.fclientcode in('")) << sql.toStdString();
    EXPECT_TRUE(sql.contains(" and a.fgoodsid in('")) << sql.toStdString();
    for (const QString& code : *clients_ + *goods_)
        EXPECT_TRUE(sql.contains("'" + code + "'")) << sql.toStdString();
    EXPECT_TRUE(sql.contains(" and b.fbilldate>='" + kFrom + "' and b.fbilldate<='" + kTo + "'\r"))
        << sql.toStdString();
    const QString before = driver.ResultText();
    CheckClientGoodsPivot(before, lines);
    EXPECT_EQ(Invoke<QStringList>(window, "AreaFields", Q_ARG(int, 1)),
              (QStringList{QStringLiteral("客户"), QStringLiteral("货号")}));

    // Drag the 客户 header from the row area to the end of the column area with the mouse.
    auto* grid = window->findChild<QAbstractScrollArea*>(QStringLiteral("OLAP_PivotGrid"));
    ASSERT_NE(grid, nullptr);
    QWidget* viewport = grid->viewport();
    const QPoint from =
        Invoke<QPoint>(window, "FieldHeaderPos", Q_ARG(QString, QStringLiteral("客户")));
    const QPoint to = Invoke<QPoint>(window, "AreaDropPos", Q_ARG(int, 0));
    ASSERT_NE(from, QPoint(-1, -1));
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QTest::mouseMove(viewport, from + QPoint(0, 12));
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    EXPECT_EQ(Invoke<QStringList>(window, "AreaFields", Q_ARG(int, 1)),
              QStringList{QStringLiteral("货号")});
    EXPECT_EQ(Invoke<QStringList>(window, "AreaFields", Q_ARG(int, 0)),
              (QStringList{QStringLiteral("颜色"), QStringLiteral("客户")}));
    EXPECT_EQ(Invoke<QStringList>(window, "AreaFields", Q_ARG(int, 3)),
              (QStringList{QStringLiteral("数量"), QStringLiteral("金额")}));

    // Goods by colour and client: one line per goods, its totals over the three clients.
    const PivotText after = Split(driver.ResultText(), QStringLiteral("货号"));
    ASSERT_EQ(after.header.size(), 3u);
    std::map<QString, Measures> perGoods;
    Measures grand;
    for (const auto& [key, m] : lines) {
        perGoods[std::get<1>(key)] += m;
        grand += m;
    }
    ASSERT_EQ(after.body.size(), perGoods.size() + 1);
    int pictureRow = -1;
    QString pictureGoods;
    for (std::size_t r = 0; r < after.body.size(); ++r) {
        const QStringList& row = after.body[r];
        const int n = int(row.size());
        const Measures total = Parse(row[n - 2], row[n - 1]);
        if (r + 1 == after.body.size()) {
            EXPECT_EQ(row[0], QStringLiteral("合计"));
            ExpectSame(total, grand, "grand total after the drag");
            continue;
        }
        ASSERT_TRUE(perGoods.count(row[0])) << row[0].toStdString();
        ExpectSame(total, perGoods[row[0]], row[0].toStdString());
        if (r == 1) {
            pictureRow = int(r);
            pictureGoods = row[0];
        }
    }
    ASSERT_GE(pictureRow, 0);

    // F7 on a cell of a goods row shows that goods' picture in the picture window.
    QTest::mouseClick(viewport, Qt::LeftButton, {},
                      Invoke<QPoint>(window, "CellPos", Q_ARG(int, pictureRow), Q_ARG(int, 0)));
    QWidget* focus = QApplication::focusWidget();
    ASSERT_TRUE(focus == grid || grid->isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_F7);
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(
        Invoke<QString>(window, "DataSetSQL", Q_ARG(QString, QStringLiteral("ads_GoodsImage"))),
        "select top 1 fimage from goodsImage where fgoodsid='" + pictureGoods + "'");
    QWidget* picture = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == QStringLiteral("图片显示") && w->isVisible())
            picture = w;
    }
    ASSERT_NE(picture, nullptr);
    auto* image = picture->findChild<QWidget*>(QStringLiteral("cxDBImage1"));
    ASSERT_TRUE(image && image->inherits("TcxDBImage"));
    const QImage shown = static_cast<TcxDBImage*>(image)->Picture();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shown, GoodsPicture(*db_, pictureGoods));

    auto* close = window->findChild<QPushButton*>(QStringLiteral("RzBitBtn1"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(main.OpenWindowList().Items().isEmpty());
    EXPECT_TRUE(main.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    const std::vector<QString> log = morvane::test::SpineHost(*db_).SyslogRows();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), kUser + "|" + kCaption + "|离开");
}

TEST_F(EndToEnd, MorvaneRunWithTheLibraryOption) {
    const QString tsv =
        Tool({"run", kWindow, "--db", *db_, "--library", MORVANE_TESTPLUGIN, "--pick",
              "edit_client=" + clients_->join(','), "--pick", "edit_goods=" + goods_->join(','),
              "--set", "bill_date1=" + kFrom, "--set", "bill_date2=" + kTo});
    CheckClientGoodsPivot(tsv, ExpectedLines(*db_, *clients_, *goods_));

    // A typed brand reaches the statement with its apostrophe doubled.
    const QString sql = Tool({"run", kWindow, "--db", *db_, "--library", MORVANE_TESTPLUGIN,
                              "--set", "edit_brand=O'Neil", "--set", "oderdate_check=0", "--sql"});
    EXPECT_TRUE(sql.contains(" and g.brand like '%O''Neil%'\r")) << sql.toStdString();
    EXPECT_FALSE(sql.contains("fbilldate")) << sql.toStdString();
}
