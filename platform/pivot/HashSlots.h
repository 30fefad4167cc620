#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace morvane::pivot::detail {

// Open-addressing table of ids used to intern keys: the caller hashes the key
// and says whether a stored id holds the same key. No allocation per entry.
class HashSlots {
  public:
    explicit HashSlots(std::size_t expected = 16) { rehash(capacityFor(expected)); }

    // Id stored for the key, or inserts newId and returns it.
    template <class Same>
    std::int32_t findOrInsert(std::uint64_t hash, std::int32_t newId, Same&& same) {
        if ((count_ + 1) * 4 > slots_.size() * 3)
            grow();
        std::size_t i = hash & mask_;
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (;;) {
            const std::int32_t id = slots_[i];
            if (id < 0) {
                slots_[i] = newId;
                tags_[i] = tag;
                hashes_.resize(
                    std::max<std::size_t>(hashes_.size(), static_cast<std::size_t>(newId) + 1));
                hashes_[static_cast<std::size_t>(newId)] = hash;
                ++count_;
                return newId;
            }
            if (tags_[i] == tag && same(id))
                return id;
            i = (i + 1) & mask_;
        }
    }

    template <class Same>
    std::int32_t find(std::uint64_t hash, Same&& same) const {
        std::size_t i = hash & mask_;
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (;;) {
            const std::int32_t id = slots_[i];
            if (id < 0)
                return -1;
            if (tags_[i] == tag && same(id))
                return id;
            i = (i + 1) & mask_;
        }
    }

  private:
    static std::size_t capacityFor(std::size_t n) {
        std::size_t c = 16;
        while (c * 3 < n * 4 + 4)
            c <<= 1;
        return c;
    }
    void rehash(std::size_t cap) {
        slots_.assign(cap, -1);
        tags_.assign(cap, 0);
        mask_ = cap - 1;
        for (std::size_t id = 0; id < count_; ++id) {
            const std::uint64_t h = hashes_[id];
            std::size_t i = h & mask_;
            while (slots_[i] >= 0)
                i = (i + 1) & mask_;
            slots_[i] = static_cast<std::int32_t>(id);
            tags_[i] = static_cast<std::uint32_t>(h >> 32);
        }
    }
    void grow() { rehash(slots_.size() * 2); }

    std::vector<std::int32_t> slots_;
    std::vector<std::uint32_t> tags_;
    std::vector<std::uint64_t> hashes_;  // by id, to rehash without the keys
    std::size_t mask_ = 0;
    std::size_t count_ = 0;
};

inline std::uint64_t mixHash(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

// The bytes of a text, eight at a time; the short codes and names of a
// result take one or two rounds. The tail is read with overlapping loads
// rather than byte by byte.
inline std::uint64_t hashBytes(std::string_view s) {
    const char* p = s.data();
    std::size_t n = s.size();
    std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ (n * 0xff51afd7ed558ccdULL);
    auto load8 = [](const char* q) {
        std::uint64_t w;
        std::memcpy(&w, q, 8);
        return w;
    };
    auto load4 = [](const char* q) {
        std::uint32_t w;
        std::memcpy(&w, q, 4);
        return static_cast<std::uint64_t>(w);
    };
    auto round = [](std::uint64_t acc, std::uint64_t w) {
        acc = (acc ^ w) * 0x9fb21c651e98df25ULL;
        return acc ^ (acc >> 29);
    };
    if (n > 8) {
        for (; n > 8; p += 8, n -= 8)
            h = round(h, load8(p));
        h = round(h, load8(p + n - 8));  // the last 8 bytes, overlapping
    } else if (n >= 4) {
        h = round(h, load4(p) | (load4(p + n - 4) << 32));
    } else if (n > 0) {
        const auto a = static_cast<unsigned char>(p[0]);
        const auto b = static_cast<unsigned char>(p[n >> 1]);
        const auto c = static_cast<unsigned char>(p[n - 1]);
        h = round(h, a | (std::uint64_t{b} << 8) | (std::uint64_t{c} << 16));
    }
    return mixHash(h);
}

// Byte equality of two texts, inline: the values of a result are short, and
// a call to memcmp per row costs more than the comparison.
inline bool sameBytes(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size())
        return false;
    const char* p = a.data();
    const char* q = b.data();
    auto load8 = [](const char* x) {
        std::uint64_t w;
        std::memcpy(&w, x, 8);
        return w;
    };
    auto load4 = [](const char* x) {
        std::uint32_t w;
        std::memcpy(&w, x, 4);
        return w;
    };
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 <= n; i += 8)
            if (load8(p + i) != load8(q + i))
                return false;
        return load8(p + n - 8) == load8(q + n - 8);
    }
    if (n >= 4)
        return load4(p) == load4(q) && load4(p + n - 4) == load4(q + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] != q[i])
            return false;
    return true;
}

}  // namespace morvane::pivot::detail
