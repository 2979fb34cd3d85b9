#include "platform/kit/dialog_units.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace townwright {

BaseUnits BaseUnitsFromLetters(int letters_width, int height) {
  return {(letters_width + 26) / 52, height};
}

int ScaleUnits(int units, int base, int divisor) {
  // 64-bit so that no place and base a caller can pass overflows the product.
  const std::int64_t product = std::int64_t{units} * base;
  const std::int64_t half = divisor / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  return static_cast<int>(std::clamp<std::int64_t>(rounded, INT_MIN, INT_MAX));
}

PixelRect DialogRectToPixels(const DialogRect& place, BaseUnits base) {
  return {ScaleUnits(place.x, base.x, 4), ScaleUnits(place.y, base.y, 8),
          ScaleUnits(place.width, base.x, 4), ScaleUnits(place.height, base.y, 8)};
}

}  // namespace townwright
