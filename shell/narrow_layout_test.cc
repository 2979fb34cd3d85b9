#include "shell/narrow_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "data/catalogue.h"
#include "shell/control_table.h"
#include "view/choice_buttons.h"
#include "view/control_ids.h"

namespace townwright {
namespace {

using namespace control_id;

std::vector<const ControlLayout*> AllControls() {
  std::vector<const ControlLayout*> all;
  for (const ControlLayout& control : WindowControls()) all.push_back(&control);
  for (const ControlLayout& control : TaxBoxes()) all.push_back(&control);
  return all;
}

const NarrowPlacement& At(int id) {
  const NarrowPlacement* placement = FindNarrowPlacement(id);
  EXPECT_NE(placement, nullptr) << id;
  static const NarrowPlacement kNone;
  return placement != nullptr ? *placement : kNone;
}

// [row, column] of a placement's first cell and [rows, columns] it spans, for short expectations.
std::vector<int> Cell(int id) {
  const NarrowPlacement& at = At(id);
  return {at.row, at.column, at.rows, at.columns};
}

bool Overlap(const NarrowPlacement& a, const NarrowPlacement& b) {
  return a.row < b.row + b.rows && b.row < a.row + a.rows && a.column < b.column + b.columns &&
         b.column < a.column + a.columns;
}

TEST(NarrowLayoutTest, EveryControlHasACellOfItsOwnInsideItsFrames) {
  const auto rows = NarrowRows();
  const auto all = AllControls();
  ASSERT_EQ(all.size(), 56u);
  for (const ControlLayout* control : all) {
    SCOPED_TRACE(control->id);
    const NarrowPlacement& at = At(control->id);
    ASSERT_GE(at.row, 1);
    ASSERT_LE(at.row + at.rows - 1, static_cast<int>(rows.size()));
    EXPECT_GE(at.column, 1);
    EXPECT_LE(at.column + at.columns - 1, kNarrowColumns);
    const NarrowRow first = rows[static_cast<std::size_t>(at.row - 1)];
    const NarrowRow last = rows[static_cast<std::size_t>(at.row + at.rows - 2)];
    if (control->kind == ControlKind::kFrame) {
      EXPECT_EQ(first, NarrowRow::kFrameTitle);
      EXPECT_EQ(last, NarrowRow::kFrameEnd);
    } else {
      EXPECT_EQ(at.rows, 1);
      EXPECT_TRUE(first == NarrowRow::kLine || first == NarrowRow::kEvenLine);
    }
    // Inside every frame that encloses it on the desktop, below the title and above the end, and
    // indented one step for each where it meets the frame's edge; apart from every other control.
    int frames = 0;
    for (const ControlLayout* other : all) {
      if (other == control) continue;
      const NarrowPlacement& them = At(other->id);
      const DialogRect& in = control->place;
      const DialogRect& out = other->place;
      const bool enclosed = other->kind == ControlKind::kFrame && in.x >= out.x && in.y >= out.y &&
                            in.x + in.width <= out.x + out.width &&
                            in.y + in.height <= out.y + out.height;
      if (enclosed) {
        ++frames;
        EXPECT_GT(at.row, them.row) << other->id;
        EXPECT_LT(at.row + at.rows, them.row + them.rows) << other->id;
      } else if (control->kind != ControlKind::kFrame && other->kind != ControlKind::kFrame) {
        EXPECT_FALSE(Overlap(at, them)) << other->id;
      }
    }
    EXPECT_EQ(at.indent_start, at.column == 1 ? frames : 0);
    EXPECT_EQ(at.indent_end, at.column + at.columns - 1 == kNarrowColumns ? frames : 0);
  }
}

TEST(NarrowLayoutTest, TheFiguresThenTheChoicesComeFirstOneLineEach) {
  // "Details": its title, one line per indicator (heading, figure, trend) in the indicators'
  // order, its end; then "Projects to Approve or Decline": its title, the nine choices, its end.
  EXPECT_EQ(Cell(kDetailsFrame), (std::vector{1, 1, 10, kNarrowColumns}));
  for (int k = 1; k <= 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Cell(kTreasuryHeading + k - 1), (std::vector{1 + k, 1, 1, 4}));
    EXPECT_EQ(Cell(IndicatorBox(k)), (std::vector{1 + k, 5, 1, 5}));
    EXPECT_EQ(Cell(TrendBox(k)), (std::vector{1 + k, 10, 1, 3}));
  }
  EXPECT_EQ(Cell(kProjectsFrame), (std::vector{11, 1, 11, kNarrowColumns}));
  const auto rows = NarrowRows();
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Cell(ChoiceButton(k)), (std::vector{11 + k, 1, 1, kNarrowColumns}));
    EXPECT_EQ(rows[static_cast<std::size_t>(10 + k)], NarrowRow::kEvenLine);
  }
  // The choices alone have even rows: one height for the nine, whatever their captions.
  std::multiset<NarrowRow> kinds(rows.begin(), rows.end());
  EXPECT_EQ(kinds.count(NarrowRow::kEvenLine), 9u);
}

