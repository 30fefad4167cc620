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
    return t == SqlType::Int || t == SqlType::Real;
}

bool isTextOrNull(SqlType t) {
    return t == SqlType::Text || t == SqlType::Null;
}

SqlType arithmeticType(SqlType a, SqlType b) {
    if (a == SqlType::Int && b == SqlType::Int) {
        return SqlType::Int;
    }
    if (isNumeric(a) && isNumeric(b)) {
        return SqlType::Real;
    }
    if (a == SqlType::Null || b == SqlType::Null) {
        return isNumeric(a) ? a : (isNumeric(b) ? b : SqlType::Unknown);
    }
    return SqlType::Unknown;
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
        std::string s;
        if (q.branches.size() == 1) {
            s = selectCore(q.branches[0], outermost);
            s += orderBy(q.orderBy);
            s += limit(q.branches[0]);
            return s;
        }
        for (size_t i = 0; i < q.branches.size(); ++i) {
            const Select& b = q.branches[i];
            if (i > 0) {
                s += q.unionAll[i - 1] ? " UNION ALL " : " UNION ";
            }
            // SQLite allows ORDER BY and LIMIT only after the last branch; a
            // branch with its own TOP becomes a derived table.
            if (b.top || !b.orderBy.empty()) {
                s += "SELECT * FROM (" + selectCore(b, outermost && i == 0) + orderBy(b.orderBy) +
                     limit(b) + ")";
            } else {
                s += selectCore(b, outermost && i == 0);
            }
        }
        s += orderBy(q.orderBy);
        return s;
    }

    std::string limit(const Select& s) {
        return s.top ? " LIMIT " + wrap(expr(*s.top), kAtom) : std::string();
    }

    std::string orderBy(const std::vector<OrderItem>& items) {
        if (items.empty()) {
            return {};
        }
        std::string s = " ORDER BY ";
        for (size_t i = 0; i < items.size(); ++i) {
            s += (i ? ", " : "") + expr(*items[i].expr).sql;
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

    std::string selectCore(const Select& sel, bool outermost) {
        std::string s = sel.distinct ? "SELECT DISTINCT " : "SELECT ";
        for (size_t i = 0; i < sel.items.size(); ++i) {
            const SelectItem& item = sel.items[i];
            if (i) {
                s += ", ";
            }
            s += expr(*item.expr).sql;
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
                s += (i ? ", " : "") + expr(*sel.groupBy[i]).sql;
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
        return Out{std::move(sql), prec, type};
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
            if (isNumeric(a.type) && isNumeric(b.type)) {
                return make(wrap(a, kAdd) + " + " + wrap(b, kAdd + 1), kAdd,
                            arithmeticType(a.type, b.type));
            }
            // Decided on the values: text + text concatenates, a number and
            // a text convert the text to the number's type.
            return call("tsql_add", {a.sql, b.sql}, SqlType::Unknown);
        }
        if (op == "-" || op == "*") {
            int p = op == "-" ? kAdd : kMul;
            return make(wrap(a, p) + " " + op + " " + wrap(b, p + 1), p,
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

    Out like(const Expr& e) {
        const Expr& pattern = *e.args[1];
        // SQL Server's [..] character classes have no LIKE counterpart in
        // SQLite; rather than match differently, refuse them.
        if (pattern.kind == ExprKind::StringLit && pattern.text.find('[') != std::string::npos) {
            throw TranslationError("unsupported construct", "like character class [..]",
                                   pattern.pos);
        }
        Out a = expr(*e.args[0]);
        Out b = expr(pattern);
        // SQLite's LIKE ignores case (ASCII), as the default collation does.
        return make(
            wrap(a, kEquality + 1) + (e.negated ? " NOT LIKE " : " LIKE ") + wrap(b, kEquality + 1),
            kEquality, SqlType::Int);
    }

    Out caseExpr(const Expr& e) {
        std::string s = "CASE";
        size_t i = 0;
        if (e.hasOperand) {
            s += " " + expr(*e.args[0]).sql;
            i = 1;
        }
        size_t end = e.args.size() - (e.hasElse ? 1 : 0);
        SqlType type = SqlType::Null;
        auto merge = [&type](SqlType t) {
            if (t == SqlType::Null || t == type) {
                return;
            }
            if (type == SqlType::Null) {
                type = t;
            } else if (isNumeric(type) && isNumeric(t)) {
                type = SqlType::Real;
            } else {
                type = SqlType::Unknown;
            }
        };
        for (; i + 1 < end; i += 2) {
            s += " WHEN " + expr(*e.args[i]).sql;
            Out r = expr(*e.args[i + 1]);
            merge(r.type);
            s += " THEN " + r.sql;
        }
        if (e.hasElse) {
            Out r = expr(*e.args.back());
            merge(r.type);
            s += " ELSE " + r.sql;
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
        return make(std::move(s), kAtom, resultType(rule->result, args));
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
        switch (rule->args) {
            case TypeArgs::None:
                return call(rule->sqliteName, {a.sql}, rule->result);
            case TypeArgs::Length: {
                // convert(varchar, x) without a length means 30 characters.
                int n = e.type.length == -1 ? 30 : (e.type.length == -2 ? -1 : e.type.length);
                return call(rule->sqliteName, {a.sql, std::to_string(n)}, rule->result);
            }
            case TypeArgs::Precision: {
                int p = e.type.length < 0 ? 18 : e.type.length;
                int sc = e.type.scale < 0 ? 0 : e.type.scale;
                if (p < 1 || p > 38 || sc > p) {
                    throw TranslationError("invalid precision or scale for", e.type.name,
                                           e.type.pos);
                }
                return call(rule->sqliteName, {a.sql, std::to_string(p), std::to_string(sc)},
                            rule->result);
            }
            case TypeArgs::Money:
                return call(rule->sqliteName, {a.sql, "19", "4"}, rule->result);
        }
        return a;
    }
};

}  // namespace

std::string printSqlite(const Statement& statement) {
    return Printer().statement(statement);
}

}  // namespace morvane::tsql
