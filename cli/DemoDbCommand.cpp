// morvane demo-db [--scale N] [--seed S] [--force] FILE

#include <cstdio>
#include <exception>
#include <filesystem>

#include "cli/Command.h"
#include "cli/Options.h"
#include "demo/DemoGenerator.h"

namespace morvane::cli {

int runDemoDb(Args args) {
    try {
        ParsedArgs parsed = parseArgs(args, {"scale", "seed"}, {"force"});
        if (parsed.positional.size() != 1) throw UsageError("demo-db needs exactly one FILE");
        demo::DemoOptions options;
        options.scale = int(parsed.intOption("scale", options.scale));
        options.seed = std::uint64_t(parsed.intOption("seed", (long long)options.seed));
        if (options.scale < 1) throw UsageError("--scale must be at least 1");
        const std::string& file = parsed.positional.front();
        // A name typed wrongly must not cost the file that has it.
        if (std::filesystem::exists(file) && !parsed.flag("force")) {
            std::fprintf(stderr,
                         "morvane demo-db: %s exists; nothing written (--force replaces it)\n",
                         file.c_str());
            return 2;
        }
        demo::DemoStats stats = demo::generateDemoDatabase(file, options);
        std::fprintf(stderr, "%s: %lld rows in %.2f s (scale %d, seed %llu)\n", file.c_str(),
                     (long long)stats.rows, stats.seconds, options.scale,
                     (unsigned long long)options.seed);
        return 0;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "morvane demo-db: %s\n", e.what());
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane demo-db: %s\n", e.what());
        return 2;
    }
}

}  // namespace morvane::cli
