#pragma once

#include "platform/workbook/CellFormat.h"
#include "platform/workbook/Sheet.h"
#include "platform/workbook/StringPool.h"

#include <QString>

#include <memory>
#include <vector>

namespace morvane::workbook {

// An in-memory workbook: sheets in order, one string pool and one format
// table shared by all of them. Moves, never copies (sheets point into it).
class Workbook {
  public:
    Workbook() = default;
    Workbook(Workbook&&) noexcept = default;
    Workbook& operator=(Workbook&&) noexcept = default;

    // Sheet names are unique (ignoring case, as spreadsheet programs compare
    // them), 1 to 31 characters, without : \ / ? * [ ]. Throws WorkbookError.
    Sheet& addSheet(const QString& name);
    int sheetCount() const { return static_cast<int>(sheets_.size()); }
    Sheet& sheet(int index) { return *sheets_[static_cast<size_t>(index)]; }
    const Sheet& sheet(int index) const { return *sheets_[static_cast<size_t>(index)]; }
    // The sheet of that name, or nullptr.
    const Sheet* sheetByName(const QString& name) const;

    FormatId addFormat(const CellFormat& format) { return formats_->add(format); }
    const FormatTable& formats() const { return *formats_; }
    const StringPool& strings() const { return *strings_; }

  private:
    // Held through pointers so that a moved workbook keeps its sheets'
    // references valid.
    std::unique_ptr<StringPool> strings_ = std::make_unique<StringPool>();
    std::unique_ptr<FormatTable> formats_ = std::make_unique<FormatTable>();
    std::vector<std::unique_ptr<Sheet>> sheets_;
};

}  // namespace morvane::workbook
