#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace morvane::pivot::detail {

// Open-addressing table of ids used to intern keys: the caller hashes the key
// and says whether a stored id holds the same key. A slot is one word, the
// upper half of the key's hash with the id, so that a probe reads one word and
// compares keys only when the halves match; the slot of a key is taken from
// that same half, so growing needs no key. At most half full. No allocation
// per entry.
class HashSlots {
  public:
    explicit HashSlots(std::size_t expected = 16) { rehash(capacityFor(expected)); }

    // Id stored for the key, or inserts newId and returns it.
    template <class Same>
    std::int32_t findOrInsert(std::uint64_t hash, std::int32_t newId, Same&& same) {
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t i = tag & mask_;; i = (i + 1) & mask_) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                if ((count_ + 1) * 2 > slots_.size()) {
                    rehash(slots_.size() * 2);
                    return insertNew(tag, newId);
                }
                slots_[i] = pack(tag, newId);
                ++count_;
                return newId;
            }
            if (static_cast<std::uint32_t>(slot >> 32) == tag) {
                const std::int32_t id = idOf(slot);
                if (same(id))
                    return id;
            }
        }
    }

    template <class Same>
    std::int32_t find(std::uint64_t hash, Same&& same) const {
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        for (std::size_t i = tag & mask_;; i = (i + 1) & mask_) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0)
                return -1;
            if (static_cast<std::uint32_t>(slot >> 32) == tag && same(idOf(slot)))
                return idOf(slot);
        }
    }

  private:
    static std::uint64_t pack(std::uint32_t tag, std::int32_t id) {
        return (std::uint64_t{tag} << 32) | (static_cast<std::uint32_t>(id) + 1u);
    }
    static std::int32_t idOf(std::uint64_t slot) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(slot) - 1u);
    }
    static std::size_t capacityFor(std::size_t n) {
        std::size_t c = 16;
        while (c < n * 2 + 2)
            c <<= 1;
        return c;
    }
    std::int32_t insertNew(std::uint32_t tag, std::int32_t id) {
        std::size_t i = tag & mask_;
        while (slots_[i] != 0)
            i = (i + 1) & mask_;
        slots_[i] = pack(tag, id);
        ++count_;
        return id;
    }
    void rehash(std::size_t cap) {
        std::vector<std::uint64_t> old(cap, 0);
        old.swap(slots_);
        mask_ = cap - 1;
        for (const std::uint64_t slot : old) {
            if (slot == 0)
                continue;
            std::size_t i = static_cast<std::uint32_t>(slot >> 32) & mask_;
            while (slots_[i] != 0)
                i = (i + 1) & mask_;
            slots_[i] = slot;
        }
    }

    std::vector<std::uint64_t> slots_;  // 0: empty
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
