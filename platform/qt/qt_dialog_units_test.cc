// Dialog units on Qt: what the Qt side measures of the font. The arithmetic that maps the units
// to pixels is platform/kit/dialog_units' and tested there.

#include "platform/qt/qt_dialog_units.h"

#include <gtest/gtest.h>

#include <QFontInfo>

namespace townwright::qt {
namespace {

// The face Debian falls back to, measured once outside the game at 96 pixels per inch: the 52
// letters of DejaVu Sans advance 353 pixels at 8 points (6.79 on average), with an ascent of 10
// and a descent of 3; at 16 points 674 (12.96), 20 and 5. Both averages round up, not down.
TEST(DialogUnitsTest, TheBaseUnitsOfTheFallbackFaceAreItsLettersAndItsHeight) {
  QFont font = DialogFont("MS Sans Serif", 8);
  // fonts-dejavu-core comes with the Qt build's packages (scripts/packages/qt.txt).
  ASSERT_EQ(QFontInfo(font).family().toStdString(), "DejaVu Sans");
  EXPECT_EQ(BaseUnitsOf(font), (BaseUnits{7, 13}));
  font.setPointSize(16);
  EXPECT_EQ(BaseUnitsOf(font), (BaseUnits{13, 25}));
}

TEST(DialogUnitsTest, AMissingFaceFallsBackToTheSystemSansSerif) {
  const QFont font = DialogFont("No Such Face Anywhere", 8);
  EXPECT_NE(font.family(), QStringLiteral("No Such Face Anywhere"));
  EXPECT_EQ(font.family(), InstalledFamilyOr(""));
  EXPECT_EQ(font.pointSize(), 8);
}

}  // namespace
}  // namespace townwright::qt
