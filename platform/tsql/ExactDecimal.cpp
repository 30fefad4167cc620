#include "platform/tsql/ExactDecimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace morvane::tsql::values {

namespace {

constexpr std::array<__int128, kMaxDecimalScale + 1> kPowers = [] {
    std::array<__int128, kMaxDecimalScale + 1> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) {
        p[i] = p[i - 1] * 10;
    }
    return p;
}();

// 10^0 .. 10^22 are exact doubles.
constexpr std::array<double, 23> kDoublePowers = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr __int128 kLimit = kPowers[kMaxDecimalScale];  // 38 digits stay below it
constexpr __int128 kExactInDouble = __int128(1) << 53;

bool fits(__int128 v) {
    return v > -kLimit && v < kLimit;
}

__int128 magnitude(__int128 v) {
    return v < 0 ? -v : v;
}

// digits × 10^(to - scale), to >= scale.
bool rescale(const Decimal& d, int to, __int128& out) {
    const int by = to - d.scale;
    if (by == 0) {
        out = d.digits;
        return true;
    }
    if (by > kMaxDecimalScale || magnitude(d.digits) >= kLimit / kPowers[by]) {
        return false;
    }
    out = d.digits * kPowers[by];
    return true;
}

Decimal stripped(Decimal d) {
    while (d.scale > 0 && d.digits % 10 == 0) {
        d.digits /= 10;
        --d.scale;
    }
    return d;
}

// (double)digits / 10^scale is the correctly rounded quotient when both are
// exact doubles.
bool quickDouble(const Decimal& d, double& out) {
    if (d.scale > 22 || magnitude(d.digits) >= kExactInDouble) {
        return false;
    }
    out = static_cast<double>(static_cast<std::int64_t>(d.digits)) / kDoublePowers[d.scale];
    return true;
}

}  // namespace

std::optional<Decimal> decimalOf(double x) {
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    if (x == 0) {
        return Decimal{};
    }
    // Whole numbers and the few places money has: x is the double of the
    // decimal r/10^k exactly when dividing r by 10^k (both exact) gives x
    // back, which is cheaper than formatting. The smallest such k is the
    // decimal without trailing zeros.
    if (std::fabs(x) < 1e11) {
        for (int k = 0; k <= 4; ++k) {
            // Rounds to a whole number (|x·10^k| < 2^50): adding and taking
            // away 1.5·2^52 leaves no fraction bits, cheaper than nearbyint.
            constexpr double kRound = 6755399441055744.0;
            const double r = (x * kDoublePowers[k] + kRound) - kRound;
            if (r / kDoublePowers[k] == x) {
                return Decimal{static_cast<std::int64_t>(r), k};
            }
        }
    }
    // Otherwise the 15 significant digits, d.dddddddddddddde±X, as printf
    // would round them.
    char buf[40];
    const auto printed =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    std::int64_t digits = 0;
    const char* p = buf;
    for (; p < printed.ptr && *p != 'e'; ++p) {
        if (*p != '.') {
            digits = digits * 10 + (*p - '0');
        }
    }
    // to_chars writes no terminating zero: the exponent is read within what it wrote.
    int exponent = 0;
    const char* e = p + 1;
    if (e < printed.ptr && *e == '+')
        ++e;
    std::from_chars(e, printed.ptr, exponent);
    Decimal d{x < 0 ? -digits : digits, 14 - exponent};
    if (d.scale < 0) {
        if (-d.scale > kMaxDecimalScale - 15) {
            return std::nullopt;
        }
        d.digits *= kPowers[-d.scale];
        d.scale = 0;
    }
    d = stripped(d);
    if (d.scale > kMaxDecimalScale) {
        return std::nullopt;
    }
    return d;
}

std::optional<Decimal> add(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale, b.scale);
    __int128 x, y, sum;
    if (!rescale(a, scale, x) || !rescale(b, scale, y) || __builtin_add_overflow(x, y, &sum) ||
        !fits(sum)) {
        return std::nullopt;
    }
    return Decimal{sum, scale};
}

std::optional<Decimal> subtract(const Decimal& a, const Decimal& b) {
    return add(a, Decimal{-b.digits, b.scale});
}

std::optional<Decimal> multiply(const Decimal& a, const Decimal& b) {
    __int128 product;
    if (__builtin_mul_overflow(a.digits, b.digits, &product) || !fits(product)) {
        return std::nullopt;
    }
    Decimal d{product, a.scale + b.scale};
    if (d.scale > kMaxDecimalScale) {
        d = stripped(d);
        if (d.scale > kMaxDecimalScale) {
            return std::nullopt;
        }
    }
    return d;
}

std::optional<Decimal> remainder(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale, b.scale);
    __int128 x, y;
    if (!rescale(a, scale, x) || !rescale(b, scale, y) || y == 0) {
        return std::nullopt;
    }
    return Decimal{x % y, scale};
}

double toDouble(const Decimal& d) {
    double out;
    if (quickDouble(d, out)) {
        return out;
    }
    const Decimal s = stripped(d);
    if (quickDouble(s, out)) {
        return out;
    }
    // strtod rounds a decimal text to the nearest double.
    return std::strtod(toString(s).c_str(), nullptr);
}

std::string toString(const Decimal& d) {
    __int128 v = magnitude(d.digits);
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    if (d.scale > 0) {
        if (text.size() <= static_cast<std::size_t>(d.scale)) {
            text.insert(0, static_cast<std::size_t>(d.scale) - text.size() + 1, '0');
        }
        text.insert(text.size() - static_cast<std::size_t>(d.scale), 1, '.');
    }
    if (d.digits < 0) {
        text.insert(text.begin(), '-');
    }
    return text;
}

bool DecimalSum::addExact(const Decimal& d) {
    if (const auto total = values::add(exact_, d)) {
        exact_ = *total;
        return true;
    }
    return false;
}

void DecimalSum::add(std::int64_t n) {
    ++count_;
    if (inexact_) {
        binary_ += static_cast<double>(n);
    } else if (!addExact(decimalOf(n))) {
        inexact_ = true;
        binary_ = toDouble(exact_) + static_cast<double>(n);
    }
}

void DecimalSum::add(double x) {
    ++count_;
    anyReal_ = true;
    if (inexact_) {
        binary_ += x;
        return;
    }
    const auto d = decimalOf(x);
    if (!d || !addExact(*d)) {
        inexact_ = true;
        binary_ = toDouble(exact_) + x;
    }
}

bool DecimalSum::integer(std::int64_t& out) const {
    if (inexact_ || exact_.digits > INT64_MAX || exact_.digits < INT64_MIN) {
        return false;
    }
    out = static_cast<std::int64_t>(exact_.digits);
    return true;
}

double DecimalSum::real() const {
    return inexact_ ? binary_ : toDouble(exact_);
}

double DecimalSum::mean() const {
    if (!inexact_) {
        const Decimal d = stripped(exact_);
        if (d.scale <= 15 && magnitude(d.digits) < kExactInDouble &&
            count_ < static_cast<std::int64_t>(kExactInDouble / kPowers[d.scale])) {
            const double divisor = static_cast<double>(count_) * kDoublePowers[d.scale];
            return static_cast<double>(static_cast<std::int64_t>(d.digits)) / divisor;
        }
    }
    return real() / static_cast<double>(count_);
}

}  // namespace morvane::tsql::values