TEST(NarrowLayoutTest, EachChoiceKeepsRoomForOneOfTheLongestCaptions) {
  CityState city;
  FillCatalogues(city);
  const std::vector<std::string> longest = LongestChoiceCaptions(city);
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(At(ChoiceButton(k)).reserve, longest[static_cast<std::size_t>(k - 1)]) << k;
  }
  for (const ControlLayout* control : AllControls()) {
    if (control->source != InitialText::kChoiceText) {
      EXPECT_EQ(At(control->id).reserve, "") << control->id;
    }
  }
}

TEST(NarrowLayoutTest, InformationFollowsAsOnTheDesktopTopToBottom) {
  EXPECT_EQ(Cell(kInformationFrame), (std::vector{22, 1, 16, kNarrowColumns}));
  EXPECT_EQ(Cell(kCitizensMonthlyHeading), (std::vector{23, 1, 1, 4}));
  EXPECT_EQ(Cell(kCitizensMonthlyBox), (std::vector{23, 5, 1, 8}));
  EXPECT_EQ(Cell(kWorkforceHeading), (std::vector{24, 1, 1, 4}));
  EXPECT_EQ(Cell(kWorkforceBox), (std::vector{24, 5, 1, 8}));
  EXPECT_EQ(Cell(kTaxTablesFrame), (std::vector{25, 1, 6, kNarrowColumns}));
  EXPECT_EQ(Cell(kIncomeTaxBox), (std::vector{26, 5, 1, 8}));
  EXPECT_EQ(Cell(kPropertyTaxHeading), (std::vector{28, 1, 1, 4}));
  EXPECT_EQ(Cell(kUpdateTaxRates), (std::vector{29, 1, 1, kNarrowColumns}));
  EXPECT_EQ(Cell(kDateFrame), (std::vector{31, 1, 4, kNarrowColumns}));
  // Side by side as on the desktop, sharing the width as there: the month twice the day's.
  EXPECT_EQ(Cell(kMonthBox), (std::vector{32, 1, 1, 8}));
  EXPECT_EQ(Cell(kDayBox), (std::vector{32, 9, 1, 4}));
  EXPECT_EQ(Cell(kYearBox), (std::vector{33, 1, 1, kNarrowColumns}));
  EXPECT_EQ(Cell(kNew), (std::vector{35, 1, 1, 6}));
  EXPECT_EQ(Cell(kSave), (std::vector{35, 7, 1, 6}));
  EXPECT_EQ(Cell(kExit), (std::vector{36, 1, 1, 6}));
  EXPECT_EQ(Cell(kLoad), (std::vector{36, 7, 1, 6}));
  EXPECT_EQ(NarrowRows().size(), 37u);
  // The tax boxes' frame sits within "Information": its lines two steps in.
  EXPECT_EQ(At(kTaxTablesFrame).indent_start, 1);
  EXPECT_EQ(At(kIncomeTaxHeading).indent_start, 2);
  EXPECT_EQ(At(kIncomeTaxBox).indent_end, 2);
}

}  // namespace
}  // namespace townwright
