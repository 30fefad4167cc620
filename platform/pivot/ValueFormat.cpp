#include "platform/pivot/ValueFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace morvane::pivot {

namespace {

// The text of a number from 1E-4 up to (not including) 1E15, the range that
// is written without an exponent, worked out in integers; 0 for any other
// number. The number is m * 2^-s exactly; its 15 significant digits are
// m * 10^p / 2^s rounded to the nearest, a tie to the even digit, as the
// general conversion rounds. Sums of amounts are such numbers, and this is
// several times faster than the general conversion.
std::size_t writePlainReal(double v, char* out) {
    const double a = std::fabs(v);
    if (!(a >= 1e-4 && a < 1e15))
        return 0;
    static constexpr double kTens[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4, 1e5,
                                       1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14};
    static constexpr auto kPow = [] {
        std::array<std::uint64_t, 19> p{1};
        for (std::size_t i = 1; i < p.size(); ++i)
            p[i] = p[i - 1] * 10;
        return p;
    }();
    // The decimal exponent: a first guess from the powers of ten as doubles,
    // corrected below by the digits themselves (rounding may carry into the
    // next power).
    int x = std::max(static_cast<int>(std::upper_bound(kTens, std::end(kTens), a) - kTens) - 5, -4);
    const auto bits = std::bit_cast<std::uint64_t>(a);
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int s = 1075 - static_cast<int>(bits >> 52);  // from 3 up to 66 in this range
    std::uint64_t digits = 0;
    for (;;) {
        const int p = 14 - x;
        if (p < 0 || p > 18)
            return 0;
        const unsigned __int128 w = static_cast<unsigned __int128>(m) * kPow[p];
        auto q = static_cast<std::uint64_t>(w >> s);
        const unsigned __int128 rest = w & ((static_cast<unsigned __int128>(1) << s) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (s - 1);
        if (rest > half || (rest == half && (q & 1)))
            ++q;
        if (q >= kPow[15])
            ++x;
        else if (q < kPow[14])
            --x;
        else {
            digits = q;
            break;
        }
    }
    char d[15];  // digits is in [1E14, 1E15): fifteen digits exactly
    std::to_chars(d, d + 15, digits);
    int k = 15;  // significant digits without the trailing zeros
    while (k > 1 && d[k - 1] == '0')
        --k;
    char* w = out;
    if (v < 0)
        *w++ = '-';
    if (x >= 0) {
        std::memcpy(w, d, static_cast<std::size_t>(x + 1));
        w += x + 1;
        if (k > x + 1) {
            *w++ = '.';
            std::memcpy(w, d + x + 1, static_cast<std::size_t>(k - x - 1));
            w += k - x - 1;
        }
    } else {
        *w++ = '0';
        *w++ = '.';
        for (int i = 0; i < -x - 1; ++i)
            *w++ = '0';
        std::memcpy(w, d, static_cast<std::size_t>(k));
        w += k;
    }
    return static_cast<std::size_t>(w - out);
}

// The grid's text of a real number, in ASCII, into `out` (at least 40
// bytes); returns its length.
std::size_t writeReal(double v, char* out) {
    if (const std::size_t n = writePlainReal(v, out))
        return n;
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
