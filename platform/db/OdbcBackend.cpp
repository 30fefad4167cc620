#include "platform/db/OdbcBackend.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/TranslatedText.h"

#include <QString>

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <vector>

namespace morvane::db {

namespace {

std::u16string toUtf16(const std::string& text) {
    const QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return std::u16string(reinterpret_cast<const char16_t*>(converted.utf16()),
                          static_cast<std::size_t>(converted.size()));
}

std::string toUtf8(const char16_t* text, std::size_t length) {
    return QString::fromUtf16(text, static_cast<qsizetype>(length)).toStdString();
}

SQLWCHAR* wideArg(std::u16string& text) {
    return reinterpret_cast<SQLWCHAR*>(text.data());
}
SQLCHAR* narrowArg(std::string& text) {
    return reinterpret_cast<SQLCHAR*>(text.data());
}

// Every diagnostic record of a handle, one message per line, as the driver wrote them.
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle, bool wide) {
    std::string messages;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        std::string message;
        SQLRETURN rc;
        if (wide) {
            SQLWCHAR state[6];
            std::u16string buffer(1024, u'\0');
            rc = SQLGetDiagRecW(type, handle, record, state, &native, wideArg(buffer),
                                static_cast<SQLSMALLINT>(buffer.size()), &length);
            if (SQL_SUCCEEDED(rc))
                message = toUtf8(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
        } else {
            SQLCHAR state[6];
            std::string buffer(2048, '\0');
            rc = SQLGetDiagRec(type, handle, record, state, &native, narrowArg(buffer),
                               static_cast<SQLSMALLINT>(buffer.size()), &length);
            if (SQL_SUCCEEDED(rc))
                message.assign(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
        }
        if (!SQL_SUCCEEDED(rc))
            break;
        if (!messages.empty())
            messages += '\n';
        messages += message;
    }
    return messages.empty() ? "unknown ODBC error" : messages;
}

[[noreturn]] void raiseDiagnostics(SQLSMALLINT type, SQLHANDLE handle, bool wide) {
    throw EDatabaseError(diagnostics(type, handle, wide));
}

ColumnType columnTypeOf(SQLSMALLINT sqlType, SQLSMALLINT digits, SQLULEN size) {
    switch (sqlType) {
        case SQL_BIT:
            return ColumnType::Boolean;
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            return ColumnType::Integer;
        case SQL_DECIMAL:
        case SQL_NUMERIC:
            return digits == 0 && size <= 18 ? ColumnType::Integer : ColumnType::Real;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return ColumnType::Real;
        case SQL_DATE:
        case SQL_TIME:
        case SQL_TIMESTAMP:
        case SQL_TYPE_DATE:
        case SQL_TYPE_TIME:
        case SQL_TYPE_TIMESTAMP:
        case -154:  // SQL Server time(n)
        case -155:  // SQL Server datetimeoffset
            return ColumnType::Date;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return ColumnType::Blob;
        default:
            return ColumnType::Text;
    }
}

}  // namespace

// A statement handle that cancel() can reach while it runs.
class OdbcBackend::Statement {
  public:
    explicit Statement(OdbcBackend& owner) : owner_(owner) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, owner.dbc_, &handle_)))
            raiseDiagnostics(SQL_HANDLE_DBC, owner.dbc_, owner.wide_);
        std::lock_guard lock(owner_.runningMutex_);
        owner_.running_ = handle_;
    }
    ~Statement() {
        {
            std::lock_guard lock(owner_.runningMutex_);
            owner_.running_ = nullptr;
        }
        SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    SQLHSTMT handle() const { return handle_; }
    [[noreturn]] void fail() const { raiseDiagnostics(SQL_HANDLE_STMT, handle_, owner_.wide_); }
    void check(SQLRETURN rc) const {
        if (!SQL_SUCCEEDED(rc))
            fail();
    }

    // Runs the text; false when it returned SQL_NO_DATA (a change that touched no row).
    bool executeDirect(const std::string& sql) {
        SQLRETURN rc;
        if (owner_.wide_) {
            std::u16string text = toUtf16(sql);
            rc = SQLExecDirectW(handle_, wideArg(text), static_cast<SQLINTEGER>(text.size()));
        } else {
            std::string text = sql;
            rc = SQLExecDirect(handle_, narrowArg(text), static_cast<SQLINTEGER>(text.size()));
        }
        if (rc == SQL_NO_DATA)
            return false;
        check(rc);
        return true;
    }

    // A text or blob cell read in pieces; nullopt for NULL.
    std::optional<std::string> bytes(SQLUSMALLINT column, ColumnType type) {
        std::string out;
        if (type == ColumnType::Blob)
            return readPieces<char>(column, SQL_C_BINARY, 0, out) ? std::optional(std::move(out))
                                                                  : std::nullopt;
        if (!owner_.wide_)
            return readPieces<char>(column, SQL_C_CHAR, 1, out) ? std::optional(std::move(out))
                                                                : std::nullopt;
        std::u16string wide;
        if (!readPieces<char16_t>(column, SQL_C_WCHAR, 1, wide))
            return std::nullopt;
        return toUtf8(wide.data(), wide.size());
    }

  private:
    template <typename Char, typename Out>
    bool readPieces(SQLUSMALLINT column, SQLSMALLINT cType, std::size_t terminator, Out& out) {
        Char buffer[4096];
        const SQLLEN capacity = sizeof buffer;
        const SQLLEN usable = capacity - static_cast<SQLLEN>(terminator * sizeof(Char));
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN rc = SQLGetData(handle_, column, cType, buffer, capacity, &indicator);
            if (rc == SQL_NO_DATA)
                return true;
            check(rc);
            if (indicator == SQL_NULL_DATA)
                return false;
            const bool complete = indicator != SQL_NO_TOTAL && indicator <= usable;
            const SQLLEN got = complete ? indicator : usable;
            out.append(buffer, static_cast<std::size_t>(got) / sizeof(Char));
            if (complete || rc == SQL_SUCCESS)
                return true;
        }
    }

    OdbcBackend& owner_;
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

