#include "platform/db/SqliteBackend.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/TranslatedText.h"
#include "platform/tsql/SqliteFunctions.h"

#include <sqlite3.h>

#include <cctype>
#include <memory>
#include <optional>

namespace morvane::db {

namespace {

struct StatementCloser {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementCloser>;

[[noreturn]] void fail(sqlite3* db) {
    throw EDatabaseError(sqlite3_errmsg(db));
}

ColumnType declaredType(const char* declared) {
    if (declared == nullptr || *declared == 0)
        return ColumnType::Unknown;
    std::string upper(declared);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto has = [&upper](const char* word) { return upper.find(word) != std::string::npos; };
    if (has("BOOL") || upper == "BIT")
        return ColumnType::Boolean;
    if (has("DATE") || has("TIME"))
        return ColumnType::Date;
    if (has("INT"))
        return ColumnType::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return ColumnType::Text;
    if (has("BLOB") || has("BINARY"))
        return ColumnType::Blob;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("MONEY") || has("DEC") || has("NUMERIC"))
        return ColumnType::Real;
    return ColumnType::Unknown;
}

// Whether the rest of a text holds no statement: blanks, comments and semicolons only.
bool noStatementIn(const char* p, const char* end) {
    while (p < end) {
        if (std::isspace(static_cast<unsigned char>(*p)) || *p == ';') {
            ++p;
        } else if (end - p >= 2 && p[0] == '-' && p[1] == '-') {
            while (p < end && *p != '\n')
                ++p;
        } else if (end - p >= 2 && p[0] == '/' && p[1] == '*') {
            p += 2;
            while (end - p >= 2 && !(p[0] == '*' && p[1] == '/'))
                ++p;
            p = end - p >= 2 ? p + 2 : end;
        } else {
            return false;
        }
    }
    return true;
}

// Prepares the statements of a text one after another; each is handed to `run` with whether
// it is the text's last statement.
template <typename Run>
void forEachStatement(sqlite3* db, const std::string& sql, Run run) {
    const char* tail = sql.c_str();
    const char* end = tail + sql.size();
    while (tail < end) {
        sqlite3_stmt* raw = nullptr;
        const char* next = nullptr;
        if (sqlite3_prepare_v2(db, tail, static_cast<int>(end - tail), &raw, &next) != SQLITE_OK)
            fail(db);
        StatementPtr statement(raw);
        tail = next;
        if (statement)  // null for white space and comments
            run(statement.get(), noStatementIn(tail, end));
    }
}

std::vector<ColumnBuilder> buildersFor(sqlite3_stmt* statement) {
    const int count = sqlite3_column_count(statement);
    std::vector<ColumnBuilder> builders;
    builders.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(statement, i);
        builders.emplace_back(name ? name : "",
                              declaredType(sqlite3_column_decltype(statement, i)));
    }
    return builders;
}

// Steps the statement to its end, appending each row's values to builders() and then calling
// rowDone().
template <typename Builders, typename RowDone>
void stepRows(sqlite3* db, sqlite3_stmt* statement, Builders&& builders, RowDone&& rowDone) {
    const int count = sqlite3_column_count(statement);
    for (;;) {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            fail(db);
        ColumnBuilder* columns = builders();
        for (int i = 0; i < count; ++i) {
            ColumnBuilder& builder = columns[i];
            switch (sqlite3_column_type(statement, i)) {
                case SQLITE_INTEGER:
                    builder.appendInteger(sqlite3_column_int64(statement, i));
                    break;
                case SQLITE_FLOAT:
                    builder.appendReal(sqlite3_column_double(statement, i));
                    break;
                case SQLITE_TEXT: {
                    const auto* text =
                        reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
                    builder.appendText(
                        {text, static_cast<std::size_t>(sqlite3_column_bytes(statement, i))});
                    break;
                }
                case SQLITE_BLOB: {
                    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, i));
                    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement, i));
                    builder.appendBlob(size ? std::string_view(bytes, size) : std::string_view());
                    break;
                }
                default:
                    builder.appendNull();
                    break;
            }
        }
        rowDone();
    }
}

}  // namespace

