#include "platform/win32/dialog_template.h"

#include <windows.h>

#include <cstring>

namespace townwright::win32 {

DialogTemplate::DialogTemplate(std::uint32_t style, DialogRect place, int font_points,
                               std::string_view font_face) {
  // A DLGTEMPLATE, then three variable-length fields and the font, all in 16-bit words.
  std::vector<WORD> template_words = {
      LOWORD(style),
      HIWORD(style),
      0,  // extended style, low and high word
      0,
      0,  // number of controls
      static_cast<WORD>(place.x),
      static_cast<WORD>(place.y),
      static_cast<WORD>(place.width),
      static_cast<WORD>(place.height),
      0,  // no menu
      0,  // the standard dialog class
      0,  // no caption here: it is set afterwards with SetWindowTextA
      static_cast<WORD>(font_points),
  };
  // The face name is a UTF-16 string; ASCII widens byte by byte.
  for (const char c : font_face) template_words.push_back(static_cast<unsigned char>(c));
  template_words.push_back(0);

  words_.resize((template_words.size() + 1) / 2);
  std::memcpy(words_.data(), template_words.data(), template_words.size() * sizeof(WORD));
}

}  // namespace townwright::win32