OdbcBackend::OdbcBackend(const std::string& connectionString, bool translate, TextMode mode)
    : translate_(translate) {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw EDatabaseError("cannot allocate an ODBC environment");
    env_ = env;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc))) {
        const std::string message = diagnostics(SQL_HANDLE_ENV, env, false);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        throw EDatabaseError(message);
    }
    dbc_ = dbc;
    std::string text = connectionString;
    const SQLRETURN rc =
        SQLDriverConnect(dbc, nullptr, narrowArg(text), static_cast<SQLSMALLINT>(text.size()),
                         nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const std::string message = diagnostics(SQL_HANDLE_DBC, dbc, false);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        throw EDatabaseError(message);
    }

    char name[256] = {};
    SQLSMALLINT length = 0;
    if (SQL_SUCCEEDED(SQLGetInfo(dbc, SQL_DBMS_NAME, name, sizeof name, &length)))
        dbms_.assign(name, std::min<std::size_t>(length, sizeof name - 1));
    sqlServer_ = dbms_.find("SQL Server") != std::string::npos;
    wide_ = mode == TextMode::Wide || (mode == TextMode::Automatic && sqlServer_);

    if (sqlServer_) {
        try {
            Statement statement(*this);
            statement.executeDirect("SET DATEFORMAT ymd");
        } catch (...) {
            SQLDisconnect(dbc);
            SQLFreeHandle(SQL_HANDLE_DBC, dbc);
            SQLFreeHandle(SQL_HANDLE_ENV, env);
            throw;
        }
    }
}

