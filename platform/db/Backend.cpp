#include "platform/db/Backend.h"

namespace morvane::db {

StatementOutcome Backend::run(const std::string& statement, std::size_t, const PieceSink& sink) {
    ResultTable table = query(statement);
    const std::vector<bool> rounded(table.columnCount(), false);
    sink(ResultPiece{table, rounded});
    return StatementOutcome{true, 0};
}

PieceMaker::PieceMaker(std::vector<ColumnBuilder> builders, std::size_t rowsPerPiece,
                       const PieceSink& sink)
    : builders_(std::move(builders)), limit_(rowsPerPiece == 0 ? 1 : rowsPerPiece), sink_(sink) {}

void PieceMaker::flush() {
    std::vector<Column> columns;
    std::vector<bool> rounded;
    std::vector<ColumnBuilder> next;
    columns.reserve(builders_.size());
    next.reserve(builders_.size());
    for (auto& builder : builders_) {
        rounded.push_back(builder.roundedIntegers());
        next.push_back(builder.continuation());
        columns.push_back(builder.finish());
    }
    builders_ = std::move(next);
    rows_ = 0;
    sent_ = true;
    ResultTable piece(std::move(columns));
    sink_(ResultPiece{piece, rounded});
}

void PieceMaker::finish() {
    if (rows_ > 0 || !sent_)
        flush();
}

}  // namespace morvane::db
