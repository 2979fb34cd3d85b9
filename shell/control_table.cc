#include "shell/control_table.h"

#include <iterator>

namespace townwright {
namespace {

using enum ControlKind;
using enum InitialText;

constexpr ControlLayout kWindowControls[] = {
    {1001, kFrame, "Details", {5, 10, 325, 105}},
    {1002, kLabel, "Treasury", {25, 20, 35, 10}},
    {1003, kLabel, "Wealth", {110, 20, 30, 10}},
    {1004, kLabel, "Cleanliness", {190, 20, 40, 10}},
    {1005, kLabel, "Peacefuliness", {260, 20, 50, 10}},
    {1006, kLabel, "Census", {30, 70, 30, 10}},
    {1007, kLabel, "Sustainability", {100, 70, 45, 10}},
    {1008, kLabel, "Velocity of Money", {175, 70, 60, 10}},
    {1009, kLabel, "Quality of Life", {260, 70, 50, 10}},
    {1010, kFrame, "Projects to Approve or Decline", {5, 125, 325, 195}},
    {1011, kButton, "", {10, 140, 315, 15}, kChoiceText, 1},
    {1012, kButton, "", {10, 160, 315, 15}, kChoiceText, 2},
    {1013, kButton, "", {10, 180, 315, 15}, kChoiceText, 3},
    {1014, kButton, "", {10, 200, 315, 15}, kChoiceText, 4},
    {1015, kButton, "", {10, 220, 315, 15}, kChoiceText, 5},
    {1016, kButton, "", {10, 240, 315, 15}, kChoiceText, 6},
    {1017, kButton, "", {10, 260, 315, 15}, kChoiceText, 7},
    {1018, kButton, "", {10, 280, 315, 15}, kChoiceText, 8},
    {1019, kButton, "", {10, 300, 315, 15}, kChoiceText, 9},
    {1020, kFrame, "Information", {335, 10, 85, 310}},
    {1021, kLabel, "Citizen's Monthly", {350, 20, 60, 10}},
    {1023, kFrame, "Tax Tables", {340, 70, 75, 130}},
    {1024, kLabel, "Income Tax", {345, 80, 65, 10}},
    {1025, kLabel, "Sales Tax", {345, 110, 65, 10}},
    {1026, kLabel, "Property Tax", {345, 140, 65, 10}},
    {1027, kButton, "Update Tax Rates", {345, 170, 65, 25}},
    {1028, kLabel, "Workforce", {355, 45, 40, 10}},
    {1029, kTextBox, "", {10, 30, 70, 15}, kIndicatorText, 1},
    {1030, kTextBox, "", {90, 30, 70, 15}, kIndicatorText, 2},
    {1031, kTextBox, "", {170, 30, 70, 15}, kIndicatorText, 3},
    {1032, kTextBox, "", {250, 30, 70, 15}, kIndicatorText, 4},
    {1033, kTextBox, "", {10, 80, 70, 15}, kIndicatorText, 5},
    {1034, kTextBox, "", {90, 80, 70, 15}, kIndicatorText, 6},
    {1035, kTextBox, "", {170, 80, 70, 15}, kIndicatorText, 7},
    {1036, kTextBox, "", {250, 80, 70, 15}, kIndicatorText, 8},
    {1037, kTextBox, "", {10, 45, 70, 15}},
    {1038, kTextBox, "", {90, 45, 70, 15}},
    {1039, kTextBox, "", {170, 45, 70, 15}},
    {1040, kTextBox, "", {250, 45, 70, 15}},
    {1041, kTextBox, "", {10, 95, 70, 15}},
    {1042, kTextBox, "", {90, 95, 70, 15}},
    {1043, kTextBox, "", {170, 95, 70, 15}},
    {1044, kTextBox, "", {250, 95, 70, 15}},
    {1045, kTextBox, "", {340, 30, 75, 15}},
    {1049, kTextBox, "", {340, 55, 75, 15}},
    {1050, kFrame, "Date", {340, 205, 75, 50}},
    {1051, kTextBox, "January", {345, 215, 40, 10}},
    {1052, kTextBox, "2007", {345, 230, 65, 20}},
    {1053, kTextBox, "31", {390, 215, 20, 10}},
    {1054, kButton, "Save", {380, 260, 35, 25}},
    {1055, kButton, "Exit", {340, 290, 35, 25}},
    {1056, kButton, "Load", {380, 290, 35, 25}},
    {1057, kButton, "New", {340, 260, 35, 25}},
};

constexpr ControlLayout kTaxBoxes[] = {
    {1046, kTextBox, "", {345, 90, 65, 15}},
    {1047, kTextBox, "", {345, 120, 65, 15}},
    {1048, kTextBox, "", {345, 150, 65, 15}},
};

static_assert(std::size(kWindowControls) == 53);

}  // namespace

std::span<const ControlLayout> WindowControls() { return kWindowControls; }

std::span<const ControlLayout> TaxBoxes() { return kTaxBoxes; }

const ControlLayout* FindControlLayout(int id) {
  for (const ControlLayout& layout : kWindowControls) {
    if (layout.id == id) return &layout;
  }
  for (const ControlLayout& layout : kTaxBoxes) {
    if (layout.id == id) return &layout;
  }
  return nullptr;
}

}  // namespace townwright
