// morvane query [--db FILE | --odbc CONNSTR] [STATEMENT | -]
//
// A statement with a result set prints it as tab-separated lines; one without (an insert, a
// delete) prints "N rows affected" on standard error. Exit status: 0 done, 1 usage, 2 a
// database error or standard output that cannot be written.

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/Command.h"
#include "cli/Connect.h"
#include "cli/Options.h"
#include "cli/TsvWriter.h"
#include "platform/db/Backend.h"

namespace morvane::cli {

namespace {

std::string readStandardInput() {
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

}  // namespace

int runQuery(Args args) {
    try {
        ParsedArgs parsed = parseArgs(args, {"db", "odbc"});
        if (parsed.positional.size() > 1) {
            throw UsageError("query takes one statement; quote it as one argument");
        }
        const bool fromInput = parsed.positional.empty() || parsed.positional.front() == "-";
        const std::string statement = fromInput ? readStandardInput() : parsed.positional.front();

        auto connection = connectFrom(parsed);
        // Run once, whatever the statement returns: a delete must not run and then fail.
        const db::StatementOutcome outcome = connection->Run(QString::fromStdString(statement));
        if (outcome.rows) {
            writeTsv(*outcome.rows, stdout);
        } else {
            std::fprintf(stderr, "%lld %s affected\n", static_cast<long long>(outcome.changed),
                         outcome.changed == 1 ? "row" : "rows");
        }
        flushOut(stdout);
        return 0;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "morvane query: %s\n", e.what());
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane query: %s\n", e.what());
        return 2;
    }
}

}  // namespace morvane::cli
