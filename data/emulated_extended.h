#pragma once

// The x87 80-bit extended format in software: a 64-bit significand and exponents from -16382 to
// 16383, every operation rounded once, to nearest with ties to even, exactly as the x87 unit rounds
// at its 64-bit precision. The game computes in this format on processors whose long double is
// another one (binary128 on 64-bit ARM and in WebAssembly, double with MSVC), so that its figures
// are the same on every platform.
//
// It stands in for long double in the game's formulas: arithmetic and comparisons with any
// arithmetic type, an implicit rounding to double where a formula's result is stored, explicit
// conversions to float and to integers. A long double cannot be converted in: it is not this
// format, and a long double literal in a formula would be evaluated in the wrong precision.

#include <bit>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

namespace townwright {

namespace emulated_extended {

// std::bit_cast where the library has it (older libc++ does not, but its compiler does).
template <typename To, typename From>
constexpr To BitCast(From from) {
#ifdef __cpp_lib_bit_cast
  return std::bit_cast<To>(from);
#else
  return __builtin_bit_cast(To, from);
#endif
}

// An unsigned 128-bit number as two 64-bit halves: portable to compilers without __int128.
struct Wide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

constexpr Wide Multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a_low = a & 0xFFFFFFFFu;
  const std::uint64_t a_high = a >> 32;
  const std::uint64_t b_low = b & 0xFFFFFFFFu;
  const std::uint64_t b_high = b >> 32;
  const std::uint64_t low_low = a_low * b_low;
  const std::uint64_t high_low = a_high * b_low;
  const std::uint64_t low_high = a_low * b_high;
  const std::uint64_t high_high = a_high * b_high;
  const std::uint64_t middle = (low_low >> 32) + (high_low & 0xFFFFFFFFu) + low_high;
  return {high_high + (high_low >> 32) + (middle >> 32), (middle << 32) | (low_low & 0xFFFFFFFFu)};
}

constexpr Wide Add(Wide a, Wide b) {
  const std::uint64_t low = a.low + b.low;
  return {a.high + b.high + (low < a.low ? 1 : 0), low};
}

constexpr Wide Subtract(Wide a, Wide b) {
  return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
}

constexpr int LeadingZeros(Wide a) {
  return a.high != 0 ? std::countl_zero(a.high) : 64 + std::countl_zero(a.low);
}

constexpr Wide ShiftLeft(Wide a, int shift) {
  if (shift == 0) return a;
  if (shift >= 128) return {};
  if (shift >= 64) return {a.low << (shift - 64), 0};
  return {(a.high << shift) | (a.low >> (64 - shift)), a.low << shift};
}

// Shifted right; any 1 shifted out is kept in the lowest bit, which is all that rounding needs.
constexpr Wide ShiftRightSticky(Wide a, std::int64_t shift) {
  if (shift <= 0) return a;
  if (shift >= 128) return {0, (a.high | a.low) != 0 ? 1u : 0u};
  Wide shifted;
  std::uint64_t lost = 0;
  if (shift >= 64) {
    const int s = static_cast<int>(shift - 64);
    shifted = {0, s == 0 ? a.high : a.high >> s};
    lost = a.low | (s == 0 ? 0 : a.high << (64 - s));
  } else {
    const int s = static_cast<int>(shift);
    shifted = {a.high >> s, (a.low >> s) | (a.high << (64 - s))};
    lost = a.low << (64 - s);
  }
  if (lost != 0) shifted.low |= 1;
  return shifted;
}

// (high * 2^64 + low) / divisor for a divisor with its top bit set and high < divisor: the
// quotient, and the remainder in `remainder` (Hacker's Delight, divlu, in 32-bit digits).
constexpr std::uint64_t Divide(std::uint64_t high, std::uint64_t low, std::uint64_t divisor,
                               std::uint64_t& remainder) {
  constexpr std::uint64_t kBase = std::uint64_t{1} << 32;
  const std::uint64_t divisor_high = divisor >> 32;
  const std::uint64_t divisor_low = divisor & 0xFFFFFFFFu;
  const std::uint64_t low_high = low >> 32;
  const std::uint64_t low_low = low & 0xFFFFFFFFu;
  std::uint64_t q1 = high / divisor_high;
  std::uint64_t guess = high - q1 * divisor_high;
  while (q1 >= kBase || q1 * divisor_low > kBase * guess + low_high) {
    --q1;
    guess += divisor_high;
    if (guess >= kBase) break;
  }
  const std::uint64_t middle = high * kBase + low_high - q1 * divisor;
  std::uint64_t q0 = middle / divisor_high;
  guess = middle - q0 * divisor_high;
  while (q0 >= kBase || q0 * divisor_low > kBase * guess + low_low) {
    --q0;
    guess += divisor_high;
    if (guess >= kBase) break;
  }
  remainder = middle * kBase + low_low - q0 * divisor;
  return q1 * kBase + q0;
}

// `x` divided by 2^shift (1 to 64) and rounded to nearest, ties to even.
constexpr std::uint64_t RoundedShift(std::uint64_t x, int shift) {
  const std::uint64_t kept = shift == 64 ? 0 : x >> shift;
  const std::uint64_t rest = shift == 64 ? x : x & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  return kept + ((rest > half || (rest == half && (kept & 1) != 0)) ? 1 : 0);
}

}  // namespace emulated_extended

