#include "platform/db/PodArray.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace morvane::db {
namespace {

// Large arrays leave malloc for mapped blocks that grow by remapping; the values must survive
// every step, and copies must be deep.
TEST(PodArray, KeepsValuesWhileGrowingPastMappedBlocks) {
    PodArray<std::int64_t> values;
    constexpr std::int64_t count = 3'000'000;  // 24 MB: several remaps
    for (std::int64_t i = 0; i < count; ++i)
        values.push_back(i * 7);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; i += 9973)
        ASSERT_EQ(values[i], i * 7) << i;
    EXPECT_EQ(values.back(), (count - 1) * 7);

    PodArray<std::int64_t> copy = values;
    copy[0] = -1;
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(copy.size(), values.size());
    EXPECT_EQ(copy[count - 1], values[count - 1]);

    PodArray<std::int64_t> moved = std::move(copy);
    EXPECT_EQ(moved[0], -1);
    EXPECT_EQ(copy.size(), 0u);  // NOLINT(bugprone-use-after-move): moved-from is empty

    values = moved;  // a mapped block replaced by a copy of another one
    EXPECT_EQ(values[0], -1);
    values.reset();
    EXPECT_TRUE(values.empty());
}

TEST(PodArray, AppendsByteRunsAcrossTheMallocToMappedBoundary) {
    PodArray<char> arena;
    const std::string piece(1000, 'x');
    std::size_t expected = 0;
    for (int i = 0; i < 3000; ++i) {  // about 3 MB
        arena.append(piece.data(), piece.size());
        arena.push_back(static_cast<char>('a' + i % 26));
        expected += piece.size() + 1;
    }
    ASSERT_EQ(arena.size(), expected);
    for (int i = 0; i < 3000; i += 97)
        ASSERT_EQ(arena[i * 1001 + 1000], static_cast<char>('a' + i % 26)) << i;
    EXPECT_EQ(asText(arena).substr(0, 3), "xxx");
    arena.assign(5, 'z');
    EXPECT_EQ(asText(arena), "zzzzz");
}

}  // namespace
}  // namespace morvane::db
