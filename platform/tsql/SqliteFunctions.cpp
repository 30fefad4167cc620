#include "platform/tsql/SqliteFunctions.h"

#include <sqlite3ext.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/tsql/ExactDecimal.h"
#include "platform/tsql/MonthDayTable.h"
#include "platform/tsql/TsqlValues.h"

// In the loadable extension the sqlite3_* calls go through the routine
// table the host hands to the entry point; in morvane_tsql (SQLITE_CORE) they
// are direct calls.
SQLITE_EXTENSION_INIT3

namespace morvane::tsql {

namespace {

using values::DateTime;

std::string_view textOf(sqlite3_value* v) {
    const unsigned char* p = sqlite3_value_text(v);
    return {reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_value_bytes(v))};
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            return true;
        }
    }
    return false;
}

void resultText(sqlite3_context* ctx, std::string_view s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void error(sqlite3_context* ctx, const std::string& message) {
    sqlite3_result_error(ctx, message.c_str(), static_cast<int>(message.size()));
}

const char kDateError[] =
    "Conversion failed when converting date and/or time from character string.";

std::string conversionToInt(std::string_view text) {
    return "Conversion failed when converting the varchar value '" + std::string(text) +
           "' to data type int.";
}

// The value as text, as SQL Server converts a number for a string function.
std::string asText(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_value_int64(v));
        case SQLITE_FLOAT:
            return values::formatReal(sqlite3_value_double(v));
        default:
            return std::string(textOf(v));
    }
}

// A date argument: a date text, or a number of days since 1900-01-01.
bool dateArg(sqlite3_context* ctx, sqlite3_value* v, DateTime& out) {
    int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        out =
            values::dateFromSerial(static_cast<std::int64_t>(std::floor(sqlite3_value_double(v))));
        return true;
    }
    auto d = values::parseDate(textOf(v));
    if (!d) {
        error(ctx, kDateError);
        return false;
    }
    out = *d;
    return true;
}

// ---- arithmetic ------------------------------------------------------------

// A number operand of + - * / %: a text meeting a number is converted to that
// number's type (int, or decimal for reals); false after reporting an error.
bool numberOperand(sqlite3_context* ctx, sqlite3_value* v, int otherType, bool& isInt,
                   std::int64_t& i, double& d) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            isInt = true;
            i = sqlite3_value_int64(v);
            d = static_cast<double>(i);
            return true;
        case SQLITE_FLOAT:
            isInt = false;
            d = sqlite3_value_double(v);
            return true;
        default:
            break;
    }
    std::string_view text = textOf(v);
    if (otherType == SQLITE_INTEGER) {
        auto n = values::parseInteger(text);
        if (!n) {
            error(ctx, conversionToInt(text));
            return false;
        }
        isInt = true;
        i = *n;
        d = static_cast<double>(*n);
        return true;
    }
    auto n = values::parseNumber(text, false);
    if (!n) {
        error(ctx, "Error converting data type varchar to numeric.");
        return false;
    }
    isInt = false;
    d = *n;
    return true;
}

struct Operands {
    bool aInt, bInt;
    std::int64_t ia, ib;
    double da, db;

    bool bothInt() const { return aInt && bInt; }
    std::optional<values::Decimal> a() const {
        return aInt ? values::decimalOf(ia) : values::decimalOf(da);
    }
    std::optional<values::Decimal> b() const {
        return bInt ? values::decimalOf(ib) : values::decimalOf(db);
    }
};

bool operands(sqlite3_context* ctx, sqlite3_value** argv, Operands& o) {
    int ta = sqlite3_value_type(argv[0]);
    int tb = sqlite3_value_type(argv[1]);
    o.aInt = o.bInt = false;
    o.ia = o.ib = 0;
    return numberOperand(ctx, argv[0], tb, o.aInt, o.ia, o.da) &&
           numberOperand(ctx, argv[1], ta, o.bInt, o.ib, o.db);
}

bool isTextValue(sqlite3_value* v) {
    int t = sqlite3_value_type(v);
    return t == SQLITE_TEXT || t == SQLITE_BLOB;
}

