#pragma once

// The translator's tables: how each T-SQL function, convert/cast target
// type, date part and table-valued function is printed for SQLite. Adding a
// function means adding a row here (and, for a tsql_* helper, its
// implementation in SqliteFunctions.cpp).

#include <string_view>

namespace morvane::tsql {

// Static result type of an expression as far as the printer can tell. Real
// is a decimal (exact + - * and sum), Float SQL Server's binary float.
enum class SqlType { Unknown, Null, Text, Int, Real, Float };

// How a function's result type is found.
enum class ResultRule {
    Text,
    Int,
    Real,
    Unknown,
    FirstArg,    // the type of the first argument (isnull, abs, sum, min, max)
    NumericArg,  // Int for Int arguments, Real for Real, else Unknown (round)
};

struct FunctionRule {
    std::string_view tsqlName;  // lower case
    int minArgs;
    int maxArgs;                  // -1: any number
    std::string_view sqliteName;  // printed as sqliteName(arg, ...)
    ResultRule result;
    bool aggregate;  // accepts DISTINCT and * (count)
};

// How convert(type, x) / cast(x as type) is printed: sqliteName(x[, length
// or precision and scale]).
enum class TypeArgs {
    None,       // tsql_float(x)
    Length,     // tsql_varchar(x, n); n = 30 when not given, -1 for max
    Precision,  // tsql_numeric(x, p, s); (18, 0) when not given
    Money,      // tsql_numeric(x, 19, 4)
};

struct TypeRule {
    std::string_view tsqlName;
    std::string_view sqliteName;
    TypeArgs args;
    SqlType result;
};

struct DatePartRule {
    std::string_view tsqlName;   // as written: day, dd, d, ...
    std::string_view canonical;  // passed to tsql_datediff / tsql_dateadd / tsql_datepart
};

enum class TableFunctionKind {
    VirtualTable,  // printed as sqliteName(args)
    View,          // printed as "sqliteName"; the argument is dropped
};

struct TableFunctionRule {
    std::string_view tsqlName;
    std::string_view sqliteName;
    TableFunctionKind kind;
    int args;
};

const FunctionRule* findFunction(std::string_view lowerName);
const TypeRule* findType(std::string_view lowerName);
const DatePartRule* findDatePart(std::string_view lowerName);
const TableFunctionRule* findTableFunction(std::string_view lowerName);

}  // namespace morvane::tsql
