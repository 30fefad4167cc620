// morvane: the headless host. Creates the demo database and runs statements
// and windows through the same plug-in code the GUI host uses.

#include <QApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"

namespace morvane::cli {

std::span<const Command> commands() {
    static const Command table[] = {
        {"demo-db", "demo-db [--scale N] [--seed S] FILE", runDemoDb},
        {"query", "query [--db FILE | --odbc CONNSTR] [STATEMENT | -]", runQuery},
        {"windows", "windows", runWindows},
        {"run",
         "run WINDOW [--db FILE | --odbc CONNSTR] [--user NO] [--list NAME]\n"
         "              [--set CONTROL=VALUE]... [--pick EDIT=CODES]... [--library PLUGIN]\n"
         "              [--sql | --out FILE.tsv|FILE.xls|FILE.xlsx|FILE.pdf]",
         runRun},
    };
    return table;
}

int usage() {
    std::fputs("usage: morvane COMMAND [ARGS]\n", stderr);
    for (const Command& c : commands()) {
        std::fprintf(stderr, "  morvane %.*s\n", int(c.synopsis.size()), c.synopsis.data());
    }
    return 1;
}

}  // namespace morvane::cli

int main(int argc, char** argv) {
    // Windows are real widgets in every mode; without a display they live offscreen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder; a shell or a CI job without a desktop session has none,
    // and Qt would say so on standard error, which scripts read.
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/morvane-runtime-" + std::to_string(getuid());
        if (mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST) qputenv("XDG_RUNTIME_DIR", dir.c_str());
    }
    QApplication app(argc, argv);
    using namespace morvane::cli;
    if (argc < 2) return usage();
    const std::string name = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : commands()) {
        if (c.name == name) return c.run(args);
    }
    std::fprintf(stderr, "morvane: unknown command '%s'\n", name.c_str());
    return usage();
}
