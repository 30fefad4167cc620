#include "platform/tsql/FunctionMap.h"

#include <algorithm>
#include <array>

namespace morvane::tsql {

namespace {

// T-SQL scalar and aggregate functions. Where SQLite's built-in gives the
// same result it is used; otherwise a tsql_* helper reproduces SQL Server.
constexpr std::array kFunctions = {
    //            name        min max sqlite name        result                 aggregate
    FunctionRule{"abs", 1, 1, "abs", ResultRule::FirstArg, false},
    FunctionRule{"avg", 1, 1, "tsql_avg", ResultRule::FirstArg, true},
    FunctionRule{"ceiling", 1, 1, "tsql_ceiling", ResultRule::NumericArg, false},
    FunctionRule{"charindex", 2, 3, "tsql_charindex", ResultRule::Int, false},
    FunctionRule{"coalesce", 2, -1, "coalesce", ResultRule::FirstArg, false},
    FunctionRule{"count", 0, 1, "count", ResultRule::Int, true},
    FunctionRule{"day", 1, 1, "tsql_day", ResultRule::Int, false},
    FunctionRule{"floor", 1, 1, "tsql_floor", ResultRule::NumericArg, false},
    FunctionRule{"getdate", 0, 0, "tsql_getdate", ResultRule::Text, false},
    FunctionRule{"isnull", 2, 2, "ifnull", ResultRule::FirstArg, false},
    FunctionRule{"left", 2, 2, "tsql_left", ResultRule::Text, false},
    FunctionRule{"len", 1, 1, "tsql_len", ResultRule::Int, false},
    FunctionRule{"lower", 1, 1, "lower", ResultRule::Text, false},
    FunctionRule{"ltrim", 1, 1, "ltrim", ResultRule::Text, false},
    FunctionRule{"max", 1, 1, "max", ResultRule::FirstArg, true},
    FunctionRule{"min", 1, 1, "min", ResultRule::FirstArg, true},
    FunctionRule{"month", 1, 1, "tsql_month", ResultRule::Int, false},
    FunctionRule{"nullif", 2, 2, "nullif", ResultRule::FirstArg, false},
    FunctionRule{"replace", 3, 3, "tsql_replace", ResultRule::Text, false},
    FunctionRule{"replicate", 2, 2, "tsql_replicate", ResultRule::Text, false},
    FunctionRule{"right", 2, 2, "tsql_right", ResultRule::Text, false},
    FunctionRule{"round", 2, 3, "tsql_round", ResultRule::NumericArg, false},
    FunctionRule{"rtrim", 1, 1, "rtrim", ResultRule::Text, false},
    FunctionRule{"space", 1, 1, "tsql_space", ResultRule::Text, false},
    FunctionRule{"substring", 3, 3, "tsql_substring", ResultRule::Text, false},
    FunctionRule{"sum", 1, 1, "tsql_sum", ResultRule::FirstArg, true},
    FunctionRule{"upper", 1, 1, "upper", ResultRule::Text, false},
    FunctionRule{"year", 1, 1, "tsql_year", ResultRule::Int, false},
};

constexpr std::array kTypes = {
    TypeRule{"bigint", "tsql_bigint", TypeArgs::None, SqlType::Int},
    TypeRule{"char", "tsql_char", TypeArgs::Length, SqlType::Text},
    TypeRule{"date", "tsql_date", TypeArgs::None, SqlType::Text},
    TypeRule{"datetime", "tsql_datetime", TypeArgs::None, SqlType::Text},
    TypeRule{"decimal", "tsql_numeric", TypeArgs::Precision, SqlType::Real},
    TypeRule{"float", "tsql_float", TypeArgs::None, SqlType::Float},
    TypeRule{"int", "tsql_int", TypeArgs::None, SqlType::Int},
    TypeRule{"money", "tsql_numeric", TypeArgs::Money, SqlType::Real},
    TypeRule{"nchar", "tsql_nchar", TypeArgs::Length, SqlType::Text},
    TypeRule{"numeric", "tsql_numeric", TypeArgs::Precision, SqlType::Real},
    TypeRule{"nvarchar", "tsql_nvarchar", TypeArgs::Length, SqlType::Text},
    TypeRule{"real", "tsql_float", TypeArgs::None, SqlType::Float},
    TypeRule{"smalldatetime", "tsql_datetime", TypeArgs::None, SqlType::Text},
    TypeRule{"varchar", "tsql_varchar", TypeArgs::Length, SqlType::Text},
};

constexpr std::array kDateParts = {
    DatePartRule{"d", "day"},      DatePartRule{"day", "day"},
    DatePartRule{"dd", "day"},     DatePartRule{"hh", "hour"},
    DatePartRule{"hour", "hour"},  DatePartRule{"m", "month"},
    DatePartRule{"mi", "minute"},  DatePartRule{"minute", "minute"},
    DatePartRule{"mm", "month"},   DatePartRule{"month", "month"},
    DatePartRule{"n", "minute"},   DatePartRule{"q", "quarter"},
    DatePartRule{"qq", "quarter"}, DatePartRule{"quarter", "quarter"},
    DatePartRule{"s", "second"},   DatePartRule{"second", "second"},
    DatePartRule{"ss", "second"},  DatePartRule{"week", "week"},
    DatePartRule{"wk", "week"},    DatePartRule{"ww", "week"},
    DatePartRule{"year", "year"},  DatePartRule{"yy", "year"},
    DatePartRule{"yyyy", "year"},
};

constexpr std::array kTableFunctions = {
    TableFunctionRule{"fn_checkclient", "fn_checkclient", TableFunctionKind::View, 1},
    TableFunctionRule{"fn_checkgoods", "fn_checkgoods", TableFunctionKind::View, 1},
    TableFunctionRule{"fn_checkhouse", "fn_checkhouse", TableFunctionKind::View, 1},
    TableFunctionRule{"fn_checksupplier", "fn_checksupplier", TableFunctionKind::View, 1},
    TableFunctionRule{"fn_monthday", "fn_monthday", TableFunctionKind::VirtualTable, 1},
};

template <typename Row, size_t N>
constexpr bool sortedByName(const std::array<Row, N>& table) {
    return std::is_sorted(table.begin(), table.end(),
                          [](const Row& a, const Row& b) { return a.tsqlName < b.tsqlName; });
}
static_assert(sortedByName(kFunctions));
static_assert(sortedByName(kTypes));
static_assert(sortedByName(kDateParts));
static_assert(sortedByName(kTableFunctions));

// Rows are sorted by name, so a binary search finds one.
template <typename Row, size_t N>
const Row* lookup(const std::array<Row, N>& table, std::string_view name) {
    auto it = std::lower_bound(table.begin(), table.end(), name,
                               [](const Row& r, std::string_view n) { return r.tsqlName < n; });
    return it != table.end() && it->tsqlName == name ? &*it : nullptr;
}

}  // namespace

const FunctionRule* findFunction(std::string_view lowerName) {
    return lookup(kFunctions, lowerName);
}
const TypeRule* findType(std::string_view lowerName) {
    return lookup(kTypes, lowerName);
}
const DatePartRule* findDatePart(std::string_view lowerName) {
    return lookup(kDateParts, lowerName);
}
const TableFunctionRule* findTableFunction(std::string_view lowerName) {
    return lookup(kTableFunctions, lowerName);
}

}  // namespace morvane::tsql
