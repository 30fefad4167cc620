#include "platform/pivot/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace morvane::pivot {

QString formatInteger(std::int64_t v) {
    return QString::number(v);
}

QString formatReal(double v) {
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (v == 0.0)
        return QStringLiteral("0");  // also -0
    char buf[40];
    // General format with 15 significant digits drops trailing zeros, which
    // is the grid's format; only the exponent is written differently.
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    const auto e = s.find('e');
    if (e == std::string::npos)
        return QString::fromLatin1(s.data(), static_cast<int>(s.size()));
    std::string mant = s.substr(0, e);
    std::string exp = s.substr(e + 1);
    bool neg = false;
    size_t i = 0;
    if (i < exp.size() && (exp[i] == '+' || exp[i] == '-')) {
        neg = exp[i] == '-';
        ++i;
    }
    while (i + 1 < exp.size() && exp[i] == '0')
        ++i;
    std::string out = mant + "E" + (neg ? "-" : "") + exp.substr(i);
    return QString::fromLatin1(out.data(), static_cast<int>(out.size()));
}

QString formatValue(const Value& v) {
    switch (v.type()) {
        case ValueType::Null:
            return QString();
        case ValueType::Integer:
            return formatInteger(v.toInteger());
        case ValueType::Real:
            return formatReal(v.toReal());
        case ValueType::Text:
            return v.textValue();
    }
    return QString();
}

static bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

int textWidthUnits(QStringView text) {
    int units = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (c < 0x1100) {
            ++units;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[i + 1].unicode());
            ++i;
        }
        units += isWide(c) ? 2 : 1;
    }
    return units;
}

}  // namespace morvane::pivot
