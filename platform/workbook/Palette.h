#pragma once

#include "platform/workbook/CellFormat.h"

#include <array>
#include <cstdint>

namespace morvane::workbook {

// The 56-colour palette of an .xls workbook (indexes 8 to 63). Starts as the
// spreadsheet programs' default palette; a colour that is not in it takes
// over the last entry not handed out yet (the first eight, the basic
// colours, are never taken over). When every entry
// is taken, the nearest colour is used.
class Palette {
  public:
    Palette();
    // Palette index of the colour; kAutoColor gives `automatic`.
    unsigned index(Color color, unsigned automatic);
    bool changed() const { return changed_; }
    const std::array<Color, 56>& colors() const { return colors_; }

  private:
    std::array<Color, 56> colors_;
    std::array<bool, 56> used_{};  // entries handed out, never taken over
    bool changed_ = false;
};

}  // namespace morvane::workbook
