#include "platform/kit/dialog_units.h"

#include <gtest/gtest.h>

namespace townwright {
namespace {

TEST(DialogUnitsTest, TheWindowMapsByQuartersAndEighthsWithHalvesAwayFromZero) {
  // 8-point type at 96 pixels per inch: 199.5, 206.375, 637.5, 526.5.
  EXPECT_EQ(DialogRectToPixels({133, 127, 425, 324}, {6, 13}), (PixelRect{200, 206, 638, 527}));
  struct Row {
    int units, base, divisor, pixels;
    const char* why;
  };
  const Row rows[] = {
      {8, 6, 4, 12, "exact"},
      {1, 6, 4, 2, "half goes up"},
      {1, 13, 8, 2, "1.625 goes to 2"},
      {3, 1, 8, 0, "three eighths goes down"},
      {-1, 6, 4, -2, "negative half goes away from zero"},
      {0, 13, 8, 0, "zero"},
      {2'000'000'000, 8, 8, 2'000'000'000, "no overflow on large products"},
      {2'000'000'000, 16, 4, 2'147'483'647, "clamped beyond int"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(ScaleUnits(row.units, row.base, row.divisor), row.pixels);
  }
}

TEST(DialogUnitsTest, TheHorizontalBaseIsTheAverageLetterRoundedHalvesUp) {
  EXPECT_EQ(BaseUnitsFromLetters(337, 13), (BaseUnits{6, 13}));  // 6.48
  EXPECT_EQ(BaseUnitsFromLetters(338, 13), (BaseUnits{7, 13}));  // 6.5
}

}  // namespace
}  // namespace townwright
