#include "cli/Options.h"

#include <algorithm>
#include <charconv>

namespace morvane::cli {

std::optional<std::string> ParsedArgs::option(const std::string& name) const {
    auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

long long ParsedArgs::intOption(const std::string& name, long long fallback) const {
    auto text = option(name);
    if (!text) return fallback;
    long long value = 0;
    auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec != std::errc() || end != text->data() + text->size()) {
        throw UsageError("--" + name + " needs a whole number, not '" + *text + "'");
    }
    return value;
}

ParsedArgs parseArgs(Args args, std::initializer_list<std::string_view> valueOptions,
                     std::initializer_list<std::string_view> flags) {
    ParsedArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.starts_with("--")) {
            std::string name = a.substr(2);
            if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
                parsed.options[name] = std::string();
                continue;
            }
            if (std::find(valueOptions.begin(), valueOptions.end(), name) == valueOptions.end()) {
                throw UsageError("unknown option '" + a + "'");
            }
            if (i + 1 >= args.size()) throw UsageError("option '" + a + "' needs a value");
            parsed.options[name] = args[++i];
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

}  // namespace morvane::cli
