#pragma once
// Minimal option parsing for the sub-commands: "--name VALUE" pairs from a
// fixed list, the rest positional. "-" alone is positional (standard input).

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace morvane::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ParsedArgs {
    std::map<std::string, std::string> options;  // without the leading "--"
    std::vector<std::string> positional;

    std::optional<std::string> option(const std::string& name) const;
    bool flag(const std::string& name) const { return options.count(name) > 0; }
    // The option as a whole number; throws UsageError when it is not one.
    long long intOption(const std::string& name, long long fallback) const;
};

// Throws UsageError for an unknown option or one without its value. Flags take no value and
// are kept with the empty text.
ParsedArgs parseArgs(Args args, std::initializer_list<std::string_view> valueOptions,
                     std::initializer_list<std::string_view> flags = {});

}  // namespace morvane::cli
