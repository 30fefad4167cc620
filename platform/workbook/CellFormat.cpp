#include "platform/workbook/CellFormat.h"

#include <functional>

namespace morvane::workbook {

FormatTable::FormatTable() {
    add(CellFormat{});
}

FormatId FormatTable::add(const CellFormat& format) {
    auto it = ids_.find(format);
    if (it != ids_.end())
        return it->second;
    const auto id = static_cast<FormatId>(formats_.size());
    formats_.push_back(format);
    ids_.emplace(format, id);
    return id;
}

std::size_t FormatTable::Hash::operator()(const CellFormat& f) const {
    std::size_t h = std::hash<std::string>{}(f.numberFormat);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(std::hash<std::string>{}(f.font.name));
    mix(std::hash<double>{}(f.font.size));
    mix(f.font.color);
    mix(f.fill);
    mix((static_cast<std::size_t>(f.font.bold) << 0) |
        (static_cast<std::size_t>(f.font.italic) << 1) | (static_cast<std::size_t>(f.wrap) << 2) |
        (static_cast<std::size_t>(f.halign) << 3) | (static_cast<std::size_t>(f.valign) << 6) |
        (static_cast<std::size_t>(f.borders.left) << 9) |
        (static_cast<std::size_t>(f.borders.right) << 11) |
        (static_cast<std::size_t>(f.borders.top) << 13) |
        (static_cast<std::size_t>(f.borders.bottom) << 15));
    return h;
}

}  // namespace morvane::workbook
