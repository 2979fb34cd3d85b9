#include "platform/kit/window_placement.h"

#include <gtest/gtest.h>

#include <climits>

namespace townwright {
namespace {

struct PlacementCase {
  PixelRect window;
  PixelRect available;
  PixelRect expected;
  const char* why;
};

// Window sizes from the Qt window: 746 x 548 at 100 % with its frame, 1116 x 796 at 150 %.
constexpr PlacementCase kCases[] = {
    {{232, 186, 746, 548},
     {0, 0, 1366, 768},
     {232, 186, 746, 548},
     "1366 x 768 at 100 %: its own place, untouched"},
    {{232, 186, 746, 582},
     {0, 0, 1366, 768},
     {232, 186, 746, 582},
     "touching the bottom edge still fits"},
    {{290, 238, 930, 680},
     {0, 0, 1366, 768},
     {290, 88, 930, 680},
     "too low: up just enough, the left edge kept"},
    {{348, 279, 1116, 796},
     {0, 0, 1920, 1080},
     {348, 279, 1116, 796},
     "1920 x 1080 at 150 %: fits at its own place"},
    {{348, 279, 1116, 830},
     {0, 0, 1920, 1050},
     {348, 220, 1116, 830},
     "a bottom panel takes 30 pixels"},
    {{400, 100, 700, 500},
     {0, 0, 1000, 800},
     {300, 100, 700, 500},
     "too far right: left just enough"},
    {{400, 300, 700, 600}, {0, 0, 1000, 800}, {300, 200, 700, 600}, "both: up and left"},
    {{100, 10, 700, 500},
     {0, 32, 1366, 736},
     {100, 32, 700, 500},
     "a top panel covers its own place: down below it"},
    {{20, 100, 700, 500},
     {64, 0, 1302, 768},
     {64, 100, 700, 500},
     "a panel on the left: right beside it"},
    {{348, 279, 1116, 796},
     {0, 0, 1366, 768},
     {0, 0, 1116, 796},
     "too tall for the area: the caption at the top-left corner"},
    {{348, 279, 1500, 500},
     {10, 20, 1366, 768},
     {10, 20, 1500, 500},
     "too wide: the area's top-left, which need not be the screen's"},
    {{1500, 40, 300, 200},
     {1366, 0, 1920, 1080},
     {1500, 40, 300, 200},
     "a second screen to the right: its own coordinates"},
    {{232, 186, 746, 548},
     {0, 0, 0, 0},
     {232, 186, 746, 548},
     "nothing known about the screen: left where it is"},
    {{INT_MAX - 5, INT_MAX - 5, 100, 100},
     {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
     {-101, -101, 100, 100},
     "absurd reports do not overflow"},
};

TEST(WindowPlacementTest, KeepsItsOwnPlaceWhereTheWindowFitsAndMovesItLeastOtherwise) {
  for (const PlacementCase& row : kCases) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(PlaceWindow(row.window, row.available), row.expected);
  }
}

}  // namespace
}  // namespace townwright
