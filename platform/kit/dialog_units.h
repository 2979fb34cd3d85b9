#pragma once

// Dialog units mapped to pixels from the dialog font's metrics, for the windows whose toolkit has
// no such mapping of its own: the arithmetic of the classic dialog mapping, with no toolkit in it.

#include "shell/platform.h"

namespace townwright {

// The width and height from which dialog units are counted: one horizontal unit is x / 4 pixels,
// one vertical unit y / 8.
struct BaseUnits {
  int x = 0;
  int y = 0;
  friend bool operator==(const BaseUnits&, const BaseUnits&) = default;
};

// From the advance of the 52 letters A-Z a-z in pixels and the font's height (ascent + descent):
// x is the advance divided by 52, rounded to nearest with halves up; y is the height.
BaseUnits BaseUnitsFromLetters(int letters_width, int height);

// units * base / divisor rounded to nearest, halves away from zero: the rounding of the classic
// dialog mapping, so that neighbouring controls that touch in units touch in pixels.
int ScaleUnits(int units, int base, int divisor);

PixelRect DialogRectToPixels(const DialogRect& place, BaseUnits base);

}  // namespace townwright