class EmulatedExtended {
 public:
  constexpr EmulatedExtended() = default;  // +0

  // Exact: every float, double and integer up to 64 bits has a place in this format.
  template <typename T>
  requires(std::is_arithmetic_v<T> && !std::is_same_v<T, long double>) constexpr EmulatedExtended(
      T value) {  // NOLINT(google-explicit-constructor): as long double
    if constexpr (std::is_floating_point_v<T>) {
      FromDouble(static_cast<double>(value));
    } else if constexpr (std::is_signed_v<T>) {
      const auto wide = static_cast<std::int64_t>(value);
      FromMagnitude(wide < 0, wide < 0 ? 0 - static_cast<std::uint64_t>(wide)
                                       : static_cast<std::uint64_t>(wide));
    } else {
      FromMagnitude(false, static_cast<std::uint64_t>(value));
    }
  }
  EmulatedExtended(long double) = delete;

  // Rounded to nearest, ties to even, once: as the x87 unit stores a result.
  constexpr operator double() const {  // NOLINT(google-explicit-constructor): as long double
    return emulated_extended::BitCast<double>(Narrowed(52, 1023));
  }
  constexpr explicit operator float() const {
    return emulated_extended::BitCast<float>(static_cast<std::uint32_t>(Narrowed(23, 127)));
  }
  // Toward zero, as a cast from long double; the value must fit the type.
  template <typename T>
  requires std::is_integral_v<T>
  constexpr explicit operator T() const {
    if (kind_ != Kind::kFinite || exponent_ < 0) return 0;
    const std::uint64_t magnitude =
        exponent_ > 63 ? ~std::uint64_t{0} : significand_ >> (63 - exponent_);
    return static_cast<T>(negative_ ? 0 - magnitude : magnitude);
  }

  constexpr EmulatedExtended operator-() const {
    EmulatedExtended negated = *this;
    negated.negative_ = !negative_;
    return negated;
  }

  friend constexpr EmulatedExtended operator+(EmulatedExtended a, EmulatedExtended b) {
    return Sum(a, b);
  }
  friend constexpr EmulatedExtended operator-(EmulatedExtended a, EmulatedExtended b) {
    return Sum(a, -b);
  }
  friend constexpr EmulatedExtended operator*(EmulatedExtended a, EmulatedExtended b) {
    return Product(a, b);
  }
  friend constexpr EmulatedExtended operator/(EmulatedExtended a, EmulatedExtended b) {
    return Quotient(a, b);
  }
  constexpr EmulatedExtended& operator+=(EmulatedExtended b) { return *this = *this + b; }
  constexpr EmulatedExtended& operator-=(EmulatedExtended b) { return *this = *this - b; }
  constexpr EmulatedExtended& operator*=(EmulatedExtended b) { return *this = *this * b; }
  constexpr EmulatedExtended& operator/=(EmulatedExtended b) { return *this = *this / b; }

