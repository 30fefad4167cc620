#pragma once

#include <stdexcept>
#include <string>

// A failure reported by the database server, the driver or the dataset itself. The message is
// the server's own text where there is one (sqlite3_errmsg, SQLGetDiagRec), so that what the
// user sees names the real cause.
class EDatabaseError : public std::runtime_error {
  public:
    explicit EDatabaseError(const std::string& message);
};
