#pragma once

// Syntax tree of the T-SQL subset the report statements use. The parser builds
// it, the printer walks it; nodes own their children through unique_ptr.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/tsql/TranslationError.h"

namespace morvane::tsql {

struct Query;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;
using QueryPtr = std::unique_ptr<Query>;

// A target type of convert/cast: name in lower case, optional length or
// precision and scale (-1 when absent; `max` is length -2).
struct TypeSpec {
    std::string name;
    int length = -1;
    int scale = -1;
    SourcePos pos;
};

enum class ExprKind {
    StringLit,  // text: the value
    NumberLit,  // text: as written; isInteger
    NullLit,
    Column,            // parts: qualifier(s) and name, dbo. already dropped
    Star,              // parts: optional qualifier
    Unary,             // op: "-", "+", "not"; args[0]
    Binary,            // op: + - * / % = <> < > <= >= and or; args[0], args[1]
    Function,          // name (lower case); args; distinct for aggregates; star for count(*)
    DatePartFunction,  // name (datediff/dateadd/datepart); datePart; args
    Convert,           // type; args[0]; from convert() or cast()
    Case,              // args: [operand?] when/then pairs, [else]; hasOperand, hasElse
    InList,            // args[0] IN (args[1..]); negated
    InQuery,           // args[0] IN (sub); negated
    Between,           // args[0] BETWEEN args[1] AND args[2]; negated
    Like,              // args[0] LIKE args[1]; negated
    IsNull,            // args[0] IS [NOT] NULL; negated
    Exists,            // EXISTS (sub); negated
    Subquery,          // (sub)
};

struct Expr {
    ExprKind kind;
    SourcePos pos;
    std::string text;  // literal value, operator, function name, date part
    std::vector<std::string> parts;
    std::vector<ExprPtr> args;
    QueryPtr sub;
    TypeSpec type;
    bool isInteger = false;
    bool negated = false;
    bool distinct = false;
    bool star = false;
    bool hasOperand = false;
    bool hasElse = false;
};

struct SelectItem {
    ExprPtr expr;
    std::optional<std::string> alias;
};

enum class TableKind { Table, Derived, Function, Join };
enum class JoinKind { Comma, Inner, Left, Right, Full, Cross };

struct TableRef {
    TableKind kind = TableKind::Table;
    SourcePos pos;
    std::string name;           // table or view name, or function name (lower case)
    std::vector<ExprPtr> args;  // function arguments
    QueryPtr sub;               // derived table
    std::optional<std::string> alias;
    // Join: left and right operands and the ON condition.
    JoinKind join = JoinKind::Inner;
    std::unique_ptr<TableRef> left;
    std::unique_ptr<TableRef> right;
    ExprPtr on;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    SourcePos pos;
    bool distinct = false;
    ExprPtr top;
    std::vector<SelectItem> items;
    std::unique_ptr<TableRef> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;
};

// A select or a chain of selects joined by union / union all. The ORDER BY
// written after the last branch orders the whole chain.
struct Query {
    std::vector<Select> branches;
    std::vector<bool> unionAll;  // between branch i and i+1
    std::vector<OrderItem> orderBy;
};

enum class StatementKind { Select, Insert, Update, Delete, NoOp };

struct Assignment {
    std::vector<std::string> column;
    ExprPtr value;
};

struct Statement {
    StatementKind kind = StatementKind::NoOp;
    QueryPtr query;                               // Select, and Insert ... select
    std::string table;                            // Insert, Update, Delete
    std::vector<std::string> columns;             // Insert
    std::vector<std::vector<ExprPtr>> valueRows;  // Insert ... values
    std::vector<Assignment> assignments;          // Update
    ExprPtr where;                                // Update, Delete
};

}  // namespace morvane::tsql
