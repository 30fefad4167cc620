#pragma once
// Client and shop-assistant windows on the scale-1 demo database (or a copy) for a user.

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "framework/unt_BaseOLAPreport.h"
#include "tests/entry/SpineFixture.h"

namespace morvane::test {

class ClientEmpTest : public ::testing::Test {
  protected:
    void SetUp() override { StartSession(QStringLiteral("001")); }
    void TearDown() override;

    // A fresh host on `dbFile` (the demo database when empty) with the user's scope.
    void StartSession(const QString& user, const QString& dbFile = QString());
    // A copy of the demo database the test may change.
    QString DemoCopy();

    template <class W>
    W* Open() {
        CloseWindow();
        auto w = std::make_unique<W>();
        W* raw = w.get();
        window_ = std::move(w);
        raw->Create();
        return raw;
    }
    Tbase_OLAPreport* OpenByName(const QString& name);
    void CloseWindow();

    // Rows of a statement run beside the window's connection, NULL as "".
    std::vector<QStringList> Rows(const QString& sql);
    std::vector<QStringList> ReportRows(Tbase_OLAPreport* w, const QStringList& columns);
    QString Errors() const { return host->errors.messages.join('\n'); }

    std::unique_ptr<SpineHost> host;

  private:
    std::unique_ptr<Tbase_OLAPreport> window_;
    QTemporaryDir copies_;
};

// Plain SQLite statements on a database file, with the demo schema's functions.
void ExecSqlite(const QString& file, const std::string& sql);
QByteArray ReadFileBytes(const QString& path);

}  // namespace morvane::test
