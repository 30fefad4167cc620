#pragma once
// Colour values as the host platform writes them in settings files: a colour constant name
// ("clWhite", "clBtnFace", "clInfoBk", ...) or a number, usually $ followed by eight hex
// digits 00BBGGRR. Negative values with high byte FF name a system colour by its index.

#include <QColor>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace morvane::ui {

using TColor = std::int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clBtnFace = TColor(0xFF00000F);
inline constexpr TColor clWindowText = TColor(0xFF000008);

// A text that is neither a colour name nor a number.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The colour constant of a name, compared case-insensitively; false when there is none.
bool IdentToColor(const QString& name, TColor& color);
// A colour constant name or an integer (decimal, $hex or 0xhex, optional sign). Throws
// EConvertError "'<text>' is not a valid integer value" for anything else.
TColor StringToColor(const QString& text);
// The colour shown on screen: system colours take the standard desktop scheme; clNone and
// clDefault give an invalid QColor.
QColor ToQColor(TColor color);

}  // namespace morvane::ui
