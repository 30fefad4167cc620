// morvane windows: one line per window of the plug-in's table whose window class is part of
// this build, "name<TAB>caption", in table order.

#include <cstdio>

#include "cli/Command.h"
#include "entry/Dispatch.h"

namespace morvane::cli {

int runWindows(Args args) {
    if (!args.empty()) {
        std::fprintf(stderr, "morvane windows: takes no arguments\n");
        return usage();
    }
    for (const entry::TWindowListing& w : entry::RegisteredWindows()) {
        std::printf("%s\t%s\n", w.name.toUtf8().constData(), w.caption.toUtf8().constData());
    }
    return 0;
}

}  // namespace morvane::cli