enum class Arithmetic { Add, Subtract, Multiply, Modulo };

const char* operatorName(Arithmetic op) {
    switch (op) {
        case Arithmetic::Add:
            return "add";
        case Arithmetic::Subtract:
            return "subtract";
        case Arithmetic::Multiply:
            return "multiply";
        case Arithmetic::Modulo:
            break;
    }
    return "modulo";
}

const char kIntOverflow[] = "Arithmetic overflow error converting expression to data type int.";

// + - * and % as SQL Server computes them: integers as integers (an overflow
// is an error, not a silent float); as soon as a decimal takes part, exactly
// on the decimals the operands stand for, handing back the double nearest
// to the exact result. Only a result beyond 38 digits falls back to binary
// arithmetic.
void arithmetic(sqlite3_context* ctx, sqlite3_value** argv, Arithmetic op) {
    if (anyNull(2, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    if (isTextValue(argv[0]) && isTextValue(argv[1])) {
        if (op == Arithmetic::Add) {
            std::string s(textOf(argv[0]));
            s += textOf(argv[1]);
            resultText(ctx, s);
        } else {
            error(ctx, std::string("The data types varchar and varchar are incompatible in the ") +
                           operatorName(op) + " operator.");
        }
        return;
    }
    Operands o;
    if (!operands(ctx, argv, o)) {
        return;
    }
    if (o.bothInt()) {
        std::int64_t r = 0;
        bool overflow = false;
        switch (op) {
            case Arithmetic::Add:
                overflow = __builtin_add_overflow(o.ia, o.ib, &r);
                break;
            case Arithmetic::Subtract:
                overflow = __builtin_sub_overflow(o.ia, o.ib, &r);
                break;
            case Arithmetic::Multiply:
                overflow = __builtin_mul_overflow(o.ia, o.ib, &r);
                break;
            case Arithmetic::Modulo:
                if (o.ib == 0) {
                    error(ctx, "Divide by zero error encountered.");
                    return;
                }
                // C++ truncates toward zero, as SQL Server does: -7%2 = -1.
                r = o.ib == -1 ? 0 : o.ia % o.ib;
                break;
        }
        if (overflow) {
            error(ctx, kIntOverflow);
        } else {
            sqlite3_result_int64(ctx, r);
        }
        return;
    }
    if (op == Arithmetic::Modulo && o.db == 0.0) {
        error(ctx, "Divide by zero error encountered.");
        return;
    }
    const auto a = o.a();
    const auto b = o.b();
    std::optional<values::Decimal> exact;
    if (a && b) {
        switch (op) {
            case Arithmetic::Add:
                exact = values::add(*a, *b);
                break;
            case Arithmetic::Subtract:
                exact = values::subtract(*a, *b);
                break;
            case Arithmetic::Multiply:
                exact = values::multiply(*a, *b);
                break;
            case Arithmetic::Modulo:
                exact = values::remainder(*a, *b);
                break;
        }
    }
    if (exact) {
        sqlite3_result_double(ctx, values::toDouble(*exact));
        return;
    }
    switch (op) {
        case Arithmetic::Add:
            sqlite3_result_double(ctx, o.da + o.db);
            break;
        case Arithmetic::Subtract:
            sqlite3_result_double(ctx, o.da - o.db);
            break;
        case Arithmetic::Multiply:
            sqlite3_result_double(ctx, o.da * o.db);
            break;
        case Arithmetic::Modulo:
            sqlite3_result_double(ctx, std::fmod(o.da, o.db));
            break;
    }
}

void tsqlAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
    arithmetic(ctx, argv, Arithmetic::Add);
}
void tsqlSubtract(sqlite3_context* ctx, int, sqlite3_value** argv) {
    arithmetic(ctx, argv, Arithmetic::Subtract);
}
void tsqlMultiply(sqlite3_context* ctx, int, sqlite3_value** argv) {
    arithmetic(ctx, argv, Arithmetic::Multiply);
}
void tsqlMod(sqlite3_context* ctx, int, sqlite3_value** argv) {
    arithmetic(ctx, argv, Arithmetic::Modulo);
}

// Division keeps binary arithmetic on purpose: money is REAL so that it
// divides as SQL Server divides decimals, to the digits a double holds.
void tsqlDiv(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    if (isTextValue(argv[0]) && isTextValue(argv[1])) {
        error(ctx, "The data types varchar and varchar are incompatible in the divide operator.");
        return;
    }
    Operands o;
    if (!operands(ctx, argv, o)) {
        return;
    }
    if (o.bothInt() ? o.ib == 0 : o.db == 0.0) {
        error(ctx, "Divide by zero error encountered.");
        return;
    }
    if (o.bothInt()) {
        // C++ truncates toward zero, as SQL Server does: -7/2 = -3.
        if (o.ia == INT64_MIN && o.ib == -1) {
            error(ctx, kIntOverflow);
            return;
        }
        sqlite3_result_int64(ctx, o.ia / o.ib);
    } else {
        sqlite3_result_double(ctx, o.da / o.db);
    }
}

// ---- conversions -------------------------------------------------------------

// convert(varchar(n), x) / convert(char(n), x): n < 0 means no limit. A text
// is cut to n characters; an integer that does not fit becomes "*" for
// varchar and char and an overflow for nvarchar and nchar; a decimal that does
// not fit is an overflow.
void toText(sqlite3_context* ctx, sqlite3_value** argv, bool pad, bool unicode) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    int n = sqlite3_value_int(argv[1]);
    std::string s = asText(argv[0]);
    int type = sqlite3_value_type(argv[0]);
    size_t chars = values::charCount(s);
    if (n >= 0 && chars > static_cast<size_t>(n)) {
        if (type == SQLITE_INTEGER && !unicode) {
            s = "*";
        } else if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            error(ctx, std::string("Arithmetic overflow error converting ") +
                           (type == SQLITE_INTEGER ? "expression" : "numeric") + " to data type " +
                           (unicode ? "nvarchar." : "varchar."));
            return;
        } else {
            s.resize(values::byteOffset(s, static_cast<size_t>(n)));
        }
        chars = values::charCount(s);
    }
    if (pad && n >= 0 && chars < static_cast<size_t>(n)) {
        s.append(static_cast<size_t>(n) - chars, ' ');
    }
    resultText(ctx, s);
}

