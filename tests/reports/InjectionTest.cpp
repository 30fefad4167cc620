// Values that try to end their literal, through the real windows and pickers on the demo
// database: a code stored as "Q1') or ('1'='1" (and one holding a plain apostrophe) in the
// client list and in each scope table of user 002 (in a period window and in windows on the
// sales pivot base), a user number and a list name with quotes, texts with quotes typed into
// the pickers' searches. Every try must give what the same steps
// give without the stored attack (the one-client result, the user's own scope) or a clean
// "nothing found" - never a wider result, never an error - and syslog keeps the literal user.

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <functional>

#include "framework/PeriodReport.h"
#include "pickers/unt_selectClient.h"
#include "pickers/unt_selectHouse.h"
#include "pickers/unt_selectSupplier.h"
#include "pickers/unt_selectgoods.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/TcxButtonEdit.h"
#include "session/totalpub1.h"
#include "tests/support/ReportFixture.h"

namespace morvane::test {
namespace {

const QString kEvil = QStringLiteral("Q1') or ('1'='1");
const QString kApostrophe = QStringLiteral("O'Brien");
const QString kMonthWindow = QStringLiteral("frm_OLAPSaleMonth");

// Both codes as a client, and in each scope table of user 002 (not flagged).
const char* const kAttack =
    "insert into dt_client(fcode,fabbrev,fmathod) values"
    " ('Q1'') or (''1''=''1','注入客户','自营'),('O''Brien','撇号客户','自营');"
    "insert into userclient(fgroupid,fclientcode,fstockbit) values"
    " ('002','Q1'') or (''1''=''1',0),('002','O''Brien',0);"
    "insert into userbrand(fgroupid,fbrand) values ('002','Q1'') or "
    "(''1''=''1'),('002','O''Brien');"
    "insert into userhouse(fgroupid,fhousecode,fstockbit,fdefaultbit) values"
    " ('002','Q1'') or (''1''=''1',0,0),('002','O''Brien',0,0);";

class Injection : public ReportTest {
  public:
    void SetUp() override {
        pristine_ = DemoCopy();
        attacked_ = DemoCopy();
        ExecOnFile(attacked_, kAttack);
    }

    // Signs `user` in on one of the two databases, with the rights list `list`.
    void Session(bool attacked, const QString& user, const QString& list) {
        StartSession(user, attacked ? attacked_ : pristine_);
        pub_listname = list;
    }

    // The March 2026 result of the monthly sale window with these clients picked (none: no
    // pick), as the grid shows it; errors are part of the answer.
    QString MonthResult(const QStringList& pick, bool rowsOnly = false) {
        auto* w = OpenPeriod(kMonthWindow);
        if (!pick.isEmpty()) {
            host->runner.QueuePick(pick);
            w->edit_client->PressButton();
        }
        w->edit_year->setValue(2026);
        w->edit_month->setValue(3);
        host->errors.messages.clear();
        w->ac_GetData->trigger();
        const QString unmatched = host->runner.unmatchedCodes.join(',');
        return Errors() + (unmatched.isEmpty() ? "" : "unmatched " + unmatched + "\n") +
               (rowsOnly ? QString::number(w->UDPDB_Report->GetRecordCount()) + " rows"
                         : w->ResultText());
    }

    // The first half of 2025 in a window on the sales pivot base, by 类别 where it asks for a
    // category, with these clients picked (none: no pick).
    QString SalesPivotResult(const QString& window, const QStringList& pick) {
        Tbase_PivotWindow* w = OpenPivot(window);
        if (!pick.isEmpty()) {
            host->runner.QueuePick(pick);
            w->edit_client->PressButton();
        }
        w->bill_date1->setDate(QDate(2025, 1, 1));
        w->bill_date2->setDate(QDate(2025, 6, 30));
        if (auto* box = w->findChild<QComboBox*>(QStringLiteral("com_sort")))
            box->setCurrentText(QStringLiteral("类别"));
        host->errors.messages.clear();
        w->ac_GetData->trigger();
        const QString unmatched = host->runner.unmatchedCodes.join(',');
        return Errors() + (unmatched.isEmpty() ? "" : "unmatched " + unmatched + "\n") +
               QString::number(w->UDPDB_Report->GetRecordCount()) + " rows\n" + w->ResultText();
    }

    // The rows a picker lists (its code column), after `search` has worked its controls.
    template <class Picker>
    QString PickerRows(const std::function<void(Picker&)>& search = nullptr) {
        host->errors.messages.clear();
        Picker picker;
        picker.Create();
        if (search)
            search(picker);
        QStringList codes;
        TRemoteUdpDataSet* table = picker.Goods_Table;
        const QString column = table->FindField(QStringLiteral("goodsid")) ? "goodsid" : "fcode";
        for (table->First(); table->Active() && !table->Eof(); table->Next())
            codes << table->FieldByName(column)->AsString();
        codes.sort();
        return Errors() + QString::number(codes.size()) + " rows: " + codes.join(',');
    }

    // The Excel right the window got and the user number its "进入" row logged.
    QString RightsAndLog() {
        auto* w = OpenByName(kMonthWindow);
        const std::vector<QString> log = host->SyslogRows();
        return Errors() + QString("excel=%1 log=%2")
                              .arg(w->bit_excel->isEnabled())
                              .arg(log.empty() ? QString() : log.back().section('|', 0, 0));
    }

