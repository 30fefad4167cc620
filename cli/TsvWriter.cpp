#include "cli/TsvWriter.h"

#include <charconv>

#include "platform/db/CellText.h"
#include "platform/db/ResultTable.h"

namespace morvane::cli {

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
    std::fwrite(line.data(), 1, line.size(), out);

    const std::size_t rows = table.rowCount();
    for (std::size_t r = 0; r < rows; ++r) {
        line.clear();
        for (std::size_t c = 0; c < columns; ++c) {
            if (c) line.push_back('\t');
            appendCell(line, table.cell(r, c));
        }
        line.push_back('\n');
        std::fwrite(line.data(), 1, line.size(), out);
    }
}

}  // namespace morvane::cli