void tsqlVarchar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toText(ctx, argv, false, false);
}
void tsqlChar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toText(ctx, argv, true, false);
}
void tsqlNvarchar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toText(ctx, argv, false, true);
}
void tsqlNchar(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toText(ctx, argv, true, true);
}

// convert(numeric(p, s), x): rounded half away from zero to s decimals.
void tsqlNumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    int precision = sqlite3_value_int(argv[1]);
    int scale = sqlite3_value_int(argv[2]);
    double x;
    const char* from = "numeric";
    if (type == SQLITE_INTEGER) {
        x = static_cast<double>(sqlite3_value_int64(argv[0]));
        from = "int";
    } else if (type == SQLITE_FLOAT) {
        x = sqlite3_value_double(argv[0]);
    } else {
        auto n = values::parseNumber(textOf(argv[0]), false);
        if (!n) {
            error(ctx, "Error converting data type varchar to numeric.");
            return;
        }
        x = *n;
        from = "varchar";
    }
    double r = values::roundDecimal(x, scale);
    if (std::fabs(r) >= std::pow(10.0, precision - scale)) {
        error(ctx, std::string("Arithmetic overflow error converting ") + from +
                       " to data type numeric.");
        return;
    }
    sqlite3_result_double(ctx, r);
}

void toInteger(sqlite3_context* ctx, sqlite3_value** argv, bool bigint) {
    int type = sqlite3_value_type(argv[0]);
    std::int64_t v;
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (type == SQLITE_INTEGER) {
        v = sqlite3_value_int64(argv[0]);
    } else if (type == SQLITE_FLOAT) {
        double d = std::trunc(sqlite3_value_double(argv[0]));
        if (!(std::fabs(d) < 9.2e18)) {
            error(ctx, "Arithmetic overflow error converting expression to data type int.");
            return;
        }
        v = static_cast<std::int64_t>(d);
    } else {
        auto n = values::parseInteger(textOf(argv[0]));
        if (!n) {
            error(ctx, conversionToInt(textOf(argv[0])));
            return;
        }
        v = *n;
    }
    if (!bigint && (v < INT32_MIN || v > INT32_MAX)) {
        error(ctx, "Arithmetic overflow error converting expression to data type int.");
        return;
    }
    sqlite3_result_int64(ctx, v);
}

void tsqlInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toInteger(ctx, argv, false);
}
void tsqlBigint(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toInteger(ctx, argv, true);
}

// A non-NULL value read as float, as SQL Server converts it; nullopt after reporting the
// conversion error on ctx.
std::optional<double> floatArg(sqlite3_context* ctx, sqlite3_value* value) {
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
        return sqlite3_value_double(value);
    if (auto n = values::parseNumber(textOf(value), true))
        return n;
    error(ctx, "Error converting data type varchar to float.");
    return std::nullopt;
}

void tsqlFloat(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
    } else if (auto x = floatArg(ctx, argv[0])) {
        sqlite3_result_double(ctx, *x);
    }
}

void toDate(sqlite3_context* ctx, sqlite3_value** argv, bool keepTime) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime d;
    if (!dateArg(ctx, argv[0], d)) {
        return;
    }
    if (!keepTime) {
        d.hasTime = false;
    }
    resultText(ctx, values::formatDate(d));
}

void tsqlDatetime(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toDate(ctx, argv, true);
}
void tsqlDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    toDate(ctx, argv, false);
}

// ---- text functions ------------------------------------------------------------

void leftOrRight(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool right) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    std::int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        error(ctx, std::string("Invalid length parameter passed to the ") +
                       (right ? "right" : "left") + " function.");
        return;
    }
    std::string s = asText(argv[0]);
    size_t chars = values::charCount(s);
    if (static_cast<size_t>(n) >= chars) {
        resultText(ctx, s);
    } else if (right) {
        resultText(ctx, std::string_view(s).substr(values::byteOffset(s, chars - n)));
    } else {
        resultText(ctx, std::string_view(s).substr(0, values::byteOffset(s, n)));
    }
}

void tsqlRight(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    leftOrRight(ctx, argc, argv, true);
}
void tsqlLeft(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    leftOrRight(ctx, argc, argv, false);
}

void tsqlLen(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string s = asText(argv[0]);
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(values::charCount(s)));
}

void tsqlSubstring(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    std::int64_t start = sqlite3_value_int64(argv[1]);
    std::int64_t length = sqlite3_value_int64(argv[2]);
    if (length < 0) {
        error(ctx, "Invalid length parameter passed to the substring function.");
        return;
    }
    std::string s = asText(argv[0]);
    auto chars = static_cast<std::int64_t>(values::charCount(s));
    // Characters start .. start+length-1, clipped to the text.
    std::int64_t first = std::max<std::int64_t>(start, 1);
    std::int64_t last = std::min<std::int64_t>(start + length - 1, chars);
    if (last < first) {
        resultText(ctx, "");
        return;
    }
    size_t from = values::byteOffset(s, static_cast<size_t>(first - 1));
    size_t to = values::byteOffset(s, static_cast<size_t>(last));
    resultText(ctx, std::string_view(s).substr(from, to - from));
}

void tsqlCharindex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string needle = asText(argv[0]);
    std::string hay = asText(argv[1]);
    std::int64_t start = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
    size_t from =
        values::byteOffset(hay, static_cast<size_t>(std::max<std::int64_t>(start, 1) - 1));
    size_t at = values::findCi(hay, needle, from);
    sqlite3_result_int64(ctx,
                         at == std::string_view::npos
                             ? 0
                             : static_cast<std::int64_t>(
                                   values::charCount(std::string_view(hay).substr(0, at)) + 1));
}

