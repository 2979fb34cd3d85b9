#include "platform/kit/narrow_layout.h"

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

// Whether the control is an indicator's heading, or one of the boxes under it.
bool OfAnIndicator(const ControlLayout& control) {
  const std::string_view heading =
      control.kind == ControlKind::kLabel ? control.text : control.heading;
  for (int k = 1; k <= 8; ++k) {
    if (heading == FindControlLayout(kTreasuryHeading + k - 1)->text) return true;
  }
  return false;
}

std::vector<const ControlLayout*> AllControls() {
  std::vector<const ControlLayout*> all;
  for (const ControlLayout& control : WindowControls()) all.push_back(&control);
  for (const ControlLayout& control : TaxBoxes()) all.push_back(&control);
  return all;
}

const NarrowPlacement& At(int id, int figures_per_line = 2) {
  const NarrowPlacement* placement = FindNarrowPlacement(figures_per_line, id);
  EXPECT_NE(placement, nullptr) << id;
  static const NarrowPlacement kNone;
  return placement != nullptr ? *placement : kNone;
}

// [row, column] of a placement's first cell and [rows, columns] it spans, for short expectations.
std::vector<int> Cell(int id, int figures_per_line = 2) {
  const NarrowPlacement& at = At(id, figures_per_line);
  return {at.row, at.column, at.rows, at.columns};
}

bool Overlap(const NarrowPlacement& a, const NarrowPlacement& b) {
  return a.row < b.row + b.rows && b.row < a.row + a.rows && a.column < b.column + b.columns &&
         b.column < a.column + a.columns;
}

class NarrowLayoutTest : public ::testing::TestWithParam<int> {};

TEST_P(NarrowLayoutTest, EveryControlHasACellOfItsOwnInsideItsFrames) {
  const int per_line = GetParam();
  const auto rows = NarrowRows(per_line);
  const auto all = AllControls();
  ASSERT_EQ(all.size(), 56u);
  for (const ControlLayout* control : all) {
    SCOPED_TRACE(control->id);
    const NarrowPlacement& at = At(control->id, per_line);
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
      // An indicator's figure and trend on rows of one height, whatever they show.
      const bool indicator = OfAnIndicator(*control);
      EXPECT_EQ(first == NarrowRow::kFigures, indicator && control->kind == ControlKind::kTextBox);
      EXPECT_EQ(first == NarrowRow::kHeadings, indicator && control->kind == ControlKind::kLabel);
    }
    // Inside every frame that encloses it on the desktop, below the title and above the end, and
    // indented one step for each where it meets the frame's edge; apart from every other control.
    int frames = 0;
    for (const ControlLayout* other : all) {
      if (other == control) continue;
      const NarrowPlacement& them = At(other->id, per_line);
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

TEST_P(NarrowLayoutTest, TheIndicatorsInColumnsThenTheChoicesComeFirst) {
  // "Details": its title, then the indicators in their order, as many to a line as asked for,
  // each a heading over its figure over its trend; its end. Then "Projects to Approve or
  // Decline": its title, the nine choices, its end.
  const int per_line = GetParam();
  const int lines = (8 + per_line - 1) / per_line;
  const int span = kNarrowColumns / per_line;
  EXPECT_EQ(Cell(kDetailsFrame, per_line), (std::vector{1, 1, 3 * lines + 2, kNarrowColumns}));
  for (int k = 1; k <= 8; ++k) {
    SCOPED_TRACE(k);
    const int top = 2 + 3 * ((k - 1) / per_line);
    const int column = 1 + span * ((k - 1) % per_line);
    EXPECT_EQ(Cell(kTreasuryHeading + k - 1, per_line), (std::vector{top, column, 1, span}));
    EXPECT_EQ(Cell(IndicatorBox(k), per_line), (std::vector{top + 1, column, 1, span}));
    EXPECT_EQ(Cell(TrendBox(k), per_line), (std::vector{top + 2, column, 1, span}));
  }
  const int projects = 3 * lines + 3;
  EXPECT_EQ(Cell(kProjectsFrame, per_line), (std::vector{projects, 1, 11, kNarrowColumns}));
  const auto rows = NarrowRows(per_line);
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Cell(ChoiceButton(k), per_line), (std::vector{projects + k, 1, 1, kNarrowColumns}));
  }
  // The choices alone have even rows: one height for the nine, whatever their captions.
  std::multiset<NarrowRow> kinds(rows.begin(), rows.end());
  EXPECT_EQ(kinds.count(NarrowRow::kEvenLine), 9u);
  EXPECT_EQ(rows.size(), static_cast<std::size_t>(3 * lines + 29));
}

INSTANTIATE_TEST_SUITE_P(FiguresPerLine, NarrowLayoutTest, ::testing::ValuesIn(kFiguresPerLine));

TEST(NarrowLayout, EachChoiceKeepsRoomForOneOfTheLongestCaptions) {
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

TEST(NarrowLayout, InformationFollowsAsOnTheDesktopTopToBottom) {
  const int top = At(kInformationFrame).row;
  const auto cell = [top](int id) {
    std::vector<int> at = Cell(id);
    at[0] -= top;
    return at;
  };
  EXPECT_EQ(cell(kInformationFrame), (std::vector{0, 1, 16, kNarrowColumns}));
  EXPECT_EQ(cell(kCitizensMonthlyHeading), (std::vector{1, 1, 1, 4}));
  EXPECT_EQ(cell(kCitizensMonthlyBox), (std::vector{1, 5, 1, 8}));
  EXPECT_EQ(cell(kWorkforceHeading), (std::vector{2, 1, 1, 4}));
  EXPECT_EQ(cell(kWorkforceBox), (std::vector{2, 5, 1, 8}));
  EXPECT_EQ(cell(kTaxTablesFrame), (std::vector{3, 1, 6, kNarrowColumns}));
  EXPECT_EQ(cell(kIncomeTaxBox), (std::vector{4, 5, 1, 8}));
  EXPECT_EQ(cell(kPropertyTaxHeading), (std::vector{6, 1, 1, 4}));
  EXPECT_EQ(cell(kUpdateTaxRates), (std::vector{7, 1, 1, kNarrowColumns}));
  EXPECT_EQ(cell(kDateFrame), (std::vector{9, 1, 4, kNarrowColumns}));
  // Side by side as on the desktop, sharing the width as there: the month twice the day's.
  EXPECT_EQ(cell(kMonthBox), (std::vector{10, 1, 1, 8}));
  EXPECT_EQ(cell(kDayBox), (std::vector{10, 9, 1, 4}));
  EXPECT_EQ(cell(kYearBox), (std::vector{11, 1, 1, kNarrowColumns}));
  EXPECT_EQ(cell(kNew), (std::vector{13, 1, 1, 6}));
  EXPECT_EQ(cell(kSave), (std::vector{13, 7, 1, 6}));
  EXPECT_EQ(cell(kExit), (std::vector{14, 1, 1, 6}));
  EXPECT_EQ(cell(kLoad), (std::vector{14, 7, 1, 6}));
  // The tax boxes' frame sits within "Information": its lines two steps in.
  EXPECT_EQ(At(kTaxTablesFrame).indent_start, 1);
  EXPECT_EQ(At(kIncomeTaxHeading).indent_start, 2);
  EXPECT_EQ(At(kIncomeTaxBox).indent_end, 2);
}

}  // namespace
}  // namespace townwright
