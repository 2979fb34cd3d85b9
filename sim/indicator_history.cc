#include "sim/indicator_history.h"

#include "data/arithmetic.h"

namespace townwright {
namespace {

constexpr int kComparedSlot = 30;  // the value 30 turns before this one

}  // namespace

void AdvanceIndicatorHistory(CityState& city) {
  auto& history = city.IndicatorHistory;
  for (int slot = kComparedSlot; slot >= 1; --slot) {
    for (int k = 1; k <= kIndicatorCount; ++k) {
      if (slot == kComparedSlot && history[slot][k] != 0) {
        city.IndicatorRatio[k] =
            static_cast<double>(Indicator(city, k) / Extended{history[slot][k]});
      }
      history[slot + 1][k] = history[slot][k];
      if (slot == 1) history[1][k] = Indicator(city, k);
    }
  }
}

}  // namespace townwright