// replace() matches without regard to case, as under the default collation.
void tsqlReplace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string s = asText(argv[0]);
    std::string find = asText(argv[1]);
    std::string with = asText(argv[2]);
    if (find.empty()) {
        resultText(ctx, s);
        return;
    }
    std::string out;
    size_t pos = 0;
    for (;;) {
        size_t at = values::findCi(s, find, pos);
        if (at == std::string_view::npos) {
            break;
        }
        out.append(s, pos, at - pos);
        out += with;
        pos = at + find.size();
    }
    out.append(s, pos, std::string::npos);
    resultText(ctx, out);
}

void tsqlReplicate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv) || sqlite3_value_int64(argv[1]) < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string s = asText(argv[0]);
    std::int64_t n = sqlite3_value_int64(argv[1]);
    std::string out;
    out.reserve(s.size() * static_cast<size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        out += s;
    }
    resultText(ctx, out);
}

void tsqlSpace(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv) || sqlite3_value_int64(argv[0]) < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, std::string(static_cast<size_t>(sqlite3_value_int64(argv[0])), ' '));
}

// ---- numbers -----------------------------------------------------------------

// round(x, n[, f]) on an integer stays an integer; on a decimal it rounds
// half away from zero on the decimal digits; f <> 0 truncates.
void tsqlRound(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(2, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    int n = sqlite3_value_int(argv[1]);
    bool truncate =
        argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL && sqlite3_value_int(argv[2]) != 0;
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_INTEGER) {
        std::int64_t v = sqlite3_value_int64(argv[0]);
        if (n >= 0) {
            sqlite3_result_int64(ctx, v);
            return;
        }
        sqlite3_result_int64(ctx, static_cast<std::int64_t>(
                                      values::roundDecimal(static_cast<double>(v), n, truncate)));
        return;
    }
    if (auto x = floatArg(ctx, argv[0]))
        sqlite3_result_double(ctx, values::roundDecimal(*x, n, truncate));
}

void ceilingOrFloor(sqlite3_context* ctx, sqlite3_value** argv, bool ceiling) {
    int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (type == SQLITE_INTEGER) {
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    }
    if (auto x = floatArg(ctx, argv[0]))
        sqlite3_result_double(ctx, ceiling ? std::ceil(*x) : std::floor(*x));
}

void tsqlCeiling(sqlite3_context* ctx, int, sqlite3_value** argv) {
    ceilingOrFloor(ctx, argv, true);
}
void tsqlFloor(sqlite3_context* ctx, int, sqlite3_value** argv) {
    ceilingOrFloor(ctx, argv, false);
}

// ---- dates -------------------------------------------------------------------

template <int Field>
void datePartOf(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime d;
    if (!dateArg(ctx, argv[0], d)) {
        return;
    }
    sqlite3_result_int(ctx, Field == 0 ? d.year : (Field == 1 ? d.month : d.day));
}

void tsqlDatediff(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime a, b;
    if (!dateArg(ctx, argv[1], a) || !dateArg(ctx, argv[2], b)) {
        return;
    }
    auto n = values::dateDiff(textOf(argv[0]), a, b);
    if (!n) {
        error(ctx, "Invalid parameter 1 specified for datediff.");
        return;
    }
    sqlite3_result_int64(ctx, *n);
}

void tsqlDateadd(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime d;
    if (!dateArg(ctx, argv[2], d)) {
        return;
    }
    std::int64_t n;
    if (sqlite3_value_type(argv[1]) == SQLITE_TEXT) {
        auto parsed = values::parseInteger(textOf(argv[1]));
        if (!parsed) {
            error(ctx, conversionToInt(textOf(argv[1])));
            return;
        }
        n = *parsed;
    } else {
        n = static_cast<std::int64_t>(std::trunc(sqlite3_value_double(argv[1])));
    }
    auto r = values::dateAdd(textOf(argv[0]), n, d);
    if (!r) {
        error(ctx, "Adding a value to a 'datetime' column caused an overflow.");
        return;
    }
    resultText(ctx, values::formatDate(*r));
}