  friend constexpr bool operator==(EmulatedExtended a, EmulatedExtended b) {
    return Compare(a, b) == Order::kEqual;
  }
  friend constexpr bool operator!=(EmulatedExtended a, EmulatedExtended b) { return !(a == b); }
  friend constexpr bool operator<(EmulatedExtended a, EmulatedExtended b) {
    return Compare(a, b) == Order::kLess;
  }
  friend constexpr bool operator>(EmulatedExtended a, EmulatedExtended b) {
    return Compare(a, b) == Order::kGreater;
  }
  friend constexpr bool operator<=(EmulatedExtended a, EmulatedExtended b) {
    const Order order = Compare(a, b);
    return order == Order::kLess || order == Order::kEqual;
  }
  friend constexpr bool operator>=(EmulatedExtended a, EmulatedExtended b) {
    const Order order = Compare(a, b);
    return order == Order::kGreater || order == Order::kEqual;
  }

  friend constexpr EmulatedExtended Abs(EmulatedExtended x) {
    x.negative_ = false;
    return x;
  }
  friend constexpr bool IsFinite(EmulatedExtended x) {
    return x.kind_ == Kind::kZero || x.kind_ == Kind::kFinite;
  }

  // The x87 unit's answer to an invalid operation: the negative quiet NaN.
  static constexpr EmulatedExtended NaN() { return Special(Kind::kNaN, true); }

  // The largest whole number not above x; and the nearest, ties to even. Both are exact, so they
  // are taken from the bits, as the x87 unit's own rounding gives them (its FRNDINT, and the
  // additions of 2^63 that arithmetic.h writes them with): a sign kept on zero, NaN and
  // infinities passed through.
  constexpr EmulatedExtended Floor() const { return ToWhole(false); }
  constexpr EmulatedExtended NearestWhole() const { return ToWhole(true); }

 private:
  enum class Kind : std::uint8_t { kZero, kFinite, kInfinite, kNaN };
  enum class Order { kLess, kEqual, kGreater, kUnordered };
  using Wide = emulated_extended::Wide;

  static constexpr std::int64_t kMinExponent = -16382;  // of the smallest normal number
  static constexpr std::int64_t kMaxExponent = 16383;

  static constexpr EmulatedExtended Special(Kind kind, bool negative) {
    EmulatedExtended special;
    special.kind_ = kind;
    special.negative_ = negative;
    return special;
  }

  constexpr void FromMagnitude(bool negative, std::uint64_t magnitude) {
    negative_ = negative;
    if (magnitude == 0) return;
    const int zeros = std::countl_zero(magnitude);
    kind_ = Kind::kFinite;
    significand_ = magnitude << zeros;
    exponent_ = 63 - zeros;
  }

