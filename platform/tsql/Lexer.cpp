#include "platform/tsql/Lexer.h"

#include <cctype>

namespace morvane::tsql {

namespace {

bool isIdentStart(unsigned char c) {
    return std::isalpha(c) || c == '_' || c == '@' || c == '#' || c >= 0x80;
}

bool isIdentChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '@' || c == '#' || c == '$' || c >= 0x80;
}

class Scanner {
  public:
    explicit Scanner(std::string_view text) : s_(text) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        out.reserve(s_.size() / 4 + 4);
        for (;;) {
            skipBlanks();
            SourcePos pos = pos_;
            if (i_ >= s_.size()) {
                out.push_back({TokenKind::End, "", "", pos});
                return out;
            }
            out.push_back(next(pos));
        }
    }

  private:
    std::string_view s_;
    size_t i_ = 0;
    SourcePos pos_;

    // Moves over one byte, keeping line and column: a column counts UTF-8
    // characters (continuation bytes do not advance it), CR LF is one break.
    void advance() {
        unsigned char c = static_cast<unsigned char>(s_[i_]);
        ++i_;
        if (c == '\r') {
            if (i_ < s_.size() && s_[i_] == '\n') {
                ++i_;
            }
            ++pos_.line;
            pos_.column = 1;
        } else if (c == '\n') {
            ++pos_.line;
            pos_.column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++pos_.column;
        }
    }

    char peek(size_t ahead = 0) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }

    void skipBlanks() {
        for (;;) {
            char c = peek();
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
                advance();
            } else if (c == '-' && peek(1) == '-') {
                while (i_ < s_.size() && peek() != '\r' && peek() != '\n') {
                    advance();
                }
            } else if (c == '/' && peek(1) == '*') {
                SourcePos start = pos_;
                advance();
                advance();
                int depth = 1;
                while (depth > 0) {
                    if (i_ >= s_.size()) {
                        throw TranslationError("unterminated comment", "/*", start);
                    }
                    if (peek() == '/' && peek(1) == '*') {
                        advance();
                        advance();
                        ++depth;
                    } else if (peek() == '*' && peek(1) == '/') {
                        advance();
                        advance();
                        --depth;
                    } else {
                        advance();
                    }
                }
            } else {
                return;
            }
        }
    }

    std::string quoted(char close, SourcePos start, const char* what) {
        advance();  // opening quote
        std::string value;
        for (;;) {
            if (i_ >= s_.size()) {
                throw TranslationError(std::string("unterminated ") + what,
                                       std::string(1, close == ']' ? '[' : close), start);
            }
            char c = peek();
            // SQLite reads a statement only up to a NUL, so no literal may
            // hold one.
            if (c == '\0') {
                throw TranslationError("unsupported character", std::string(1, '\0'), pos_);
            }
            if (c == close) {
                if (peek(1) == close) {
                    value.push_back(c);
                    advance();
                    advance();
                    continue;
                }
                advance();
                return value;
            }
            value.push_back(c);
            advance();
        }
    }

    Token next(SourcePos pos) {
        unsigned char c = static_cast<unsigned char>(peek());
        if ((c == 'N' || c == 'n') && peek(1) == '\'') {
            advance();
            return {TokenKind::String, quoted('\'', pos, "string literal"), "", pos};
        }
        if (c == '\'') {
            return {TokenKind::String, quoted('\'', pos, "string literal"), "", pos};
        }
        if (c == '[') {
            return {TokenKind::QuotedIdentifier, quoted(']', pos, "identifier"), "", pos};
        }
        if (c == '"') {
            return {TokenKind::QuotedIdentifier, quoted('"', pos, "identifier"), "", pos};
        }
        if (std::isdigit(c) || (c == '.' && std::isdigit(static_cast<unsigned char>(peek(1))))) {
            return number(pos);
        }
        if (isIdentStart(c)) {
            size_t start = i_;
            while (i_ < s_.size() && isIdentChar(static_cast<unsigned char>(peek()))) {
                advance();
            }
            Token t{TokenKind::Identifier, std::string(s_.substr(start, i_ - start)), "", pos};
            t.lower = t.text;
            for (char& ch : t.lower) {
                if (ch >= 'A' && ch <= 'Z') {
                    ch = static_cast<char>(ch + ('a' - 'A'));
                }
            }
            return t;
        }
        static constexpr std::string_view two[] = {"<>", "!=", "<=", ">=", "!<", "!>"};
        for (std::string_view op : two) {
            if (s_.substr(i_, 2) == op) {
                advance();
                advance();
                return {TokenKind::Symbol, std::string(op), "", pos};
            }
        }
        if (std::string_view("(),.;=<>+-*/%").find(static_cast<char>(c)) !=
            std::string_view::npos) {
            advance();
            return {TokenKind::Symbol, std::string(1, static_cast<char>(c)), "", pos};
        }
        std::string bad(1, static_cast<char>(c));
        throw TranslationError("unsupported character", bad, pos);
    }

    Token number(SourcePos pos) {
        size_t start = i_;
        bool decimal = false;
        while (std::isdigit(static_cast<unsigned char>(peek()))) {
            advance();
        }
        if (peek() == '.') {
            decimal = true;
            advance();
            while (std::isdigit(static_cast<unsigned char>(peek()))) {
                advance();
            }
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (std::isdigit(static_cast<unsigned char>(peek(1))) ||
             ((peek(1) == '+' || peek(1) == '-') &&
              std::isdigit(static_cast<unsigned char>(peek(2)))))) {
            decimal = true;
            advance();
            advance();
            while (std::isdigit(static_cast<unsigned char>(peek()))) {
                advance();
            }
        }
        std::string text(s_.substr(start, i_ - start));
        // An integer too long for 64 bits is a decimal on SQL Server as well.
        if (!decimal && text.size() > 18) {
            decimal = true;
        }
        return {decimal ? TokenKind::Decimal : TokenKind::Integer, std::move(text), "", pos};
    }
};

}  // namespace

std::vector<Token> tokenize(std::string_view text) {
    return Scanner(text).run();
}

}  // namespace morvane::tsql
