#include "platform/db/RowFilter.h"

#include "platform/db/CellText.h"
#include "platform/db/DatabaseError.h"

#include <QString>

#include <vector>

namespace morvane::db {

namespace {

enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

struct Token {
    enum Kind { End, Word, Field, Number, Text, Symbol, Open, Close } kind = End;
    std::string text;
    std::size_t position = 0;
};

bool isWordChar(unsigned char c) {
    return c >= 0x80 || std::isalnum(c) || c == '_' || c == '.' || c == '$' || c == '#';
}

bool keyword(const Token& token, std::string_view word) {
    if (token.kind != Token::Word || token.text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(token.text[i])) != word[i])
            return false;
    return true;
}

std::vector<Token> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    const auto error = [&](const std::string& what) -> EDatabaseError {
        return EDatabaseError("filter expression: " + what + " at character " +
                              std::to_string(i + 1) + " of \"" + std::string(text) + "\"");
    };
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        Token token;
        token.position = i;
        if (c == '\'') {
            token.kind = Token::Text;
            ++i;
            for (;;) {
                if (i >= text.size())
                    throw error("unterminated text");
                if (text[i] == '\'') {
                    if (i + 1 < text.size() && text[i + 1] == '\'') {
                        token.text += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.text += text[i++];
            }
        } else if (c == '[') {
            token.kind = Token::Field;
            const auto close = text.find(']', i);
            if (close == std::string_view::npos)
                throw error("unterminated field name");
            token.text = std::string(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (std::isdigit(c) || ((c == '-' || c == '+') && i + 1 < text.size() &&
                                       std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
            token.kind = Token::Number;
            std::size_t end = i + 1;
            while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) ||
                                         text[end] == '.' || text[end] == 'e' || text[end] == 'E' ||
                                         ((text[end] == '-' || text[end] == '+') &&
                                          (text[end - 1] == 'e' || text[end - 1] == 'E'))))
                ++end;
            token.text = std::string(text.substr(i, end - i));
            i = end;
        } else if (isWordChar(c)) {
            token.kind = Token::Word;
            std::size_t end = i;
            while (end < text.size() && isWordChar(static_cast<unsigned char>(text[end])))
                ++end;
            token.text = std::string(text.substr(i, end - i));
            i = end;
        } else if (c == '(' || c == ')') {
            token.kind = c == '(' ? Token::Open : Token::Close;
            ++i;
        } else if (c == '=' || c == '<' || c == '>' || c == '!') {
            token.kind = Token::Symbol;
            token.text = std::string(1, static_cast<char>(c));
            ++i;
            if (i < text.size() && (text[i] == '=' || (c == '<' && text[i] == '>'))) {
                token.text += text[i];
                ++i;
            }
            if (token.text == "!")
                throw error("unexpected '!'");
        } else {
            throw error(std::string("unexpected '") + static_cast<char>(c) + "'");
        }
        tokens.push_back(std::move(token));
    }
    tokens.push_back(Token{Token::End, {}, text.size()});
    return tokens;
}

int compareText(std::string_view a, std::string_view b, bool caseInsensitive) {
    if (!caseInsensitive)
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    return QString::compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                            Qt::CaseInsensitive);
}

std::optional<Op> operatorOf(std::string_view symbol) {
    static constexpr std::pair<std::string_view, Op> operators[] = {
        {"=", Op::Eq}, {"<>", Op::Ne}, {"!=", Op::Ne}, {"<", Op::Lt},
        {">", Op::Gt}, {"<=", Op::Le}, {">=", Op::Ge}};
    for (const auto& [text, op] : operators)
        if (text == symbol)
            return op;
    return std::nullopt;
}

bool holds(Op op, int order) {
    switch (op) {
        case Op::Eq:
            return order == 0;
        case Op::Ne:
            return order != 0;
        case Op::Lt:
            return order < 0;
        case Op::Gt:
            return order > 0;
        case Op::Le:
            return order <= 0;
        case Op::Ge:
            return order >= 0;
    }
    return false;
}

}  // namespace

struct RowFilter::Node {
    enum Kind { And, Or, Not, Compare, IsNull } kind = Compare;
    std::unique_ptr<Node> left, right;
    // Compare / IsNull
    std::size_t column = 0;
    Op op = Op::Eq;
    bool literalNull = false;
    std::optional<double> number;  // the literal as a number, when it is one
    std::string text;              // the literal as text
    bool prefix = false;           // 'abc*' with =
    bool negate = false;           // IS NOT NULL
};

namespace {

class Parser {
  public:
    Parser(std::string_view source, const RowFilter::ColumnLookup& lookup, bool partial)
        : source_(source), tokens_(tokenize(source)), lookup_(lookup), partial_(partial) {}

    std::unique_ptr<RowFilter::Node> parse() {
        auto node = parseOr();
        if (peek().kind != Token::End)
            throw error("unexpected '" + peek().text + "'");
        return node;
    }

  private:
    using Node = RowFilter::Node;

    const Token& peek() const { return tokens_[at_]; }
    Token take() { return tokens_[at_++]; }
    EDatabaseError error(const std::string& what) const {
        return EDatabaseError("filter expression: " + what + " at character " +
                              std::to_string(peek().position + 1) + " of \"" +
                              std::string(source_) + "\"");
    }

