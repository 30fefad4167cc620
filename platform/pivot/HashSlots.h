#pragma once

#include <algorithm>
#include <cstdint>
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

// FNV-1a over the bytes, mixed; texts of a result are short.
inline std::uint64_t hashBytes(std::string_view s);

inline std::uint64_t mixHash(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

inline std::uint64_t hashBytes(std::string_view s) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return mixHash(h ^ s.size());
}

}  // namespace morvane::pivot::detail
