#pragma once
// The sub-commands of the morvane tool. main() looks a command up in the
// table by name; each command parses its own arguments.

#include <span>
#include <string>
#include <string_view>

namespace morvane::cli {

using Args = std::span<const std::string>;

struct Command {
    std::string_view name;
    std::string_view synopsis;  // one line for the usage text
    std::string_view help;      // what "morvane COMMAND --help" adds below the synopsis
    int (*run)(Args args);      // exit status: 0 ok, 1 usage, 2 failure
};

// Every command, in the order the usage text lists them.
std::span<const Command> commands();

int runDemoDb(Args args);
int runQuery(Args args);
int runWindows(Args args);
int runRun(Args args);

// Prints the usage text to standard error and returns 1.
int usage();
// "morvane --help": the usage text on standard output; 0.
int help();
// "morvane COMMAND --help": the command's synopsis and help on standard output; 0.
int commandHelp(const Command& command);

}  // namespace morvane::cli
