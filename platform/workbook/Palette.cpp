#include "platform/workbook/Palette.h"

#include <limits>

namespace morvane::workbook {

namespace {

constexpr std::array<Color, 56> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

}  // namespace

Palette::Palette() : colors_(kDefaultPalette) {}

unsigned Palette::index(Color color, unsigned automatic) {
    if (color == kAutoColor)
        return automatic;
    color &= 0xFFFFFF;
    for (size_t i = 0; i < colors_.size(); ++i)
        if (colors_[i] == color) {
            used_[i] = true;
            return static_cast<unsigned>(i + 8);
        }
    for (size_t i = colors_.size(); i-- > 8;)
        if (!used_[i]) {
            colors_[i] = color;
            used_[i] = true;
            changed_ = true;
            return static_cast<unsigned>(i + 8);
        }
    auto dist = [](Color a, Color b) {
        long d = 0;
        for (int s = 0; s < 24; s += 8) {
            const long x = static_cast<long>((a >> s) & 0xFF) - static_cast<long>((b >> s) & 0xFF);
            d += x * x;
        }
        return d;
    };
    size_t best = 0;
    long bestDist = std::numeric_limits<long>::max();
    for (size_t i = 0; i < colors_.size(); ++i)
        if (dist(colors_[i], color) < bestDist) {
            bestDist = dist(colors_[i], color);
            best = i;
        }
    return static_cast<unsigned>(best + 8);
}

}  // namespace morvane::workbook
