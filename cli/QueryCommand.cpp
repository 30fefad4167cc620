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
#include "platform/db/RemoteUdpConnection.h"

namespace morvane::cli {

namespace {

// Rows fetched before they are written: a few hundred kilobytes.
constexpr std::size_t kRowsPerPiece = 4096;

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
        // Run once, whatever the statement returns: a delete must not run and then fail. The
        // rows go out as they are fetched, a piece at a time, so that a result of any size runs
        // in the memory of one piece; the lines are those of the whole result.
        TsvStream tsv(stdout);
        const db::StatementOutcome outcome =
            connection->Run(QString::fromStdString(statement), kRowsPerPiece,
                            [&](const db::ResultPiece& piece) { tsv.write(piece); });
        if (outcome.returnedRows) {
            tsv.finish();
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
