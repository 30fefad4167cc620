#pragma once

#include "platform/db/ResultTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane::db {

// Consecutive rows of a result, handed over as they are fetched (see
// Backend::run). The pieces' columns decide their types as one table
// of all the rows would: a piece's columns start as the types the pieces before
// it reached, so a number that arrives in a text column is its text here as it
// would be there. The one thing a piece cannot change is what came before it:
// when a column of integers turns real, the integers of the earlier pieces
// would have become reals in one table (and printed as such); roundedIntegers
// says so for each column where that happened within this piece.
struct ResultPiece {
    ResultTable& rows;  // the sink may move them out
    const std::vector<bool>& roundedIntegers;  // by column
};
using PieceSink = std::function<void(const ResultPiece& piece)>;

// What a statement run through Backend::run gave: whether it returned rows (they went to the
// sink), else the number of rows it changed.
struct StatementOutcome {
    bool returnedRows = false;
    std::int64_t changed = 0;
};

// One open database session behind TRemoteUdpConnection. Statements arrive as the callers wrote
// them (T-SQL); a backend translates them if its database needs it. Failures, including a
// statement interrupted by cancel(), throw EDatabaseError with the database's own message.
class Backend {
  public:
    virtual ~Backend() = default;

    // Runs a statement that returns rows and fetches all of them.
    virtual ResultTable query(const std::string& statement) = 0;
    // Runs a statement that returns no rows; the number of rows it changed.
    virtual std::int64_t execute(const std::string& statement) = 0;
    // Runs a statement whatever it returns, once (a tool that runs what the user typed). When
    // it returns rows, the result query() would give goes to the sink in pieces of at most
    // rowsPerPiece rows as they are fetched, so that a reader that writes them out holds one
    // piece at a time: at least one piece, empty for a result without rows; a failure after
    // some pieces throws as query() would. Otherwise no piece, and the rows it changed. This
    // default fetches the whole result through query() and hands it over as one piece.
    virtual StatementOutcome run(const std::string& statement, std::size_t rowsPerPiece,
                                 const PieceSink& sink);
    // Interrupts the statement running on another thread, if any. Thread-safe.
    virtual void cancel() noexcept = 0;
    // The name of the database product (e.g. "SQLite", "Microsoft SQL Server").
    virtual std::string dbmsName() const = 0;
};

// Builds the pieces of one result: the caller appends each fetched row's values to builders()
// and calls rowDone(); every rowsPerPiece rows, and at finish(), the rows so far go to the sink
// as one piece and new builders continue the columns' types.
class PieceMaker {
  public:
    PieceMaker(std::vector<ColumnBuilder> builders, std::size_t rowsPerPiece,
               const PieceSink& sink);
    std::vector<ColumnBuilder>& builders() { return builders_; }
    void rowDone() {
        if (++rows_ == limit_)
            flush();
    }
    void finish();

  private:
    void flush();
    std::vector<ColumnBuilder> builders_;
    std::size_t limit_;
    const PieceSink& sink_;
    std::size_t rows_ = 0;
    bool sent_ = false;
};

}  // namespace morvane::db
