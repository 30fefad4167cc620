#include "platform/tsql/Parser.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace morvane::tsql {

using namespace std::string_view_literals;

namespace {

// Words that end an expression or a table source, so they are never taken
// for an alias written without AS.
constexpr std::array kReserved = {
    "all"sv,       "and"sv,     "apply"sv,       "as"sv,      "asc"sv,     "begin"sv,  "between"sv,
    "browse"sv,    "by"sv,      "case"sv,        "collate"sv, "compute"sv, "cross"sv,  "declare"sv,
    "delete"sv,    "desc"sv,    "distinct"sv,    "else"sv,    "end"sv,     "escape"sv, "except"sv,
    "exec"sv,      "execute"sv, "exists"sv,      "fetch"sv,   "for"sv,     "from"sv,   "full"sv,
    "go"sv,        "group"sv,   "having"sv,      "if"sv,      "in"sv,      "inner"sv,  "insert"sv,
    "intersect"sv, "into"sv,    "is"sv,          "join"sv,    "left"sv,    "like"sv,   "merge"sv,
    "not"sv,       "null"sv,    "offset"sv,      "on"sv,      "open"sv,    "option"sv, "or"sv,
    "order"sv,     "outer"sv,   "over"sv,        "percent"sv, "pivot"sv,   "return"sv, "right"sv,
    "select"sv,    "set"sv,     "tablesample"sv, "then"sv,    "ties"sv,    "top"sv,    "truncate"sv,
    "union"sv,     "unpivot"sv, "update"sv,      "values"sv,  "when"sv,    "where"sv,  "while"sv,
    "with"sv};

// Reserved words that name a T-SQL feature this translator does not carry
// over; meeting one is reported as an unsupported construct.
constexpr std::array kUnsupported = {
    "alter"sv,   "apply"sv,   "begin"sv,  "browse"sv,      "collate"sv, "compute"sv,
    "create"sv,  "declare"sv, "drop"sv,   "escape"sv,      "except"sv,  "exec"sv,
    "execute"sv, "fetch"sv,   "for"sv,    "go"sv,          "if"sv,      "intersect"sv,
    "into"sv,    "merge"sv,   "offset"sv, "open"sv,        "option"sv,  "over"sv,
    "percent"sv, "pivot"sv,   "return"sv, "tablesample"sv, "ties"sv,    "truncate"sv,
    "unpivot"sv, "while"sv,   "with"sv};

static_assert(std::is_sorted(kReserved.begin(), kReserved.end()));
static_assert(std::is_sorted(kUnsupported.begin(), kUnsupported.end()));

// Keyword and symbol checks run several times per token: compare the short
// texts inline rather than through memcmp.
inline bool same(const std::string& a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < b.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// The word lists are sorted, so a binary search decides membership.
bool contains(const auto& list, std::string_view word) {
    return std::binary_search(list.begin(), list.end(), word);
}

class Parser {
  public:
    explicit Parser(const std::vector<Token>& tokens) : t_(tokens) {}

    Statement batch() {
        Statement result;
        bool found = false;
        for (;;) {
            while (isSymbol(";")) {
                ++i_;
            }
            if (cur().kind == TokenKind::End) {
                break;
            }
            SourcePos pos = cur().pos;
            Statement st = statement();
            if (st.kind == StatementKind::NoOp) {
                continue;
            }
            if (found) {
                throw TranslationError("unsupported construct", "second statement in a batch", pos);
            }
            result = std::move(st);
            found = true;
        }
        return result;
    }

  private:
    const std::vector<Token>& t_;
    size_t i_ = 0;

    const Token& cur() const { return t_[i_]; }
    const Token& ahead(size_t n) const { return t_[std::min(i_ + n, t_.size() - 1)]; }

    bool isWord(std::string_view w) const {
        return cur().kind == TokenKind::Identifier && same(cur().lower, w);
    }
    bool isWordAt(size_t n, std::string_view w) const {
        const Token& tk = ahead(n);
        return tk.kind == TokenKind::Identifier && same(tk.lower, w);
    }
    bool isSymbol(std::string_view s) const {
        return cur().kind == TokenKind::Symbol && same(cur().text, s);
    }
    bool isSymbolAt(size_t n, std::string_view s) const {
        const Token& tk = ahead(n);
        return tk.kind == TokenKind::Symbol && same(tk.text, s);
    }
    bool acceptWord(std::string_view w) {
        if (isWord(w)) {
            ++i_;
            return true;
        }
        return false;
    }
    bool acceptSymbol(std::string_view s) {
        if (isSymbol(s)) {
            ++i_;
            return true;
        }
        return false;
    }

    [[noreturn]] void fail(const Token& tk) const {
        if (tk.kind == TokenKind::End) {
            throw TranslationError("syntax error", "end of statement", tk.pos);
        }
        if (tk.kind == TokenKind::Identifier && contains(kUnsupported, tk.lower)) {
            throw TranslationError("unsupported construct", tk.lower, tk.pos);
        }
        if (tk.kind == TokenKind::Identifier && !tk.text.empty() &&
            (tk.text[0] == '@' || tk.text[0] == '#')) {
            throw TranslationError("unsupported construct", tk.text, tk.pos);
        }
        throw TranslationError("syntax error near",
                               tk.kind == TokenKind::String ? "'" + tk.text + "'" : tk.text,
                               tk.pos);
    }
    [[noreturn]] void fail() const { fail(cur()); }

    void expectWord(std::string_view w) {
        if (!acceptWord(w)) {
            fail();
        }
    }
    void expectSymbol(std::string_view s) {
        if (!acceptSymbol(s)) {
            fail();
        }
    }

    // A plain identifier that is not a reserved word, or a quoted one.
    bool isName() const { return isNameAt(0); }
    bool isNameAt(size_t n) const {
        const Token& tk = ahead(n);
        if (tk.kind == TokenKind::QuotedIdentifier) {
            return true;
        }
        return tk.kind == TokenKind::Identifier && !contains(kReserved, tk.lower) &&
               tk.text[0] != '@' && tk.text[0] != '#';
    }
    std::string name() {
        if (!isName()) {
            fail();
        }
        return t_[i_++].text;
    }

    // name(.name)*; objectName() drops a leading dbo schema.
    std::vector<std::string> dottedName() {
        std::vector<std::string> parts{name()};
        while (isSymbol(".") && (ahead(1).kind == TokenKind::Identifier ||
                                 ahead(1).kind == TokenKind::QuotedIdentifier)) {
            ++i_;
            parts.push_back(t_[i_++].text);
        }
        return parts;
    }

    static std::string lower(std::string s) {
        for (char& c : s) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return s;
    }

    std::string objectName(std::vector<std::string> parts, SourcePos pos) {
        if (parts.size() == 2 && lower(parts[0]) == "dbo") {
            parts.erase(parts.begin());
        }
        if (parts.size() != 1) {
            std::string joined;
            for (const auto& p : parts) {
                joined += (joined.empty() ? "" : ".") + p;
            }
            throw TranslationError("unsupported construct", "multi-part name " + joined, pos);
        }
        return parts[0];
    }

    // ---- statements ------------------------------------------------------

    Statement statement() {
        if (isWord("select")) {
            Statement st;
            st.kind = StatementKind::Select;
            st.query = query();
            return st;
        }
        if (isWord("set") && isWordAt(1, "dateformat")) {
            i_ += 2;
            if (cur().kind != TokenKind::Identifier && cur().kind != TokenKind::String) {
                fail();
            }
            ++i_;
            return {};
        }
        if (acceptWord("insert")) {
            return insert();
        }
        if (acceptWord("update")) {
            return update();
        }
        if (acceptWord("delete")) {
            return remove();
        }
        fail();
    }

    Statement insert() {
        Statement st;
        st.kind = StatementKind::Insert;
        acceptWord("into");
        SourcePos pos = cur().pos;
        st.table = objectName(dottedName(), pos);
        if (acceptSymbol("(")) {
            do {
                st.columns.push_back(name());
            } while (acceptSymbol(","));
            expectSymbol(")");
        }
        if (acceptWord("values")) {
            do {
                expectSymbol("(");
                std::vector<ExprPtr> row;
                do {
                    row.push_back(expr());
                } while (acceptSymbol(","));
                expectSymbol(")");
                st.valueRows.push_back(std::move(row));
            } while (acceptSymbol(","));
        } else if (isWord("select")) {
            st.query = query();
        } else {
            fail();
        }
        return st;
    }

    Statement update() {
        Statement st;
        st.kind = StatementKind::Update;
        SourcePos pos = cur().pos;
        st.table = objectName(dottedName(), pos);
        expectWord("set");
        do {
            Assignment a;
            a.column = dottedName();
            expectSymbol("=");
            a.value = expr();
            st.assignments.push_back(std::move(a));
        } while (acceptSymbol(","));
        if (isWord("from")) {
            throw TranslationError("unsupported construct", "update ... from", cur().pos);
        }
        if (acceptWord("where")) {
            st.where = expr();
        }
        return st;
    }

    Statement remove() {
        Statement st;
        st.kind = StatementKind::Delete;
        acceptWord("from");
        SourcePos pos = cur().pos;
        st.table = objectName(dottedName(), pos);
        if (isWord("from")) {
            throw TranslationError("unsupported construct", "delete ... from", cur().pos);
        }
        if (acceptWord("where")) {
            st.where = expr();
        }
        return st;
    }

    // ---- queries ---------------------------------------------------------

    QueryPtr query() {
        auto q = std::make_unique<Query>();
        q->branches.push_back(select());
        while (isWord("union")) {
            ++i_;
            q->unionAll.push_back(acceptWord("all"));
            q->branches.push_back(select());
        }
        q->orderBy = std::move(q->branches.back().orderBy);
        q->branches.back().orderBy.clear();
        return q;
    }

    Select select() {
        Select s;
        s.pos = cur().pos;
        expectWord("select");
        if (acceptWord("distinct")) {
            s.distinct = true;
        } else {
            acceptWord("all");
        }
        if (isWord("top")) {
            SourcePos pos = cur().pos;
            ++i_;
            if (acceptSymbol("(")) {
                s.top = expr();
                expectSymbol(")");
            } else if (cur().kind == TokenKind::Integer) {
                s.top = number();
            } else {
                fail();
            }
            if (isWord("percent") || (isWord("with") && isWordAt(1, "ties"))) {
                throw TranslationError("unsupported construct", "top ... " + cur().lower, pos);
            }
        }
        do {
            s.items.push_back(selectItem());
        } while (acceptSymbol(","));
        if (isWord("into")) {
            throw TranslationError("unsupported construct", "select ... into", cur().pos);
        }
        if (acceptWord("from")) {
            s.from = tableSource();
        }
        if (acceptWord("where")) {
            s.where = expr();
        }
        if (isWord("group") && isWordAt(1, "by")) {
            i_ += 2;
            do {
                s.groupBy.push_back(expr());
            } while (acceptSymbol(","));
        }
        if (acceptWord("having")) {
            s.having = expr();
        }
        if (isWord("order") && isWordAt(1, "by")) {
            i_ += 2;
            do {
                OrderItem o;
                o.expr = expr();
                if (acceptWord("desc")) {
                    o.descending = true;
                } else {
                    acceptWord("asc");
                }
                s.orderBy.push_back(std::move(o));
            } while (acceptSymbol(","));
        }
        return s;
    }

    // * or t.* as a whole select item; an expression never holds one.
    ExprPtr starItem() {
        size_t k = 0;
        while ((ahead(k).kind == TokenKind::Identifier ||
                ahead(k).kind == TokenKind::QuotedIdentifier) &&
               isSymbolAt(k + 1, ".")) {
            k += 2;
        }
        if (!isSymbolAt(k, "*")) {
            return nullptr;
        }
        auto e = make(ExprKind::Star, cur().pos);
        for (size_t n = 0; n < k; n += 2) {
            e->parts.push_back(ahead(n).text);
        }
        if (e->parts.size() == 2 && lower(e->parts[0]) == "dbo") {
            e->parts.erase(e->parts.begin());
        }
        if (e->parts.size() > 1) {
            throw TranslationError("unsupported construct",
                                   "multi-part name " + e->parts[0] + "." + e->parts[1] + ".*",
                                   e->pos);
        }
        i_ += k + 1;
        return e;
    }

    SelectItem selectItem() {
        SelectItem item;
        if ((item.expr = starItem())) {
            return item;
        }
        // alias = expr, 'alias' = expr, [alias] = expr
        if ((isName() || cur().kind == TokenKind::String) && isSymbolAt(1, "=")) {
            item.alias = cur().text;
            i_ += 2;
            item.expr = expr();
            return item;
        }
        item.expr = expr();
        if (acceptWord("as")) {
            if (!isName() && cur().kind != TokenKind::String) {
                fail();
            }
            item.alias = t_[i_++].text;
        } else if (isName() || cur().kind == TokenKind::String) {
            item.alias = t_[i_++].text;
        }
        return item;
    }

    std::optional<std::string> tableAlias() {
        if (acceptWord("as")) {
            return name();
        }
        if (isName()) {
            return t_[i_++].text;
        }
        return std::nullopt;
    }

    std::unique_ptr<TableRef> tablePrimary() {
        auto ref = std::make_unique<TableRef>();
        ref->pos = cur().pos;
        if (acceptSymbol("(")) {
            if (!isWord("select")) {
                throw TranslationError("unsupported construct", "parenthesised join", ref->pos);
            }
            ref->kind = TableKind::Derived;
            ref->sub = query();
            expectSymbol(")");
            ref->alias = tableAlias();
            return ref;
        }
        if (cur().kind == TokenKind::Identifier && !cur().text.empty() &&
            (cur().text[0] == '@' || cur().text[0] == '#')) {
            throw TranslationError("unsupported construct", cur().text, cur().pos);
        }
        std::string obj = objectName(dottedName(), ref->pos);
        if (acceptSymbol("(")) {
            ref->kind = TableKind::Function;
            ref->name = lower(obj);
            if (!isSymbol(")")) {
                do {
                    ref->args.push_back(expr());
                } while (acceptSymbol(","));
            }
            expectSymbol(")");
        } else {
            ref->kind = TableKind::Table;
            ref->name = std::move(obj);
        }
        ref->alias = tableAlias();
        if (isWord("with") && isSymbolAt(1, "(")) {
            throw TranslationError("unsupported construct", "table hint", cur().pos);
        }
        return ref;
    }

    std::unique_ptr<TableRef> tableSource() {
        auto left = tablePrimary();
        for (;;) {
            SourcePos pos = cur().pos;
            JoinKind kind;
            if (acceptSymbol(",")) {
                kind = JoinKind::Comma;
            } else if (acceptWord("join")) {
                kind = JoinKind::Inner;
            } else if (isWord("inner") && isWordAt(1, "join")) {
                i_ += 2;
                kind = JoinKind::Inner;
            } else if (isWord("left") || isWord("right") || isWord("full")) {
                kind = isWord("left") ? JoinKind::Left
                                      : (isWord("right") ? JoinKind::Right : JoinKind::Full);
                ++i_;
                acceptWord("outer");
                expectWord("join");
            } else if (isWord("cross") && isWordAt(1, "join")) {
                i_ += 2;
                kind = JoinKind::Cross;
            } else if ((isWord("cross") || isWord("outer")) && isWordAt(1, "apply")) {
                throw TranslationError("unsupported construct", cur().lower + " apply", pos);
            } else {
                return left;
            }
            auto join = std::make_unique<TableRef>();
            join->kind = TableKind::Join;
            join->pos = pos;
            join->join = kind;
            join->left = std::move(left);
            join->right = tablePrimary();
            if (kind != JoinKind::Comma && kind != JoinKind::Cross) {
                expectWord("on");
                join->on = expr();
            }
            left = std::move(join);
        }
    }

    // ---- expressions -----------------------------------------------------

    ExprPtr make(ExprKind kind, SourcePos pos) {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->pos = pos;
        return e;
    }

    ExprPtr binary(std::string op, ExprPtr a, ExprPtr b, SourcePos pos) {
        auto e = make(ExprKind::Binary, pos);
        e->text = std::move(op);
        e->args.push_back(std::move(a));
        e->args.push_back(std::move(b));
        return e;
    }

    // A length, precision or scale: an integer token below 100000.
    int smallNumber() {
        const Token& tk = cur();
        if (tk.kind != TokenKind::Integer || tk.text.size() > 5) {
            fail();
        }
        ++i_;
        return std::stoi(tk.text);
    }

    // Nesting is bounded so that a pathological text cannot exhaust the
    // stack; real statements stay far below the limit.
    static constexpr int kMaxDepth = 600;
    int depth_ = 0;

    struct DepthGuard {
        Parser& p;
        explicit DepthGuard(Parser& parser) : p(parser) {
            if (++p.depth_ > kMaxDepth) {
                throw TranslationError("expression nested too deeply", p.cur().text, p.cur().pos);
            }
        }
        ~DepthGuard() { --p.depth_; }
    };

    ExprPtr expr() {
        DepthGuard guard(*this);
        return orExpr();
    }

    ExprPtr orExpr() {
        ExprPtr left = andExpr();
        while (isWord("or")) {
            SourcePos pos = cur().pos;
            ++i_;
            left = binary("or", std::move(left), andExpr(), pos);
        }
        return left;
    }

    ExprPtr andExpr() {
        ExprPtr left = notExpr();
        while (isWord("and")) {
            SourcePos pos = cur().pos;
            ++i_;
            left = binary("and", std::move(left), notExpr(), pos);
        }
        return left;
    }

    ExprPtr notExpr() {
        DepthGuard guard(*this);
        if (isWord("not") && !isWordAt(1, "exists")) {
            auto e = make(ExprKind::Unary, cur().pos);
            ++i_;
            e->text = "not";
            e->args.push_back(notExpr());
            return e;
        }
        return predicate();
    }

    ExprPtr predicate() {
        if (isWord("exists") || (isWord("not") && isWordAt(1, "exists"))) {
            auto e = make(ExprKind::Exists, cur().pos);
            e->negated = acceptWord("not");
            ++i_;
            expectSymbol("(");
            e->sub = query();
            expectSymbol(")");
            return e;
        }
        ExprPtr left = additive();
        SourcePos pos = cur().pos;
        static constexpr std::string_view cmp[] = {"=",  "<>", "!=", "<", ">",
                                                   "<=", ">=", "!<", "!>"};
        for (std::string_view op : cmp) {
            if (isSymbol(op)) {
                ++i_;
                if (isWord("all") || isWord("any") || isWord("some")) {
                    throw TranslationError("unsupported construct", cur().lower, cur().pos);
                }
                std::string norm(op == "!=" ? "<>" : op == "!<" ? ">=" : op == "!>" ? "<=" : op);
                return binary(norm, std::move(left), additive(), pos);
            }
        }
        bool negated = false;
        if (isWord("not") && (isWordAt(1, "in") || isWordAt(1, "like") || isWordAt(1, "between"))) {
            negated = true;
            ++i_;
        }
        if (acceptWord("in")) {
            expectSymbol("(");
            if (isWord("select")) {
                auto e = make(ExprKind::InQuery, pos);
                e->negated = negated;
                e->args.push_back(std::move(left));
                e->sub = query();
                expectSymbol(")");
                return e;
            }
            auto e = make(ExprKind::InList, pos);
            e->negated = negated;
            e->args.push_back(std::move(left));
            do {
                e->args.push_back(expr());
            } while (acceptSymbol(","));
            expectSymbol(")");
            return e;
        }
        if (acceptWord("between")) {
            auto e = make(ExprKind::Between, pos);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(additive());
            expectWord("and");
            e->args.push_back(additive());
            return e;
        }
        if (acceptWord("like")) {
            auto e = make(ExprKind::Like, pos);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(additive());
            if (isWord("escape")) {
                fail();
            }
            return e;
        }
        if (negated) {
            fail();
        }
        if (acceptWord("is")) {
            auto e = make(ExprKind::IsNull, pos);
            e->negated = acceptWord("not");
            expectWord("null");
            e->args.push_back(std::move(left));
            return e;
        }
        return left;
    }

    ExprPtr additive() {
        ExprPtr left = multiplicative();
        while (isSymbol("+") || isSymbol("-")) {
            SourcePos pos = cur().pos;
            std::string op = t_[i_++].text;
            left = binary(op, std::move(left), multiplicative(), pos);
        }
        return left;
    }

    ExprPtr multiplicative() {
        ExprPtr left = unary();
        while (isSymbol("*") || isSymbol("/") || isSymbol("%")) {
            SourcePos pos = cur().pos;
            std::string op = t_[i_++].text;
            left = binary(op, std::move(left), unary(), pos);
        }
        return left;
    }

    ExprPtr unary() {
        DepthGuard guard(*this);
        if (isSymbol("-") || isSymbol("+")) {
            auto e = make(ExprKind::Unary, cur().pos);
            e->text = t_[i_++].text;
            e->args.push_back(unary());
            return e;
        }
        return primary();
    }

    ExprPtr number() {
        auto e = make(ExprKind::NumberLit, cur().pos);
        e->isInteger = cur().kind == TokenKind::Integer;
        e->text = t_[i_++].text;
        return e;
    }

    TypeSpec typeSpec() {
        TypeSpec type;
        type.pos = cur().pos;
        if (cur().kind != TokenKind::Identifier && cur().kind != TokenKind::QuotedIdentifier) {
            fail();
        }
        type.name = lower(t_[i_++].text);
        if (acceptSymbol("(")) {
            if (isWord("max")) {
                ++i_;
                type.length = -2;
            } else {
                if (cur().kind != TokenKind::Integer) {
                    fail();
                }
                type.length = smallNumber();
                if (acceptSymbol(",")) {
                    if (cur().kind != TokenKind::Integer) {
                        fail();
                    }
                    type.scale = smallNumber();
                }
            }
            expectSymbol(")");
        }
        return type;
    }

    ExprPtr primary() {
        const Token& tk = cur();
        SourcePos pos = tk.pos;
        switch (tk.kind) {
            case TokenKind::String: {
                auto e = make(ExprKind::StringLit, pos);
                e->text = tk.text;
                ++i_;
                return e;
            }
            case TokenKind::Integer:
            case TokenKind::Decimal:
                return number();
            case TokenKind::Symbol:
                if (tk.text == "(") {
                    ++i_;
                    if (isWord("select")) {
                        auto e = make(ExprKind::Subquery, pos);
                        e->sub = query();
                        expectSymbol(")");
                        return e;
                    }
                    ExprPtr inner = expr();
                    expectSymbol(")");
                    return inner;
                }
                // A * stands only for all columns of a select item
                // (selectItem) or in count(*) (functionCall).
                fail();
            case TokenKind::QuotedIdentifier:
                return columnOrFunction();
            case TokenKind::Identifier:
                break;
            case TokenKind::End:
                fail();
        }
        if (tk.text[0] == '@' || tk.text[0] == '#') {
            throw TranslationError("unsupported construct", tk.text, pos);
        }
        if (tk.lower == "null") {
            ++i_;
            return make(ExprKind::NullLit, pos);
        }
        if (tk.lower == "case") {
            return caseExpr();
        }
        if (tk.lower == "cast" && isSymbolAt(1, "(")) {
            i_ += 2;
            auto e = make(ExprKind::Convert, pos);
            e->args.push_back(expr());
            expectWord("as");
            e->type = typeSpec();
            expectSymbol(")");
            return e;
        }
        if (tk.lower == "convert" && isSymbolAt(1, "(")) {
            i_ += 2;
            auto e = make(ExprKind::Convert, pos);
            e->type = typeSpec();
            expectSymbol(",");
            e->args.push_back(expr());
            if (isSymbol(",")) {
                throw TranslationError("unsupported construct", "convert style", cur().pos);
            }
            expectSymbol(")");
            return e;
        }
        if (contains(kReserved, tk.lower) &&
            !(isSymbolAt(1, "(") && (tk.lower == "left" || tk.lower == "right"))) {
            fail();
        }
        return columnOrFunction();
    }

    ExprPtr caseExpr() {
        auto e = make(ExprKind::Case, cur().pos);
        ++i_;
        if (!isWord("when")) {
            e->hasOperand = true;
            e->args.push_back(expr());
        }
        if (!isWord("when")) {
            fail();
        }
        while (acceptWord("when")) {
            e->args.push_back(expr());
            expectWord("then");
            e->args.push_back(expr());
        }
        if (acceptWord("else")) {
            e->hasElse = true;
            e->args.push_back(expr());
        }
        expectWord("end");
        return e;
    }

    static bool isDatePartFunction(std::string_view n) {
        return n == "datediff" || n == "dateadd" || n == "datepart" || n == "datename";
    }

    ExprPtr columnOrFunction() {
        SourcePos pos = cur().pos;
        std::vector<std::string> parts{t_[i_++].text};
        while (isSymbol(".")) {
            const Token& next = ahead(1);
            if (next.kind != TokenKind::Identifier && next.kind != TokenKind::QuotedIdentifier) {
                break;
            }
            i_ += 2;
            parts.push_back(next.text);
        }
        if (isSymbol("(")) {
            if (parts.size() == 2 && lower(parts[0]) == "dbo") {
                parts.erase(parts.begin());
            }
            if (parts.size() != 1) {
                throw TranslationError("unsupported function", parts[0] + "." + parts[1], pos);
            }
            return functionCall(lower(parts[0]), pos);
        }
        if (parts.size() == 3 && lower(parts[0]) == "dbo") {
            parts.erase(parts.begin());
        }
        if (parts.size() > 2) {
            throw TranslationError("unsupported construct",
                                   "multi-part name " + parts[0] + "." + parts[1] + "." + parts[2],
                                   pos);
        }
        auto e = make(ExprKind::Column, pos);
        e->parts = std::move(parts);
        return e;
    }

    ExprPtr functionCall(std::string fname, SourcePos pos) {
        expectSymbol("(");
        if (isDatePartFunction(fname)) {
            auto e = make(ExprKind::DatePartFunction, pos);
            e->text = fname;
            if (cur().kind != TokenKind::Identifier) {
                fail();
            }
            e->parts.push_back(cur().lower);
            e->type.pos = cur().pos;
            ++i_;
            while (acceptSymbol(",")) {
                e->args.push_back(expr());
            }
            expectSymbol(")");
            return e;
        }
        auto e = make(ExprKind::Function, pos);
        e->text = std::move(fname);
        if (isSymbol("*")) {
            ++i_;
            e->star = true;
        } else if (!isSymbol(")")) {
            if (acceptWord("distinct")) {
                e->distinct = true;
            } else {
                acceptWord("all");
            }
            do {
                e->args.push_back(expr());
            } while (acceptSymbol(","));
        }
        expectSymbol(")");
        if (isWord("over") || isWord("within")) {
            throw TranslationError("unsupported construct", cur().lower, cur().pos);
        }
        return e;
    }
};

}  // namespace

Statement parseStatement(const std::vector<Token>& tokens) {
    return Parser(tokens).batch();
}

}  // namespace morvane::tsql
