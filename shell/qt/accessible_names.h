#pragma once

// What a screen reader calls each text box. The boxes have no label of their own in the window's
// layout, so each takes the text of the heading above it (or of the date part it shows).

#include <string>
#include <string_view>

namespace townwright::qt {

// The accessible name of text box `id`, or empty for any other control.
std::string_view AccessibleNameOfTextBox(int id);

// The accessible name of button `id` while it shows no text: a choice button without an offer
// says its place and that it is empty ("Choice 7, no offer"); other buttons always show a text,
// and get the empty name.
std::string AccessibleNameOfBlankButton(int id);

}  // namespace townwright::qt
