// morvane run WINDOW [--db FILE | --odbc CONNSTR] [--user NO] [--list NAME]
//                    [--set CONTROL=VALUE]... [--pick EDIT=CODES]... [--sql] [--out FILE]
//                    [--library LIB]
//
// Opens the window through the plug-in (offscreen), applies --set and --pick in the order
// given, runs the get-data action and writes the result, or with --sql the statement text byte
// for byte. Without --out the result goes to standard output as tab-separated text; with
// --out FILE it goes by the file's extension:
//   FILE.xls, FILE.xlsx  the window's Excel button: the workbook the user would get
//   FILE.pdf             the window's print button: the pages of its print preview
//   FILE.tsv, FILE.txt, FILE without extension   tab-separated text
// Exit status: 0 done, 1 usage (an unknown --out extension too), 2 error (the Excel button is
// disabled without the Excel right), 3 a message box was shown (its text on standard error).

#include <cstdio>
#include <string>

#include "cli/Command.h"
#include "hostkit/HeadlessRun.h"

namespace morvane::cli {

namespace {

struct UsageProblem {
    std::string text;
};

host::RunStep step(host::RunStep::Kind kind, const std::string& option, const std::string& arg) {
    const auto eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) {
        throw UsageProblem{"--" + option + " needs NAME=VALUE, not '" + arg + "'"};
    }
    return {kind, QString::fromStdString(arg.substr(0, eq)),
            QString::fromStdString(arg.substr(eq + 1))};
}

host::RunOptions parse(Args args) {
    host::RunOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size())
                throw UsageProblem{"option '" + a + "' needs a value"};
            return args[++i];
        };
        if (a == "--db") {
            o.dbFile = QString::fromStdString(value());
        } else if (a == "--odbc") {
            o.odbc = QString::fromStdString(value());
        } else if (a == "--user") {
            o.user = QString::fromStdString(value());
        } else if (a == "--library") {
            // The plug-in to load; by default $MORVANE_PLUGIN, else libmorvane.so beside us.
            o.pluginPath = QString::fromStdString(value());
        } else if (a == "--list") {
            o.listName = QString::fromStdString(value());
        } else if (a == "--set") {
            o.steps.push_back(step(host::RunStep::Set, "set", value()));
        } else if (a == "--pick") {
            o.steps.push_back(step(host::RunStep::Pick, "pick", value()));
        } else if (a == "--sql") {
            o.sql = true;
        } else if (a == "--out") {
            o.outFile = QString::fromStdString(value());
        } else if (a.starts_with("--")) {
            throw UsageProblem{"unknown option '" + a + "'"};
        } else if (o.window.isEmpty()) {
            o.window = QString::fromStdString(a);
        } else {
            throw UsageProblem{"run takes one WINDOW"};
        }
    }
    if (o.window.isEmpty())
        throw UsageProblem{"run needs a WINDOW"};
    if (!o.dbFile.isEmpty() && !o.odbc.isEmpty()) {
        throw UsageProblem{"give either --db or --odbc, not both"};
    }
    if (o.sql && !o.outFile.isEmpty())
        throw UsageProblem{"give either --sql or --out"};
    if (!o.outFile.isEmpty()) {
        const QString problem = host::OutputFileProblem(o.outFile);
        if (!problem.isEmpty())
            throw UsageProblem{problem.toStdString()};
    }
    return o;
}

}  // namespace

int runRun(Args args) {
    host::RunOptions options;
    try {
        options = parse(args);
    } catch (const UsageProblem& p) {
        std::fprintf(stderr, "morvane run: %s\n", p.text.c_str());
        return usage();
    }
    const host::RunOutput result = host::RunWindow(options);
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fflush(stdout);
    if (!result.err.empty())
        std::fprintf(stderr, "morvane run: %s", result.err.c_str());
    return result.status;
}

}  // namespace morvane::cli
