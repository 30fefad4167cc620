#include "platform/workbook/StringPool.h"

namespace morvane::workbook {

StringId StringPool::add(std::string_view utf8) {
    auto it = ids_.find(utf8);
    if (it != ids_.end())
        return it->second;
    const auto id = static_cast<StringId>(strings_.size());
    strings_.emplace_back(utf8);
    ids_.emplace(std::string_view(strings_.back()), id);
    return id;
}

}  // namespace morvane::workbook
