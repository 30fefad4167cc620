#pragma once
// Test support for the period report windows: a host on the scale-1 demo database with user
// 001's session, windows opened by name through the window registry, and plain SQLite queries
// beside the plug-in's connection for the expectations.

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

    // Reloads the user scope as user `user` (001 unrestricted, 002 restricted).
    void SignIn(const QString& user);
    // Constructs and creates the window registered under `name` (frm_OLAPSaleMonth ...).
    Tbase_PeriodReport* Open(const QString& name);
    // Sets the period through the spin edits and runs get data; fails the test on an error.
    void Run(Tbase_PeriodReport* w, int year, int month = 0);
    // The host's recorded errors, one per line.
    QString Errors() const;

    // Rows of a plain SQLite query on the demo database (no translation); every value as
    // text, NULL as "<null>". Code columns compare as the host's collation does.
    std::vector<QStringList> Query(const QString& sql) const;
    // The report's rows, every value as text, NULL as "<null>".
    static std::vector<QStringList> ReportRows(Tbase_PeriodReport* w);

    QString dbFile;
    std::unique_ptr<SpineHost> host;
    std::unique_ptr<Tbase_PeriodReport> window;
};

// A file's bytes as UTF-8 text; empty when it cannot be read.
QString ReadText(const QString& path);

}  // namespace morvane::test
