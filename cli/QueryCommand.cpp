// morvane query [--db FILE | --odbc CONNSTR] [STATEMENT | -]

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <string>

#include "cli/Command.h"
#include "cli/Connect.h"
#include "cli/Options.h"
#include "cli/TsvWriter.h"
#include "platform/db/RemoteUdpDataSet.h"

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
        // The same steps the plug-in's query helper takes: close, attach, set the text, open.
        TRemoteUdpDataSet dataSet;
        dataSet.Close();
        dataSet.setSetupUdpParent(connection.get());
        dataSet.SetSQL(QString::fromStdString(statement));
        dataSet.Open();
        writeTsv(dataSet.table(), stdout);
        dataSet.Close();
        return std::fflush(stdout) == 0 ? 0 : 2;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "morvane query: %s\n", e.what());
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morvane query: %s\n", e.what());
        return 2;
    }
}

}  // namespace morvane::cli
