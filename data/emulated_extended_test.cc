#include "data/emulated_extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace townwright {
namespace {

using E = EmulatedExtended;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A value's 64-bit significand told by two doubles: the value rounded, and the exact rest.
template <typename T>
std::pair<std::uint64_t, std::uint64_t> Bits(T value) {
  const auto high = static_cast<double>(value);
  const auto rest = static_cast<double>(value - T(high));
  return {emulated_extended::BitCast<std::uint64_t>(high),
          emulated_extended::BitCast<std::uint64_t>(rest)};
}

// Operands with full 64-bit significands, either sign, exponents near 1 and far from it, up to
// where the format overflows and underflows.
template <typename T>
T Operand(std::uint64_t significand, int exponent, bool negative) {
  T value = T(significand);
  while (exponent > 0) {
    const int step = std::min(exponent, 1000);
    value = value * T(std::ldexp(1.0, step));
    exponent -= step;
  }
  while (exponent < 0) {
    const int step = std::min(-exponent, 1000);
    value = value * T(std::ldexp(1.0, -step));
    exponent += step;
  }
  return negative ? -value : value;
}

int RandomExponent(std::mt19937_64& random) {
  switch (random() % 4) {
    case 0:
      return static_cast<int>(random() % 16) - 8 - 63;  // values near 1
    case 1:
      return static_cast<int>(random() % 140) - 70 - 63;  // a sum loses the smaller one
    case 2:
      return static_cast<int>(random() % 2200) - 1100 - 63;  // double's range and beyond
    default:
      return static_cast<int>(random() % 32800) - 16400 - 63;  // the format's ends
  }
}

// One sweep of random operations; the hash of every result, and with an x87 long double at hand,
// each result against the processor's own.
std::uint64_t Sweep(int count) {
  std::mt19937_64 random(20261);
  std::uint64_t hash = 14695981039346656037u;
  const auto mix = [&hash](std::uint64_t bits) {
    for (int i = 0; i < 8; ++i) hash = (hash ^ ((bits >> (8 * i)) & 0xFF)) * 1099511628211u;
  };
  for (int i = 0; i < count; ++i) {
    const std::uint64_t a_significand = random();
    const std::uint64_t b_significand = random() >> (random() % 65 == 64 ? 63 : random() % 64);
    const int a_exponent = RandomExponent(random);
    const int b_exponent = random() % 3 == 0 ? a_exponent : RandomExponent(random);
    const bool a_negative = random() % 2 == 0;
    const bool b_negative = random() % 2 == 0;
    const E a = Operand<E>(a_significand, a_exponent, a_negative);
    const E b = Operand<E>(b_significand, b_exponent, b_negative);
    const E results[] = {a + b, a - b, a * b, a / b};
    for (const E& result : results) {
      const auto [high, rest] = Bits(result);
      mix(high);
      mix(rest);
      mix(emulated_extended::BitCast<std::uint32_t>(static_cast<float>(result)));
    }
    mix((a < b ? 1 : 0) | (a == b ? 2 : 0) | (a > b ? 4 : 0));
#if LDBL_MANT_DIG == 64
    const long double x = Operand<long double>(a_significand, a_exponent, a_negative);
    const long double y = Operand<long double>(b_significand, b_exponent, b_negative);
    const long double expected[] = {x + y, x - y, x * y, x / y};
    const char* names[] = {"+", "-", "*", "/"};
    for (int k = 0; k < 4; ++k) {
      if (Bits(results[k]) != Bits(expected[k]) ||
          emulated_extended::BitCast<std::uint32_t>(static_cast<float>(results[k])) !=
              emulated_extended::BitCast<std::uint32_t>(static_cast<float>(expected[k]))) {
        ADD_FAILURE() << "operation " << i << ": " << static_cast<double>(x) << " " << names[k]
                      << " " << static_cast<double>(y);
        return 0;
      }
    }
    EXPECT_EQ(a < b, x < y);
    EXPECT_EQ(a == b, x == y);
#endif
  }
  return hash;
}

TEST(EmulatedExtendedTest, RoundsEveryOperationAsTheX87UnitDoes) {
  // The hash is the x87 unit's, measured on x86, where every result is also compared one by one.
  EXPECT_EQ(Sweep(100'000), 7365407429281114642u);
}

#if LDBL_MANT_DIG == 64
// The whole numbers as the game's arithmetic writes them for the x87 unit: 2^63 added and taken
// away, in the unit's own rounding.
long double NearestWhole(long double x) {
  const long double threshold = 0x1p63L;
  if (!(std::fabs(x) < threshold)) return x;
  return x >= 0 ? (x + threshold) - threshold : -((-x + threshold) - threshold);
}
long double Floor(long double x) {
  const long double nearest = NearestWhole(x);
  return nearest - static_cast<long double>(nearest > x);
}
#endif

TEST(EmulatedExtendedTest, TakesWholeNumbersAsTheX87UnitDoes) {
  std::mt19937_64 random(2027);
  std::uint64_t hash = 14695981039346656037u;
  const auto mix = [&hash](std::uint64_t bits) {
    for (int i = 0; i < 8; ++i) hash = (hash ^ ((bits >> (8 * i)) & 0xFF)) * 1099511628211u;
  };
  // Halves and their neighbours, either side of zero and of 2^63, then any value.
  std::vector<std::tuple<std::uint64_t, int, bool>> operands;
  for (const int exponent : {-70, -65, -64, -63, -62, -61, -1, 0, 1, 62}) {
    for (const std::uint64_t significand :
         {std::uint64_t{1} << 63, (std::uint64_t{1} << 63) + 1, ~std::uint64_t{0},
          (std::uint64_t{3} << 62), (std::uint64_t{3} << 62) + 1}) {
      for (const bool negative : {false, true})
        operands.emplace_back(significand, exponent - 63, negative);
    }
  }
  for (int i = 0; i < 100'000; ++i) {
    // One draw after another: the order a call's arguments are evaluated in is the compiler's.
    const std::uint64_t significand = random() | (std::uint64_t{1} << 63);
    const int exponent = RandomExponent(random) % 200;
    const bool negative = random() % 2 == 0;
    operands.emplace_back(significand, exponent, negative);
  }
  for (const auto& [significand, exponent, negative] : operands) {
    const E a = Operand<E>(significand, exponent, negative);
    const E results[] = {a.Floor(), a.NearestWhole()};
    for (const E& result : results) {
      const auto [high, rest] = Bits(result);
      mix(high);
      mix(rest);
    }
#if LDBL_MANT_DIG == 64
    const long double x = Operand<long double>(significand, exponent, negative);
    ASSERT_EQ(Bits(results[0]), Bits(Floor(x))) << static_cast<double>(x);
    ASSERT_EQ(Bits(results[1]), Bits(NearestWhole(x))) << static_cast<double>(x);
#endif
  }
  for (const double special : {0.0, -0.0, kInfinity, -kInfinity}) {
    EXPECT_EQ(Bits(E{special}.Floor()), Bits(E{special}));
    EXPECT_EQ(Bits(E{special}.NearestWhole()), Bits(E{special}));
  }
  EXPECT_TRUE(std::isnan(static_cast<double>(E::NaN().Floor())));
  // The x87 unit's, measured on x86, where every result is also compared one by one.
  EXPECT_EQ(hash, 13814782772569744540u);
}

TEST(EmulatedExtendedTest, ConvertsExactlyInAndRoundsOnceOut) {
  EXPECT_EQ(static_cast<double>(E{0.1}), 0.1);
  EXPECT_EQ(static_cast<double>(E{0.1f}), static_cast<double>(0.1f));
  EXPECT_EQ(static_cast<double>(E{std::uint64_t{0xFFFFFFFFFFFFFFFF}}), 0x1p64);
  EXPECT_EQ(static_cast<std::int64_t>(E{-9'007'199'254'740'993}), -9'007'199'254'740'993);
  EXPECT_EQ(static_cast<std::int64_t>(E{-2.75}), -2);  // toward zero
  EXPECT_EQ(static_cast<double>(E{5e-324}), 5e-324);
  EXPECT_EQ(static_cast<double>(E{5e-324} / 2), 0.0);  // a tie, to even
  EXPECT_EQ(static_cast<double>(E{1e308} * 10), kInfinity);
  EXPECT_EQ(static_cast<double>(E{1e308} * 4 / 4), 1e308);  // no overflow in the format
  EXPECT_EQ(static_cast<float>(E{16777217}), 16777216.0f);
  EXPECT_TRUE(std::isnan(static_cast<double>(E{kInfinity} - kInfinity)));
  EXPECT_TRUE(std::signbit(static_cast<double>(-E{0.0})));
  EXPECT_FALSE(std::signbit(static_cast<double>(E{2.0} - 2)));
}

}  // namespace
}  // namespace townwright
