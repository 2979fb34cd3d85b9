#include "data/code_shuffle.h"

#include <cstdint>
#include <utility>

#include "data/arithmetic.h"

namespace townwright {
namespace {

// INT(range * r) as a 1-based position of a string of `length` characters; 0 when it names none.
class PositionDraw {
 public:
  PositionDraw(double range, std::size_t length) : range_(range), length_(length) {
    // A whole range of at most 2^11 times a 53-bit draw fits 64 bits exactly.
    if (range >= 0 && range <= kLargestWholeRange) {
      whole_range_ = static_cast<std::uint64_t>(range);
      use_integers_ = static_cast<double>(whole_range_) == range;
    }
  }

  std::size_t operator()(double r) const {
    // With r = (k + f) / 2^53 for a whole k and 0 <= f < 1, range * r * 2^53 is range * k plus
    // less than `range`. Unless that could carry into bit 53, INT(range * r) is (range * k) >> 53,
    // far cheaper than extended precision; the game's draws are whole multiples of 2^-53 anyway.
    const double scaled = r * kTwoTo53;
    if (use_integers_ && scaled >= 0 && scaled < kTwoTo53) {
      const std::uint64_t product =
          whole_range_ * static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
      if ((product & kLow53Bits) < kNoCarryBelow) return Named(product >> 53);
    }
    const Extended position = Int(range_ * static_cast<Extended>(r));
    // Written so that NaN fails too.
    if (!(position >= 1 && position <= static_cast<Extended>(length_))) return 0;
    return static_cast<std::size_t>(static_cast<double>(position));
  }

 private:
  static constexpr double kLargestWholeRange = 2048;
  static constexpr double kTwoTo53 = 9007199254740992.0;
  static constexpr std::uint64_t kLow53Bits = (std::uint64_t{1} << 53) - 1;
  static constexpr std::uint64_t kNoCarryBelow = (std::uint64_t{1} << 53) - 2048;

  std::size_t Named(std::uint64_t position) const {
    return position >= 1 && position <= length_ ? static_cast<std::size_t>(position) : 0;
  }

  Extended range_;
  std::size_t length_;
  std::uint64_t whole_range_ = 0;
  bool use_integers_ = false;
};

}  // namespace

void ShuffleCodes(std::string& codes, double range, RandomSource& random) {
  constexpr int kExchanges = 1000;
  const PositionDraw draw_position(range, codes.size());
  for (int i = 0; i < kExchanges; ++i) {
    const std::size_t a = draw_position(random.NextUniform());
    const std::size_t b = draw_position(random.NextUniform());
    if (a != 0 && b != 0) std::swap(codes[a - 1], codes[b - 1]);
  }
}

}  // namespace townwright
