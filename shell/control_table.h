#pragma once

// Every control of the main window: identifier, kind, first text, place and size in dialog units,
// and the name a screen reader gives it. The one place that lays the window out.

#include <span>
#include <string>
#include <string_view>

#include "shell/platform.h"

namespace townwright {

// Where a control's first text comes from: fixed, or an element of ChoiceText or IndicatorText.
enum class InitialText { kFixed, kChoiceText, kIndicatorText };

struct ControlLayout {
  int id;
  ControlKind kind;
  std::string_view text;  // the fixed first text; empty for the other sources
  DialogRect place;
  InitialText source = InitialText::kFixed;
  int element = 0;  // the element of the source array
  // For a box whose text is a figure: the heading that names it, and whether it is the trend
  // under that heading's figure.
  std::string_view heading = {};
  bool trend = false;
};

// The 53 controls created with the window, in creation order, which is also the tab order.
std::span<const ControlLayout> WindowControls();

// The three tax boxes, which first appear when the end of the first turn refreshes them.
std::span<const ControlLayout> TaxBoxes();

// The control with identifier `id` from either list, or nullptr.
const ControlLayout* FindControlLayout(int id);

// What a screen reader calls a control whose text does not name it: a figure box by its heading
// ("Treasury", "Treasury trend", "Month"), a choice button by its place ("Choice 7"). Empty for
// frames, labels and the other buttons, which their own texts name.
std::string AccessibleName(const ControlLayout& layout);

// What a screen reader calls a choice button while it shows no offer, which would otherwise be
// a nameless "button": "Choice 7, no offer". Empty for every other control.
std::string NameWithoutOffer(const ControlLayout& layout);

// The name a window gives the control while it shows `text`, for screen readers to say instead of
// the text: a figure box's AccessibleName, a choice button's NameWithoutOffer while its text is
// blank; empty where the text itself names the control. `layout` is one of the table's own.
std::string_view ScreenReaderName(const ControlLayout& layout, std::string_view text);

}  // namespace townwright
