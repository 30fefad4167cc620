#pragma once
// Fixture of the client and shop-assistant window tests: a session on the scale-1 demo
// database (or a copy a test adds rows to) for a given user, the four windows opened as real
// widgets on the offscreen platform, and plain queries run beside the window's connection.

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

    // A fresh host on `dbFile` (the shared demo database when empty) with the user's scope
    // loaded from it.
    void StartSession(const QString& user, const QString& dbFile = QString());
    // A copy of the demo database the test may change; the path stays valid for the test.
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
    // The window registered under the name, constructed and created.
    Tbase_OLAPreport* OpenByName(const QString& name);
    void CloseWindow();

    // Every row of a statement run beside the window's connection, cells as text (NULL as "").
    std::vector<QStringList> Rows(const QString& sql);
    // The report dataset's rows, the named columns in the given order.
    std::vector<QStringList> ReportRows(Tbase_OLAPreport* w, const QStringList& columns);
    QString Errors() const { return host->errors.messages.join('\n'); }

    std::unique_ptr<SpineHost> host;

  private:
    std::unique_ptr<Tbase_OLAPreport> window_;
    QTemporaryDir copies_;
};

// Runs plain SQLite statements on a database file (test set-up), with the collation and
// functions the demo schema needs.
void ExecSqlite(const QString& file, const std::string& sql);
// Bytes of a text file.
QByteArray ReadFileBytes(const QString& path);

}  // namespace morvane::test
