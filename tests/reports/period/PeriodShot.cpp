// period_shot: a picture of one period window with data, for looking at the painted pivot.
//   period_shot DB WINDOW YEAR MONTH FILE.png
// Opens the window as user 001 on the database, sets the period, gets the data and saves the
// window as drawn (run under a display, or xvfb-run, for real fonts).

#include <QApplication>
#include <QSpinBox>

#include <cstdio>
#include <memory>

#include "entry/totalpub1.h"
#include "framework/unt_basefrmClasses.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/TcxStyle.h"
#include "reports/PeriodReport.h"
#include "tests/entry/SpineFixture.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 6) {
        std::fputs("usage: period_shot DB WINDOW YEAR MONTH FILE.png\n", stderr);
        return 1;
    }
    morvane::test::SpineHost host{QString::fromLocal8Bit(argv[1])};
    morvane::ui::SetApplication(host.app.get());
    pub_connection = host.connection.get();
    pub_mainform = host.mainForm.get();
    pub_userno = QStringLiteral("001");
    pub_gridstyle = new TcxStyle(host.app->Owner());
    pub_gridstyle->SetColor(0x00E0FFFF);
    pub_sizecount = 10;
    LoadUserScope();

    const morvane::framework::TWindowClass* cls =
        morvane::framework::FindWindowClass(QString::fromLocal8Bit(argv[2]));
    if (!cls) {
        std::fprintf(stderr, "period_shot: no window %s\n", argv[2]);
        return 1;
    }
    std::unique_ptr<Tbase_PeriodReport> w(dynamic_cast<Tbase_PeriodReport*>(cls->construct()));
    if (!w)
        return 1;
    w->Create();
    w->edit_year->setValue(QString::fromLocal8Bit(argv[3]).toInt());
    if (w->edit_month)
        w->edit_month->setValue(QString::fromLocal8Bit(argv[4]).toInt());
    w->ac_GetData->trigger();
    for (const QString& e : host.errors.messages)
        std::fprintf(stderr, "period_shot: %s\n", e.toUtf8().constData());
    w->resize(1200, 720);
    w->show();
    app.processEvents();
    const bool saved = w->grab().save(QString::fromLocal8Bit(argv[5]));
    w.reset();
    morvane::ui::SetApplication(nullptr);
    return saved ? 0 : 2;
}
