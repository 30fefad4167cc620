// Fresh translation of every statement the windows send (the statement
// corpus of the tests), one benchmark per statement, so the slowest one is
// visible; and a cached hit of the longest.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/tsql/Translator.h"

namespace {

struct Statement {
    std::string name;
    std::string text;
};

std::vector<Statement> corpus() {
    std::vector<Statement> all;
    for (const auto& entry : std::filesystem::directory_iterator(MORVANE_CORPUS)) {
        if (entry.path().extension() != ".sql") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        all.push_back({entry.path().stem().string(), s.str()});
    }
    std::sort(all.begin(), all.end(),
              [](const Statement& a, const Statement& b) { return a.name < b.name; });
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<Statement> statements = corpus();
    for (const Statement& s : statements) {
        benchmark::RegisterBenchmark(("cold/" + s.name).c_str(),
                                     [text = s.text](benchmark::State& state) {
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(
                                                 morvane::tsql::translate(text));
                                         }
                                         state.counters["bytes"] = double(text.size());
                                     })
            ->Unit(benchmark::kMicrosecond);
    }
    if (!statements.empty()) {
        const Statement& longest = *std::max_element(
            statements.begin(), statements.end(),
            [](const Statement& a, const Statement& b) { return a.text.size() < b.text.size(); });
        benchmark::RegisterBenchmark(("cached/" + longest.name).c_str(),
                                     [text = longest.text](benchmark::State& state) {
                                         morvane::tsql::translateCached(text);
                                         for (auto _ : state) {
                                             benchmark::DoNotOptimize(
                                                 &morvane::tsql::translateCached(text));
                                         }
                                     })
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
