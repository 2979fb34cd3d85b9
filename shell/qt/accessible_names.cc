#include "shell/qt/accessible_names.h"

#include "data/city_state.h"
#include "view/control_ids.h"

namespace townwright::qt {
namespace {

struct NamedBox {
  int id;
  std::string_view name;
};

// Headings as the window spells them, "Peacefuliness" included, so that what is read out matches
// what is shown.
constexpr NamedBox kNamedBoxes[] = {
    {1029, "Treasury"},
    {1030, "Wealth"},
    {1031, "Cleanliness"},
    {1032, "Peacefuliness"},
    {1033, "Census"},
    {1034, "Sustainability"},
    {1035, "Velocity of Money"},
    {1036, "Quality of Life"},
    {1037, "Treasury trend"},
    {1038, "Wealth trend"},
    {1039, "Cleanliness trend"},
    {1040, "Peacefuliness trend"},
    {1041, "Census trend"},
    {1042, "Sustainability trend"},
    {1043, "Velocity of Money trend"},
    {1044, "Quality of Life trend"},
    {1045, "Citizen's Monthly"},
    {1046, "Income Tax"},
    {1047, "Sales Tax"},
    {1048, "Property Tax"},
    {1049, "Workforce"},
    {1051, "Month"},
    {1052, "Year"},
    {1053, "Day"},
};

}  // namespace

std::string_view AccessibleNameOfTextBox(int id) {
  for (const NamedBox& box : kNamedBoxes) {
    if (box.id == id) return box.name;
  }
  return {};
}

std::string AccessibleNameOfBlankButton(int id) {
  const int place = id - control_id::kFirstChoiceButton + 1;
  if (place < 1 || place > kChoiceButtons) return {};
  return "Choice " + std::to_string(place) + ", no offer";
}

}  // namespace townwright::qt
