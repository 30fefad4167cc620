#include "tests/db/Fixture.h"

#include "platform/db/DatabaseError.h"

#include <sqlite3.h>

#include <atomic>
#include <stdexcept>

#include <unistd.h>

namespace morvane::db::test {

namespace {

struct Handle {
    explicit Handle(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    ~Handle() { sqlite3_close(db); }
    sqlite3* db = nullptr;
};

}  // namespace

TempDatabase::TempDatabase() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("morvane-db-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "test.db").string();
    exec("pragma journal_mode=wal");
}

TempDatabase::~TempDatabase() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void TempDatabase::exec(const std::string& sql) const {
    Handle handle(path_);
    char* message = nullptr;
    if (sqlite3_exec(handle.db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "sqlite3_exec failed";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

std::string TempDatabase::scalar(const std::string& sql) const {
    Handle handle(path_);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle.db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(handle.db));
    std::string value;
    if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

void createGoods(const TempDatabase& db) {
    db.exec(
        "create table goods(goodsid text, goodsname text, price real, qty integer,"
        " checkid integer, inputdate date, pic blob);"
        "insert into goods values"
        "('G001','衬衫',99.5,10,0,'2026-03-01',x'0001FF'),"
        "('g002','Jeans',120,NULL,0,'2026-03-02',NULL),"
        "('G003',NULL,NULL,5,0,NULL,NULL),"
        "('A004','外套 O''Neil',0.6667,-3,0,'2026-03-04 10:20:30',x'');");
}

std::string sqliteOdbcConnectionString(const std::string& file) {
    return std::string("Driver=") + MORVANE_SQLITE_ODBC_DRIVER + ";Database=" + file +
           ";LoadExt=" + MORVANE_SQLITE_EXT + ";";
}

ColumnBuilder columnOf(std::string name, ColumnType declared,
                       std::initializer_list<TestValue> values) {
    ColumnBuilder builder(std::move(name), declared);
    for (const TestValue& v : values) {
        if (std::holds_alternative<std::nullptr_t>(v))
            builder.appendNull();
        else if (const auto* i = std::get_if<std::int64_t>(&v))
            builder.appendInteger(*i);
        else if (const auto* r = std::get_if<double>(&v))
            builder.appendReal(*r);
        else
            builder.appendText(std::get<const char*>(v));
    }
    return builder;
}

ResultTable tableOf(std::vector<ColumnBuilder> builders) {
    std::vector<Column> columns;
    for (auto& builder : builders)
        columns.push_back(builder.finish());
    return ResultTable(std::move(columns));
}

std::string openError(TRemoteUdpDataSet& ds, const QString& sql) {
    ds.Close();
    ds.SetSQL(sql);
    try {
        ds.Open();
    } catch (const EDatabaseError& error) {
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ds.SQL(), sql);
        return error.what();
    }
    ADD_FAILURE() << "no error for " << sql.toStdString();
    return {};
}

}  // namespace morvane::db::test