  constexpr void FromDouble(double value) {
    const auto bits = emulated_extended::BitCast<std::uint64_t>(value);
    negative_ = (bits >> 63) != 0;
    const auto field = static_cast<std::int64_t>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0x7FF) {
      kind_ = fraction == 0 ? Kind::kInfinite : Kind::kNaN;
    } else if (field == 0) {
      if (fraction == 0) return;
      const int zeros = std::countl_zero(fraction);
      kind_ = Kind::kFinite;
      significand_ = fraction << zeros;
      exponent_ = -1074 + 63 - zeros;
    } else {
      kind_ = Kind::kFinite;
      significand_ = (fraction | (std::uint64_t{1} << 52)) << 11;
      exponent_ = field - 1023;
    }
  }

  // The significand with its top bit set and the exponent to match, below the least exponent for
  // the format's subnormal numbers.
  struct Unpacked {
    std::uint64_t significand;
    std::int64_t exponent;
  };
  constexpr Unpacked Normalized() const {
    const int zeros = std::countl_zero(significand_);
    return {significand_ << zeros, exponent_ - zeros};
  }

  // A finite nonzero value significand * 2^(exponent - 127), the significand's top bit set (its
  // lowest bit set also for any lost bits below it), rounded into the format.
  static constexpr EmulatedExtended Round(bool negative, std::int64_t exponent, Wide significand) {
    if (exponent < kMinExponent) {
      significand = emulated_extended::ShiftRightSticky(significand, kMinExponent - exponent);
      exponent = kMinExponent;
    }
    std::uint64_t kept = significand.high;
    constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
    const std::uint64_t rest = significand.low;
    if (rest > kHalf || (rest == kHalf && (kept & 1) != 0)) {
      ++kept;
      if (kept == 0) {
        kept = kHalf;
        ++exponent;
      }
    }
    if (kept == 0) return Special(Kind::kZero, negative);
    if (exponent > kMaxExponent) return Special(Kind::kInfinite, negative);
    EmulatedExtended rounded;
    rounded.kind_ = Kind::kFinite;
    rounded.negative_ = negative;
    rounded.significand_ = kept;
    rounded.exponent_ = static_cast<std::int32_t>(exponent);
    return rounded;
  }

  static constexpr EmulatedExtended Sum(EmulatedExtended a, EmulatedExtended b) {
    if (a.kind_ == Kind::kNaN) return a;
    if (b.kind_ == Kind::kNaN) return b;
    if (a.kind_ == Kind::kInfinite) {
      return b.kind_ == Kind::kInfinite && b.negative_ != a.negative_ ? NaN() : a;
    }
    if (b.kind_ == Kind::kInfinite) return b;
    if (a.kind_ == Kind::kZero) {
      // +0 + -0 is +0 when rounding to nearest; -0 + -0 is -0.
      return b.kind_ == Kind::kZero ? Special(Kind::kZero, a.negative_ && b.negative_) : b;
    }
    if (b.kind_ == Kind::kZero) return a;
    auto [a_significand, a_exponent] = a.Normalized();
    auto [b_significand, b_exponent] = b.Normalized();
    if (b_exponent > a_exponent || (b_exponent == a_exponent && b_significand > a_significand)) {
      std::swap(a, b);
      std::swap(a_significand, b_significand);
      std::swap(a_exponent, b_exponent);
    }
    // The larger at bits 126..63, one bit of room above it for a carry.
    const Wide larger = {a_significand >> 1, a_significand << 63};
    const Wide smaller = emulated_extended::ShiftRightSticky(
        {b_significand >> 1, b_significand << 63}, a_exponent - b_exponent);
    const Wide total = a.negative_ == b.negative_ ? emulated_extended::Add(larger, smaller)
                                                  : emulated_extended::Subtract(larger, smaller);
    if (total.high == 0 && total.low == 0) return EmulatedExtended();  // x - x is +0
    const int zeros = emulated_extended::LeadingZeros(total);
    return Round(a.negative_, a_exponent + 1 - zeros, emulated_extended::ShiftLeft(total, zeros));
  }

  static constexpr EmulatedExtended Product(EmulatedExtended a, EmulatedExtended b) {
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::kNaN) return a;
    if (b.kind_ == Kind::kNaN) return b;
    if (a.kind_ == Kind::kInfinite || b.kind_ == Kind::kInfinite) {
      return a.kind_ == Kind::kZero || b.kind_ == Kind::kZero ? NaN()
                                                              : Special(Kind::kInfinite, negative);
    }
    if (a.kind_ == Kind::kZero || b.kind_ == Kind::kZero) return Special(Kind::kZero, negative);
    auto [a_significand, a_exponent] = a.Normalized();
    auto [b_significand, b_exponent] = b.Normalized();
    const Wide product = emulated_extended::Multiply(a_significand, b_significand);
    // The product lies in [2^126, 2^128).
    if ((product.high >> 63) != 0) return Round(negative, a_exponent + b_exponent + 1, product);
    return Round(negative, a_exponent + b_exponent, emulated_extended::ShiftLeft(product, 1));
  }

  static constexpr EmulatedExtended Quotient(EmulatedExtended a, EmulatedExtended b) {
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::kNaN) return a;
    if (b.kind_ == Kind::kNaN) return b;
    if (a.kind_ == Kind::kInfinite) {
      return b.kind_ == Kind::kInfinite ? NaN() : Special(Kind::kInfinite, negative);
    }
    if (b.kind_ == Kind::kInfinite) return Special(Kind::kZero, negative);
    if (b.kind_ == Kind::kZero) {
      return a.kind_ == Kind::kZero ? NaN() : Special(Kind::kInfinite, negative);
    }
    if (a.kind_ == Kind::kZero) return Special(Kind::kZero, negative);
    auto [a_significand, a_exponent] = a.Normalized();
    auto [b_significand, b_exponent] = b.Normalized();
    // Long division in 64-bit digits: a leading bit, then two digits, then what remains.
    const bool leading_one = a_significand >= b_significand;
    std::uint64_t remainder = leading_one ? a_significand - b_significand : a_significand;
    const std::uint64_t first = emulated_extended::Divide(remainder, 0, b_significand, remainder);
    const std::uint64_t second = emulated_extended::Divide(remainder, 0, b_significand, remainder);
    Wide quotient = {first, second};
    std::int64_t exponent = a_exponent - b_exponent - 1;
    if (leading_one) {
      quotient = emulated_extended::ShiftRightSticky(quotient, 1);
      quotient.high |= std::uint64_t{1} << 63;
      exponent += 1;
    }
    if (remainder != 0) quotient.low |= 1;
    return Round(negative, exponent, quotient);
  }

  // Floor (nearest = false) or nearest, ties to even.
  constexpr EmulatedExtended ToWhole(bool nearest) const {
    if (kind_ != Kind::kFinite) return *this;
    const auto [significand, exponent] = Normalized();
    if (exponent >= 63) return *this;  // no fraction bits
    // The whole part's magnitude, and what was cut off, in units of 2^-64 of the next whole number
    // (so that half is 2^63): below 2^-1, everything is cut off.
    std::uint64_t whole = 0;
    std::uint64_t cut = 0;
    bool more = false;  // below the bits of `cut`
    if (exponent >= 0) {
      const int fraction_bits = 63 - static_cast<int>(exponent);
      whole = significand >> fraction_bits;
      cut = significand << (64 - fraction_bits);
    } else if (exponent >= -64) {
      cut = significand >> (-exponent - 1);
      more = -exponent - 1 > 0 && (significand << (64 + exponent + 1)) != 0;
    } else {
      more = true;
    }
    const bool fraction = cut != 0 || more;
    bool up;  // the magnitude goes to the next whole number
    if (nearest) {
      constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
      up = cut > kHalf || (cut == kHalf && (more || (whole & 1) != 0));
    } else {
      up = negative_ && fraction;
    }
    EmulatedExtended result;
    result.FromMagnitude(negative_, whole + (up ? 1 : 0));
    return result;
  }

  static constexpr Order Compare(EmulatedExtended a, EmulatedExtended b) {
    if (a.kind_ == Kind::kNaN || b.kind_ == Kind::kNaN) return Order::kUnordered;
    if (a.kind_ == Kind::kZero && b.kind_ == Kind::kZero) return Order::kEqual;
    if (a.negative_ != b.negative_) return a.negative_ ? Order::kLess : Order::kGreater;
    const Order larger = a.negative_ ? Order::kLess : Order::kGreater;
    const Order smaller = a.negative_ ? Order::kGreater : Order::kLess;
    const auto rank = [](EmulatedExtended x) {
      return x.kind_ == Kind::kZero ? 0 : x.kind_ == Kind::kFinite ? 1 : 2;
    };
    if (rank(a) != rank(b)) return rank(a) > rank(b) ? larger : smaller;
    if (a.kind_ != Kind::kFinite) return Order::kEqual;
    auto [a_significand, a_exponent] = a.Normalized();
    auto [b_significand, b_exponent] = b.Normalized();
    if (a_exponent != b_exponent) return a_exponent > b_exponent ? larger : smaller;
    if (a_significand != b_significand) return a_significand > b_significand ? larger : smaller;
    return Order::kEqual;
  }

  // The bits of the nearest binary float with `fraction_bits` and exponent bias `bias`.
  constexpr std::uint64_t Narrowed(int fraction_bits, std::int64_t bias) const {
    const std::uint64_t sign =
        negative_ ? std::uint64_t{1} << (fraction_bits + (bias == 1023 ? 11 : 8)) : 0;
    const std::uint64_t all_ones_exponent = static_cast<std::uint64_t>(2 * bias + 1)
                                            << fraction_bits;
    if (kind_ == Kind::kZero) return sign;
    if (kind_ == Kind::kInfinite) return sign | all_ones_exponent;
    if (kind_ == Kind::kNaN)
      return sign | all_ones_exponent | (std::uint64_t{1} << (fraction_bits - 1));
    auto [significand, exponent] = Normalized();
    const int dropped = 63 - fraction_bits;
    if (exponent >= 1 - bias) {
      std::uint64_t kept = emulated_extended::RoundedShift(significand, dropped);
      if (kept >> (fraction_bits + 1) != 0) {
        kept >>= 1;
        ++exponent;
      }
      if (exponent > bias) return sign | all_ones_exponent;
      return sign | (static_cast<std::uint64_t>(exponent + bias) << fraction_bits) |
             (kept & ((std::uint64_t{1} << fraction_bits) - 1));
    }
    // Subnormal: fewer bits kept. A carry into the least normal exponent lands there by itself.
    const std::int64_t shift = dropped + (1 - bias - exponent);
    if (shift > 64) return sign;
    return sign | emulated_extended::RoundedShift(significand, static_cast<int>(shift));
  }

  std::uint64_t significand_ = 0;  // top bit set, but for subnormal numbers
  std::int32_t exponent_ = 0;      // the value is significand_ * 2^(exponent_ - 63)
  bool negative_ = false;
  Kind kind_ = Kind::kZero;
};

