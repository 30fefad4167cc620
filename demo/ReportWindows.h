#pragma once

// The report windows of the plug-in with their captions. The demo rights
// lists are named after the captions (dr_right.listname), one list per window.

#include <cstddef>

namespace morvane::demo {

struct ReportWindow {
    const char* form;     // window name passed to CreateDLLForm
    const char* caption;  // caption = rights list name
    const char* menu;     // menu group of the demo host
};

extern const ReportWindow kReportWindows[];
extern const std::size_t kReportWindowCount;

}  // namespace morvane::demo
