#pragma once

// Every control of the main window: identifier, kind, text, place and size in dialog units.

#include <span>
#include <string_view>

#include "shell/platform.h"

namespace townwright {

// Where a control's first text comes from: fixed, or an element of ChoiceText or IndicatorText.
enum class InitialText { kFixed, kChoiceText, kIndicatorText };

struct ControlLayout {
  int id;
  ControlKind kind;
  std::string_view text;  // the fixed text; empty for the other sources
  DialogRect place;
  InitialText source = InitialText::kFixed;
  int element = 0;  // the element of the source array
};

// The 53 controls created with the window, in creation order, which is also the tab order.
std::span<const ControlLayout> WindowControls();

// The three tax boxes, which first appear when the end of the first turn refreshes them.
std::span<const ControlLayout> TaxBoxes();

// The control with identifier `id` from either list, or nullptr.
const ControlLayout* FindControlLayout(int id);

}  // namespace townwright