void tsqlDatepart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    DateTime d;
    if (!dateArg(ctx, argv[1], d)) {
        return;
    }
    auto n = values::datePart(textOf(argv[0]), d);
    if (!n) {
        error(ctx, "Invalid parameter 1 specified for datepart.");
        return;
    }
    sqlite3_result_int64(ctx, *n);
}

void tsqlGetdate(sqlite3_context* ctx, int, sqlite3_value**) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    resultText(ctx, buf);
}

// ---- sum and avg ---------------------------------------------------------------

// SQL Server's sum of integers is an integer and its sum of decimals an exact
// decimal; its avg of integers is an integer (truncated) and of decimals the
// exact sum divided by the count. SQLite's sum adds doubles, its avg always
// gives a real, hence these aggregates. A text is SQL Server's error.
// SQLite's aggregate memory is aligned to 8 bytes only and may be moved
// between steps, while the 128-bit digits of the sum want 16: the state is
// kept as bytes and copied out and back.
struct SumState {
    bool started;
    unsigned char bytes[sizeof(values::DecimalSum)];
};

values::DecimalSum load(const SumState& st) {
    values::DecimalSum sum;
    if (st.started) {
        std::memcpy(static_cast<void*>(&sum), st.bytes, sizeof sum);
    }
    return sum;
}

void sumStep(sqlite3_context* ctx, sqlite3_value** argv, const char* name) {
    auto* st = static_cast<SumState*>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (!st) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    values::DecimalSum sum = load(*st);
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            return;
        case SQLITE_INTEGER:
            sum.add(static_cast<std::int64_t>(sqlite3_value_int64(argv[0])));
            break;
        case SQLITE_FLOAT:
            sum.add(sqlite3_value_double(argv[0]));
            break;
        default:
            error(ctx, std::string("Operand data type varchar is invalid for ") + name +
                           " operator.");
            return;
    }
    std::memcpy(st->bytes, static_cast<const void*>(&sum), sizeof sum);
    st->started = true;
}

void tsqlSumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sumStep(ctx, argv, "sum");
}
void avgStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sumStep(ctx, argv, "avg");
}

// The total of a group; empty when it met no row (or only NULLs).
std::optional<values::DecimalSum> finalSum(sqlite3_context* ctx) {
    auto* st = static_cast<SumState*>(sqlite3_aggregate_context(ctx, 0));
    if (!st || !st->started) {
        return std::nullopt;
    }
    return load(*st);
}

void tsqlSumFinal(sqlite3_context* ctx) {
    const auto sum = finalSum(ctx);
    std::int64_t total;
    if (!sum) {
        sqlite3_result_null(ctx);
    } else if (!sum->isInteger()) {
        sqlite3_result_double(ctx, sum->real());
    } else if (sum->integer(total)) {
        sqlite3_result_int64(ctx, total);
    } else {
        error(ctx, kIntOverflow);
    }
}

void avgFinal(sqlite3_context* ctx) {
    const auto sum = finalSum(ctx);
    std::int64_t total;
    if (!sum) {
        sqlite3_result_null(ctx);
    } else if (!sum->isInteger()) {
        sqlite3_result_double(ctx, sum->mean());
    } else if (sum->integer(total)) {
        sqlite3_result_int64(ctx, total / sum->count());
    } else {
        error(ctx, kIntOverflow);
    }
}

// ---- like ----------------------------------------------------------------------

void tsqlLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, values::likeMatch(asText(argv[0]), asText(argv[1])) ? 1 : 0);
}

int collateCi(void*, int na, const void* a, int nb, const void* b) {
    return values::compareCi({static_cast<const char*>(a), static_cast<size_t>(na)},
                             {static_cast<const char*>(b), static_cast<size_t>(nb)});
}

// ---- the table of registrations ------------------------------------------------

using ScalarFn = void (*)(sqlite3_context*, int, sqlite3_value**);

struct ScalarRow {
    const char* name;
    int args;  // -1: any
    ScalarFn fn;
    bool deterministic;
};

