#pragma once

// What a screen reader calls each control of the page's window: the names the Qt window gives, so
// that the game reads the same on the desktop and in the browser.

#include <string_view>

#include "shell/qt/accessible_names.h"

namespace townwright::web {

// The accessible name of control `id` where its own text does not give one (each text box is
// named by its heading or the date part it shows), or empty where the text is the name.
inline std::string_view AccessibleNameOf(int id) { return qt::AccessibleNameOfTextBox(id); }

}  // namespace townwright::web