ResultTable fetchSqliteResult(sqlite3* db, sqlite3_stmt* statement) {
    std::vector<ColumnBuilder> builders = buildersFor(statement);
    stepRows(db, statement, [&] { return builders.data(); }, [] {});
    std::vector<Column> columns;
    columns.reserve(builders.size());
    for (auto& builder : builders)
        columns.push_back(builder.finish());
    return ResultTable(std::move(columns));
}

void fetchSqlitePieces(sqlite3* db, sqlite3_stmt* statement, std::size_t rowsPerPiece,
                       const PieceSink& sink) {
    PieceMaker maker(buildersFor(statement), rowsPerPiece, sink);
    stepRows(db, statement, [&] { return maker.builders().data(); }, [&] { maker.rowDone(); });
    maker.finish();
}

SqliteBackend::SqliteBackend(const std::string& file) {
    // One thread at a time runs statements on a connection (the dataset's caller); the only
    // call from elsewhere is sqlite3_interrupt, which needs no connection mutex. Without the
    // mutex every sqlite3_column_* call of a fetch is cheaper.
    const int rc =
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError("cannot open database '" + file + "': " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
    // A double-quoted name is always an identifier, as on SQL Server: a misspelt column must be
    // an error, not a text literal.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    try {
        tsql::registerSqliteFunctions(db_);
    } catch (const std::exception& error) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError(error.what());
    }
}

SqliteBackend::~SqliteBackend() {
    sqlite3_close_v2(db_);
}

ResultTable SqliteBackend::query(const std::string& statement) {
    const std::string& sql = translatedStatement(statement);
    std::optional<ResultTable> result;
    forEachStatement(db_, sql, [&](sqlite3_stmt* prepared, bool) {
        if (sqlite3_column_count(prepared) > 0) {
            result = fetchSqliteResult(db_, prepared);
            return;
        }
        if (sqlite3_step(prepared) != SQLITE_DONE)
            fail(db_);
    });
    if (!result)
        throw EDatabaseError("the statement returned no result set");
    return std::move(*result);
}

// As query(): the last statement that returns rows gives the result. When that is the text's
// last statement its rows go out as they are fetched; a result that a later statement may
// still replace is fetched whole first. Without one, the rows the statements changed.
StatementOutcome SqliteBackend::run(const std::string& statement, std::size_t rowsPerPiece,
                                    const PieceSink& sink) {
    const std::string& sql = translatedStatement(statement);
    std::optional<ResultTable> held;
    StatementOutcome outcome;
    forEachStatement(db_, sql, [&](sqlite3_stmt* prepared, bool last) {
        if (sqlite3_column_count(prepared) > 0) {
            outcome.returnedRows = true;
            if (last) {
                held.reset();
                fetchSqlitePieces(db_, prepared, rowsPerPiece, sink);
            } else {
                held = fetchSqliteResult(db_, prepared);
            }
            return;
        }
        if (sqlite3_step(prepared) != SQLITE_DONE)
            fail(db_);
        outcome.changed += sqlite3_changes64(db_);
    });
    if (held) {
        const std::vector<bool> rounded(held->columnCount(), false);
        sink(ResultPiece{*held, rounded});
    }
    return outcome;
}

std::int64_t SqliteBackend::execute(const std::string& statement) {
    const std::string& sql = translatedStatement(statement);
    std::int64_t changed = 0;
    forEachStatement(db_, sql, [&](sqlite3_stmt* prepared, bool) {
        int rc;
        while ((rc = sqlite3_step(prepared)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            fail(db_);
        changed += sqlite3_changes64(db_);
    });
    return changed;
}

void SqliteBackend::cancel() noexcept {
    sqlite3_interrupt(db_);
}

}  // namespace morvane::db