  private:
    QString pristine_, attacked_;
};

using Probe = std::function<QString(Injection&)>;

struct Try {
    const char* name;
    const char* user;
    const char* list;
    Probe attack;     // on the attacked database
    Probe reference;  // the same user on the pristine database; null: `expected`
    const char* expected;
};

TEST_F(Injection, StoredTypedAndSessionValuesNeverLeaveTheirLiterals) {
    const char* kList = "销售出仓月度分析总表";
    const auto month = [](QStringList pick) {
        return [pick](Injection& t) { return t.MonthResult(pick); };
    };
    const auto shops = [](QStringList pick) {
        return [pick](Injection& t) {
            return t.SalesPivotResult(QStringLiteral("frm_SaLp_ShopSort"), pick);
        };
    };
    const Probe stock = [](Injection& t) {
        return t.SalesPivotResult(QStringLiteral("frm_SaLp_RetailStock"), {});
    };
    const auto clientSearch = [](const QString& code, const QString& name) {
        return [code, name](Injection& t) {
            return t.PickerRows<Tfrm_selectClient>([&](Tfrm_selectClient& p) {
                p.edit_fcode->setText(code);
                p.edit_fabbrev->setText(name);
                p.RzBitBtn1->click();
            });
        };
    };
    const Try tries[] = {
        // A stored code picked: the one client it names, nothing more.
        {"picked code beside a real one", "001", kList, month({kEvil, "ZY001"}), month({"ZY001"}),
         nullptr},
        {"picked code alone", "001", kList,
         [](Injection& t) { return t.MonthResult({kEvil}, true); }, nullptr, "0 rows"},
        {"picked apostrophe code", "001", kList, month({kApostrophe, "ZY002"}), month({"ZY002"}),
         nullptr},
        {"picked code in a sales pivot window", "001", kList, shops({kEvil, "ZY001"}),
         shops({"ZY001"}), nullptr},
        // Stored in the scope tables: user 002 keeps exactly the scope the database gives.
        {"userclient: a sales pivot window", "002", kList, shops({}), shops({}), nullptr},
        {"userclient and userbrand: retail beside stock", "002", kList, stock, stock, nullptr},
        {"userclient: the window", "002", kList, month({}), month({}), nullptr},
        {"userclient: client picker", "002", kList,
         [](Injection& t) { return t.PickerRows<Tfrm_selectClient>(); }, nullptr, nullptr},
        {"userbrand: goods picker", "002", kList,
         [](Injection& t) {
             return t.PickerRows<Tfrm_selectgoods>(
                 [](Tfrm_selectgoods& p) { p.RzBitBtn1->click(); });
         },
         [](Injection& t) {
             return t.PickerRows<Tfrm_selectgoods>(
                 [](Tfrm_selectgoods& p) { p.RzBitBtn1->click(); });
         },
         nullptr},
        {"userhouse: warehouse picker", "002", kList,
         [](Injection& t) { return t.PickerRows<Tfrm_selectHouse>(); }, nullptr,
         "2 rows: CK01,CK02"},
        // Session values: no right gained, the literal number logged.
        {"user number", "004' or '1'='1", kList, [](Injection& t) { return t.RightsAndLog(); },
         nullptr, "excel=0 log=004' or '1'='1"},
        {"list name", "004", "x') or ('1'='1", [](Injection& t) { return t.RightsAndLog(); },
         nullptr, "excel=0 log=004"},
        {"list name of an allowed user", "001", "x') or ('1'='1",
         [](Injection& t) { return t.RightsAndLog(); }, nullptr, "excel=0 log=001"},
        // Typed search texts: the literal text is searched for.
        {"client search: name", "001", kList, clientSearch("", "%' or fabbrev like '%"), nullptr,
         "0 rows: "},
        {"client search: the stored code itself", "001", kList, clientSearch(kEvil, ""), nullptr,
         "1 rows: Q1') or ('1'='1"},
        {"goods search", "001", kList,
         [](Injection& t) {
             return t.PickerRows<Tfrm_selectgoods>([](Tfrm_selectgoods& p) {
                 p.edit_goods->setText("%' or goodsid like '%");
                 p.RzBitBtn1->click();
             });
         },
         nullptr, "0 rows: "},
        {"supplier search", "001", kList,
         [](Injection& t) {
             return t.PickerRows<Tfrm_selectSupplier>([](Tfrm_selectSupplier& p) {
                 p.edit_code->setText("x') or ('1'='1");
                 p.edit_abbrev->setText("'");
                 p.cxButton1->click();
             });
         },
         nullptr, "0 rows: "},
    };

    // A try that throws is a failed try; the others still run.
    const auto outcome = [this](const Probe& probe) {
        try {
            return probe(*this);
        } catch (const std::exception& e) {
            return QString("exception: ") + e.what();
        }
    };
    int held = 0;
    for (const Try& t : tries) {
        SCOPED_TRACE(t.name);
        Session(true, t.user, t.list);
        const QString got = outcome(t.attack);
        QString want = QString::fromUtf8(t.expected ? t.expected : "");
        if (t.reference) {
            Session(false, t.user, t.list);
            want = outcome(t.reference);
        } else if (!t.expected) {
            // The pristine list with the two stored codes, which are this user's clients too.
            Session(false, t.user, t.list);
            const QString pristine = PickerRows<Tfrm_selectClient>();
            QStringList codes = pristine.section(": ", 1).split(',');
            codes << kEvil << kApostrophe;
            codes.sort();
            want = QString::number(codes.size()) + " rows: " + codes.join(',');
        }
        EXPECT_EQ(got, want);
        held += got == want;
    }
    // The count the closing report of this work quotes.
    std::printf("injection tries: %d run, %d held\n", int(std::size(tries)), held);
}

}  // namespace
}  // namespace morvane::test
