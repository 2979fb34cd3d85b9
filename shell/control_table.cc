#include "shell/control_table.h"

#include <array>
#include <iterator>

#include "view/control_ids.h"

namespace townwright {
namespace {

using enum ControlKind;
using enum InitialText;
using namespace control_id;

// Headings, spelled as the window shows them ("Peacefuliness" included); each also names the boxes
// under it.
constexpr std::string_view kTreasury = "Treasury";
constexpr std::string_view kWealth = "Wealth";
constexpr std::string_view kCleanliness = "Cleanliness";
constexpr std::string_view kPeacefulness = "Peacefuliness";
constexpr std::string_view kCensus = "Census";
constexpr std::string_view kSustainability = "Sustainability";
constexpr std::string_view kVelocityOfMoney = "Velocity of Money";
constexpr std::string_view kQualityOfLife = "Quality of Life";
constexpr std::string_view kCitizensMonthly = "Citizen's Monthly";
constexpr std::string_view kIncomeTax = "Income Tax";
constexpr std::string_view kSalesTax = "Sales Tax";
constexpr std::string_view kPropertyTax = "Property Tax";
constexpr std::string_view kWorkforce = "Workforce";

constexpr DialogRect kChoicePlace(int k) { return {10, 140 + 20 * (k - 1), 315, 15}; }

constexpr ControlLayout kWindowControls[] = {
    {kDetailsFrame, kFrame, "Details", {5, 10, 325, 105}},
    {kTreasuryHeading, kLabel, kTreasury, {25, 20, 35, 10}},
    {kWealthHeading, kLabel, kWealth, {110, 20, 30, 10}},
    {kCleanlinessHeading, kLabel, kCleanliness, {190, 20, 40, 10}},
    {kPeacefulnessHeading, kLabel, kPeacefulness, {260, 20, 50, 10}},
    {kCensusHeading, kLabel, kCensus, {30, 70, 30, 10}},
    {kSustainabilityHeading, kLabel, kSustainability, {100, 70, 45, 10}},
    {kVelocityOfMoneyHeading, kLabel, kVelocityOfMoney, {175, 70, 60, 10}},
    {kQualityOfLifeHeading, kLabel, kQualityOfLife, {260, 70, 50, 10}},
    {kProjectsFrame, kFrame, "Projects to Approve or Decline", {5, 125, 325, 195}},
    {ChoiceButton(1), kButton, "", kChoicePlace(1), kChoiceText, 1},
    {ChoiceButton(2), kButton, "", kChoicePlace(2), kChoiceText, 2},
    {ChoiceButton(3), kButton, "", kChoicePlace(3), kChoiceText, 3},
    {ChoiceButton(4), kButton, "", kChoicePlace(4), kChoiceText, 4},
    {ChoiceButton(5), kButton, "", kChoicePlace(5), kChoiceText, 5},
    {ChoiceButton(6), kButton, "", kChoicePlace(6), kChoiceText, 6},
    {ChoiceButton(7), kButton, "", kChoicePlace(7), kChoiceText, 7},
    {ChoiceButton(8), kButton, "", kChoicePlace(8), kChoiceText, 8},
    {ChoiceButton(9), kButton, "", kChoicePlace(9), kChoiceText, 9},
    {kInformationFrame, kFrame, "Information", {335, 10, 85, 310}},
    {kCitizensMonthlyHeading, kLabel, kCitizensMonthly, {350, 20, 60, 10}},
    {kTaxTablesFrame, kFrame, "Tax Tables", {340, 70, 75, 130}},
    {kIncomeTaxHeading, kLabel, kIncomeTax, {345, 80, 65, 10}},
    {kSalesTaxHeading, kLabel, kSalesTax, {345, 110, 65, 10}},
    {kPropertyTaxHeading, kLabel, kPropertyTax, {345, 140, 65, 10}},
    {kUpdateTaxRates, kButton, "Update Tax Rates", {345, 170, 65, 25}},
    {kWorkforceHeading, kLabel, kWorkforce, {355, 45, 40, 10}},
    {kTreasuryBox, kTextBox, "", {10, 30, 70, 15}, kIndicatorText, 1, kTreasury},
    {kWealthBox, kTextBox, "", {90, 30, 70, 15}, kIndicatorText, 2, kWealth},
    {kCleanlinessBox, kTextBox, "", {170, 30, 70, 15}, kIndicatorText, 3, kCleanliness},
    {kPeacefulnessBox, kTextBox, "", {250, 30, 70, 15}, kIndicatorText, 4, kPeacefulness},
    {kCensusBox, kTextBox, "", {10, 80, 70, 15}, kIndicatorText, 5, kCensus},
    {kSustainabilityBox, kTextBox, "", {90, 80, 70, 15}, kIndicatorText, 6, kSustainability},
    {kVelocityOfMoneyBox, kTextBox, "", {170, 80, 70, 15}, kIndicatorText, 7, kVelocityOfMoney},
    {kQualityOfLifeBox, kTextBox, "", {250, 80, 70, 15}, kIndicatorText, 8, kQualityOfLife},
    {kTreasuryTrendBox, kTextBox, "", {10, 45, 70, 15}, kFixed, 0, kTreasury, true},
    {kWealthTrendBox, kTextBox, "", {90, 45, 70, 15}, kFixed, 0, kWealth, true},
    {kCleanlinessTrendBox, kTextBox, "", {170, 45, 70, 15}, kFixed, 0, kCleanliness, true},
    {kPeacefulnessTrendBox, kTextBox, "", {250, 45, 70, 15}, kFixed, 0, kPeacefulness, true},
    {kCensusTrendBox, kTextBox, "", {10, 95, 70, 15}, kFixed, 0, kCensus, true},
    {kSustainabilityTrendBox, kTextBox, "", {90, 95, 70, 15}, kFixed, 0, kSustainability, true},
    {kVelocityOfMoneyTrendBox, kTextBox, "", {170, 95, 70, 15}, kFixed, 0, kVelocityOfMoney, true},
    {kQualityOfLifeTrendBox, kTextBox, "", {250, 95, 70, 15}, kFixed, 0, kQualityOfLife, true},
    {kCitizensMonthlyBox, kTextBox, "", {340, 30, 75, 15}, kFixed, 0, kCitizensMonthly},
    {kWorkforceBox, kTextBox, "", {340, 55, 75, 15}, kFixed, 0, kWorkforce},
    {kDateFrame, kFrame, "Date", {340, 205, 75, 50}},
    {kMonthBox, kTextBox, "January", {345, 215, 40, 10}, kFixed, 0, "Month"},
    {kYearBox, kTextBox, "2007", {345, 230, 65, 20}, kFixed, 0, "Year"},
    {kDayBox, kTextBox, "31", {390, 215, 20, 10}, kFixed, 0, "Day"},
    {kSave, kButton, "Save", {380, 260, 35, 25}},
    {kExit, kButton, "Exit", {340, 290, 35, 25}},
    {kLoad, kButton, "Load", {380, 290, 35, 25}},
    {kNew, kButton, "New", {340, 260, 35, 25}},
};

constexpr ControlLayout kTaxBoxes[] = {
    {kIncomeTaxBox, kTextBox, "", {345, 90, 65, 15}, kFixed, 0, kIncomeTax},
    {kSalesTaxBox, kTextBox, "", {345, 120, 65, 15}, kFixed, 0, kSalesTax},
    {kPropertyTaxBox, kTextBox, "", {345, 150, 65, 15}, kFixed, 0, kPropertyTax},
};

static_assert(std::size(kWindowControls) == 53);

std::size_t Slot(int id) { return static_cast<std::size_t>(id - kFirstId); }

}  // namespace

std::span<const ControlLayout> WindowControls() { return kWindowControls; }

std::span<const ControlLayout> TaxBoxes() { return kTaxBoxes; }

const ControlLayout* FindControlLayout(int id) {
  // Asked for at every refresh of every turn: looked up by identifier, not searched for.
  static const auto by_id = [] {
    std::array<const ControlLayout*, kIdCount> table{};
    for (const ControlLayout& layout : kWindowControls) table[Slot(layout.id)] = &layout;
    for (const ControlLayout& layout : kTaxBoxes) table[Slot(layout.id)] = &layout;
    return table;
  }();
  return IsControlId(id) ? by_id[Slot(id)] : nullptr;
}

std::string AccessibleName(const ControlLayout& layout) {
  if (layout.source == InitialText::kChoiceText) return "Choice " + std::to_string(layout.element);
  std::string name(layout.heading);
  if (layout.trend) name += " trend";
  return name;
}

std::string NameWithoutOffer(const ControlLayout& layout) {
  if (layout.source != InitialText::kChoiceText) return "";
  return AccessibleName(layout) + ", no offer";
}

std::string_view ScreenReaderName(const ControlLayout& layout, std::string_view text) {
  // Made once for each control, as a refresh asks for them.
  struct Names {
    std::string accessible;
    std::string without_offer;
  };
  static const auto names = [] {
    std::array<Names, kIdCount> made;
    for (const std::span<const ControlLayout> table : {WindowControls(), TaxBoxes()}) {
      for (const ControlLayout& control : table) {
        made[Slot(control.id)] = {AccessibleName(control), NameWithoutOffer(control)};
      }
    }
    return made;
  }();
  const Names& name = names[Slot(layout.id)];
  if (layout.kind == ControlKind::kTextBox) return name.accessible;
  const bool blank = text.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos;
  return blank ? std::string_view(name.without_offer) : std::string_view();
}

}  // namespace townwright
