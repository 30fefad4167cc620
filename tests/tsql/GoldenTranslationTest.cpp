// Golden translations: every rule of the translator as T-SQL input and the
// SQLite text it must print, kept in data/*.txt:
//
//   ### name of the case
//   T-SQL, one or more lines
//   ----
//   expected SQLite (or "error: <TranslationError message>")

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

#include "platform/tsql/Translator.h"
#include "tests/tsql/SqliteTestDb.h"

namespace morvane::tsql {
namespace {

namespace fs = std::filesystem;
using test::readFile;

struct GoldenCase {
    std::string file;
    std::string name;
    std::string input;
    std::string expected;
};

std::string joinTrimmed(std::vector<std::string> lines) {
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i) {
        s += (i ? "\n" : "") + lines[i];
    }
    return s;
}

std::vector<GoldenCase> loadCases() {
    std::vector<GoldenCase> cases;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(MORVANE_TSQL_TEST_DATA)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::istringstream in(readFile(path));
        std::string line;
        GoldenCase* current = nullptr;
        std::vector<std::string> input, expected;
        bool inExpected = false;
        auto flush = [&] {
            if (current) {
                current->input = joinTrimmed(input);
                current->expected = joinTrimmed(expected);
            }
            input.clear();
            expected.clear();
            inExpected = false;
        };
        while (std::getline(in, line)) {
            if (line.rfind("### ", 0) == 0) {
                flush();
                cases.push_back({path.stem().string(), line.substr(4), "", ""});
                current = &cases.back();
            } else if (line == "----" && current && !inExpected) {
                inExpected = true;
            } else if (current) {
                (inExpected ? expected : input).push_back(line);
            }
        }
        flush();
    }
    return cases;
}

class GoldenTranslation : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTranslation, PrintsTheExpectedSqlite) {
    const GoldenCase& c = GetParam();
    SCOPED_TRACE(c.file + ": " + c.name);
    ASSERT_FALSE(c.expected.empty()) << "case without expected text";
    const std::string errorPrefix = "error: ";
    if (c.expected.rfind(errorPrefix, 0) == 0) {
        try {
            std::string sql = translate(c.input);
            ADD_FAILURE() << "translated to " << sql;
        } catch (const TranslationError& e) {
            EXPECT_EQ(e.what(), c.expected.substr(errorPrefix.size()));
        }
        return;
    }
    EXPECT_EQ(translate(c.input), c.expected);
}

std::string caseName(const testing::TestParamInfo<GoldenCase>& info) {
    std::string n = info.param.file + "_" + std::to_string(info.index);
    for (char& ch : n) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) {
            ch = '_';
        }
    }
    return n;
}

INSTANTIATE_TEST_SUITE_P(Rules, GoldenTranslation, testing::ValuesIn(loadCases()), caseName);

TEST(GoldenData, EveryRuleFileHasCases) {
    std::map<std::string, int> perFile;
    for (const auto& c : loadCases()) {
        ++perFile[c.file];
    }
    for (const char* file : {"convert", "errors", "expressions", "from", "functions",
                             "select_names", "statements", "top"}) {
        EXPECT_GT(perFile[file], 3) << file;
    }
}

}  // namespace
}  // namespace morvane::tsql