constexpr ScalarRow kScalars[] = {
    {"tsql_add", 2, tsqlAdd, true},
    {"tsql_sub", 2, tsqlSubtract, true},
    {"tsql_mul", 2, tsqlMultiply, true},
    {"tsql_div", 2, tsqlDiv, true},
    {"tsql_mod", 2, tsqlMod, true},
    {"tsql_like", 2, tsqlLike, true},
    {"tsql_varchar", 2, tsqlVarchar, true},
    {"tsql_char", 2, tsqlChar, true},
    {"tsql_nvarchar", 2, tsqlNvarchar, true},
    {"tsql_nchar", 2, tsqlNchar, true},
    {"tsql_numeric", 3, tsqlNumeric, true},
    {"tsql_int", 1, tsqlInt, true},
    {"tsql_bigint", 1, tsqlBigint, true},
    {"tsql_float", 1, tsqlFloat, true},
    {"tsql_datetime", 1, tsqlDatetime, true},
    {"tsql_date", 1, tsqlDate, true},
    {"tsql_right", 2, tsqlRight, true},
    {"tsql_left", 2, tsqlLeft, true},
    {"tsql_len", 1, tsqlLen, true},
    {"tsql_substring", 3, tsqlSubstring, true},
    {"tsql_charindex", 2, tsqlCharindex, true},
    {"tsql_charindex", 3, tsqlCharindex, true},
    {"tsql_replace", 3, tsqlReplace, true},
    {"tsql_replicate", 2, tsqlReplicate, true},
    {"tsql_space", 1, tsqlSpace, true},
    {"tsql_round", 2, tsqlRound, true},
    {"tsql_round", 3, tsqlRound, true},
    {"tsql_ceiling", 1, tsqlCeiling, true},
    {"tsql_floor", 1, tsqlFloor, true},
    {"tsql_year", 1, datePartOf<0>, true},
    {"tsql_month", 1, datePartOf<1>, true},
    {"tsql_day", 1, datePartOf<2>, true},
    {"tsql_datediff", 3, tsqlDatediff, true},
    {"tsql_dateadd", 3, tsqlDateadd, true},
    {"tsql_datepart", 2, tsqlDatepart, true},
    {"tsql_getdate", 0, tsqlGetdate, false},
};

}  // namespace

// Bits of SQLite's optimisation mask (sqliteInt.h): SQLITE_BloomFilter and
// SQLITE_BloomPulldown.
constexpr int kBloomFilterOptimisations = 0x00080000 | 0x00100000;

int registerSqliteFunctionsRc(sqlite3* db) {
    // The Bloom filter SQLite puts in front of an automatic index hashes a
    // text by its length, so texts equal under tsql_ci but of different
    // length ('A02' and 'a02 ') would never meet in a join. Switch it off.
    sqlite3_test_control(SQLITE_TESTCTRL_OPTIMIZATIONS, db, kBloomFilterOptimisations);
    int rc = sqlite3_create_collation_v2(db, "tsql_ci", SQLITE_UTF8, nullptr, collateCi, nullptr);
    for (const ScalarRow& row : kScalars) {
        if (rc != SQLITE_OK) {
            return rc;
        }
        int flags = SQLITE_UTF8 | (row.deterministic ? SQLITE_DETERMINISTIC : 0);
        rc = sqlite3_create_function_v2(db, row.name, row.args, flags, nullptr, row.fn, nullptr,
                                        nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_function_v2(db, "tsql_avg", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                        nullptr, nullptr, avgStep, avgFinal, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_function_v2(db, "tsql_sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                        nullptr, nullptr, tsqlSumStep, tsqlSumFinal, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = registerMonthDayTable(db);
    }
    return rc;
}

void registerSqliteFunctions(sqlite3* db) {
    int rc = registerSqliteFunctionsRc(db);
    if (rc != SQLITE_OK) {
        throw std::runtime_error(std::string("registering the T-SQL functions failed: ") +
                                 sqlite3_errmsg(db));
    }
}

}  // namespace morvane::tsql
