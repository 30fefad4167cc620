#include "platform/ui/Colors.h"

#include <array>

namespace morvane::ui {

namespace {

struct NamedColor {
    const char* name;
    TColor value;
};

constexpr TColor sys(int index) {
    return TColor(0xFF000000u | unsigned(index));
}

constexpr std::array<NamedColor, 52> kNames{{
    {"clBlack", 0x000000},        {"clMaroon", 0x000080},
    {"clGreen", 0x008000},        {"clOlive", 0x008080},
    {"clNavy", 0x800000},         {"clPurple", 0x800080},
    {"clTeal", 0x808000},         {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},       {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},         {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},         {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},         {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},        {"clMedGray", 0xA4A0A0},
    {"clLtGray", 0xC0C0C0},       {"clDkGray", 0x808080},
    {"clNone", clNone},           {"clDefault", clDefault},
    {"clScrollBar", sys(0)},      {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},  {"clInactiveCaption", sys(3)},
    {"clMenu", sys(4)},           {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},    {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},     {"clCaptionText", sys(9)},
    {"clActiveBorder", sys(10)},  {"clInactiveBorder", sys(11)},
    {"clAppWorkSpace", sys(12)},  {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)}, {"clBtnFace", sys(15)},
    {"clBtnShadow", sys(16)},     {"clGrayText", sys(17)},
    {"clBtnText", sys(18)},       {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},  {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},       {"clInfoText", sys(23)},
    {"clInfoBk", sys(24)},        {"clHotLight", sys(26)},
    {"clMenuHighlight", sys(29)}, {"clMenuBar", sys(30)},
}};

// The standard desktop scheme for the system colours, as 0xRRGGBB, by index.
constexpr std::array<unsigned, 31> kSystemRgb{
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

}  // namespace

bool IdentToColor(const QString& name, TColor& color) {
    for (const NamedColor& n : kNames) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            color = n.value;
            return true;
        }
    }
    return false;
}

TColor StringToColor(const QString& text) {
    TColor color = 0;
    if (IdentToColor(text, color))
        return color;
    auto fail = [&]() -> TColor {
        throw EConvertError("'" + text.toStdString() + "' is not a valid integer value");
    };
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith('-') || s.startsWith('+')) {
        negative = s.startsWith('-');
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith('$')) {
        base = 16;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s.remove(0, 2);
    }
    if (s.isEmpty())
        return fail();
    bool ok = false;
    const qulonglong magnitude = s.toULongLong(&ok, base);
    // Hexadecimal numbers wrap into the 32-bit range ($FF00000F is a system colour); decimal
    // ones must fit it as written.
    if (!ok || (base == 16 && magnitude > 0xFFFFFFFFull) ||
        (base == 10 && magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull))) {
        return fail();
    }
    const auto bits = std::uint32_t(magnitude);
    return negative ? TColor(0u - bits) : TColor(bits);
}

QColor ToQColor(TColor color) {
    if (color == clNone || color == clDefault)
        return {};
    const auto bits = std::uint32_t(color);
    if ((bits & 0xFF000000u) == 0xFF000000u) {
        const unsigned index = bits & 0xFFu;
        return index < kSystemRgb.size() ? QColor(QRgb(kSystemRgb[index])) : QColor();
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

}  // namespace morvane::ui
