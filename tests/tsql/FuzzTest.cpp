// Robustness of the translator: the statements of the windows (the statement
// corpus and the report statements of data/reports), mutated thousands of
// times from a fixed seed, must each either translate or raise the
// translator's own error with a position inside the text. Anything else (a
// crash, another exception) fails the case and prints the input that caused
// it. What translates must also be SQL that SQLite can parse: it may refuse
// it for what it names (an unknown column, a union of unequal widths, as SQL
// Server would), never for its syntax.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "platform/tsql/Translator.h"
#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> seedStatements() {
    std::vector<fs::path> files;
    for (const fs::path dir : {fs::path(MORVANE_SOURCE_DIR) / "tests" / "corpus" / "data",
                               fs::path(MORVANE_TSQL_TEST_DATA) / "reports"}) {
        if (!fs::exists(dir)) {
            continue;
        }
        for (const auto& e : fs::directory_iterator(dir)) {
            const auto ext = e.path().extension();
            if (ext == ".sql" && dir.filename() == "data") {
                files.push_back(e.path());
            } else if (ext == ".tsql") {
                files.push_back(e.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> statements;
    for (const auto& f : files) {
        statements.push_back(test::readFile(f));
    }
    return statements;
}

// Pieces a mutation inserts: the words, symbols and literals the translator
// treats specially, and bytes it should never see.
const std::vector<std::string> kPieces = {
    "(", ")", ",", "'", "''", "N'", "[", "]", "\"", "--", "/*", "*/", ".", "dbo.", "*", "+", "-",
    "/", "%", "=", "<>", "!=", "!<", "<=", "select ", " from ", " where ", " union all ",
    " union ", " case ", " end ", " when ", " then ", " else ", " in(", " not ", " like ",
    " between ", " and ", " or ", " null ", " is ", " exists(", " order by ", " group by ",
    " having ", " distinct ", " top ", " top(", " as ", " join ", " left join ", " on ",
    " cross apply ", " over ", " escape ", " with ", " into ", "convert(", "cast(", "varchar(",
    "numeric(38,38)", "numeric(0,1)", "decimal(99,2)", "char(", "float", "isnull(", "sum(",
    "count(*)", "datediff(", "dateadd(day,", "datepart(", "fn_monthday(", "right(", "@x", "#t",
    "0", "1.5", "2.5e1", "1e999", "99999999999999999999999", "'[a-c]%'", "'%[^_]'",
    "\xe4\xb8\xad", "\xff", "\xc3", std::string(1, '\0'), "\r", "\n", "\r\n", "\t", ";",
    " set dateformat ymd ", " insert into t values(", " update t set a=", " delete t "};

class Mutator {
  public:
    explicit Mutator(std::uint32_t seed) : rng_(seed) {}

    std::string mutate(std::string s) {
        const std::size_t steps = 1 + below(4);
        for (std::size_t i = 0; i < steps; ++i) {
            step(s);
        }
        return s;
    }

  private:
    std::mt19937 rng_;

    // The raw engine output is the same on every platform (a distribution's
    // is not), so the cases are too.
    std::size_t below(std::size_t n) { return n == 0 ? 0 : rng_() % n; }

    void step(std::string& s) {
        const std::size_t at = below(s.size() + 1);
        const std::size_t length = std::min<std::size_t>(1 + below(24), s.size() - at);
        switch (below(8)) {
            case 0:  // delete a run
                s.erase(at, length);
                break;
            case 1:  // duplicate a run
                s.insert(at, s.substr(at, length));
                break;
            case 2:
            case 3:  // insert a piece
                s.insert(at, kPieces[below(kPieces.size())]);
                break;
            case 4:  // cut the statement short
                s.resize(at);
                break;
            case 5:  // replace one byte
                if (at < s.size()) {
                    s[at] = static_cast<char>(below(256));
                }
                break;
            case 6: {  // move a run elsewhere
                const std::string run = s.substr(at, length);
                s.erase(at, length);
                s.insert(below(s.size() + 1), run);
                break;
            }
            default:  // repeat a piece many times (nesting, long lists)
                for (std::size_t n = 1 + below(400), k = 0; k < n; ++k) {
                    s.insert(at, kPieces[below(8)]);
                }
                break;
        }
    }
};

// Lines of a text as the translator counts them: CR, LF and CR LF each end one.
int lineCount(const std::string& s) {
    int lines = 1;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

// SQLite's messages for text it cannot parse.
bool isSyntaxError(const std::string& message) {
    for (const char* what : {"syntax error", "unrecognized token", "incomplete input"}) {
        if (message.find(what) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(TranslatorFuzz, MutatedStatementsTranslateOrRaiseAPositionedError) {
    const std::vector<std::string> seeds = seedStatements();
    ASSERT_GT(seeds.size(), 10u);
    test::SqliteTestDb db;
    db.execSqlite(test::readFile(fs::path(MORVANE_TSQL_TEST_DATA) / "reports" / "tables.schema"));
    constexpr int kCases = 20000;
    Mutator mutator(20260101);
    int translated = 0, refused = 0;
    for (int i = 0; i < kCases; ++i) {
        const std::string input = mutator.mutate(seeds[static_cast<std::size_t>(i) % seeds.size()]);
        try {
            const std::string sql = translate(input);
            ++translated;
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &statement, nullptr) !=
                SQLITE_OK) {
                const std::string message = sqlite3_errmsg(db.handle());
                EXPECT_FALSE(isSyntaxError(message))
                    << "case " << i << ": " << message << "\n" << input << "\n" << sql;
            }
            sqlite3_finalize(statement);
        } catch (const TranslationError& e) {
            ++refused;
            const SourcePos pos = e.position();
            EXPECT_TRUE(pos.line >= 1 && pos.line <= lineCount(input) && pos.column >= 1)
                << "case " << i << ": " << e.what() << "\n" << input;
            EXPECT_NE(std::string(e.what()).find(" at "), std::string::npos) << e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "case " << i << ": " << typeid(e).name() << ": " << e.what() << "\n"
                          << input;
        }
    }
    // Both outcomes occur, so the mutations neither break everything nor nothing.
    EXPECT_GT(translated, kCases / 20);
    EXPECT_GT(refused, kCases / 4);
}

}  // namespace
}  // namespace morvane::tsql
