#include "data/arithmetic.h"

#include <gtest/gtest.h>

#include <limits>

namespace townwright {
namespace {

TEST(StoreHeadcountTest, KeepsTheLowThirtyTwoBitsOfTheRoundedResult) {
  struct Row {
    Extended value;
    std::uint32_t expected;
    const char* why;
  };
  const Row rows[] = {
      {-128, 4294967168u, "below zero wraps"},
      {2.5L, 2, "ties go to even"},
      {3.5L, 4, "ties go to even"},
      {-0.5L, 0, "a tie at zero goes to zero"},
      {-1.5L, 4294967294u, "-2 wraps"},
      {4294967296.0L + 5, 5, "above 2^32 wraps too"},
      {4294967295.4L, 4294967295u, "the largest count"},
      {1e30L, 0xFFFFFFFFu, "beyond int64 saturates before reduction"},
      {-1e30L, 0u, "beyond int64 saturates before reduction"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    std::uint32_t count = 77;
    StoreHeadcount(count, row.value);
    EXPECT_EQ(count, row.expected);
  }
}

TEST(StoreHeadcountTest, ANonFiniteResultLeavesTheCount) {
  for (const Extended bad :
       {std::numeric_limits<Extended>::quiet_NaN(), std::numeric_limits<Extended>::infinity(),
        -std::numeric_limits<Extended>::infinity()}) {
    std::uint32_t count = 1234;
    StoreHeadcount(count, bad);
    EXPECT_EQ(count, 1234u);
  }
}

TEST(ArrayIndexTest, RoundsTiesToEvenAndRefusesWhatNamesNoElement) {
  EXPECT_EQ(ArrayIndex(3, 17), 3u);
  EXPECT_EQ(ArrayIndex(2.5L, 17), 2u);
  EXPECT_EQ(ArrayIndex(16.5L, 17), 16u);
  EXPECT_EQ(ArrayIndex(-0.4L, 17), 0u);
  EXPECT_EQ(ArrayIndex(17, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(-1, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(1e300L, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(std::numeric_limits<Extended>::quiet_NaN(), 17), std::nullopt);
}

TEST(ExtendedPrecisionTest, LongDoubleKeepsSixtyFourBitsOnThisBuild) {
  // The figures depend on formulas being evaluated in 80-bit extended precision.
  if (std::numeric_limits<Extended>::digits != 64) GTEST_SKIP() << "no 80-bit long double here";
  volatile Extended one = 1;
  EXPECT_NE(one + 0x1.0p-63L, one);
}

}  // namespace
}  // namespace townwright
