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
#include "hostkit/Translations.h"

namespace morvane::cli {

std::span<const Command> commands() {
    static const Command table[] = {
        {"demo-db", "demo-db [--scale N] [--seed S] [--force] FILE",
         "Creates the demo database FILE from a deterministic generator (scale 1 in seconds;\n"
         "the documents grow linearly with N). An existing FILE is kept unless --force is\n"
         "given. Exit status: 0 done, 1 usage, 2 error (FILE exists, cannot be written).\n",
         runDemoDb},
        {"query", "query [--db FILE | --odbc CONNSTR] [STATEMENT | -]",
         "Runs one T-SQL statement (the argument, or standard input with - or no argument)\n"
         "and prints the rows as tab-separated lines under a line of column names.\n"
         "--db defaults to $MORVANE_DB, else demo.db. Exit status: 0 done, 1 usage, 2 error.\n",
         runQuery},
        {"windows", "windows",
         "Lists the report windows the plug-in can open, one \"name<TAB>caption\" a line.\n",
         runWindows},
        {"run",
         "run WINDOW [--db FILE | --odbc CONNSTR] [--user NO] [--list NAME]\n"
         "              [--set CONTROL=VALUE]... [--pick EDIT=CODES]... [--library PLUGIN]\n"
         "              [--sql | --out FILE.tsv|FILE.xls|FILE.xlsx|FILE.pdf | --controls]",
         "Opens WINDOW through the plug-in (offscreen), sets its controls (--set, in the order\n"
         "given; a check box takes 0 or 1, a date YYYY-MM-DD, a number its range), ticks the\n"
         "rows of CODES (comma-separated) in the picker of EDIT (--pick), presses 统计 and\n"
         "prints the result as tab-separated lines; --sql prints the statement instead, --out\n"
         "writes the file through the window's Excel (.xls, .xlsx) or print (.pdf) button.\n"
         "--controls lists the controls and pickers the window offers, with their kinds and\n"
         "current values, and runs nothing.\n"
         "Exit status: 0 done, 1 usage, 2 error (a value out of range, a control the window\n"
         "lacks, a database error), 3 the window showed a message (on standard error).\n",
         runRun},
    };
    return table;
}

int usage() {
    std::fputs("usage: morvane COMMAND [ARGS]   (morvane COMMAND --help for more)\n", stderr);
    for (const Command& c : commands()) {
        std::fprintf(stderr, "  morvane %.*s\n", int(c.synopsis.size()), c.synopsis.data());
    }
    return 1;
}

int help() {
    std::fputs("usage: morvane COMMAND [ARGS]   (morvane COMMAND --help for more)\n", stdout);
    for (const Command& c : commands()) {
        std::fprintf(stdout, "  morvane %.*s\n", int(c.synopsis.size()), c.synopsis.data());
    }
    return 0;
}

int commandHelp(const Command& c) {
    std::fprintf(stdout, "usage: morvane %.*s\n\n%.*s", int(c.synopsis.size()),
                 c.synopsis.data(), int(c.help.size()), c.help.data());
    return 0;
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
    morvane::host::LoadQtTranslations(app);
    using namespace morvane::cli;
    if (argc < 2) return usage();
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") return help();
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : commands()) {
        if (c.name != name) continue;
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") return commandHelp(c);
        }
        return c.run(args);
    }
    std::fprintf(stderr, "morvane: unknown command '%s'\n", name.c_str());
    return usage();
}
