#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace morvane::workbook {

// Colours are 0xRRGGBB; kAutoColor means the spreadsheet's automatic colour
// (black text, no fill).
using Color = std::uint32_t;
inline constexpr Color kAutoColor = 0xFFFFFFFFu;

struct Font {
    std::string name = "Arial";  // UTF-8, e.g. "宋体"
    double size = 10;            // points
    bool bold = false;
    bool italic = false;
    Color color = kAutoColor;

    friend bool operator==(const Font&, const Font&) = default;
};

enum class BorderStyle : std::uint8_t { None, Thin, Medium };

struct Borders {
    BorderStyle left = BorderStyle::None, right = BorderStyle::None;
    BorderStyle top = BorderStyle::None, bottom = BorderStyle::None;

    static Borders all(BorderStyle s) { return {s, s, s, s}; }
    friend bool operator==(const Borders&, const Borders&) = default;
};

enum class HAlign : std::uint8_t { General, Left, Center, Right };
enum class VAlign : std::uint8_t { Top, Center, Bottom };

// Everything a cell looks like. Cells refer to formats by FormatId through
// their workbook's FormatTable, so a million cells share a handful of these.
struct CellFormat {
    Font font;
    Borders borders;
    HAlign halign = HAlign::General;
    VAlign valign = VAlign::Bottom;
    bool wrap = false;
    Color fill = kAutoColor;  // solid fill colour, kAutoColor for none
    // Number format code as the spreadsheet programs write it: "General",
    // "0", "0.00", "0%", "#,##0", "yyyy-mm-dd", "@".
    std::string numberFormat = "General";

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

using FormatId = std::uint32_t;

// The distinct formats of a workbook. Id 0 is always the default format;
// adding a format equal to one already present returns that one's id.
class FormatTable {
  public:
    FormatTable();
    FormatId add(const CellFormat& format);
    const CellFormat& at(FormatId id) const { return formats_[id]; }
    std::size_t size() const { return formats_.size(); }

  private:
    struct Hash {
        std::size_t operator()(const CellFormat& f) const;
    };
    std::vector<CellFormat> formats_;
    std::unordered_map<CellFormat, FormatId, Hash> ids_;
};

}  // namespace morvane::workbook
