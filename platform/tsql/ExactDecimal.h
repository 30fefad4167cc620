#pragma once

// Exact decimal arithmetic for the money of the embedded database. Money is
// stored as REAL there (so that it divides as SQL Server divides decimals),
// but SQL Server adds, subtracts, multiplies and sums decimals exactly. A
// REAL value stands for the decimal of its 15 significant digits (every
// decimal of up to 15 digits survives the trip through a double unchanged);
// the helpers here compute on those decimals with a 128-bit integer of digits
// and hand back the double nearest to the exact result, so that 0.1+0.2 is
// the double of 0.3 and two equal sums subtract to exactly 0. Free of SQLite.

#include <cstdint>
#include <optional>
#include <string>

namespace morvane::tsql::values {

// digits × 10^-scale.
struct Decimal {
    __int128 digits = 0;
    int scale = 0;
};

// SQL Server's decimals hold at most 38 digits; a result beyond that leaves
// the exact path (the caller falls back to binary arithmetic).
constexpr int kMaxDecimalScale = 38;

// The decimal a REAL value stands for: the value rounded to 15 significant
// digits, trailing zeros dropped. Empty for infinities, NaN and magnitudes
// whose 15 digits need more than 38 places before or after the point.
std::optional<Decimal> decimalOf(double x);

inline Decimal decimalOf(std::int64_t n) {
    return {n, 0};
}

// Exact results; empty when they do not fit 38 digits.
std::optional<Decimal> add(const Decimal& a, const Decimal& b);
std::optional<Decimal> subtract(const Decimal& a, const Decimal& b);
std::optional<Decimal> multiply(const Decimal& a, const Decimal& b);
// a % b with the sign of a, as SQL Server's modulo; b must not be 0.
std::optional<Decimal> remainder(const Decimal& a, const Decimal& b);

// The double nearest to the decimal.
double toDouble(const Decimal& d);

// The decimal as text ("-12.340" keeps its scale).
std::string toString(const Decimal& d);

// A running SUM: integers stay integers; once a REAL joins, the total is a
// decimal kept exactly; a value the decimal cannot hold turns the rest of
// the total into binary arithmetic.
class DecimalSum {
  public:
    void add(std::int64_t n);
    void add(double x);

    bool empty() const { return count_ == 0; }
    std::int64_t count() const { return count_; }
    // True while every value was an integer: the total is integer().
    bool isInteger() const { return !anyReal_; }
    // The integer total; false when it left 64 bits.
    bool integer(std::int64_t& out) const;
    double real() const;
    // total / count as one correctly rounded division of the exact total, so
    // that the average carries no noise from rounding the total first.
    double mean() const;

  private:
    bool addExact(const Decimal& d);

    Decimal exact_;
    double binary_ = 0;
    std::int64_t count_ = 0;
    bool anyReal_ = false;
    bool inexact_ = false;
};

}  // namespace morvane::tsql::values