    std::unique_ptr<Node> join(Node::Kind kind, std::unique_ptr<Node> left,
                               std::unique_ptr<Node> right) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<Node> parseOr() {
        auto node = parseAnd();
        while (keyword(peek(), "or")) {
            take();
            node = join(Node::Or, std::move(node), parseAnd());
        }
        return node;
    }

    std::unique_ptr<Node> parseAnd() {
        auto node = parseUnary();
        while (keyword(peek(), "and")) {
            take();
            node = join(Node::And, std::move(node), parseUnary());
        }
        return node;
    }

    std::unique_ptr<Node> parseUnary() {
        if (keyword(peek(), "not")) {
            take();
            return join(Node::Not, parseUnary(), nullptr);
        }
        if (peek().kind == Token::Open) {
            take();
            auto node = parseOr();
            if (peek().kind != Token::Close)
                throw error("')' expected");
            take();
            return node;
        }
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison() {
        if (peek().kind != Token::Word && peek().kind != Token::Field)
            throw error("field name expected");
        const Token field = take();
        auto node = std::make_unique<Node>();
        const auto column = lookup_(field.text);
        if (!column)
            throw EDatabaseError("Field '" + field.text + "' not found");
        node->column = *column;

        if (keyword(peek(), "is")) {
            take();
            node->kind = Node::IsNull;
            if (keyword(peek(), "not")) {
                take();
                node->negate = true;
            }
            if (!keyword(peek(), "null"))
                throw error("NULL expected");
            take();
            return node;
        }
        if (peek().kind != Token::Symbol)
            throw error("comparison operator expected");
        const Token symbol = take();
        const auto op = operatorOf(symbol.text);
        if (!op)
            throw error("unknown operator '" + symbol.text + "'");
        node->op = *op;
        const Token literal = take();
        switch (literal.kind) {
            case Token::Number:
                node->number = parseReal(literal.text);
                if (!node->number)
                    throw error("bad number '" + literal.text + "'");
                node->text = literal.text;
                break;
            case Token::Text:
                node->text = literal.text;
                node->number = parseReal(literal.text);
                if (partial_ && node->op == Op::Eq && !node->text.empty() &&
                    node->text.back() == '*') {
                    node->prefix = true;
                    node->text.pop_back();
                    node->number.reset();
                }
                break;
            case Token::Word:
                if (keyword(literal, "null")) {
                    node->literalNull = true;
                } else if (keyword(literal, "true") || keyword(literal, "false")) {
                    node->number = keyword(literal, "true") ? 1.0 : 0.0;
                    node->text = keyword(literal, "true") ? "1" : "0";
                } else {
                    throw error("value expected");
                }
                break;
            default:
                throw error("value expected");
        }
        return node;
    }

    std::string_view source_;
    std::vector<Token> tokens_;
    std::size_t at_ = 0;
    const RowFilter::ColumnLookup& lookup_;
    bool partial_;
};

}  // namespace

RowFilter::RowFilter(std::string_view text, const ColumnLookup& lookup, Options options)
    : root_(Parser(text, lookup, options.partialCompare).parse()), options_(options) {}

RowFilter::~RowFilter() = default;
RowFilter::RowFilter(RowFilter&&) noexcept = default;
RowFilter& RowFilter::operator=(RowFilter&&) noexcept = default;

namespace {

bool evaluate(const RowFilter::Node& node, const ResultTable& table, std::size_t row,
              bool caseInsensitive) {
    using Node = RowFilter::Node;
    switch (node.kind) {
        case Node::And:
            return evaluate(*node.left, table, row, caseInsensitive) &&
                   evaluate(*node.right, table, row, caseInsensitive);
        case Node::Or:
            return evaluate(*node.left, table, row, caseInsensitive) ||
                   evaluate(*node.right, table, row, caseInsensitive);
        case Node::Not:
            return !evaluate(*node.left, table, row, caseInsensitive);
        case Node::IsNull:
            return table.cell(row, node.column).isNull() != node.negate;
        case Node::Compare:
            break;
    }
    const Cell cell = table.cell(row, node.column);
    if (node.literalNull) {
        if (node.op == Op::Eq)
            return cell.isNull();
        if (node.op == Op::Ne)
            return !cell.isNull();
        return false;
    }
    if (cell.isNull())
        return false;

    std::optional<double> cellNumber;
    if (cell.kind == CellKind::Integer)
        cellNumber = static_cast<double>(cell.integer);
    else if (cell.kind == CellKind::Real)
        cellNumber = cell.real;
    else if (node.number && cell.kind == CellKind::Text)
        cellNumber = parseReal(cell.bytes);

    if (node.number && cellNumber) {
        const double a = *cellNumber, b = *node.number;
        return holds(node.op, a < b ? -1 : (a > b ? 1 : 0));
    }
    std::string own;
    std::string_view cellText = cell.bytes;
    if (cell.kind == CellKind::Integer)
        cellText = own = std::to_string(cell.integer);
    else if (cell.kind == CellKind::Real)
        cellText = own = formatReal(cell.real);
    if (node.prefix) {
        if (cellText.size() < node.text.size())
            return false;
        return compareText(cellText.substr(0, node.text.size()), node.text, caseInsensitive) == 0;
    }
    return holds(node.op, compareText(cellText, node.text, caseInsensitive));
}

}  // namespace

bool RowFilter::matches(const ResultTable& table, std::size_t row) const {
    return evaluate(*root_, table, row, options_.caseInsensitive);
}

}  // namespace morvane::db