OdbcBackend::~OdbcBackend() {
    SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

// Runs the statement and fetches its first result set: begin() receives the columns' builders,
// then each row's values go to builders() and rowDone() follows. Without a result set, the rows
// the statements changed.
template <typename Rows>
StatementOutcome OdbcBackend::fetch(const std::string& statementText, Rows& rows) {
    const std::string& sql = translate_ ? translatedStatement(statementText) : statementText;
    Statement statement(*this);
    const SQLHSTMT stmt = statement.handle();
    bool hasResult = statement.executeDirect(sql);

    // Count the rows changed by statements before the first result set.
    StatementOutcome outcome;
    SQLSMALLINT count = 0;
    while (hasResult) {
        statement.check(SQLNumResultCols(stmt, &count));
        if (count > 0)
            break;
        SQLLEN changed = -1;
        if (SQL_SUCCEEDED(SQLRowCount(stmt, &changed)) && changed > 0)
            outcome.changed += changed;
        const SQLRETURN rc = SQLMoreResults(stmt);
        if (rc == SQL_NO_DATA)
            break;
        statement.check(rc);
    }
    if (count <= 0)
        return outcome;

    std::vector<ColumnType> types(count);
    std::vector<ColumnBuilder> builders;
    builders.reserve(count);
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLSMALLINT nameLength = 0, sqlType = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        std::string name;
        if (wide_) {
            std::u16string buffer(512, u'\0');
            statement.check(SQLDescribeColW(stmt, i, wideArg(buffer),
                                            static_cast<SQLSMALLINT>(buffer.size()), &nameLength,
                                            &sqlType, &size, &digits, &nullable));
            name = toUtf8(buffer.data(), std::min<std::size_t>(nameLength, buffer.size() - 1));
        } else {
            std::string buffer(1024, '\0');
            statement.check(SQLDescribeCol(stmt, i, narrowArg(buffer),
                                           static_cast<SQLSMALLINT>(buffer.size()), &nameLength,
                                           &sqlType, &size, &digits, &nullable));
            name.assign(buffer.data(), std::min<std::size_t>(nameLength, buffer.size() - 1));
        }
        types[i - 1] = columnTypeOf(sqlType, digits, size);
        builders.emplace_back(std::move(name), types[i - 1]);
    }
    outcome.returnedRows = true;
    rows.begin(std::move(builders));

    for (;;) {
        const SQLRETURN rc = SQLFetch(stmt);
        if (rc == SQL_NO_DATA)
            break;
        statement.check(rc);
        ColumnBuilder* columns = rows.builders();
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
            ColumnBuilder& builder = columns[i - 1];
            SQLLEN indicator = 0;
            switch (types[i - 1]) {
                case ColumnType::Integer:
                case ColumnType::Boolean: {
                    SQLBIGINT value = 0;
                    statement.check(
                        SQLGetData(stmt, i, SQL_C_SBIGINT, &value, sizeof value, &indicator));
                    if (indicator == SQL_NULL_DATA)
                        builder.appendNull();
                    else
                        builder.appendInteger(value);
                    break;
                }
                case ColumnType::Real: {
                    double value = 0;
                    statement.check(
                        SQLGetData(stmt, i, SQL_C_DOUBLE, &value, sizeof value, &indicator));
                    if (indicator == SQL_NULL_DATA)
                        builder.appendNull();
                    else
                        builder.appendReal(value);
                    break;
                }
                default: {
                    const auto bytes = statement.bytes(i, types[i - 1]);
                    if (!bytes)
                        builder.appendNull();
                    else if (types[i - 1] == ColumnType::Blob)
                        builder.appendBlob(*bytes);
                    else
                        builder.appendText(*bytes);
                    break;
                }
            }
        }
        rows.rowDone();
    }
    return outcome;
}

ResultTable OdbcBackend::query(const std::string& statementText) {
    struct Whole {
        std::vector<ColumnBuilder> all;
        void begin(std::vector<ColumnBuilder> builders) { all = std::move(builders); }
        ColumnBuilder* builders() { return all.data(); }
        void rowDone() {}
    } whole;
    if (!fetch(statementText, whole).returnedRows)
        throw EDatabaseError("the statement returned no result set");
    std::vector<Column> columns;
    columns.reserve(whole.all.size());
    for (auto& builder : whole.all)
        columns.push_back(builder.finish());
    return ResultTable(std::move(columns));
}

StatementOutcome OdbcBackend::run(const std::string& statementText, std::size_t rowsPerPiece,
                                  const PieceSink& sink) {
    struct Pieces {
        std::size_t rowsPerPiece;
        const PieceSink& sink;
        std::optional<PieceMaker> maker;
        void begin(std::vector<ColumnBuilder> builders) {
            maker.emplace(std::move(builders), rowsPerPiece, sink);
        }
        ColumnBuilder* builders() { return maker->builders().data(); }
        void rowDone() { maker->rowDone(); }
    } pieces{rowsPerPiece, sink, {}};
    const StatementOutcome outcome = fetch(statementText, pieces);
    if (outcome.returnedRows)
        pieces.maker->finish();
    return outcome;
}

std::int64_t OdbcBackend::execute(const std::string& statementText) {
    const std::string& sql = translate_ ? translatedStatement(statementText) : statementText;
    Statement statement(*this);
    if (!statement.executeDirect(sql))
        return 0;
    // Walk every result of a batch so that an error in a later statement is reported.
    std::int64_t changed = 0;
    for (;;) {
        SQLLEN rows = -1;
        if (SQL_SUCCEEDED(SQLRowCount(statement.handle(), &rows)) && rows > 0)
            changed += rows;
        const SQLRETURN rc = SQLMoreResults(statement.handle());
        if (rc == SQL_NO_DATA)
            break;
        statement.check(rc);
    }
    return changed;
}

void OdbcBackend::cancel() noexcept {
    std::lock_guard lock(runningMutex_);
    if (running_ != nullptr)
        SQLCancel(running_);
}

}  // namespace morvane::db
