#pragma once
// Period windows on the scale-1 demo database, user 001; plain SQLite queries for expectations.

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

#include "reports/PeriodReport.h"
#include "tests/entry/SpineFixture.h"

namespace morvane::test {

class PeriodTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // 001 unrestricted, 002 restricted, 003 restricted with an empty list.
    void SignIn(const QString& user);
    Tbase_PeriodReport* Open(const QString& name);
    // Sets the period through the spin edits and runs get data; fails the test on an error.
    void Run(Tbase_PeriodReport* w, int year, int month = 0);
    QString Errors() const;

    // Plain SQLite rows on the demo database, values as text, NULL as "<null>".
    std::vector<QStringList> Query(const QString& sql) const;
    static std::vector<QStringList> ReportRows(Tbase_PeriodReport* w);

    QString dbFile;
    std::unique_ptr<SpineHost> host;
    std::unique_ptr<Tbase_PeriodReport> window;
};

QString ReadText(const QString& path);

}  // namespace morvane::test
