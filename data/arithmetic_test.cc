#include "data/arithmetic.h"

#include <gtest/gtest.h>

#include <limits>

namespace townwright {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(StoreHeadcountTest, KeepsTheLowThirtyTwoBitsOfTheRoundedResult) {
  struct Row {
    Extended value;
    std::uint32_t expected;
    const char* why;
  };
  const Row rows[] = {
      {-128, 4294967168u, "below zero wraps"},
      {2.5, 2, "ties go to even"},
      {3.5, 4, "ties go to even"},
      {-0.5, 0, "a tie at zero goes to zero"},
      {-1.5, 4294967294u, "-2 wraps"},
      {4294967296.0 + 5, 5, "above 2^32 wraps too"},
      {4294967295.4, 4294967295u, "the largest count"},
      {1e30, 0xFFFFFFFFu, "beyond int64 saturates before reduction"},
      {-1e30, 0u, "beyond int64 saturates before reduction"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    std::uint32_t count = 77;
    StoreHeadcount(count, row.value);
    EXPECT_EQ(count, row.expected);
  }
}

TEST(StoreHeadcountTest, ANonFiniteResultLeavesTheCount) {
  for (const Extended bad : {Extended{kNaN}, Extended{kInfinity}, Extended{-kInfinity}}) {
    std::uint32_t count = 1234;
    StoreHeadcount(count, bad);
    EXPECT_EQ(count, 1234u);
  }
}

TEST(ArrayIndexTest, RoundsTiesToEvenAndRefusesWhatNamesNoElement) {
  EXPECT_EQ(ArrayIndex(3, 17), 3u);
  EXPECT_EQ(ArrayIndex(2.5, 17), 2u);
  EXPECT_EQ(ArrayIndex(16.5, 17), 16u);
  EXPECT_EQ(ArrayIndex(-0.4, 17), 0u);
  EXPECT_EQ(ArrayIndex(17, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(-1, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(1e300, 17), std::nullopt);
  EXPECT_EQ(ArrayIndex(kNaN, 17), std::nullopt);
}

TEST(ExtendedPrecisionTest, FormulasKeepSixtyFourBitsOnThisBuild) {
  // The figures depend on formulas being evaluated in 80-bit extended precision. Read at run time,
  // so that the precision the processor is set to is what is measured.
  volatile double seed = 1;
  const Extended one = seed;
  EXPECT_NE(one + Extended{0x1.0p-63}, one);
  EXPECT_EQ(one + Extended{0x1.0p-64}, one);  // a tie, to even
  EXPECT_EQ(static_cast<double>(one + Extended{0x1.0p-63}), 1.0);
}

}  // namespace
}  // namespace townwright
