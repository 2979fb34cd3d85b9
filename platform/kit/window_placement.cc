#include "platform/kit/window_placement.h"

#include <algorithm>

namespace townwright {
namespace {

// The start of a span of `length` moved as little as needed to lie within [low, low + room).
// Counted in 64 bits: a screen's report must not overflow the sums.
int Fit(int start, int length, int low, int room) {
  const long long highest = static_cast<long long>(low) + room - length;
  return static_cast<int>(std::clamp(static_cast<long long>(start), static_cast<long long>(low),
                                     std::max(highest, static_cast<long long>(low))));
}

}  // namespace

PixelRect PlaceWindow(PixelRect window, PixelRect available) {
  if (available.width <= 0 || available.height <= 0) return window;
  if (window.width > available.width || window.height > available.height) {
    window.x = available.x;
    window.y = available.y;
    return window;
  }
  window.x = Fit(window.x, window.width, available.x, available.width);
  window.y = Fit(window.y, window.height, available.y, available.height);
  return window;
}

}  // namespace townwright
