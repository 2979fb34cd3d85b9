#pragma once

// An in-memory dialog template that holds no controls: the window alone, its controls are added
// afterwards.

#include <cstdint>
#include <string_view>
#include <vector>

#include "shell/platform.h"

namespace townwright::win32 {

class DialogTemplate {
 public:
  // A template with the given style (which should hold DS_SETFONT for the font to count), place
  // and size in dialog units, no caption, no menu, the standard dialog class, and the font of
  // `font_points` points named `font_face` (ASCII).
  DialogTemplate(std::uint32_t style, DialogRect place, int font_points,
                 std::string_view font_face);

  // The template, as CreateDialogIndirectParamA takes it (a DLGTEMPLATE followed by its strings).
  const void* data() const { return words_.data(); }

 private:
  // Held in 32-bit words because the system wants the template aligned on a 32-bit boundary.
  std::vector<std::uint32_t> words_;
};

}  // namespace townwright::win32
