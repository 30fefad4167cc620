#include "platform/tsql/Printer.h"

#include <sqlite3.h>

#include "platform/tsql/FunctionMap.h"

namespace morvane::tsql {

namespace {

// Binding strength of printed SQLite operators, loosest first.
enum Prec : int {
    kOr = 10,
    kAnd = 20,
    kNot = 30,
    kEquality = 45,  // = <> IN LIKE BETWEEN IS
    kCompare = 50,   // < > <= >=
    kAdd = 60,
    kMul = 70,
    kConcat = 80,
    kUnary = 90,
    kCollate = 95,
    kAtom = 100,
};

struct Out {
    std::string sql;
    int prec = kAtom;
    SqlType type = SqlType::Unknown;
    // How another value is converted to this expression's type, when the
    // type is that of a convert/cast or an int: castFn(value castArgs).
    std::string castFn;
    std::string castArgs;
};

void appendQuoted(std::string& out, std::string_view name) {
    out.push_back('"');
    for (char c : name) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

std::string quoted(std::string_view name) {
    std::string s;
    appendQuoted(s, name);
    return s;
}

std::string literal(std::string_view value) {
    std::string s;
    s.reserve(value.size() + 2);
    s.push_back('\'');
    for (char c : value) {
        if (c == '\'') {
            s.push_back('\'');
        }
        s.push_back(c);
    }
    s.push_back('\'');
    return s;
}

bool isNumeric(SqlType t) {
    return t == SqlType::Int || t == SqlType::Real || t == SqlType::Float;
}

bool isTextOrNull(SqlType t) {
    return t == SqlType::Text || t == SqlType::Null;
}

SqlType arithmeticType(SqlType a, SqlType b) {
    if (a == SqlType::Int && b == SqlType::Int) {
        return SqlType::Int;
    }
    if (isNumeric(a) && isNumeric(b)) {
        return a == SqlType::Float || b == SqlType::Float ? SqlType::Float : SqlType::Real;
    }
    if (a == SqlType::Null || b == SqlType::Null) {
        return isNumeric(a) ? a : (isNumeric(b) ? b : SqlType::Unknown);
    }
    return SqlType::Unknown;
}

// SQL Server's data type precedence among the types the printer tells apart:
// a lower one converts to a higher one where both meet (union, case).
int precedence(SqlType t) {
    switch (t) {
        case SqlType::Text:
            return 1;
        case SqlType::Int:
            return 2;
        case SqlType::Real:
            return 3;
        case SqlType::Float:
            return 4;
        default:
            return 0;
    }
}

// Where SQLite's own operator already gives SQL Server's result: integers
// (exact), floats (binary on both sides) and a NULL operand (NULL).
bool nativeArithmetic(SqlType a, SqlType b) {
    return (a == SqlType::Int && b == SqlType::Int) || a == SqlType::Float ||
           b == SqlType::Float || a == SqlType::Null || b == SqlType::Null;
}

class Printer {
  public:
    std::string statement(const Statement& st) {
        switch (st.kind) {
            case StatementKind::NoOp:
                return "PRAGMA tsql_noop";
            case StatementKind::Select:
                return query(*st.query, true);
            case StatementKind::Insert:
                return insert(st);
            case StatementKind::Update:
                return update(st);
            case StatementKind::Delete: {
                std::string s = "DELETE FROM " + quoted(st.table);
                if (st.where) {
                    s += " WHERE " + expr(*st.where).sql;
                }
                return s;
            }
        }
        return {};
    }

  private:
    std::string insert(const Statement& st) {
        std::string s = "INSERT INTO " + quoted(st.table);
        if (!st.columns.empty()) {
            s += " (";
            for (size_t i = 0; i < st.columns.size(); ++i) {
                s += (i ? ", " : "") + quoted(st.columns[i]);
            }
            s += ")";
        }
        if (st.query) {
            return s + " " + query(*st.query, false);
        }
        s += " VALUES ";
        for (size_t r = 0; r < st.valueRows.size(); ++r) {
            s += r ? ", (" : "(";
            for (size_t i = 0; i < st.valueRows[r].size(); ++i) {
                s += (i ? ", " : "") + expr(*st.valueRows[r][i]).sql;
            }
            s += ")";
        }
        return s;
    }

    std::string update(const Statement& st) {
        std::string s = "UPDATE " + quoted(st.table) + " SET ";
        for (size_t i = 0; i < st.assignments.size(); ++i) {
            const Assignment& a = st.assignments[i];
            s += (i ? ", " : "") + quoted(a.column.back()) + " = " + expr(*a.value).sql;
        }
        if (st.where) {
            s += " WHERE " + expr(*st.where).sql;
        }
        return s;
    }

    // ---- queries ---------------------------------------------------------

    std::string query(const Query& q, bool outermost) {
        std::vector<std::vector<Out>> items;
        items.reserve(q.branches.size());
        for (const Select& b : q.branches) {
            items.push_back(selectItems(b));
        }
        if (q.branches.size() == 1) {
            const Select& sel = q.branches[0];
            std::string s = selectCore(sel, outermost, items[0], !outermost || sel.distinct);
            s += orderBy(q.orderBy, sel, items[0]);
            s += limit(sel);
            return s;
        }
        unionTypes(q, items);
        std::string s;
        for (size_t i = 0; i < q.branches.size(); ++i) {
            const Select& b = q.branches[i];
            if (i > 0) {
                s += q.unionAll[i - 1] ? " UNION ALL " : " UNION ";
            }
            // SQLite allows ORDER BY and LIMIT only after the last branch; a
            // branch with its own TOP becomes a derived table.
            std::string core = selectCore(b, outermost && i == 0, items[i], true);
            if (b.top || !b.orderBy.empty()) {
                s += "SELECT * FROM (" + core + orderBy(b.orderBy, b, items[i]) + limit(b) + ")";
            } else {
                s += core;
            }
        }
        s += orderBy(q.orderBy, q.branches[0], items[0]);
        return s;
    }

    // A union's column takes the type of highest precedence over all its
    // branches, as on SQL Server: 7 union all 1.5 makes 7 a decimal (7.0),
    // so that dividing the column divides decimals. Columns whose type some
    // branch leaves unknown (a table column) keep their values.
    void unionTypes(const Query& q, std::vector<std::vector<Out>>& items) {
        const size_t columns = items[0].size();
        for (size_t i = 0; i < q.branches.size(); ++i) {
            if (items[i].size() != columns) {
                return;
            }
            for (const SelectItem& item : q.branches[i].items) {
                if (item.expr->kind == ExprKind::Star) {
                    return;
                }
            }
        }
        for (size_t c = 0; c < columns; ++c) {
            SqlType type = SqlType::Null;
            bool known = true;
            for (const auto& branch : items) {
                const SqlType t = branch[c].type;
                known = known && t != SqlType::Unknown;
                if (precedence(t) > precedence(type)) {
                    type = t;
                }
            }
            if (!known || !isNumeric(type)) {
                continue;
            }
            const Out target = make("", kAtom, type);
            for (auto& branch : items) {
                if (branch[c].type != type) {
                    branch[c].sql = convertedTo(target, branch[c]);
                    branch[c].prec = kAtom;
                    branch[c].type = type;
                }
            }
        }
    }

    std::string limit(const Select& s) {
        return s.top ? " LIMIT " + wrap(expr(*s.top), kAtom) : std::string();
    }

    // The select item an ORDER BY term names by alias or by number, if any.
    static const SelectItem* orderedItem(const Expr& e, const Select& sel, size_t& index) {
        if (e.kind == ExprKind::NumberLit && e.isInteger && e.text.size() < 6) {
            const size_t n = std::stoul(e.text);
            if (n >= 1 && n <= sel.items.size()) {
                index = n - 1;
                return &sel.items[index];
            }
            return nullptr;
        }
        if (e.kind != ExprKind::Column || e.parts.size() != 1) {
            return nullptr;
        }
        for (size_t i = 0; i < sel.items.size(); ++i) {
            if (sel.items[i].alias && *sel.items[i].alias == e.parts[0]) {
                index = i;
                return &sel.items[i];
            }
        }
        return nullptr;
    }

    std::string orderBy(const std::vector<OrderItem>& items, const Select& sel,
                        const std::vector<Out>& selected) {
        if (items.empty()) {
            return {};
        }
        std::string s = " ORDER BY ";
        for (size_t i = 0; i < items.size(); ++i) {
            const Expr& e = *items[i].expr;
            Out o = expr(e);
            size_t index = 0;
            const SelectItem* named = orderedItem(e, sel, index);
            const bool text = named ? index < selected.size() &&
                                          comparedWithoutColumn(*named->expr, selected[index])
                                    : comparedWithoutColumn(e, o);
            s += (i ? ", " : "") + (text ? collated(o) : o.sql);
            if (items[i].descending) {
                s += " DESC";
            }
        }
        return s;
    }

    static std::string resultName(const SelectItem& item) {
        if (item.alias) {
            return *item.alias;
        }
        if (item.expr->kind == ExprKind::Column) {
            return item.expr->parts.back();
        }
        return {};
    }

    std::vector<Out> selectItems(const Select& sel) {
        std::vector<Out> outs;
        outs.reserve(sel.items.size());
        for (const SelectItem& item : sel.items) {
            outs.push_back(expr(*item.expr));
        }
        return outs;
    }

    // `compared`: the rows of this select are compared after it (a derived
    // table, a subquery, a union branch, distinct), so its texts that come
    // from no column carry the collation into those comparisons.
    std::string selectCore(const Select& sel, bool outermost, const std::vector<Out>& items,
                           bool compared) {
        std::string s = sel.distinct ? "SELECT DISTINCT " : "SELECT ";
        for (size_t i = 0; i < sel.items.size(); ++i) {
            const SelectItem& item = sel.items[i];
            if (i) {
                s += ", ";
            }
            s += compared && comparedWithoutColumn(*item.expr, items[i]) ? collated(items[i])
                                                                          : items[i].sql;
            if (item.expr->kind == ExprKind::Star) {
                continue;
            }
            if (item.alias || outermost) {
                s += " AS ";
                appendQuoted(s, resultName(item));
            }
        }
        if (sel.from) {
            s += " FROM " + table(*sel.from);
        }
        if (sel.where) {
            s += " WHERE " + expr(*sel.where).sql;
        }
        if (!sel.groupBy.empty()) {
            s += " GROUP BY ";
            for (size_t i = 0; i < sel.groupBy.size(); ++i) {
                Out g = expr(*sel.groupBy[i]);
                s += (i ? ", " : "") +
                     (comparedWithoutColumn(*sel.groupBy[i], g) ? collated(g) : g.sql);
            }
        }
        if (sel.having) {
            s += " HAVING " + expr(*sel.having).sql;
        }
        return s;
    }

    std::string alias(const TableRef& t) {
        return t.alias ? " AS " + quoted(*t.alias) : std::string();
    }

    std::string table(const TableRef& t) {
        switch (t.kind) {
            case TableKind::Table:
                return quoted(t.name) + alias(t);
            case TableKind::Derived:
                return "(" + query(*t.sub, false) + ")" + alias(t);
            case TableKind::Function:
                return tableFunction(t);
            case TableKind::Join:
                break;
        }
        std::string s = table(*t.left);
        switch (t.join) {
            case JoinKind::Comma:
                s += ", ";
                break;
            case JoinKind::Inner:
            case JoinKind::Cross:
                s += " JOIN ";
                break;
            case JoinKind::Left:
                s += " LEFT JOIN ";
                break;
            case JoinKind::Right:
                requireOuterJoins(t, "right join");
                s += " RIGHT JOIN ";
                break;
            case JoinKind::Full:
                requireOuterJoins(t, "full join");
                s += " FULL JOIN ";
                break;
        }
        s += table(*t.right);
        if (t.on) {
            s += " ON " + expr(*t.on).sql;
        }
        return s;
    }

    // RIGHT and FULL JOIN exist in SQLite from 3.39 on; the translation runs
    // on the library it links, so an older one refuses them here rather
    // than failing later with a syntax error.
    static void requireOuterJoins(const TableRef& t, const char* what) {
        if (sqlite3_libversion_number() < 3039000) {
            throw TranslationError("unsupported construct (SQLite before 3.39)", what, t.pos);
        }
    }

    std::string tableFunction(const TableRef& t) {
        const TableFunctionRule* rule = findTableFunction(t.name);
        if (!rule) {
            throw TranslationError("unsupported table function", t.name, t.pos);
        }
        if (static_cast<int>(t.args.size()) != rule->args) {
            throw TranslationError("wrong number of arguments for", t.name, t.pos);
        }
        if (rule->kind == TableFunctionKind::View) {
            return quoted(rule->sqliteName) + alias(t);
        }
        std::string s(rule->sqliteName);
        s += "(";
        for (size_t i = 0; i < t.args.size(); ++i) {
            s += (i ? ", " : "") + expr(*t.args[i]).sql;
        }
        return s + ")" + alias(t);
    }

    // ---- expressions -----------------------------------------------------

    static std::string wrap(const Out& o, int minPrec) {
        return o.prec < minPrec ? "(" + o.sql + ")" : o.sql;
    }

    static Out make(std::string sql, int prec, SqlType type) {
        Out o;
        o.sql = std::move(sql);
        o.prec = prec;
        o.type = type;
        return o;
    }

    static Out call(std::string_view fn, std::initializer_list<std::string> args, SqlType type) {
        std::string s(fn);
        s += "(";
        bool first = true;
        for (const auto& a : args) {
            if (!first) {
                s += ", ";
            }
            s += a;
            first = false;
        }
        s += ")";
        return make(std::move(s), kAtom, type);
    }

    // SQL Server compares texts without regard to case or trailing blanks.
    // Columns of the schema carry the collation tsql_ci themselves; an
    // operand pair without a column gets it explicitly.
    static std::string collated(const Out& o) { return wrap(o, kCollate) + " COLLATE tsql_ci"; }

    static bool needsCollation(const Expr& a, const Out& oa, const Expr* b, const Out* ob) {
        if (a.kind == ExprKind::Column || isNumeric(oa.type)) {
            return false;
        }
        if (b && (b->kind == ExprKind::Column || isNumeric(ob->type))) {
            return false;
        }
        return true;
    }

    // A text that comes from no table column: its comparisons (joins,
    // grouping, ordering, distinct, union) need the collation spelt out,
    // since SQLite would compare its bytes.
    static bool comparedWithoutColumn(const Expr& e, const Out& o) {
        return e.kind != ExprKind::Column && o.type == SqlType::Text;
    }

    Out expr(const Expr& e) {
        switch (e.kind) {
            case ExprKind::StringLit:
                return make(literal(e.text), kAtom, SqlType::Text);
            case ExprKind::NumberLit:
                if (e.isInteger) {
                    return make(e.text, kAtom, SqlType::Int);
                }
                return make(
                    e.text.find_first_of(".eE") == std::string::npos ? e.text + ".0" : e.text,
                    kAtom, SqlType::Real);
            case ExprKind::NullLit:
                return make("NULL", kAtom, SqlType::Null);
            case ExprKind::Column: {
                std::string s;
                for (size_t i = 0; i < e.parts.size(); ++i) {
                    if (i) {
                        s.push_back('.');
                    }
                    appendQuoted(s, e.parts[i]);
                }
                return make(std::move(s), kAtom, SqlType::Unknown);
            }
            case ExprKind::Star:
                return make(e.parts.empty() ? "*" : quoted(e.parts[0]) + ".*", kAtom,
                            SqlType::Unknown);
            case ExprKind::Unary:
                return unary(e);
            case ExprKind::Binary:
                return binary(e);
            case ExprKind::Function:
                return function(e);
            case ExprKind::DatePartFunction:
                return datePartFunction(e);
            case ExprKind::Convert:
                return convert(e);
            case ExprKind::Case:
                return caseExpr(e);
            case ExprKind::InList:
                return inList(e);
            case ExprKind::InQuery: {
                Out a = expr(*e.args[0]);
                std::string left = needsCollation(*e.args[0], a, nullptr, nullptr)
                                       ? collated(a)
                                       : wrap(a, kEquality + 1);
                return make(left + (e.negated ? " NOT IN (" : " IN (") + query(*e.sub, false) + ")",
                            kEquality, SqlType::Int);
            }
            case ExprKind::Between:
                return between(e);
            case ExprKind::Like:
                return like(e);
            case ExprKind::IsNull: {
                Out a = expr(*e.args[0]);
                return make(wrap(a, kEquality + 1) + (e.negated ? " IS NOT NULL" : " IS NULL"),
                            kEquality, SqlType::Int);
            }
            case ExprKind::Exists:
                return make(
                    std::string(e.negated ? "NOT " : "") + "EXISTS (" + query(*e.sub, false) + ")",
                    e.negated ? kNot : kAtom, SqlType::Int);
            case ExprKind::Subquery:
                return make("(" + query(*e.sub, false) + ")", kAtom, SqlType::Unknown);
        }
        throw TranslationError("unsupported construct", "expression", e.pos);
    }

    Out unary(const Expr& e) {
        Out a = expr(*e.args[0]);
        if (e.text == "not") {
            return make("NOT " + wrap(a, kNot), kNot, SqlType::Int);
        }
        if (e.text == "+") {
            return a;
        }
        // A nested minus keeps its parentheses: "--" would start a comment.
        return make("-" + wrap(a, kUnary + 1), kUnary, a.type);
    }

    Out binary(const Expr& e) {
        const std::string& op = e.text;
        Out a = expr(*e.args[0]);
        Out b = expr(*e.args[1]);
        if (op == "and" || op == "or") {
            int p = op == "and" ? kAnd : kOr;
            return make(wrap(a, p) + (op == "and" ? " AND " : " OR ") + wrap(b, p + 1), p,
                        SqlType::Int);
        }
        if (op == "+") {
            if (isTextOrNull(a.type) && isTextOrNull(b.type) &&
                !(a.type == SqlType::Null && b.type == SqlType::Null)) {
                return make(wrap(a, kConcat) + " || " + wrap(b, kConcat + 1), kConcat,
                            SqlType::Text);
            }
            if (isNumeric(a.type) && isNumeric(b.type) && nativeArithmetic(a.type, b.type)) {
                return make(wrap(a, kAdd) + " + " + wrap(b, kAdd + 1), kAdd,
                            arithmeticType(a.type, b.type));
            }
            // Decided on the values: text + text concatenates, a number and
            // a text convert the text to the number's type, decimals add
            // exactly.
            return call("tsql_add", {a.sql, b.sql},
                        isNumeric(a.type) && isNumeric(b.type) ? arithmeticType(a.type, b.type)
                                                               : SqlType::Unknown);
        }
        if (op == "-" || op == "*") {
            int p = op == "-" ? kAdd : kMul;
            if (nativeArithmetic(a.type, b.type)) {
                return make(wrap(a, p) + " " + op + " " + wrap(b, p + 1), p,
                            arithmeticType(a.type, b.type));
            }
            // Either side may be a decimal: computed exactly on the values.
            return call(op == "-" ? "tsql_sub" : "tsql_mul", {a.sql, b.sql},
                        arithmeticType(a.type, b.type));
        }
        if (op == "/" || op == "%") {
            const Expr& divisor = *e.args[1];
            bool constantNonZero = divisor.kind == ExprKind::NumberLit &&
                                   divisor.text.find_first_not_of("0.") != std::string::npos;
            if (constantNonZero && (op == "/" || (a.type == SqlType::Int && divisor.isInteger))) {
                return make(wrap(a, kMul) + " " + op + " " + wrap(b, kMul + 1), kMul,
                            arithmeticType(a.type, b.type));
            }
            return call(op == "/" ? "tsql_div" : "tsql_mod", {a.sql, b.sql},
                        arithmeticType(a.type, b.type));
        }
        // Comparison.
        int p = (op == "=" || op == "<>") ? kEquality : kCompare;
        std::string left =
            needsCollation(*e.args[0], a, e.args[1].get(), &b) ? collated(a) : wrap(a, p + 1);
        return make(left + " " + op + " " + wrap(b, p + 1), p, SqlType::Int);
    }

    Out inList(const Expr& e) {
        Out a = expr(*e.args[0]);
        bool anyColumnOrNumber = false;
        std::string items;
        for (size_t i = 1; i < e.args.size(); ++i) {
            Out v = expr(*e.args[i]);
            anyColumnOrNumber |= e.args[i]->kind == ExprKind::Column || isNumeric(v.type);
            items += (i > 1 ? ", " : "") + v.sql;
        }
        std::string left = !anyColumnOrNumber && needsCollation(*e.args[0], a, nullptr, nullptr)
                               ? collated(a)
                               : wrap(a, kEquality + 1);
        return make(left + (e.negated ? " NOT IN (" : " IN (") + items + ")", kEquality,
                    SqlType::Int);
    }

    Out between(const Expr& e) {
        Out a = expr(*e.args[0]);
        Out lo = expr(*e.args[1]);
        Out hi = expr(*e.args[2]);
        std::string left = needsCollation(*e.args[0], a, e.args[1].get(), &lo) &&
                                   needsCollation(*e.args[0], a, e.args[2].get(), &hi)
                               ? collated(a)
                               : wrap(a, kEquality + 1);
        return make(left + (e.negated ? " NOT BETWEEN " : " BETWEEN ") + wrap(lo, kEquality + 1) +
                        " AND " + wrap(hi, kEquality + 1),
                    kEquality, SqlType::Int);
    }

    // SQLite's LIKE knows no [..] classes and counts trailing blanks;
    // tsql_like matches as SQL Server does.
    Out like(const Expr& e) {
        Out a = expr(*e.args[0]);
        Out b = expr(*e.args[1]);
        Out match = call("tsql_like", {a.sql, b.sql}, SqlType::Int);
        if (e.negated) {
            return make("NOT " + match.sql, kNot, SqlType::Int);
        }
        return match;
    }

    Out caseExpr(const Expr& e) {
        std::string s = "CASE";
        size_t i = 0;
        if (e.hasOperand) {
            Out operand = expr(*e.args[0]);
            s += " " + (comparedWithoutColumn(*e.args[0], operand) ? collated(operand) : operand.sql);
            i = 1;
        }
        size_t end = e.args.size() - (e.hasElse ? 1 : 0);
        std::vector<std::string> conditions;
        std::vector<Out> results;
        for (; i + 1 < end; i += 2) {
            conditions.push_back(expr(*e.args[i]).sql);
            results.push_back(expr(*e.args[i + 1]));
        }
        if (e.hasElse) {
            results.push_back(expr(*e.args.back()));
        }
        // The result takes the type of highest precedence among the numeric
        // results: case ... then 0 else 1.5 end is a decimal, 0.0.
        SqlType type = SqlType::Null;
        for (const Out& r : results) {
            if (r.type == SqlType::Null || r.type == type) {
                continue;
            }
            if (type == SqlType::Null) {
                type = r.type;
            } else if (isNumeric(type) && isNumeric(r.type)) {
                type = precedence(r.type) > precedence(type) ? r.type : type;
            } else {
                type = SqlType::Unknown;
            }
        }
        Out target = make("", kAtom, type);
        const bool convertResults = type == SqlType::Real || type == SqlType::Float;
        for (size_t k = 0; k < results.size(); ++k) {
            const std::string result =
                convertResults ? convertedTo(target, results[k]) : results[k].sql;
            s += k < conditions.size() ? " WHEN " + conditions[k] + " THEN " + result
                                       : " ELSE " + result;
        }
        return make(s + " END", kAtom, type);
    }

    static SqlType resultType(ResultRule rule, const std::vector<Out>& args) {
        switch (rule) {
            case ResultRule::Text:
                return SqlType::Text;
            case ResultRule::Int:
                return SqlType::Int;
            case ResultRule::Real:
                return SqlType::Real;
            case ResultRule::Unknown:
                return SqlType::Unknown;
            case ResultRule::FirstArg:
                if (args.empty()) {
                    return SqlType::Unknown;
                }
                if (args[0].type == SqlType::Null && args.size() > 1) {
                    return args[1].type;
                }
                return args[0].type;
            case ResultRule::NumericArg:
                return !args.empty() && isNumeric(args[0].type) ? args[0].type : SqlType::Unknown;
        }
        return SqlType::Unknown;
    }

    Out function(const Expr& e) {
        const FunctionRule* rule = findFunction(e.text);
        if (!rule) {
            throw TranslationError("unsupported function", e.text, e.pos);
        }
        int n = static_cast<int>(e.args.size());
        if ((e.star && e.text != "count") || ((e.distinct) && !rule->aggregate) ||
            (!e.star && (n < rule->minArgs || (rule->maxArgs >= 0 && n > rule->maxArgs))) ||
            (e.text == "count" && !e.star && n != 1)) {
            throw TranslationError("wrong arguments for function", e.text, e.pos);
        }
        std::vector<Out> args;
        args.reserve(e.args.size());
        for (const auto& a : e.args) {
            args.push_back(expr(*a));
        }
        // isnull gives the type of its first argument: the replacement is
        // converted to it (isnull(convert(int,NULL),2.7) is 2).
        const bool typedIsnull = e.text == "isnull" && args[0].type != SqlType::Null &&
                                 args[0].type != SqlType::Unknown;
        if (typedIsnull) {
            args[1].sql = convertedTo(args[0], args[1]);
        }
        // min and max of texts compare as the default collation does.
        if ((e.text == "min" || e.text == "max") && args.size() == 1 &&
            comparedWithoutColumn(*e.args[0], args[0])) {
            args[0].sql = collated(args[0]);
        }
        std::string s(rule->sqliteName);
        s += "(";
        if (e.star) {
            s += "*";
        }
        if (e.distinct) {
            s += "DISTINCT ";
        }
        for (size_t i = 0; i < args.size(); ++i) {
            s += (i ? ", " : "") + args[i].sql;
        }
        s += ")";
        Out o = make(std::move(s), kAtom, resultType(rule->result, args));
        if (typedIsnull) {
            o.castFn = args[0].castFn;
            o.castArgs = args[0].castArgs;
        }
        return o;
    }

    Out datePartFunction(const Expr& e) {
        const DatePartRule* part = findDatePart(e.parts[0]);
        if (!part) {
            throw TranslationError("unsupported date part", e.parts[0], e.type.pos);
        }
        size_t want = e.text == "datepart" ? 1 : 2;
        if (e.text == "datename" || e.args.size() != want) {
            throw TranslationError(
                e.text == "datename" ? "unsupported function" : "wrong arguments for function",
                e.text, e.pos);
        }
        std::string s = "tsql_" + e.text + "('" + std::string(part->canonical) + "'";
        for (const auto& a : e.args) {
            s += ", " + expr(*a).sql;
        }
        s += ")";
        return make(std::move(s), kAtom, e.text == "dateadd" ? SqlType::Text : SqlType::Int);
    }

    Out convert(const Expr& e) {
        const TypeRule* rule = findType(e.type.name);
        if (!rule) {
            throw TranslationError("unsupported data type", e.type.name, e.type.pos);
        }
        Out a = expr(*e.args[0]);
        std::string args;
        switch (rule->args) {
            case TypeArgs::None:
                break;
            case TypeArgs::Length: {
                // convert(varchar, x) without a length means 30 characters.
                int n = e.type.length == -1 ? 30 : (e.type.length == -2 ? -1 : e.type.length);
                args = ", " + std::to_string(n);
                break;
            }
            case TypeArgs::Precision: {
                int p = e.type.length < 0 ? 18 : e.type.length;
                int sc = e.type.scale < 0 ? 0 : e.type.scale;
                if (p < 1 || p > 38 || sc > p) {
                    throw TranslationError("invalid precision or scale for", e.type.name,
                                           e.type.pos);
                }
                args = ", " + std::to_string(p) + ", " + std::to_string(sc);
                break;
            }
            case TypeArgs::Money:
                args = ", 19, 4";
                break;
        }
        Out o = make(std::string(rule->sqliteName) + "(" + a.sql + args + ")", kAtom, rule->result);
        o.castFn = rule->sqliteName;
        o.castArgs = std::move(args);
        return o;
    }

    // `value` converted to the type of `target` where SQL Server converts it
    // (isnull's replacement, the branches of a union or a case): a convert's
    // own type, or int, float, decimal and text by their static type.
    static std::string convertedTo(const Out& target, const Out& value) {
        if (value.type == SqlType::Null) {
            return value.sql;
        }
        if (!target.castFn.empty()) {
            return target.castFn + "(" + value.sql + target.castArgs + ")";
        }
        if (value.type == target.type) {
            return value.sql;
        }
        switch (target.type) {
            case SqlType::Int:
                return "tsql_int(" + value.sql + ")";
            case SqlType::Float:
                return value.type == SqlType::Real ? value.sql : "tsql_float(" + value.sql + ")";
            case SqlType::Real:
                if (value.type == SqlType::Int) {
                    return "CAST(" + value.sql + " AS REAL)";
                }
                return value.type == SqlType::Text ? "tsql_float(" + value.sql + ")" : value.sql;
            case SqlType::Text:
                return isNumeric(value.type) ? "tsql_varchar(" + value.sql + ", -1)" : value.sql;
            default:
                return value.sql;
        }
    }
};

}  // namespace

std::string printSqlite(const Statement& statement) {
    return Printer().statement(statement);
}

}  // namespace morvane::tsql