// Arithmetic and comparisons with numbers of any arithmetic type, which convert exactly.
template <typename T>
concept ConvertsToEmulatedExtended = std::is_arithmetic_v<T> && !std::is_same_v<T, long double>;

#define TOWNWRIGHT_MIXED_OPERATOR(op, result)             \
  template <ConvertsToEmulatedExtended T>                 \
  constexpr result operator op(EmulatedExtended a, T b) { \
    return a op EmulatedExtended(b);                      \
  }                                                       \
  template <ConvertsToEmulatedExtended T>                 \
  constexpr result operator op(T a, EmulatedExtended b) { \
    return EmulatedExtended(a) op b;                      \
  }
TOWNWRIGHT_MIXED_OPERATOR(+, EmulatedExtended)
TOWNWRIGHT_MIXED_OPERATOR(-, EmulatedExtended)
TOWNWRIGHT_MIXED_OPERATOR(*, EmulatedExtended)
TOWNWRIGHT_MIXED_OPERATOR(/, EmulatedExtended)
TOWNWRIGHT_MIXED_OPERATOR(==, bool)
TOWNWRIGHT_MIXED_OPERATOR(!=, bool)
TOWNWRIGHT_MIXED_OPERATOR(<, bool)
TOWNWRIGHT_MIXED_OPERATOR(>, bool)
TOWNWRIGHT_MIXED_OPERATOR(<=, bool)
TOWNWRIGHT_MIXED_OPERATOR(>=, bool)
#undef TOWNWRIGHT_MIXED_OPERATOR

}  // namespace townwright
