#include <gtest/gtest.h>

#include "session/totalpub1.h"

TEST(ColumnLetter, OneAndTwoLetterNamesAcrossEveryBoundary) {
    const std::pair<int, const char*> cases[] = {{1, "A"},    {26, "Z"},   {27, "AA"}, {28, "AB"},
                                                 {52, "AZ"},  {53, "BA"},  {78, "BZ"}, {79, "CA"},
                                                 {676, "YZ"}, {677, "ZA"}, {702, "ZZ"}};
    for (auto [n, name] : cases)
        EXPECT_EQ(ColumnLetter(n), QString(name)) << n;
}
