#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace morvane::workbook {

using StringId = std::uint32_t;

// The distinct texts of a workbook, UTF-8, each stored once. Ids are dense
// and in order of first use, which is also the order of the .xls shared
// string table.
class StringPool {
  public:
    StringId add(std::string_view utf8);
    const std::string& at(StringId id) const { return strings_[id]; }
    std::size_t size() const { return strings_.size(); }

  private:
    // A deque never moves its elements, so the views in ids_ stay valid.
    std::deque<std::string> strings_;
    std::unordered_map<std::string_view, StringId> ids_;
};

}  // namespace morvane::workbook
