#include "cli/TsvWriter.h"

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

void appendCell(std::string& line, const db::Cell& cell) {
    switch (cell.kind) {
        case db::CellKind::Null:
            break;
        case db::CellKind::Integer: {
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

}  // namespace

void writeTsv(const db::ResultTable& table, std::FILE* out) {
    std::string line;
    const std::size_t columns = table.columnCount();
    for (std::size_t c = 0; c < columns; ++c) {
        if (c) line.push_back('\t');
        appendTsvText(line, table.columnName(c));
    }
    line.push_back('\n');
    writeOut(out, line);

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

}  // namespace morvane::cli
