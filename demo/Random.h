#pragma once

// The generator's own pseudo-random numbers: xoshiro256** seeded through
// splitmix64. Everything the demo database holds is drawn from one of these,
// so a seed gives the same database on every platform and library version
// (no std::rand, no std distributions).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane::demo {

class Rng {
  public:
    explicit Rng(std::uint64_t seed) {
        for (auto& word : state_)
            word = splitmix(seed);
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotl(state_[3], 45);
        return result;
    }

    // A value in [0, n); n > 0. Lemire's multiply-shift, unbiased enough for
    // the small ranges used here.
    std::uint32_t below(std::uint32_t n) {
        return std::uint32_t((std::uint64_t(std::uint32_t(next() >> 32)) * n) >> 32);
    }

    // A value in [lo, hi], both inclusive.
    int range(int lo, int hi) { return lo + int(below(std::uint32_t(hi - lo + 1))); }

    // A double in [0, 1) with 53 random bits.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

    bool chance(double p) { return uniform() < p; }

    // A whole number whose mean is `expected`: its integer part plus one more
    // with the probability of its fraction. Grows linearly with `expected`.
    int count(double expected) {
        if (expected <= 0)
            return 0;
        const int whole = int(expected);
        return whole + (chance(expected - whole) ? 1 : 0);
    }

    template <typename T>
    const T& pick(const std::vector<T>& items) {
        return items[below(std::uint32_t(items.size()))];
    }

    // An index drawn with the given non-negative weights (not all zero).
    std::size_t weighted(const int* weights, std::size_t n) {
        int total = 0;
        for (std::size_t i = 0; i < n; ++i)
            total += weights[i];
        int r = int(below(std::uint32_t(total)));
        for (std::size_t i = 0; i < n; ++i) {
            if (r < weights[i])
                return i;
            r -= weights[i];
        }
        return n - 1;
    }

    // A child generator for an independent stream (one per document kind), so
    // that adding draws to one kind does not shift every other kind.
    Rng fork(std::uint64_t salt) { return Rng(next() ^ (salt * 0x9E3779B97F4A7C15ULL)); }

  private:
    static std::uint64_t splitmix(std::uint64_t& x) {
        std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t state_[4];
};

}  // namespace morvane::demo
