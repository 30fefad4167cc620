// A report window's get data while a slow statement runs on SQLite (a view over a recursive
// count, sized to about two seconds): the longest time the user-interface thread's event loop
// was blocked, measured with a timer probe that ticks every millisecond, both for the window as
// it is (the statement on a worker thread) and for the same statement opened on the
// user-interface thread as before, and for an idle loop as long (the machine's own gaps); and how
// long a click on 取消 takes to give the window back.
#include "demo/DemoGenerator.h"
#include "framework/GetDataRun.h"
#include "framework/unt_BaseOLAPreport.h"
#include "hostkit/HostApplication.h"
#include "hostkit/HostMainForm.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/ui/HostServices.h"
#include "session/totalpub1.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr double kStatementSeconds = 2.0;
constexpr int kCancelAfterMs = 500;

class SlowReport : public Tbase_OLAPreport {
  public:
    SlowReport() {
        SetCaption(QStringLiteral("慢统计"));
        SetDesign({.data = {QStringLiteral("行数")}});
    }

  protected:
    QString GetDataSQL() override { return QStringLiteral("select 行数 from slow_count\r"); }
};

// Seconds a recursive count to n takes on SQLite.
double CountSeconds(sqlite3* db, long long n) {
    const std::string sql = "with recursive c(i) as (select 1 union all select i+1 from c where i<" +
                            std::to_string(n) + ") select count(*) from c";
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    QElapsedTimer clock;
    clock.start();
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

struct Host {
    QTemporaryDir dir;
    QString db;
    morvane::host::ScriptedRunner runner;
    morvane::host::RecordedErrors errors;
    std::unique_ptr<morvane::host::HostApplication> app;
    std::unique_ptr<morvane::host::HostMainForm> mainForm;
    TRemoteUdpConnection connection;
    std::unique_ptr<SlowReport> window;
    long long count = 0;

    Host() {
        db = dir.filePath(QStringLiteral("demo.db"));
        morvane::demo::generateDemoDatabase(db.toStdString(), {});
        sqlite3* raw = nullptr;
        sqlite3_open(db.toUtf8().constData(), &raw);
        // The count that takes about two seconds on this machine.
        const long long probe = 2000000;
        count = static_cast<long long>(probe * kStatementSeconds / CountSeconds(raw, probe));
        const std::string view =
            "create view slow_count as with recursive c(i) as (select 1 union all select i+1 "
            "from c where i<" +
            std::to_string(count) + ") select count(*) 行数 from c";
        sqlite3_exec(raw, view.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(raw);

        app = std::make_unique<morvane::host::HostApplication>(runner, errors);
        mainForm = std::make_unique<morvane::host::HostMainForm>();
        morvane::ui::SetApplication(app.get());
        connection.OpenSqlite(db);
        pub_connection = &connection;
        pub_mainform = mainForm.get();
        pub_userno = QStringLiteral("001");
        pub_listname = QStringLiteral("慢统计");
        LoadUserScope();
        window = std::make_unique<SlowReport>();
        window->Create();
        window->show();
        // The window's first layout and paint happen here, not in the first measured run.
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
    }
};

Host& host() {
    static Host h;
    return h;
}

// Runs `action` from the event loop, as a click does, with a probe ticking every millisecond;
// returns the longest gap between ticks (the longest the loop was blocked), in milliseconds.
double LongestBlockMs(const std::function<void()>& action) {
    QEventLoop outer;
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer probe;
    probe.setInterval(1);
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    QTimer::singleShot(20, [&] {
        action();
        QTimer::singleShot(20, &outer, &QEventLoop::quit);
    });
    clock.start();
    probe.start();
    outer.exec();
    return static_cast<double>(longest) / 1e6;
}

void BM_GetDataLongestBlock(benchmark::State& state) {
    Host& h = host();
    double worst = 0;
    for (auto _ : state) {
        h.window->UDPDB_Report->Close();
        const double ms = LongestBlockMs([&] { h.window->ac_GetData->trigger(); });
        worst = std::max(worst, ms);
        if (!h.window->UDPDB_Report->Active() || !h.errors.messages.isEmpty())
            state.SkipWithError("the statement did not give its row");
    }
    state.counters["longest_block_ms"] = worst;
    state.counters["statement_s"] = h.window->GetDataRun->LastSeconds();
}

// The same statement opened on the user-interface thread, as the window did before.
void BM_SameStatementOnTheUiThread(benchmark::State& state) {
    Host& h = host();
    double worst = 0;
    for (auto _ : state) {
        h.window->UDPDB_Report->Close();
        const double ms = LongestBlockMs(
            [&] { OpenQuery(h.window->UDPDB_Report, QStringLiteral("select 行数 from slow_count")); });
        worst = std::max(worst, ms);
    }
    state.counters["longest_block_ms"] = worst;
}

// The probe over an event loop with nothing to do for as long as the statement runs: the gaps
// the machine itself puts between ticks (other programs on its cores), to read the figures
// above against.
void BM_IdleLoopForTheSameTime(benchmark::State& state) {
    double worst = 0;
    for (auto _ : state) {
        const double ms = LongestBlockMs([] {
            QEventLoop wait;
            QTimer::singleShot(static_cast<int>(kStatementSeconds * 1000), &wait,
                               &QEventLoop::quit);
            wait.exec();
        });
        worst = std::max(worst, ms);
    }
    state.counters["longest_block_ms"] = worst;
}

void BM_CancelLatency(benchmark::State& state) {
    Host& h = host();
    double worst = 0, total = 0;
    int runs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 clicked = -1;
        QTimer::singleShot(kCancelAfterMs, [&] {
            clicked = clock.nsecsElapsed();
            h.window->GetDataRun->CancelButton()->click();
        });
        clock.start();
        h.window->ac_GetData->trigger();
        const double ms = static_cast<double>(clock.nsecsElapsed() - clicked) / 1e6;
        if (clicked < 0 || h.window->GetDataRun->Running())
            state.SkipWithError("the cancel did not happen during the statement");
        worst = std::max(worst, ms);
        total += ms;
        ++runs;
    }
    state.counters["cancel_ms_worst"] = worst;
    state.counters["cancel_ms_mean"] = runs ? total / runs : 0;
}

BENCHMARK(BM_GetDataLongestBlock)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SameStatementOnTheUiThread)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_IdleLoopForTheSameTime)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CancelLatency)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    host().window.reset();
    benchmark::Shutdown();
    return 0;
}
