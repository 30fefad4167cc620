#include "cli/TsvWriter.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/db/CellText.h"
#include "platform/db/ResultTable.h"

namespace morvane::cli {

namespace {

[[noreturn]] void outputFailed(int error) {
    throw OutputError(std::string("cannot write to standard output: ") +
                      (error ? std::strerror(error) : "the stream failed"));
}

}  // namespace

void writeOut(std::FILE* out, std::string_view bytes) {
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size())
        outputFailed(errno);
}

void flushOut(std::FILE* out) {
    errno = 0;
    // A buffered write that failed shows only here, or in the stream's error flag.
    if (std::fflush(out) != 0 || std::ferror(out))
        outputFailed(errno);
}

void appendTsvText(std::string& line, std::string_view text) {
    for (char c : text) {
        line.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
    }
}

namespace {

void appendCell(std::string& line, const db::Cell& cell, bool asReal = false) {
    switch (cell.kind) {
        case db::CellKind::Null:
            break;
        case db::CellKind::Integer: {
            if (asReal) {
                line += db::formatReal(static_cast<double>(cell.integer));
                break;
            }
            char buf[24];
            auto [end, ec] = std::to_chars(buf, buf + sizeof buf, cell.integer);
            line.append(buf, end);
            break;
        }
        case db::CellKind::Real:
            line += db::formatReal(cell.real);
            break;
        case db::CellKind::Text:
        case db::CellKind::Blob:
            appendTsvText(line, cell.bytes);
            break;
    }
}

void writeHeader(const db::ResultTable& table, std::string& line, std::FILE* out) {
    line.clear();
    const std::size_t columns = table.columnCount();
    for (std::size_t c = 0; c < columns; ++c) {
        if (c) line.push_back('\t');
        appendTsvText(line, table.columnName(c));
    }
    line.push_back('\n');
    writeOut(out, line);
}

bool integerColumn(db::ColumnType type) {
    return type == db::ColumnType::Integer || type == db::ColumnType::Boolean;
}

// Whether a column of integers holds one that a double cannot hold exactly.
bool holdsWideIntegers(const db::Column& column) {
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    for (std::size_t r = 0; r < column.size(); ++r) {
        const std::int64_t v = column.integerAt(r);
        if (!column.isNull(r) && (v > kExact || v < -kExact))
            return true;
    }
    return false;
}

}  // namespace

void writeTsv(const db::ResultTable& table, std::FILE* out) {
    std::string line;
    writeHeader(table, line, out);
    const std::size_t columns = table.columnCount();
    const std::size_t rows = table.rowCount();
    for (std::size_t r = 0; r < rows; ++r) {
        line.clear();
        for (std::size_t c = 0; c < columns; ++c) {
            if (c) line.push_back('\t');
            appendCell(line, table.cell(r, c));
        }
        line.push_back('\n');
        writeOut(out, line);
    }
}

void TsvStream::writeRows(const db::ResultTable& rows, const std::vector<bool>& asReal) {
    const std::size_t columns = rows.columnCount();
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        line_.clear();
        for (std::size_t c = 0; c < columns; ++c) {
            if (c) line_.push_back('\t');
            appendCell(line_, rows.cell(r, c), asReal[c]);
        }
        line_.push_back('\n');
        writeOut(out_, line_);
    }
}

void TsvStream::write(const db::ResultPiece& piece) {
    const db::ResultTable& rows = piece.rows;
    const std::size_t columns = rows.columnCount();
    if (!header_) {
        writeHeader(rows, line_, out_);
        header_ = true;
        unsettled_.assign(columns, false);
    }
    // A column with held integers settles when it stops being a column of integers: through
    // a real, which turned all its integers (the held ones too) into reals, or straight into
    // texts, which keep them exact.
    for (std::size_t c = 0; c < columns; ++c) {
        if (!unsettled_[c])
            continue;
        if (piece.roundedIntegers[c])
            for (Held& h : held_)
                h.asReal[c] = true;
        if (!integerColumn(rows.columnType(c)))
            unsettled_[c] = false;
    }
    if (std::none_of(unsettled_.begin(), unsettled_.end(), [](bool u) { return u; })) {
        for (const Held& h : held_)
            writeRows(h.rows, h.asReal);
        held_.clear();
    }
    bool hold = !held_.empty();
    for (std::size_t c = 0; c < columns; ++c)
        if (integerColumn(rows.columnType(c)) && holdsWideIntegers(rows.column(c))) {
            unsettled_[c] = true;
            hold = true;
        }
    const std::vector<bool> exact(columns, false);
    if (!hold) {
        writeRows(rows, exact);
        return;
    }
    held_.push_back(Held{std::move(piece.rows), exact});
}

void TsvStream::finish() {
    for (const Held& h : held_)
        writeRows(h.rows, h.asReal);
    held_.clear();
}

}  // namespace morvane::cli
