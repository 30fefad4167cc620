#pragma once

#include <stdexcept>
#include <string>

namespace morvane::workbook {

// A workbook that cannot be written or read: a file that cannot be opened,
// a layout beyond a format's limits, a file that is not a workbook we read.
// The message is for the user and says what to do where there is a remedy.
class WorkbookError : public std::runtime_error {
  public:
    explicit WorkbookError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace morvane::workbook
