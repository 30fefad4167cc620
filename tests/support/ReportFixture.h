#pragma once
// Report windows on the scale-1 demo database (or a copy of it) for a demo user, as the
// window tests of every report family use them: a host with a recording connection, the
// session of the user with the scope the database gives, windows opened through the window
// table, plain queries for expectations, golden files and window dumps.

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "framework/PeriodReport.h"
#include "tests/support/SpineFixture.h"

namespace morvane::test {

class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override { StartSession(QStringLiteral("001")); }
    void TearDown() override;

    // A fresh host on `dbFile` (the demo database when empty), signed in as `user`.
    void StartSession(const QString& user, const QString& dbFile = QString());
    // Another user on the same host: the scope globals are loaded anew for them.
    void SignIn(const QString& user);
    // A copy of the demo database the test may change.
    QString DemoCopy();

    // The window of the table row, constructed with its caption and created; the one open
    // before is closed. Throws when the row has no window class in this build.
    Tbase_OLAPreport* OpenByName(const QString& name);
    // The same for a window on either pivot base.
    Tbase_PivotWindow* OpenPivot(const QString& name);
    template <class W>
    W* Open() {
        return static_cast<W*>(OpenClass(QString::fromLatin1(W::staticMetaObject.className())));
    }
    void CloseWindow();
    // A window on the period base, and its get data for a year (and month) set through the
    // spin edits; fails the test on an error.
    Tbase_PeriodReport* OpenPeriod(const QString& name);
    void RunPeriod(Tbase_PeriodReport* w, int year, int month = 0);
    // Presses 统计 and checks that no error reached the host and the result is open.
    void Run(Tbase_PivotWindow* w);
    // The statement 统计 sends, with no error expected.
    QString StatementOf(Tbase_PivotWindow* w);
    QString Errors() const { return host->errors.messages.join('\n'); }

    // Rows of a T-SQL statement run beside the window's connection, NULL as "".
    std::vector<QStringList> Rows(const QString& sql);
    // Rows of a plain SQLite statement on the database file (with the T-SQL functions),
    // NULL as "<null>".
    std::vector<QStringList> SqliteRows(const QString& sql) const;
    // The report dataset's rows, every column or the ones named, NULL as "<null>" / "".
    static std::vector<QStringList> ReportRows(Tbase_PivotWindow* w);
    static std::vector<QStringList> ReportRows(Tbase_PivotWindow* w, const QStringList& columns);

    std::unique_ptr<SpineHost> host;

  private:
    Tbase_frm* OpenClass(const QString& className);

    std::unique_ptr<Tbase_frm> window_;
    QTemporaryDir copies_;
};

// A file's bytes as UTF-8 text ("" when it cannot be read).
QString ReadText(const QString& path);

// Compares `text` with the golden file `dir/name`; with MORVANE_UPDATE_GOLDEN set, writes it
// instead. Returns "" when they agree, else a line saying where they part.
QString CheckGolden(const QString& dir, const QString& name, const QString& text);

}  // namespace morvane::test
