#include "shell/dialog_units.h"

#include <gtest/gtest.h>

namespace townwright {
namespace {

TEST(DialogUnitsTest, TheWindowMapsByQuartersAndEighthsWithHalvesAwayFromZero) {
  // 8-point type at 96 pixels per inch: 199.5, 206.375, 637.5, 526.5.
  EXPECT_EQ(DialogRectToPixels({133, 127, 425, 324}, {6, 13}), (PixelRect{200, 206, 638, 527}));
  EXPECT_EQ(ScaleUnits(-1, 6, 4), -2);
  EXPECT_EQ(ScaleUnits(2'000'000'000, 16, 4), 2'147'483'647);  // clamped, not overflowed
}

TEST(DialogUnitsTest, TheHorizontalBaseIsTheAverageLetterRoundedHalvesUp) {
  EXPECT_EQ(BaseUnitsFromLetters(337, 13), (BaseUnits{6, 13}));  // 6.48
  EXPECT_EQ(BaseUnitsFromLetters(338, 13), (BaseUnits{7, 13}));  // 6.5
}

}  // namespace
}  // namespace townwright
