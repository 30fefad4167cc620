#include "cli/Connect.h"

#include <QFileInfo>
#include <cstdlib>

#include "platform/db/DatabaseError.h"

namespace morvane::cli {

std::unique_ptr<TRemoteUdpConnection> connectFrom(const ParsedArgs& args) {
    auto db = args.option("db");
    auto odbc = args.option("odbc");
    if (db && odbc) throw UsageError("give either --db or --odbc, not both");
    if (odbc && odbc->empty())
        throw UsageError("--odbc needs a connection string, not an empty text");

    auto connection = std::make_unique<TRemoteUdpConnection>();
    if (odbc) {
        connection->OpenOdbc(QString::fromStdString(*odbc));
        return connection;
    }
    std::string file = db ? *db : "";
    if (file.empty()) {
        const char* env = std::getenv("MORVANE_DB");
        file = env && *env ? env : "demo.db";
    }
    // SQLite would create an empty file and then report missing tables; say what is wrong.
    if (!QFileInfo::exists(QString::fromStdString(file))) {
        throw EDatabaseError("database file '" + file +
                             "' does not exist (create it with: morvane demo-db " + file + ")");
    }
    connection->OpenSqlite(QString::fromStdString(file));
    return connection;
}

}  // namespace morvane::cli
