// The generator's building blocks whose exact behaviour the determinism of
// the demo data rests on: the random stream and the calendar.

#include <gtest/gtest.h>

#include "demo/Calendar.h"
#include "demo/Random.h"

namespace morvane::demo {
namespace {

TEST(DemoRandom, StreamIsXoshiro256StarStarSeededBySplitmix64) {
    // Reference values of the published algorithms for the default seed.
    Rng rng(20260101);
    EXPECT_EQ(rng.next(), 0x57e28e0407eb6adeULL);
    EXPECT_EQ(rng.next(), 0xae12aadc7d2056a3ULL);
    EXPECT_EQ(rng.next(), 0x007b518906d1df4fULL);
}

TEST(DemoRandom, DrawsStayInTheirRangesAndCountsAverageTheirExpectation) {
    Rng rng(7);
    int low = 0, high = 0;
    long total = 0;
    for (int i = 0; i < 20000; ++i) {
        const int v = rng.range(3, 9);
        ASSERT_GE(v, 3);
        ASSERT_LE(v, 9);
        low += v == 3;
        high += v == 9;
        const double u = rng.uniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        total += rng.count(2.25);
    }
    EXPECT_GT(low, 2000);  // both ends are reached about 1/7 of the time
    EXPECT_GT(high, 2000);
    EXPECT_NEAR(double(total) / 20000, 2.25, 0.03);
    EXPECT_EQ(rng.count(0.0), 0);
    EXPECT_EQ(rng.count(-1.0), 0);

    const int weights[] = {0, 5, 0, 1};
    int hits[4] = {};
    for (int i = 0; i < 6000; ++i)
        ++hits[rng.weighted(weights, 4)];
    EXPECT_EQ(hits[0], 0);
    EXPECT_EQ(hits[2], 0);
    EXPECT_NEAR(double(hits[1]) / hits[3], 5.0, 0.8);
}

TEST(DemoRandom, ForkedStreamsDifferFromEachOtherAndRepeat) {
    Rng a(1), b(1);
    Rng fa = a.fork(1), fb = b.fork(2);
    EXPECT_NE(fa.next(), fb.next());
    Rng c(1);
    EXPECT_EQ(c.fork(1).next(), Rng(1).fork(1).next());
}

TEST(DemoCalendar, DayNumbersAndTexts) {
    EXPECT_EQ(dayNumber(1970, 1, 1), 0);
    EXPECT_EQ(kPeriodFirstDay, 20089);
    EXPECT_EQ(kPeriodLastDay, 20818);
    EXPECT_EQ(weekday(kPeriodFirstDay), 2);  // 2025-01-01 was a Wednesday
    EXPECT_EQ(dateText(dayNumber(2024, 2, 29)), "2024-02-29");
    EXPECT_EQ(dateText(dayNumber(2025, 2, 29)), "2025-03-01");
    EXPECT_EQ(dateTimeText(dayNumber(2026, 12, 5), 15 * 3600 + 30 * 60 + 46),
              "2026-12-05 15:30:46");
    for (int day = kPeriodFirstDay - 400; day <= kPeriodLastDay + 400; ++day) {
        const CivilDate c = civilDate(day);
        ASSERT_EQ(dayNumber(c.year, c.month, c.day), day);
        ASSERT_EQ(weekday(day + 7), weekday(day));
    }
}

}  // namespace
}  // namespace morvane::demo
