#include "platform/pivot/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace morvane::pivot {

namespace {

// The grid's text of a real number, in ASCII, into `out` (at least 40
// bytes); returns its length.
std::size_t writeReal(double v, char* out) {
    auto put = [&](const char* text) {
        const std::size_t n = std::char_traits<char>::length(text);
        std::memcpy(out, text, n);
        return n;
    };
    if (std::isnan(v))
        return put("NAN");
    if (std::isinf(v))
        return put(v > 0 ? "INF" : "-INF");
    if (v == 0.0)
        return put("0");  // also -0
    // General format with 15 significant digits drops trailing zeros, which
    // is the grid's format; only the exponent is written differently:
    // "1E20", "1E-5" for "1e+20", "1e-05".
    const auto res = std::to_chars(out, out + 40, v, std::chars_format::general, 15);
    const auto len = static_cast<std::size_t>(res.ptr - out);
    char* e = static_cast<char*>(std::memchr(out, 'e', len));
    if (!e)
        return len;
    char* p = e + 1;
    char* end = out + len;
    const bool neg = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    while (p + 1 < end && *p == '0')
        ++p;
    char* w = e;
    *w++ = 'E';
    if (neg)
        *w++ = '-';
    std::memmove(w, p, static_cast<std::size_t>(end - p));
    return static_cast<std::size_t>(w - out) + static_cast<std::size_t>(end - p);
}

}  // namespace

QString formatInteger(std::int64_t v) {
    // The sums of a pivot are mostly small numbers that repeat from cell to
    // cell: their texts are made once per thread and shared (a shared text
    // costs a reference count, a new one an allocation and its release).
    constexpr std::int64_t kLow = -1024, kHigh = 8192;
    if (v < kLow || v >= kHigh)
        return QString::number(v);
    thread_local std::vector<QString> made(static_cast<size_t>(kHigh - kLow));
    QString& text = made[static_cast<size_t>(v - kLow)];
    if (text.isNull())
        text = QString::number(v);
    return text;
}

QString formatReal(double v) {
    char buf[48];
    return QString::fromLatin1(buf, static_cast<qsizetype>(writeReal(v, buf)));
}

int numberWidthUnits(const Value& v) {
    char buf[48];
    switch (v.type()) {
        case ValueType::Integer:
            return static_cast<int>(std::to_chars(buf, buf + sizeof buf, v.toInteger()).ptr - buf);
        case ValueType::Real:
            return static_cast<int>(writeReal(v.toReal(), buf));
        case ValueType::Null:
            return 0;
        case ValueType::Text:
            break;
    }
    return textWidthUnits(v.textValue());
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
