#pragma once

// The nine choice buttons: each choice's caption, shown one button after another.

#include <string>
#include <string_view>
#include <vector>

#include "data/city_state.h"
#include "view/display.h"

namespace townwright {

inline constexpr std::string_view kDoNothingCaption = "do nothing (except collect taxes)";

// The caption of a choice with `code`: kDoNothingCaption, "Build: " + name + " [ " + percent +
// "% completed ] " with the percent in whole numbers (ties to even) after a sign position,
// "Reactivate: " + name or "Halt: " + name. Empty for a code that names no project.
std::string ChoiceCaption(const CityState& city, double code);

// Each project's longest caption (its Build caption at 100 %: a project on offer for building is
// at most complete), and kDoNothingCaption, longest first (in project order where as long), so
// that a window can keep room for the captions that need the most.
std::vector<std::string> LongestChoiceCaptions(const CityState& city);

// Writes the captions of the `choices` choices just drawn (the other buttons' captions are
// cleared), then shows buttons 1 to 9 in order, each followed by a pause of 100 milliseconds.
void ShowChoices(CityState& city, int choices, Display& display);

}  // namespace townwright
